// The properties dialog's controls reach its logic: each kind of control does what the logic
// says; access keys and a mouse-opened menu act on the focused field's corrected value; a
// running preview disables the rest of the dialog and stops on Escape or closing.
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/profile_file.h"
#include "props_dialog_fixture.h"
#include "ui/qt/colour_samples.h"
#include "ui/qt/spin_control.h"
#include "ui/qt/surface_picture.h"

namespace astrelle::testing_support {
namespace {

QString TextOf(QWidget* widget) {
    if (auto* field = qobject_cast<QLineEdit*>(widget)) return field->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text().remove(QLatin1Char('&'));
    return {};
}

TEST_F(PropsDialogTest, EveryKindOfControlReachesTheLogic) {
    Open();
    // Text fields take no more than the setting (or the row) allows.
    EXPECT_EQ(Find<QLineEdit>("LockMessage")->maxLength(), 50);
    EXPECT_EQ(Find<QLineEdit>("_UniGalName")->maxLength(), 64);
    TypeInto(Find("Universe_Galaxy"), "5000");
    QTest::keyClick(Find("Universe_Galaxy"), Qt::Key_Tab);  // leaving corrects
    EXPECT_EQ(TextOf(Find("Universe_Galaxy")), "999");
    TypeInto(Find("Universe_Stars"), "1a");  // the key filter swallows with a beep
    EXPECT_EQ(TextOf(Find("Universe_Stars")), "1");
    EXPECT_EQ(feedback.beeps, 1);
    TypeInto(Find("Universe_STrail"), "995");
    QTest::keyClick(Find("Universe_STrail"), Qt::Key_Up);
    EXPECT_EQ(TextOf(Find("Universe_STrail")), "1005");
    const RampSample::Ramp ramp = Find<RampSample>("picColUni")->Colours();
    Find<SpinControl>("spin_Universe_HW_Start")->StepBy(1);  // a spinner writes its field...
    EXPECT_EQ(TextOf(Find("Universe_HW_Start")), "181");
    EXPECT_NE(Find<RampSample>("picColUni")->Colours(), ramp);  // ...and the sample follows

    QTest::mouseClick(Find("Universe_Tour"), Qt::LeftButton);  // check box: the field and its label
    EXPECT_FALSE(Find("Universe_GSteps")->isEnabled());
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->buddy() == Find("Universe_GSteps")) {
            EXPECT_FALSE(label->isEnabled());
        }
    }
    Choose(Find<QComboBox>("Universe_Profile"), 4);  // a setting's list
    EXPECT_EQ(Find<ProfilePictogram>("picUniProfile")->Profile(), 4);
    Choose(Find<QComboBox>("cboUniTheme"), 8);  // one of the dialog's own lists
    EXPECT_EQ(TextOf(Find("Universe_GravForce")), "125000");
    Choose(Find<QComboBox>("cboUniExtras"), 3);
    EXPECT_EQ(Find<QStackedWidget>("fraUniProp")->currentIndex(), 3);
    ClickLine(Find<QListWidget>("lstCompGalaxy"), 2);
    EXPECT_EQ(TextOf(Find("_CompGalName")), "Hourglass in Shell");
    EXPECT_EQ(Find<QComboBox>("cboCompMajor")->currentIndex(), 8);
    ClickLine(Find<QListWidget>("lstUniGalaxy"), 7);
    EXPECT_EQ(TextOf(Find("_UniGalName")), "Blue-Green Shell");
    QTest::keyClick(Find("lstUniGalaxy"), Qt::Key_Down);  // the keyboard chooses lines too
    EXPECT_EQ(TextOf(Find("_UniGalName")), "Cylindrical Hourglass");
    TypeInto(Find("_UniGalName"), "Renamed");
    Find<QPushButton>("cmdGalCommit")->click();
    EXPECT_TRUE(Find<QListWidget>("lstUniGalaxy")->item(8)->text().startsWith("Renamed "));

    QListWidget* types = Find<QListWidget>("lstUniGalaxy");
    ClickLine(types, 3);
    QTest::mouseDClick(types->viewport(), Qt::LeftButton, {}, types->visualItemRect(types->item(3)).center());
    EXPECT_EQ(Find<QStackedWidget>("fraAni")->currentIndex(), 1);
    EXPECT_EQ(Find<QGroupBox>("fraAni_1")->title(), "Galaxy:  Holiday Ornament");
    TypeInto(Find("Galaxy_HueRed"), "50");
    Find<SpinControl>("spin_Galaxy_HueRed")->StepBy(1);
    EXPECT_EQ(Find<ColourSwatch>("picPixHue_0")->Colour(), QColor(130, 0, 0));
    Find<QPushButton>("cmdAccept")->click();  // "Return to Universe Settings"
    EXPECT_EQ(Find<QStackedWidget>("fraAni")->currentIndex(), 0);

    // Each menu entry.
    for (QMenu* menu : dialog->MenuBar()->findChildren<QMenu*>()) {
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator() && action->text() != "E&xit") action->trigger();
        }
    }
    // Open, Save (no template yet) and Save As ask for a file; Reset asks a question.
    EXPECT_EQ(dialog->opened, (std::vector<std::string>{"chooser", "chooser", "chooser", "advanced",
                                                        "help contents", "help index", "web", "about"}));
    EXPECT_EQ(feedback.questions.size(), 1);
    // F1: the help at the topic of the focused control, or of the page around it.
    for (const auto& [name, topic] : {std::pair{"Universe_Stars", "Universe_Stars"},
                                      {"_UniGalPct", "galaxy-types"},
                                      {"_CompGalName", "composites"}}) {
        Find(name)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Find(name), Qt::Key_F1);
        EXPECT_EQ(dialog->opened.back(), "help " + std::string(topic)) << name;
    }

    Find<QPushButton>("cmdAccept")->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Stored("Universe", "Universe_Galaxy"), "20");  // theme 8's, as shown
    EXPECT_EQ(Stored("Universe", "Universe_Tour"), "0");
}

// An access key presses its button, and a click opens a menu, while the focus stays in the
// field just typed into; the action must still read the value as leaving the field
// corrects it.
TEST_F(PropsDialogTest, AccessKeysAndMenusActOnTheCorrectedField) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto pressAlt = [](QWidget* focused, Qt::Key key) { QTest::keyClick(focused, key, Qt::AltModifier); };
    auto waitFor = [](auto done) { return QTest::qWaitFor(done, 2000); };

    Open();  // Alt+A, "Accept Settings": the galaxy count is stored held to 1..999.
    TypeInto(Find("Universe_Galaxy"), "5000");
    pressAlt(Find("Universe_Galaxy"), Qt::Key_A);
    EXPECT_TRUE(waitFor([this] { return !dialog->isVisible(); }));
    EXPECT_EQ(Stored("Universe", "Universe_Galaxy"), "999");

    Open();
    // A click on "File" opens the menu without taking the focus from the field; then
    // "Save Template": the template holds the corrected galaxy count.
    templatePath = dir.filePath("keys.glx").toStdString();
    TypeInto(Find("Universe_Galaxy"), "5000");
    QMenuBar* menus = dialog->MenuBar();
    QTest::mouseClick(menus, Qt::LeftButton, {}, menus->actionGeometry(menus->actions().at(0)).center());
    ASSERT_TRUE(waitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_S);
    EXPECT_TRUE(waitFor([&dir] { return QFile::exists(dir.filePath("keys.glx")); }));
    EXPECT_EQ(TemplateFile(templatePath).ReadText("Universe", "Universe_Galaxy").value_or(""), "999");
    EXPECT_TRUE(dialog->opened.empty());
}

TEST_F(PropsDialogTest, PreviewDisablesTheRestAndStopsOnEscapeOrClosing) {
    Open();
    QTest::mouseClick(Find("Universe_Tour"), Qt::LeftButton);  // tour fields disabled on purpose
    ClickLine(Find<QListWidget>("lstUniGalaxy"), 0);
    bool looked = false;
    QTimer::singleShot(400, dialog.get(), [&] {
        looked = true;
        EXPECT_EQ(TextOf(Find("cmdGalPreview")), "Stop");
        EXPECT_TRUE(Find("cmdGalPreview")->isEnabled());
        for (const char* name : {"lstUniGalaxy", "cmdAccept", "cmdGalProps", "fraAni"}) {
            EXPECT_FALSE(Find(name)->isEnabled()) << name;
        }
        EXPECT_FALSE(dialog->MenuBar()->actions().at(0)->isEnabled());
        EXPECT_GT(LitPixels(Find<SurfacePicture>("picPreview")->Snapshot()), 100);
        QTest::keyClick(dialog.get(), Qt::Key_Escape);  // the Stop button now, not Cancel
    });
    Find<QPushButton>("cmdGalPreview")->click();  // returns when the preview has stopped
    EXPECT_TRUE(looked);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(TextOf(Find("cmdGalPreview")), "Galaxy Preview");
    EXPECT_TRUE(Find("cmdAccept")->isEnabled());
    EXPECT_TRUE(dialog->MenuBar()->actions().at(0)->isEnabled());
    EXPECT_FALSE(Find("Universe_GSteps")->isEnabled());  // still off: the tour box is clear

    bool closed = true;
    QTimer::singleShot(300, dialog.get(), [&] { closed = dialog->close(); });
    Find<QPushButton>("cmdGalPreview")->click();
    EXPECT_FALSE(closed);               // refused while the preview loop still runs...
    EXPECT_FALSE(dialog->isVisible());  // ...and done as soon as it has ended
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

}  // namespace
}  // namespace astrelle::testing_support
