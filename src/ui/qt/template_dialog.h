// The template file chooser ("Select Template File"): a modal dialog with a drive list
// (the mounted volumes and the home folder), a folder tree, the files of the folder that
// match the chosen type and a name field. In open mode it accepts only an existing file; in
// save mode it checks that a file could be created in the folder and adds ".glx" to a name
// without any point. It never writes a template itself: the caller does. The last drive
// and folder are remembered for the rest of the process.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeView;
class QFileSystemModel;

namespace astrelle {

class FieldEdit;

// Shows the chooser modally and returns the confirmed full path, or "" when the user
// cancelled. types is "description|pattern|description|pattern..." (patterns may list
// several globs separated by ";").
QString SelectTemplateFile(QWidget* parent, bool open, const QString& title, const QString& types);
// The same over the application's active window.
QString SelectTemplateFile(bool open, const QString& title, const QString& types);

// The filter of the properties dialog's File menu.
inline constexpr const char* kTemplateTypes = "Galaxy Templates (*.glx)|*.glx|All Files (*.*)|*.*";

inline constexpr const char* kSelectExistingFile = "Please select an existing file.";
inline constexpr const char* kEnterFileName = "Please enter a file name.";
inline constexpr const char* kEnterValidPath = "Please enter a valid path and file.";

// ---- rules of the chooser, usable without a window ----------------------------------

struct FileType {
    QString description;
    QString pattern;
};

// Splits the types text into description and pattern pairs, in order. A description
// without a pattern gets an empty one (which lists every file).
std::vector<FileType> ParseFileTypes(const QString& types);

// The globs of a pattern for listing a folder. "*.*" means every file, as it always has
// on the desktops the templates come from, including names without a point.
QStringList PatternGlobs(const QString& pattern);

// folder, then "/" unless the folder already ends with one, then the name.
QString TemplateFullName(const QString& folder, const QString& fileName);

// Adds ".glx" when there is no "." anywhere in the full path (a folder name with a point
// counts, so such a path keeps its name as typed).
QString WithTemplateExtension(const QString& full);

// True when a template could be saved under full: its folder exists and lets us create a
// file, the name is not a folder and not too long for the file system. Proven by creating
// a scratch file of our own with a name nobody else holds (exclusive create) and removing
// it again, so no existing file, whatever its name, is touched.
bool ProbeTemplatePath(const QString& full);

// Name of the scratch file of probe attempt n in folder (tests use it to plant clashes).
QString ProbeScratchName(const QString& folder, int attempt);

enum class TemplateMode { Open, Save };

// The outcome of pressing OK: accepted with the full path, or refused with a message.
struct TemplateConfirmation {
    bool accepted = false;
    QString fullName;
    QString message;
};

TemplateConfirmation ConfirmTemplateChoice(TemplateMode mode, const QString& folder, const QString& fileName);

// The drives of the drive list: "/" first, then the home folder, then every other mounted
// volume that is a folder, without repeats.
QStringList TemplateDrives();

// The drive and folder remembered from the last use ("" before the first one).
struct TemplateMemory {
    QString drive;
    QString folder;
};
TemplateMemory RememberedTemplatePlace();
void ForgetTemplatePlace();

// ---- the window ----------------------------------------------------------------------

class TemplateDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TemplateDialog(QWidget* parent = nullptr);

    // Takes the set-up of one use and clears the result.
    void FormLet(bool open, const QString& title, const QString& types);

    bool Accepted() const { return accepted_; }
    QString FullFileName() const { return fullFileName_; }

    QString Drive() const { return drive_; }
    QString Folder() const { return folder_; }
    // Moves the tree and the file list; a folder that does not exist is ignored.
    void SetDrive(const QString& drive);
    void SetFolder(const QString& folder);

    // Controls, for the caller's tests.
    QComboBox* DriveList() const { return drvTemp_; }
    QTreeView* FolderTree() const { return dirTemp_; }
    QLabel* FolderLabel() const { return lblFolder_; }
    QListWidget* FileList() const { return filTemp_; }
    FieldEdit* FileName() const { return txtFile_; }
    QComboBox* TypeList() const { return cboTypes_; }
    QPushButton* OkButton() const { return cmdOK_; }
    QPushButton* CancelButton() const { return cmdDismiss_; }
    QStringList Patterns() const { return cboFilter_; }

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildTypeLists();
    void RefreshFiles();
    void KeepFolderInView();
    void OnOk();
    void OnFileDoubleClicked(QListWidgetItem* item);

    bool open_ = true;
    QString types_;
    bool accepted_ = false;
    QString fullFileName_;
    QString drive_;
    QString folder_;
    bool followFolder_ = true;  // the tree keeps the current folder in view until scrolled by hand
    QString pattern_;
    QStringList drives_;

    QComboBox* drvTemp_;
    QTreeView* dirTemp_;
    QFileSystemModel* folders_;
    QLabel* lblFolder_;  // the current folder's path: where a saved template goes
    QListWidget* filTemp_;
    FieldEdit* txtFile_;
    QComboBox* cboTypes_;
    QStringList cboFilter_;  // the patterns, index for index with cboTypes_
    QPushButton* cmdOK_;
    QPushButton* cmdDismiss_;
};

}  // namespace astrelle
