// FrmProps, the properties dialog ("Galaxy Properties"): the configuration mode of the
// saver. It shows every setting, edits the universe, the 32 galaxy types and the 16
// composite types in memory, applies themes, copies one galaxy property to all types,
// previews a galaxy type or composite in its own picture, opens and saves templates, and
// writes everything to the settings store when the user accepts.
#pragma once

#include <QDialog>
#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "settings/settings_model.h"
#include "ui/qt/props_hooks.h"
#include "ui/qt/props_pages.h"

class QAction;
class QListWidget;
class QMenuBar;
class QShortcut;

namespace astrelle {

class SettingsStore;
struct ProcessValues;
struct TemplateFields;
class PreviewRunner;

// What the dialog works on. The tables are the process-wide ones the engine also uses; the
// template path lives for the whole run of the program, across openings of the dialog.
struct PropsEnvironment {
    SettingsStore& store;
    GalaxyTypeTable& galaxyTypes;
    CompositeTable& composites;
    ProcessValues& process;
    std::string& templatePath;
};

// The template path of this process, for callers without one of their own.
std::string& ProcessTemplatePath();

class FrmProps : public QDialog {
    Q_OBJECT
  public:
    // With the program's own dialogs behind the seams.
    explicit FrmProps(const PropsEnvironment& env, QWidget* parent = nullptr);
    FrmProps(const PropsEnvironment& env, PropsHooks hooks, QWidget* parent = nullptr);
    ~FrmProps() override;

    PropsControls& Controls() { return c_; }
    QMenuBar* MenuBar() const { return menuBar_; }
    bool GalaxyEditMode() const { return galaxyEditMode_; }
    bool PreviewRunning() const { return previewRunning_; }

    // The operations behind the buttons, lists and menu entries.
    void AcceptSettings();                       // "&Accept Settings" / "&Return to Universe Settings"
    void StoreAllSettings();                     // everything, in one grouped write
    void ResetToFactorySettings();               // without asking
    void ApplyUniverseTheme(int k);              // cboUniTheme entry k
    void ApplyGalaxyTheme(int k);                // cboGalaxyTheme entry k
    void CommitGalaxyType();                     // cmdGalCommit
    void ShowGalaxyProperties();                 // cmdGalProps, double click on the type list
    void SelectComposite(int row);               // a click on a composite line
    void CommitComposite();                      // cmdCompCommit
    void CopyToAllTypes();                       // cmdPropCopy
    void TogglePreview(bool galaxyType);         // "Galaxy Preview" (true) / "Comp Preview" (false)
    void OpenTemplateFromMenu();                 // "&Open Template..."
    void SaveTemplateFromMenu(bool askForPath);  // "&Save Template" (false), "Save Template &As..." (true)
    void ExitProgram();                          // "E&xit"
    void AskAndReset();                          // "&Reset Properties"
    void ShowAdvancedSettings();                 // "&Advanced Settings..."
    void ShowHelp(const QString& topic);         // the help page at a topic
    void ShowHelpForFocus();                     // F1
    void ShowAbout();                            // "&About Astrelle..."

    // The help topic of a control: its own, or that of the nearest parent that has one.
    static QString HelpTopicOf(const QWidget* widget);

    // The text of a line of the galaxy type or composite list, and how it is read back.
    QString NameWeightLine(const QListWidget* list, const QString& name, int weight) const;
    static QString NameOfLine(const QString& line);
    static QString WeightOfLine(const QString& line);

  public slots:
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildLayout();
    void FixSize();
    void BuildMenus();
    void SetUpFields();
    void SetUpLists();
    void ConnectSignals();
    void SetHelpTopics();

    void Load();
    void LoadGeneralAndUniverse();
    void FillGalaxyList();
    void FillGalaxyListFromFactoryNames();
    void FillTypeNameLists();
    void FillCompositeListFromTable();
    void FillCompositeListFromStore();
    void ShowUniverseSubPage(int index);
    void UpdateTourControls();

    void SetUniverseControl(const SettingDef& def, const QString& text);
    QString UniverseControlText(const SettingDef& def) const;
    void SetGalaxyControl(const SettingDef& def, const QString& text);
    void CopyRowToGalaxyFields(int row);
    void CopyGalaxyFieldsToRow(int row);
    void ReturnToUniverse();
    void OnGalaxyLineChosen();
    void OnCopyEntryChosen(int entry);

    void UpdatePixHueSamples(int index);
    void UpdateGalaxyHueSample();
    void UpdateRampSample(bool universe);
    void UpdateProfilePicture(bool universe);

    void WriteTemplateFields(TemplateFields& fields) const;
    void ReadTemplateFields(const TemplateFields& fields);
    void SaveTemplateTo(const QString& path);

    void Message(const char* text, QWidget* focusAfter);
    void SetPreviewControlsEnabled(QWidget* keep, bool enabled);
    int SelectedRow(const QListWidget* list) const;

    PropsEnvironment env_;
    PropsHooks hooks_;
    PropsControls c_;
    QMenuBar* menuBar_ = nullptr;
    std::vector<QAction*> menuActions_;
    QShortcut* helpKey_ = nullptr;

    bool galaxyEditMode_ = false;
    int editedRow_ = -1;  // the galaxy type whose fields the galaxy page shows
    bool centred_ = false;

    bool previewRunning_ = false;
    bool closeAfterPreview_ = false;
    std::vector<QWidget*> disabledForPreview_;
    std::unique_ptr<PreviewRunner> preview_;
};

}  // namespace astrelle
