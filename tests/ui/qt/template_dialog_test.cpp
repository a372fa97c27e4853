// The template chooser: type lists, full names and the ".glx" rule, the confirmation of
// open and save mode with its three messages, the save probe leaving the folder as it was,
// and the window's file list, cancel and remembered folder.
#include "ui/qt/template_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <unistd.h>

#include <map>

#include "ui/qt/field_edit.h"
#include "ui_test_support.h"

namespace astrelle {
namespace {

using testing_support::FeedbackRecorder;
using testing_support::WriteFile;

// Every entry of a folder (hidden ones included) with its content.
std::map<QString, QByteArray> Snapshot(const QString& folder) {
    std::map<QString, QByteArray> entries;
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QFile file(dir.filePath(name));
        entries[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<dir>");
    }
    return entries;
}

TEST(TemplateRules, TypeListsFullNamesAndTheExtension) {
    const std::vector<FileType> types = ParseFileTypes(QString::fromLatin1(kTemplateTypes));
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0].description, "Galaxy Templates (*.glx)");
    EXPECT_EQ(types[0].pattern, "*.glx");
    EXPECT_EQ(types[1].description, "All Files (*.*)");
    EXPECT_EQ(types[1].pattern, "*.*");
    const std::vector<FileType> odd = ParseFileTypes("Only a description");
    ASSERT_EQ(odd.size(), 1u);
    EXPECT_TRUE(odd[0].pattern.isEmpty());
    EXPECT_TRUE(ParseFileTypes("").size() == 1u && ParseFileTypes("")[0].description.isEmpty());
    EXPECT_EQ(PatternGlobs("*.*"), QStringList{"*"});
    EXPECT_EQ(PatternGlobs("*.glx; *.ini"), (QStringList{"*.glx", "*.ini"}));
    EXPECT_EQ(PatternGlobs(""), QStringList{"*"});

    EXPECT_EQ(TemplateFullName("/", "a.glx"), "/a.glx");  // the root keeps its single separator
    EXPECT_EQ(TemplateFullName("/home/me", "a"), "/home/me/a");
    EXPECT_EQ(TemplateFullName("/home/me/", "a"), "/home/me/a");
    // Only a path without any point gets ".glx".
    EXPECT_EQ(WithTemplateExtension("/home/me/night"), "/home/me/night.glx");
    EXPECT_EQ(WithTemplateExtension("/home/me/night.txt"), "/home/me/night.txt");
    EXPECT_EQ(WithTemplateExtension("/home/me/v1.2/night"), "/home/me/v1.2/night");
}

class TemplateFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.path();
    }
    QTemporaryDir dir_;
    QString folder_;
};

// Save wants a name in a folder that exists; Open wants an existing file. An accepted
// choice comes back as the full name, a refused one with its message.
TEST_F(TemplateFolder, ConfirmationChecksNamesAndPathsForEachMode) {
    if (folder_.contains('.')) GTEST_SKIP() << "temporary folder has a point in its path";
    ASSERT_TRUE(QDir(folder_).mkdir("v1.2"));
    ASSERT_TRUE(QDir(folder_).mkdir("sub"));
    ASSERT_TRUE(WriteFile(folder_ + "/there.glx", "x"));
    const struct {
        TemplateMode mode;
        QString folder, name, message, fullName;
    } cases[] = {
        {TemplateMode::Save, "", "night", "", "/night.glx"},
        {TemplateMode::Save, "", "night.tpl", "", "/night.tpl"},
        {TemplateMode::Save, "/v1.2", "night", "", "/v1.2/night"},
        {TemplateMode::Save, "", "sub/x.glx", "", "/sub/x.glx"},
        {TemplateMode::Save, "", "   ", kEnterFileName, ""},
        {TemplateMode::Save, "", "missing/x.glx", kEnterValidPath, ""},
        {TemplateMode::Save, "", "sub", kEnterValidPath, ""},
        {TemplateMode::Save, "", QString(300, 'n'), kEnterValidPath, ""},
        {TemplateMode::Open, "", "there.glx", "", "/there.glx"},
        {TemplateMode::Open, "", "absent.glx", kSelectExistingFile, ""},
        {TemplateMode::Open, "", "", kSelectExistingFile, ""},
        {TemplateMode::Open, "", "v1.2", kSelectExistingFile, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const TemplateConfirmation result = ConfirmTemplateChoice(c.mode, folder_ + c.folder, c.name);
        EXPECT_EQ(result.accepted, c.message.isEmpty());
        EXPECT_EQ(result.message, c.message);
        if (result.accepted) {
            EXPECT_EQ(result.fullName, folder_ + c.fullName);
        }
    }
}

TEST_F(TemplateFolder, SaveRefusesAFolderWeMayNotWriteTo) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
    ASSERT_TRUE(QDir(folder_).mkdir("locked"));
    const QString locked = folder_ + "/locked";
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_EQ(ConfirmTemplateChoice(TemplateMode::Save, locked, "x.glx").message, kEnterValidPath);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(TemplateFolder, ProbeLeavesTheFolderExactlyAsItWas) {
    // Files carrying every name a probe could think of: the user's name, the name with "0"
    // appended (the classic probe name) and the first scratch names of our own probe.
    ASSERT_TRUE(WriteFile(folder_ + "/keep.glx", "user template"));
    ASSERT_TRUE(WriteFile(folder_ + "/keep.glx0", "not a probe"));
    ASSERT_TRUE(WriteFile(folder_ + "/fresh0", "not a probe either"));
    for (int attempt = 0; attempt < 3; ++attempt) {
        ASSERT_TRUE(WriteFile(ProbeScratchName(folder_, attempt), "planted"));
    }
    const auto before = Snapshot(folder_);

    EXPECT_TRUE(ConfirmTemplateChoice(TemplateMode::Save, folder_, "keep.glx").accepted);
    EXPECT_TRUE(ConfirmTemplateChoice(TemplateMode::Save, folder_, "fresh").accepted);
    EXPECT_EQ(Snapshot(folder_), before);
}

TEST_F(TemplateFolder, FileListFollowsTheChosenTypeAndDoubleClickConfirms) {
    for (const char* name : {"a.glx", "B.GLX", "c.txt", "plain"}) {
        ASSERT_TRUE(WriteFile(folder_ + "/" + name, ""));
    }
    ASSERT_TRUE(QDir(folder_).mkdir("folder.glx"));

    TemplateDialog dialog;
    dialog.FormLet(true, "Select Template to Open", kTemplateTypes);
    dialog.SetFolder(folder_);
    EXPECT_EQ(dialog.windowTitle(), "Select Template to Open");
    ASSERT_EQ(dialog.TypeList()->count(), 2);
    EXPECT_EQ(dialog.TypeList()->currentIndex(), 0);
    EXPECT_EQ(dialog.Patterns(), (QStringList{"*.glx", "*.*"}));

    auto names = [&] {
        QStringList n;
        for (int i = 0; i < dialog.FileList()->count(); ++i) n << dialog.FileList()->item(i)->text();
        return n;
    };
    EXPECT_EQ(names(), (QStringList{"a.glx", "B.GLX"}));
    dialog.TypeList()->setCurrentIndex(1);
    EXPECT_EQ(names(), (QStringList{"a.glx", "B.GLX", "c.txt", "plain"}));
    EXPECT_TRUE(testing_support::SaveScreenshot(dialog, "template"));

    // A double click confirms the line at once.
    emit dialog.FileList()->itemDoubleClicked(dialog.FileList()->item(2));
    EXPECT_TRUE(dialog.Accepted());
    EXPECT_EQ(dialog.FullFileName(), folder_ + "/c.txt");
}

TEST_F(TemplateFolder, OkInOpenModeWarnsAndStaysOpenThenAcceptsAnExistingFile) {
    ASSERT_TRUE(WriteFile(folder_ + "/there.glx", "x"));
    FeedbackRecorder feedback;
    TemplateDialog dialog;
    dialog.FormLet(true, "Select Template to Open", kTemplateTypes);
    dialog.SetFolder(folder_);
    dialog.show();
    dialog.FileName()->setText("absent.glx");
    dialog.OkButton()->click();
    EXPECT_EQ(feedback.warnings, QStringList{kSelectExistingFile});
    EXPECT_FALSE(dialog.Accepted());
    EXPECT_TRUE(dialog.isVisible());

    dialog.FileName()->setText("there.glx");
    dialog.OkButton()->click();
    EXPECT_TRUE(dialog.Accepted());
    EXPECT_EQ(dialog.FullFileName(), folder_ + "/there.glx");
    EXPECT_FALSE(dialog.isVisible());
}

// The chooser opens in the folder last used; Cancel gives an empty text even after a valid
// choice, OK the confirmed name, and choosing never writes.
TEST_F(TemplateFolder, SelectOpensInTheRememberedFolderAndReturnsTheConfirmedName) {
    if (folder_.contains('.')) GTEST_SKIP() << "temporary folder has a point in its path";
    ForgetTemplatePlace();
    {
        TemplateDialog first;
        first.FormLet(true, "t", kTemplateTypes);
        first.SetFolder(folder_);
        first.reject();
    }
    EXPECT_EQ(RememberedTemplatePlace().folder, QDir::cleanPath(folder_));

    ASSERT_TRUE(WriteFile(folder_ + "/there.glx", "x"));
    QString seenFolder;
    auto answer = [&](const QString& name, bool ok) {
        QTimer::singleShot(0, [&seenFolder, name, ok] {
            auto* dialog = qobject_cast<TemplateDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seenFolder = dialog->Folder();
            dialog->FileName()->setText(name);
            (ok ? dialog->OkButton() : dialog->CancelButton())->click();
        });
    };
    answer("there.glx", false);
    EXPECT_EQ(SelectTemplateFile(nullptr, true, "Select Template to Open", kTemplateTypes), QString());
    EXPECT_EQ(seenFolder, QDir::cleanPath(folder_));
    answer("night", true);
    EXPECT_EQ(SelectTemplateFile(nullptr, false, "Enter or Select Template to Save", kTemplateTypes),
              folder_ + "/night.glx");
    EXPECT_FALSE(QFile::exists(folder_ + "/night.glx"));
    ForgetTemplatePlace();
}

TEST(TemplateDrivesList, RootComesFirstAndEveryDriveIsAFolder) {
    QStringList drives = TemplateDrives();
    ASSERT_FALSE(drives.isEmpty());
    EXPECT_EQ(drives.front(), "/");
    EXPECT_EQ(drives.removeDuplicates(), 0);
    for (const QString& d : drives) EXPECT_TRUE(QFileInfo(d).isDir()) << d.toStdString();
}

// The tree fills in as the folders load; the current folder must be in view once they have,
// not where it stood before its siblings arrived, and its path is shown in words.
TEST_F(TemplateFolder, TheCurrentFolderIsInViewAndNamedOnceTheTreeHasLoaded) {
    QDir dir(folder_);
    for (int i = 0; i < 150; ++i)
        ASSERT_TRUE(dir.mkdir(QStringLiteral("a%1").arg(i, 3, 10, QLatin1Char('0'))));
    ASSERT_TRUE(dir.mkdir("zz-here"));
    const QString here = QDir::cleanPath(folder_ + "/zz-here");
    TemplateDialog dialog;
    dialog.FormLet(false, "Enter or Select Template to Save", kTemplateTypes);
    dialog.SetFolder(here);
    dialog.show();
    QTreeView* tree = dialog.FolderTree();
    const auto* model = tree->model();
    // Loaded: every sibling of the current folder is in the tree.
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(tree->currentIndex().parent()) == 151; }, 5000));
    QTest::qWait(50);  // what the tree does with the loaded folder happens in its own events
    EXPECT_EQ(tree->currentIndex().data().toString(), "zz-here");
    EXPECT_TRUE(tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex())))
        << "row at " << tree->visualRect(tree->currentIndex()).y() << " of " << tree->viewport()->height();
    EXPECT_EQ(dialog.FolderLabel()->text(), here);
    EXPECT_TRUE(testing_support::SaveScreenshot(dialog, "template-save"));

    // Scrolled away by hand, the tree stays where the user put it when the folders change.
    tree->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    emit const_cast<QAbstractItemModel*>(model)->layoutChanged();
    EXPECT_EQ(tree->verticalScrollBar()->value(), 0);
    dialog.SetFolder(folder_);
    EXPECT_EQ(dialog.FolderLabel()->text(), QDir::cleanPath(folder_));
}

}  // namespace
}  // namespace astrelle
