// The template chooser's Qt view: the files follow the chosen type, OK warns and stays open,
// a double click confirms and the place is remembered; the current folder is in view and
// named once the tree has loaded; the drives list starts at the root.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "ui/qt/field_edit.h"
#include "ui/qt/template_window.h"
#include "ui_test_support.h"

namespace astrelle {
namespace {

using testing_support::FeedbackRecorder;

const QString kTypes = "Galaxy Templates (*.glx)|*.glx|All Files (*.*)|*.*";

class TemplateWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_ = QDir::cleanPath(dir_.path());
        ForgetTemplatePlace();
    }
    void TearDown() override { ForgetTemplatePlace(); }
    void Touch(const QString& name) {
        QFile file(folder_ + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList Names(const FrmTemplate& dialog) {
        QStringList names;
        for (int i = 0; i < dialog.FileList()->count(); ++i) names << dialog.FileList()->item(i)->text();
        return names;
    }
    QTemporaryDir dir_;
    QString folder_;
};

TEST_F(TemplateWindow, FilesFollowTheTypeAndOkOrADoubleClickConfirm) {
    for (const char* name : {"a.glx", "B.GLX", "c.txt", "plain"}) Touch(name);
    ASSERT_TRUE(QDir(folder_).mkdir("folder.glx"));
    FeedbackRecorder feedback;
    FrmTemplate dialog(TemplateMode::Open, "Select Template to Open", kTypes);
    dialog.ShowPlace("", folder_.toStdString());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Select Template to Open");
    EXPECT_EQ(Names(dialog), (QStringList{"a.glx", "B.GLX"}));
    dialog.TypeList()->setCurrentIndex(1);
    emit dialog.TypeList()->activated(1);
    EXPECT_EQ(Names(dialog), (QStringList{"a.glx", "B.GLX", "c.txt", "plain"}));

    dialog.FileName()->setText("absent.glx");
    dialog.OkButton()->click();
    EXPECT_EQ(feedback.warnings, QStringList{"Please select an existing file."});
    EXPECT_TRUE(dialog.isVisible());
    emit dialog.FileList()->itemClicked(dialog.FileList()->item(2));
    EXPECT_EQ(dialog.FileName()->text(), "c.txt");
    emit dialog.FileList()->itemDoubleClicked(dialog.FileList()->item(3));
    EXPECT_TRUE(dialog.Logic().Accepted());
    EXPECT_EQ(dialog.Logic().FullFileName(), (folder_ + "/plain").toStdString());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(RememberedTemplatePlace().folder, folder_.toStdString());
}

// The tree fills in as the folders load; the current folder must be in view once they have,
// not where it stood before its siblings arrived, and its path is shown in words.
TEST_F(TemplateWindow, TheCurrentFolderIsInViewAndNamedOnceTheTreeHasLoaded) {
    QDir dir(folder_);
    for (int i = 0; i < 150; ++i)
        ASSERT_TRUE(dir.mkdir(QStringLiteral("a%1").arg(i, 3, 10, QLatin1Char('0'))));
    ASSERT_TRUE(dir.mkdir("zz-here"));
    const QString here = folder_ + "/zz-here";
    FrmTemplate dialog(TemplateMode::Save, "Enter or Select Template to Save", kTypes);
    dialog.ShowPlace("", here.toStdString());
    dialog.show();
    QTreeView* tree = dialog.FolderTree();
    const auto* model = tree->model();
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(tree->currentIndex().parent()) == 151; }, 5000));
    QTest::qWait(50);  // what the tree does with the loaded folder happens in its own events
    EXPECT_EQ(tree->currentIndex().data().toString(), "zz-here");
    EXPECT_TRUE(tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex())));
    EXPECT_EQ(dialog.FolderLabel()->text(), here);

    // Scrolled away by hand, the tree stays where the user put it when the folders change.
    tree->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    emit const_cast<QAbstractItemModel*>(model)->layoutChanged();
    EXPECT_EQ(tree->verticalScrollBar()->value(), 0);

    QStringList drives = TemplateDrives();
    EXPECT_EQ(drives.front(), "/");
    EXPECT_EQ(drives.removeDuplicates(), 0);
}

}  // namespace
}  // namespace astrelle
