// The template chooser: its rules (type lists, full names, the ".glx" rule, the save-path
// probe, the OK confirmation) and the window that offers drives, folders and files.
#include "ui/qt/template_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/services.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/ui_feedback.h"

namespace astrelle {

namespace {

constexpr int kProbeAttempts = 100;
constexpr char kSeparator = '/';

TemplateMemory& Memory() {
    static TemplateMemory memory;
    return memory;
}

// The mount points that hold no user files.
bool IsSystemMount(const QString& root) {
    const auto under = [&](const char* top) {
        const QString t = QString::fromLatin1(top);
        return root == t || root.startsWith(t + QLatin1Char(kSeparator));
    };
    if (under("/proc") || under("/sys") || under("/dev")) return true;
    return under("/run") && !under("/run/media");
}

// The drive of the list that holds folder: the longest drive path that is a prefix of it.
QString DriveOf(const QStringList& drives, const QString& folder) {
    QString best;
    for (const QString& d : drives) {
        const QString prefix = d.endsWith(QLatin1Char(kSeparator)) ? d : d + QLatin1Char(kSeparator);
        if ((folder == d || folder.startsWith(prefix)) && d.size() > best.size()) best = d;
    }
    return best.isEmpty() ? QStringLiteral("/") : best;
}

}  // namespace

// ---- rules -------------------------------------------------------------------------------

std::vector<FileType> ParseFileTypes(const QString& types) {
    // The text always ends with a separator once one is appended, so the last piece of the
    // split is the empty text after it and is not a description.
    QStringList pieces = (types + QLatin1Char('|')).split(QLatin1Char('|'));
    pieces.removeLast();
    std::vector<FileType> result;
    for (qsizetype i = 0; i < pieces.size(); i += 2) {
        FileType type;
        type.description = pieces[i];
        if (i + 1 < pieces.size()) type.pattern = pieces[i + 1];
        result.push_back(type);
    }
    return result;
}

QStringList PatternGlobs(const QString& pattern) {
    QStringList globs;
    for (const QString& part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString glob = part.trimmed();
        if (glob.isEmpty()) continue;
        globs << (glob == QLatin1String("*.*") ? QStringLiteral("*") : glob);
    }
    if (globs.isEmpty()) globs << QStringLiteral("*");
    return globs;
}

QString TemplateFullName(const QString& folder, const QString& fileName) {
    if (folder.endsWith(QLatin1Char(kSeparator))) return folder + fileName;
    return folder + QLatin1Char(kSeparator) + fileName;
}

QString WithTemplateExtension(const QString& full) {
    if (full.contains(QLatin1Char('.'))) return full;
    return full + QStringLiteral(".glx");
}

QString ProbeScratchName(const QString& folder, int attempt) {
    return TemplateFullName(
        folder,
        QStringLiteral(".astrelle-probe-%1-%2").arg(static_cast<qint64>(CurrentProcessId())).arg(attempt));
}

bool ProbeTemplatePath(const QString& full) {
    const QFileInfo target(full);
    const QString name = target.fileName();
    if (name.isEmpty() || full.contains(QChar(0))) return false;
    const QString folder = target.absolutePath();
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir()) return false;
    if (target.exists() && target.isDir()) return false;

    const size_t limit = MaxFileNameLength(folder.toStdString());
    const size_t nameLength =
        static_cast<size_t>(QFileInfo(WithTemplateExtension(full)).fileName().toUtf8().size());
    if (nameLength > limit) return false;

    // Exclusive create: an existing file of that name is left alone and we move on to
    // another name, so we only ever remove a file we created ourselves.
    for (int attempt = 0; attempt < kProbeAttempts; ++attempt) {
        switch (ProbeCreateFile(ProbeScratchName(folder, attempt).toStdString())) {
            case CreateProbe::Created:
                return true;
            case CreateProbe::NameTaken:
                continue;
            case CreateProbe::Failed:
                return false;
        }
    }
    return false;
}

TemplateConfirmation ConfirmTemplateChoice(TemplateMode mode, const QString& folder,
                                           const QString& fileName) {
    TemplateConfirmation result;
    const QString full = TemplateFullName(folder, fileName);
    const bool hasName = !fileName.trimmed().isEmpty();
    if (mode == TemplateMode::Open) {
        if (hasName && QFileInfo(full).isFile()) {
            result.accepted = true;
            result.fullName = full;
        } else {
            result.message = QString::fromLatin1(kSelectExistingFile);
        }
        return result;
    }
    if (!hasName) {
        result.message = QString::fromLatin1(kEnterFileName);
        return result;
    }
    if (!ProbeTemplatePath(full)) {
        result.message = QString::fromLatin1(kEnterValidPath);
        return result;
    }
    result.accepted = true;
    result.fullName = WithTemplateExtension(full);
    return result;
}

QStringList TemplateDrives() {
    QStringList drives{QStringLiteral("/")};
    const QString home = QDir::homePath();
    if (QFileInfo(home).isDir() && !drives.contains(home)) drives << home;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        const QString root = volume.rootPath();
        if (drives.contains(root) || IsSystemMount(root) || !QFileInfo(root).isDir()) continue;
        drives << root;
    }
    return drives;
}

TemplateMemory RememberedTemplatePlace() {
    return Memory();
}

void ForgetTemplatePlace() {
    Memory() = TemplateMemory{};
}

QString SelectTemplateFile(QWidget* parent, bool open, const QString& title, const QString& types) {
    TemplateDialog dialog(parent);
    dialog.FormLet(open, title, types);
    dialog.exec();
    return dialog.Accepted() ? dialog.FullFileName() : QString();
}

QString SelectTemplateFile(bool open, const QString& title, const QString& types) {
    return SelectTemplateFile(QApplication::activeWindow(), open, title, types);
}

// ---- the window --------------------------------------------------------------------------

TemplateDialog::TemplateDialog(QWidget* parent)
    : QDialog(parent),
      drvTemp_(new QComboBox(this)),
      dirTemp_(new QTreeView(this)),
      folders_(new QFileSystemModel(this)),
      lblFolder_(new QLabel(this)),
      filTemp_(new QListWidget(this)),
      txtFile_(new FieldEdit(this)),
      cboTypes_(new QComboBox(this)),
      cmdOK_(new QPushButton(tr("OK"), this)),
      cmdDismiss_(new QPushButton(tr("Cancel"), this)) {
    setModal(true);
    setWindowTitle(tr("Select Template File"));

    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    folders_->setReadOnly(true);
    dirTemp_->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column) dirTemp_->hideColumn(column);
    dirTemp_->header()->hide();
    dirTemp_->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* nameLabel = new QLabel(tr("Template name:"), this);
    nameLabel->setBuddy(txtFile_);
    auto* placeLabel = new QLabel(tr("Drive / Directory:"), this);
    placeLabel->setBuddy(dirTemp_);
    auto* typeLabel = new QLabel(tr("List Files of Type:"), this);
    typeLabel->setBuddy(cboTypes_);

    auto* grid = new QGridLayout;
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(placeLabel, 0, 1);
    grid->addWidget(txtFile_, 1, 0);
    grid->addWidget(dirTemp_, 1, 1, 2, 1);
    grid->addWidget(filTemp_, 2, 0);
    grid->addWidget(typeLabel, 3, 0);
    // The path in words: the tree shows one name per line, and a user saving must see
    // where the file goes. A long path is cut, not allowed to widen the dialog.
    lblFolder_->setObjectName("lblFolder");
    lblFolder_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblFolder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(lblFolder_, 3, 1);
    grid->addWidget(cboTypes_, 4, 0);
    grid->addWidget(drvTemp_, 4, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdDismiss_);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    resize(560, 340);

    cmdOK_->setDefault(true);
    drives_ = TemplateDrives();
    for (const QString& d : drives_) {
        QString text = d;
        if (d == QDir::homePath()) text += tr("  (Home)");
        drvTemp_->addItem(text, d);
    }

    connect(cmdOK_, &QPushButton::clicked, this, &TemplateDialog::OnOk);
    connect(cmdDismiss_, &QPushButton::clicked, this, &QDialog::reject);
    connect(drvTemp_, &QComboBox::activated, this,
            [this](int index) { SetDrive(drvTemp_->itemData(index).toString()); });
    connect(dirTemp_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) SetFolder(folders_->filePath(current));
            });
    // The model fills the tree in the background: each folder on the way to the current one
    // loads its entries and then sorts them, and until then the current folder stands higher
    // than it will. After each sort (the end of a load), bring it into view again.
    connect(folders_, &QFileSystemModel::layoutChanged, this, &TemplateDialog::KeepFolderInView);
    // Once the user scrolls the tree, it stays where they put it.
    connect(dirTemp_->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { followFolder_ = false; });
    connect(cboTypes_, &QComboBox::currentIndexChanged, this, [this](int index) {
        pattern_ = index >= 0 && index < cboFilter_.size() ? cboFilter_[index] : QString();
        RefreshFiles();
    });
    connect(filTemp_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { txtFile_->setText(item->text()); });
    connect(filTemp_, &QListWidget::itemDoubleClicked, this, &TemplateDialog::OnFileDoubleClicked);

    SetFolder(QDir::currentPath());
}

void TemplateDialog::FormLet(bool open, const QString& title, const QString& types) {
    open_ = open;
    types_ = types;
    accepted_ = false;
    fullFileName_.clear();

    setWindowTitle(title);
    const TemplateMemory& memory = Memory();
    if (!memory.drive.isEmpty()) SetDrive(memory.drive);
    if (!memory.folder.isEmpty()) SetFolder(memory.folder);
    BuildTypeLists();
}

void TemplateDialog::BuildTypeLists() {
    QSignalBlocker block(cboTypes_);
    cboTypes_->clear();
    cboFilter_.clear();
    for (const FileType& type : ParseFileTypes(types_)) {
        cboTypes_->addItem(type.description);
        cboFilter_ << type.pattern;
    }
    cboTypes_->setCurrentIndex(cboTypes_->count() > 0 ? 0 : -1);
    pattern_ = cboFilter_.isEmpty() ? QString() : cboFilter_.front();
    RefreshFiles();
}

void TemplateDialog::SetDrive(const QString& drive) {
    if (!QFileInfo(drive).isDir()) return;
    drive_ = drive;
    const int index = drvTemp_->findData(drive);
    if (index >= 0) drvTemp_->setCurrentIndex(index);
    folders_->setRootPath(drive);
    dirTemp_->setRootIndex(folders_->index(drive));
    // A drive change shows the drive's top folder unless the folder already lies on it.
    if (DriveOf(drives_, folder_) != drive) SetFolder(drive);
}

void TemplateDialog::SetFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir()) return;
    const QString path = QDir::cleanPath(info.absoluteFilePath());
    const bool changed = path != folder_;
    folder_ = path;

    const QString drive = DriveOf(drives_, folder_);
    if (drive != drive_) {
        drive_ = drive;
        const int index = drvTemp_->findData(drive);
        if (index >= 0) drvTemp_->setCurrentIndex(index);
        folders_->setRootPath(drive);
        dirTemp_->setRootIndex(folders_->index(drive));
    }
    const QModelIndex index = folders_->index(folder_);
    if (index.isValid() && dirTemp_->currentIndex() != index) {
        QSignalBlocker block(dirTemp_->selectionModel());
        dirTemp_->setCurrentIndex(index);
        dirTemp_->expand(index);
        dirTemp_->scrollTo(index);
    }
    followFolder_ = true;
    lblFolder_->setText(folder_);
    lblFolder_->setToolTip(folder_);
    if (changed) RefreshFiles();
}

void TemplateDialog::KeepFolderInView() {
    if (!followFolder_) return;
    const QModelIndex index = folders_->index(folder_);
    if (index.isValid()) dirTemp_->scrollTo(index);
}

void TemplateDialog::RefreshFiles() {
    filTemp_->clear();
    if (folder_.isEmpty()) return;
    const QDir dir(folder_);
    filTemp_->addItems(dir.entryList(PatternGlobs(pattern_), QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void TemplateDialog::OnOk() {
    const TemplateConfirmation result =
        ConfirmTemplateChoice(open_ ? TemplateMode::Open : TemplateMode::Save, folder_, txtFile_->text());
    if (!result.accepted) {
        ShowWarning(this, result.message);
        txtFile_->setFocus();
        return;
    }
    accepted_ = true;
    fullFileName_ = result.fullName;
    accept();
}

void TemplateDialog::OnFileDoubleClicked(QListWidgetItem* item) {
    // A double click confirms the file it names without the checks of OK.
    if (item != nullptr) txtFile_->setText(item->text());
    accepted_ = true;
    fullFileName_ = TemplateFullName(folder_, txtFile_->text());
    accept();
}

void TemplateDialog::done(int result) {
    Memory() = TemplateMemory{drive_, folder_};
    QDialog::done(result);
}

void TemplateDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    KeepFolderInView();  // measured now on the tree's real size
    txtFile_->setFocus();
}

}  // namespace astrelle
