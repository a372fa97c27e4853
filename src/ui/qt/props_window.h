// FrmProps, the properties dialog's Qt view ("Galaxy Properties"): the pages and boxes of
// props_pages.h, the menus, the preview picture and the dialogs it opens, wired to the
// dialog's logic (ui/logic/props_dialog.h), which holds every rule. It fits a 1024x768
// screen and keeps one size on every page.
#pragma once

#include <QDialog>
#include <QString>

#include <memory>
#include <vector>

#include "ui/logic/props_dialog.h"
#include "ui/qt/qt_controls.h"

class QAction;
class QMenuBar;
class QShortcut;

namespace astrelle {

class PictureTarget;

class FrmProps : public QDialog, public QtView<PropsView> {
    Q_OBJECT
  public:
    explicit FrmProps(const PropsEnvironment& env, QWidget* parent = nullptr);
    ~FrmProps() override;

    PropsDialog& Logic() { return *logic_; }
    QMenuBar* MenuBar() const { return menuBar_; }
    // The help topic of a widget: its own, or that of the nearest parent that has one.
    static QString HelpTopicOf(const QWidget* widget);

    double TextWidth(const Control& list, std::string_view text) const override;
    void SetBusy(bool busy) override;
    void SetPreviewRunning(const Control& stopButton, bool running) override;
    PreviewTarget& Preview() override;
    std::string ChooseTemplateFile(TemplateMode mode, std::string_view title,
                                   std::string_view types) override;
    bool EditAdvancedSettings(std::string& lockMessage) override;
    void ShowAbout() override;
    void ShowWebPage() override;
    HelpResult OpenHelp(std::string_view topic) override;
    void Close(DialogResult result) override;

  public slots:
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildLayout();
    void BuildMenus();
    void SetHelpTopics();
    void FixSize();

    PropsEnvironment env_;
    QMenuBar* menuBar_ = nullptr;
    std::vector<QAction*> menuActions_;
    QShortcut* helpKey_ = nullptr;
    std::unique_ptr<PictureTarget> preview_;
    std::unique_ptr<PropsDialog> logic_;
    std::vector<QWidget*> disabledForPreview_;
    bool centred_ = false;
};

}  // namespace astrelle
