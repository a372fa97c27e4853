// FrmAdvanced, the advanced settings dialog's Qt view ("Advanced Settings"): the frame delay,
// the lock message's font, size and hue with a sample of the message, and the resizable
// window, wired to the dialog's logic (ui/logic/advanced_dialog.h).
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <memory>

#include "ui/logic/advanced_dialog.h"
#include "ui/qt/qt_controls.h"

namespace astrelle {

class SettingsStore;

class FrmAdvanced : public QDialog, public QtView<AdvancedView> {
    Q_OBJECT
  public:
    // fonts: the font families to offer, in order; empty means the system's families.
    explicit FrmAdvanced(SettingsStore& store, QWidget* parent = nullptr, const QStringList& fonts = {});
    ~FrmAdvanced() override;

    AdvancedDialog& Logic() { return *logic_; }
    // Shows the stored values and the properties dialog's message text.
    void Load(const QString& message);

    std::vector<std::string> FontNames() const override;
    void SetFont(const Control& control, std::string_view family) override;
    void Close(DialogResult result) override;

  private:
    QStringList fonts_;
    std::unique_ptr<AdvancedDialog> logic_;
};

// Shows the dialog modally over parent with the store's values and message; on OK stores
// the values, puts the edited text into message and returns true. On Cancel returns false
// and leaves store and message untouched.
bool ShowAdvancedDialog(QWidget* parent, SettingsStore& store, QString& message);

}  // namespace astrelle
