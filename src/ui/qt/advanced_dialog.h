// The advanced settings dialog ("Advanced Settings"): the frame delay, the lock message's
// font, size and hue, whether the saver window may be resized, and the lock message text
// that the properties dialog holds. OK writes the five "Advanced" values to the settings
// store as the fields show them and hands the message back; Cancel changes nothing.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <string_view>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace astrelle {

class FieldEdit;
class SettingsStore;
class SpinControl;

// One numeric field of the dialog: its range and default text (from the setting's
// definition) and the step of its spinner and arrow keys. Index 0 frame delay
// (Adv_TimeDelay), 1 font size (Adv_FontSize), 2 font hue (Adv_FontHueV).
struct AdvancedLimit {
    int low;
    int high;
    int step;
    std::string_view defaultText;
};
inline constexpr int kAdvancedFields = 3;
const std::array<AdvancedLimit, kAdvancedFields>& AdvancedLimits();

inline constexpr const char* kDefaultFontName = "MS Sans Serif";

// The values of the "Advanced" section as the dialog shows them: texts, written back as
// they stand.
struct AdvancedTexts {
    QString delay;
    QString fontName;
    QString fontSize;
    QString hue;
    bool resize = false;
};

class AdvancedDialog : public QDialog {
    Q_OBJECT
  public:
    // fonts: the font families to offer, in order; empty means the system's families.
    explicit AdvancedDialog(QWidget* parent = nullptr, const QStringList& fonts = {});

    // Reads the "Advanced" values from the store (defaults where missing) and takes the
    // properties dialog's message text.
    void LoadAdvancedDialog(SettingsStore& store, const QString& message);
    // Writes the five values as the fields show them, in one batch.
    void SaveAdvancedDialog(SettingsStore& store);

    // The same without a store.
    void ShowTexts(const AdvancedTexts& texts, const QString& message);
    AdvancedTexts Texts() const;
    QString MessageText() const;

    // Restores the defaults in the controls; nothing is stored.
    void RestoreDefaults();

    // Controls, for tests and the caller.
    FieldEdit* Field(int index) const { return txtAdv_[static_cast<size_t>(index)]; }
    SpinControl* Spin(int index) const { return spnAdv_[static_cast<size_t>(index)]; }
    QComboBox* FontList() const { return cboFont_; }
    FieldEdit* Message() const { return txtMessage_; }
    QCheckBox* Resize() const { return chkResize_; }
    QWidget* HueSwatch() const { return picHueFont_; }
    QPushButton* DefaultsButton() const { return cmdDefaults_; }
    QPushButton* OkButton() const { return cmdOK_; }
    QPushButton* CancelButton() const { return cmdDismiss_; }

  private:
    void SelectFont(const QString& name);
    void ShowHue(const QString& text);

    std::array<FieldEdit*, kAdvancedFields> txtAdv_{};
    std::array<SpinControl*, kAdvancedFields> spnAdv_{};
    QComboBox* cboFont_;
    FieldEdit* txtMessage_;
    QCheckBox* chkResize_;
    QWidget* picHueFont_;
    QPushButton* cmdDefaults_;
    QPushButton* cmdOK_;
    QPushButton* cmdDismiss_;
};

// Shows the dialog modally over parent with the store's values and message; on OK stores
// the values, puts the edited text into message and returns true. On Cancel returns false
// and leaves store and message untouched.
bool ShowAdvancedDialog(QWidget* parent, SettingsStore& store, QString& message);

}  // namespace astrelle
