// FrmTemplate, the template chooser's Qt view ("Select Template File"): a drive list (the
// mounted volumes and the home folder), a folder tree, the files of the folder that match
// the chosen type and a name field, wired to the chooser's logic
// (ui/logic/template_chooser.h), which holds its rules.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <memory>

#include "ui/logic/template_chooser.h"
#include "ui/qt/qt_controls.h"

class QComboBox;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeView;

namespace astrelle {

class FieldEdit;

// Shows the chooser modally and returns the confirmed full path, or "" when the user
// cancelled. types is "description|pattern|description|pattern...".
QString SelectTemplateFile(QWidget* parent, TemplateMode mode, const QString& title, const QString& types);

// The drives of the drive list: "/" first, then the home folder, then every other mounted
// volume that is a folder, without repeats.
QStringList TemplateDrives();

class FrmTemplate : public QDialog, public QtView<TemplateChooserView> {
    Q_OBJECT
  public:
    FrmTemplate(TemplateMode mode, const QString& title, const QString& types, QWidget* parent = nullptr);
    ~FrmTemplate() override;

    TemplateChooser& Logic() { return *logic_; }

    std::string Drive() const override { return FromQt(drive_); }
    std::string Folder() const override { return FromQt(folder_); }
    void ShowPlace(std::string_view drive, std::string_view folder) override;
    void ListFiles(std::span<const std::string> globs) override;
    void Close(DialogResult result) override;

    // Controls, for the caller's tests.
    QTreeView* FolderTree() const { return dirTemp_; }
    QLabel* FolderLabel() const { return lblFolder_; }
    QListWidget* FileList() const { return filTemp_; }
    FieldEdit* FileName() const { return txtFile_; }
    QComboBox* TypeList() const { return cboTypes_; }
    QPushButton* OkButton() const { return cmdOK_; }
    QPushButton* CancelButton() const { return cmdDismiss_; }

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void SetDrive(const QString& drive);
    void SetFolder(const QString& folder);
    void RefreshFiles();
    void KeepFolderInView();

    QString drive_;
    QString folder_;
    bool followFolder_ = true;  // the tree keeps the current folder in view until scrolled by hand
    QStringList globs_;
    QStringList drives_;

    QComboBox* drvTemp_;
    QTreeView* dirTemp_;
    QFileSystemModel* folders_;
    QLabel* lblFolder_;  // the current folder's path: where a saved template goes
    QListWidget* filTemp_;
    FieldEdit* txtFile_;
    QComboBox* cboTypes_;
    QPushButton* cmdOK_;
    QPushButton* cmdDismiss_;
    std::unique_ptr<TemplateChooser> logic_;
};

}  // namespace astrelle
