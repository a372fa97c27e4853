// FrmTemplate: the drives, the folder tree and the file list of the template chooser, and its
// wiring to the chooser's logic.
#include "ui/qt/template_window.h"

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

#include "ui/qt/field_edit.h"

namespace astrelle {

namespace {

constexpr char kSeparator = '/';
constexpr QSize kInitialSize(560, 340);

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

QString SelectTemplateFile(QWidget* parent, TemplateMode mode, const QString& title, const QString& types) {
    FrmTemplate dialog(mode, title, types, parent ? parent : QApplication::activeWindow());
    dialog.exec();
    return dialog.Logic().Accepted() ? ToQt(dialog.Logic().FullFileName()) : QString();
}

FrmTemplate::FrmTemplate(TemplateMode mode, const QString& title, const QString& types, QWidget* parent)
    : QDialog(parent),
      QtView<TemplateChooserView>(this),
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
    resize(kInitialSize);

    cmdOK_->setDefault(true);
    drives_ = TemplateDrives();
    for (const QString& d : drives_) {
        QString text = d;
        if (d == QDir::homePath()) text += tr("  (Home)");
        drvTemp_->addItem(text, d);
    }

    controls_.Add(Own(ControlId::TemplateName), txtFile_);
    controls_.Add(Own(ControlId::TemplateTypes), cboTypes_);
    controls_.Add(Own(ControlId::OkButton), cmdOK_);
    controls_.Add(Own(ControlId::DismissButton), cmdDismiss_);
    logic_ = std::make_unique<TemplateChooser>(*this, mode, FromQt(title), FromQt(types));
    controls_.Report(*logic_);

    connect(drvTemp_, &QComboBox::activated, this,
            [this](int index) { SetDrive(drvTemp_->itemData(index).toString()); });
    connect(dirTemp_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) SetFolder(folders_->filePath(current));
            });
    // The model fills the tree in the background: each folder on the way to the current one
    // loads its entries and then sorts them, and until then the current folder stands higher
    // than it will. After each sort (the end of a load), bring it into view again.
    connect(folders_, &QFileSystemModel::layoutChanged, this, &FrmTemplate::KeepFolderInView);
    // Once the user scrolls the tree, it stays where they put it.
    connect(dirTemp_->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { followFolder_ = false; });
    connect(filTemp_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { logic_->OnFileClicked(FromQt(item->text())); });
    connect(filTemp_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { logic_->OnFileDoubleClicked(FromQt(item->text())); });

    SetFolder(QDir::currentPath());
    logic_->Open();
}

FrmTemplate::~FrmTemplate() = default;

void FrmTemplate::ShowPlace(std::string_view drive, std::string_view folder) {
    if (!drive.empty()) SetDrive(ToQt(drive));
    if (!folder.empty()) SetFolder(ToQt(folder));
}

void FrmTemplate::ListFiles(std::span<const std::string> globs) {
    globs_.clear();
    for (const std::string& glob : globs) globs_ << ToQt(glob);
    RefreshFiles();
}

void FrmTemplate::SetDrive(const QString& drive) {
    if (!QFileInfo(drive).isDir()) return;
    drive_ = drive;
    const int index = drvTemp_->findData(drive);
    if (index >= 0) drvTemp_->setCurrentIndex(index);
    folders_->setRootPath(drive);
    dirTemp_->setRootIndex(folders_->index(drive));
    // A drive change shows the drive's top folder unless the folder already lies on it.
    if (DriveOf(drives_, folder_) != drive) SetFolder(drive);
}

void FrmTemplate::SetFolder(const QString& folder) {
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

void FrmTemplate::KeepFolderInView() {
    if (!followFolder_) return;
    const QModelIndex index = folders_->index(folder_);
    if (index.isValid()) dirTemp_->scrollTo(index);
}

void FrmTemplate::RefreshFiles() {
    filTemp_->clear();
    if (folder_.isEmpty() || globs_.isEmpty()) return;
    const QDir dir(folder_);
    filTemp_->addItems(dir.entryList(globs_, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void FrmTemplate::Close(DialogResult result) {
    done(result == DialogResult::Accepted ? QDialog::Accepted : QDialog::Rejected);
}

void FrmTemplate::done(int result) {
    logic_->OnClosed();
    QDialog::done(result);
}

void FrmTemplate::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    KeepFolderInView();  // measured now on the tree's real size
    txtFile_->setFocus();
}

}  // namespace astrelle
