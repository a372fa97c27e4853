// Previews and templates of the properties dialog: the preview runs in the picture until
// stopped with the rest of the dialog disabled, and stops cleanly when the dialog closes;
// templates are opened and saved through the chooser, "Save" after "Open" without asking.
#include <QFile>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "props_dialog_fixture.h"
#include "ui/props_text.h"
#include "ui/surface_picture.h"
#include "ui/template_dialog.h"

namespace astrelle::testing_support {
namespace {

TEST_F(PropsDialogTest, PreviewRunsUntilStopWithTheRestOfTheDialogDisabled) {
    Open();
    PropsControls& c = C();
    c.chkUniTour->setChecked(false);  // tour fields disabled on purpose before the preview
    ClickLine(c.lstUniGalaxy, 0);

    bool looked = false;
    QTimer::singleShot(400, dialog.get(), [&] {
        looked = true;
        EXPECT_TRUE(dialog->PreviewRunning());
        EXPECT_EQ(Caption(c.cmdGalPreview), "Stop");
        EXPECT_TRUE(c.cmdGalPreview->isEnabled());
        EXPECT_FALSE(c.lstUniGalaxy->isEnabled());
        EXPECT_FALSE(c.cmdAccept->isEnabled());
        EXPECT_FALSE(c.cmdGalProps->isEnabled());
        EXPECT_FALSE(c.mainPages->isEnabled());
        EXPECT_FALSE(dialog->MenuBar()->isEnabled());
        EXPECT_GT(LitPixels(c.picPreview->Surface()), 100);
        EXPECT_TRUE(SaveScreenshot(*dialog, "preview-running"));
        // Escape is the Stop button now: it must not close the dialog.
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
    });
    c.cmdGalPreview->click();  // returns when the preview has stopped

    EXPECT_TRUE(looked);
    EXPECT_FALSE(dialog->PreviewRunning());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Caption(c.cmdGalPreview), "Galaxy Preview");
    EXPECT_TRUE(c.lstUniGalaxy->isEnabled());
    EXPECT_TRUE(c.cmdAccept->isEnabled());
    EXPECT_TRUE(dialog->MenuBar()->isEnabled());
    EXPECT_FALSE(c.txtUni.at(30)->isEnabled());  // still off: the tour box is clear
    EXPECT_EQ(process.PreviewStopRequested, kFalse16);
    // The type table is handed back in settings units.
    EXPECT_FLOAT_EQ(galaxyTypes[0].Radius, 300.0f);
}

TEST_F(PropsDialogTest, ClosingTheDialogStopsTheCompositePreviewFirst) {
    Open();
    PropsControls& c = C();
    Choose(c.cboUniExtras, 3);
    ClickLine(c.lstCompGalaxy, 0);
    bool closed = false;
    QTimer::singleShot(300, dialog.get(), [&] {
        EXPECT_EQ(Caption(c.cmdCompPreview), "Stop");
        closed = dialog->close();
    });
    c.cmdCompPreview->click();
    EXPECT_FALSE(closed);  // refused while the preview loop still runs...
    QTest::qWait(50);
    EXPECT_FALSE(dialog->isVisible());  // ...and done as soon as it has ended
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(Caption(c.cmdCompPreview), "Comp Preview");
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TEST_F(PropsDialogTest, TemplatesGoThroughTheChooserAndSaveAfterOpenDoesNotAsk) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("mine.glx");
    Open();
    dialog->OpenTemplateFromMenu();       // nothing chosen: nothing changes
    dialog->SaveTemplateFromMenu(false);  // no template yet: asks, and nothing is chosen
    EXPECT_EQ(chooserCalls.size(), 2u);
    EXPECT_TRUE(templatePath.empty());

    chooserAnswer = path;
    dialog->SaveTemplateFromMenu(true);  // "Save Template As..."
    ASSERT_EQ(chooserCalls.size(), 3u);
    EXPECT_FALSE(chooserCalls[2].open);
    EXPECT_EQ(chooserCalls[2].title, "Enter or Select Template to Save");
    EXPECT_EQ(chooserCalls[2].types, QString::fromUtf8(kTemplateTypes));
    QByteArray text = ReadFile(path);
    ASSERT_TRUE(text.contains("Universe_Galaxy=100"));
    ASSERT_TRUE(text.contains("Adv_TimeDelay=25"));
    dialog->reject();

    // Someone edits the template; a new run of the program opens it.
    text.replace("Universe_Galaxy=100", "Universe_Galaxy=42");
    text.replace("Adv_TimeDelay=25", "Adv_TimeDelay=60");
    WriteFile(path, text);
    templatePath.clear();
    Open();
    dialog->OpenTemplateFromMenu();
    ASSERT_EQ(chooserCalls.size(), 4u);
    EXPECT_TRUE(chooserCalls[3].open);
    EXPECT_EQ(chooserCalls[3].title, "Select Template to Open");
    EXPECT_EQ(C().txtUni.at(1)->text(), "42");
    EXPECT_EQ(Stored("Advanced", "Adv_TimeDelay"), "60");  // stored at once

    TypeInto(C().txtUni.at(1), "77");
    chooserAnswer = dir.filePath("other.glx");  // would be used if it asked
    dialog->SaveTemplateFromMenu(false);        // "Save Template"
    EXPECT_EQ(chooserCalls.size(), 4u);
    EXPECT_TRUE(ReadFile(path).contains("Universe_Galaxy=77"));
    EXPECT_FALSE(QFile::exists(dir.filePath("other.glx")));
    EXPECT_EQ(Stored("Universe", "Universe_Galaxy"), "100");  // the store is not touched

    // A template that cannot be written is reported.
    chooserAnswer = dir.filePath("no such folder/mine.glx");
    dialog->SaveTemplateFromMenu(true);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(messages[0].text.startsWith("The template could not be written."));
    EXPECT_TRUE(messages[0].text.endsWith(chooserAnswer));
}

}  // namespace
}  // namespace astrelle::testing_support
