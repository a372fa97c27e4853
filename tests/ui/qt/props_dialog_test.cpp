// Behaviour of the properties dialog: opening, storing, themes, the galaxy type and
// composite lists, copy to all, field checks, messages, the menus, the previews (running
// with the rest of the dialog disabled, stopped cleanly on close) and the templates.
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "props_dialog_fixture.h"
#include "settings/factory_tables.h"
#include "ui/qt/colour_samples.h"
#include "ui/qt/props_text.h"
#include "ui/qt/spin_control.h"
#include "ui/qt/surface_picture.h"
#include "ui/qt/template_dialog.h"

namespace astrelle::testing_support {
namespace {

FieldEdit* Uni(PropsControls& c, int index) {
    return c.txtUni.at(index);
}
FieldEdit* Gal(PropsControls& c, int index) {
    return c.txtGalaxy.at(index);
}
QString NameAt(const QListWidget* list, int row) {
    return FrmProps::NameOfLine(list->item(row)->text());
}
QString WeightAt(const QListWidget* list, int row) {
    return FrmProps::WeightOfLine(list->item(row)->text());
}

// ---- opening, accept, cancel and exit -----------------------------------------------------

TEST_F(PropsDialogTest, OpeningOnAnEmptyStoreShowsAndStoresTheFactorySettings) {
    Open();
    PropsControls& c = C();
    EXPECT_EQ(c.cboUniTheme->currentIndex(), 1);  // "Classical (14.3 Billion Years Ago...)"
    // Field 14 shows theme 1's damping, not the used-when-missing 0.01.
    ExpectFields(c.txtUni, {{0, "2500"}, {1, "100"}, {14, "0.015"}, {50, "0"}});
    EXPECT_TRUE(c.chkUniTour->isChecked());
    EXPECT_EQ(c.cboUniProfile->currentIndex(), 2);
    EXPECT_EQ(c.txtPixelSize->text(), "1");
    EXPECT_EQ(c.txtFocalLen->text(), "1.0");
    ASSERT_EQ(c.lstUniGalaxy->count(), kGalaxyTypeCount);
    EXPECT_EQ(NameAt(c.lstUniGalaxy, 0), "Standard Galaxy");
    EXPECT_EQ(WeightAt(c.lstUniGalaxy, 0), "20");
    EXPECT_EQ(c.txtUniGalName->text(), "Standard Galaxy");  // the first line is selected
    ASSERT_EQ(c.lstCompGalaxy->count(), kCompositeCount);
    EXPECT_EQ(NameAt(c.lstCompGalaxy, 0), "Nested Rings / Solid Core");
    EXPECT_EQ(WeightAt(c.lstCompGalaxy, 13), "10");
    EXPECT_EQ(c.cboGalaxyTheme->currentIndex(), 0);  // "< NONE >"
    // Already stored, before anything is accepted.
    ExpectStored({{"General", "AnimationType", "0"},
                  {"General", "FocalLength", "1.0"},
                  {"Universe", "Universe_Damping", "0.015"},
                  {"Universe", "Universe_Tour", "1"},
                  {"Universe\\Galaxy0", "_UniGalPct", "20"},
                  {"Universe\\Galaxy31", "_UniGalName", "Elongated Bottle"},
                  {"Universe\\CompGal13", "CompGal_Count", "7"},
                  {"Advanced", "Adv_FontName", "MS Sans Serif"}});
    EXPECT_TRUE(messages.empty());
}

TEST_F(PropsDialogTest, OpeningReadsTheStoredValues) {
    for (const StoredRow& row : std::initializer_list<StoredRow>{
             {"General", "AnimationType", "0"},
             {"General", "PixelSize", "3"},
             {"General", "LockMessage", "Back soon"},
             {"Universe", "Universe_Stars", "1234"},
             {"Universe", "Universe_STrail", "2.5"},        // read as a float, rounded
             {"Universe", "Universe_GravForce", "4000.4"},  // the dialog reads a whole number
             {"Universe", "Universe_Tour", "0"},
             {"Universe", "Universe_Profile", "5"},
             {"Universe\\Galaxy2", "_UniGalName", "My Blob"},
             {"Universe\\CompGal1", "_CompGalName", ""}}) {
        store.WriteText(row.section, row.key, row.text);
    }
    Open();
    PropsControls& c = C();
    EXPECT_EQ(c.cboUniTheme->currentIndex(), 0);
    EXPECT_EQ(c.txtPixelSize->text(), "3");
    EXPECT_EQ(c.txtMessage->text(), "Back soon");
    // Field 1 is missing: the used-when-missing value.
    ExpectFields(c.txtUni, {{0, "1234"}, {2, "2"}, {50, "4000"}, {1, "100"}});
    EXPECT_FALSE(c.chkUniTour->isChecked());
    for (int index : {30, 31, 32, 33}) EXPECT_FALSE(Uni(c, index)->isEnabled()) << index;
    EXPECT_FALSE(c.chkVisitSeq->isEnabled());
    EXPECT_FALSE(c.chkTrackGrav->isEnabled());
    c.chkUniTour->setChecked(true);  // the tour check box enables the tour fields
    for (int index : {30, 31, 32, 33}) EXPECT_TRUE(Uni(c, index)->isEnabled()) << index;
    EXPECT_TRUE(c.chkVisitSeq->isEnabled());
    EXPECT_EQ(c.cboUniProfile->currentIndex(), 5);
    EXPECT_EQ(NameAt(c.lstUniGalaxy, 2), "My Blob");
    // A stored empty composite name shows the dialog's placeholder.
    EXPECT_EQ(NameAt(c.lstCompGalaxy, 1), "< Galaxy Composite 2 >");
}

TEST_F(PropsDialogTest, AcceptStoresEveryFieldWhileCancelAndExitStoreNothing) {
    Open();
    TypeInto(Uni(C(), 1), "321");
    dialog->reject();
    EXPECT_EQ(Stored("Universe", "Universe_Galaxy"), "100");

    Open();
    TypeInto(Uni(C(), 1), "77");
    dialog->ExitProgram();  // "Exit" asks the program to end
    EXPECT_EQ(process.ExitRequested, kTrue16);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(Stored("Universe", "Universe_Galaxy"), "100");

    Open();
    TypeInto(Uni(C(), 1), "321");
    TypeInto(C().txtMessage, "  Gone stargazing  ");
    C().chkVisitSeq->setChecked(true);
    C().cboUniProfile->setCurrentIndex(4);
    TypeInto(Uni(C(), 12), "0.5");
    C().cmdAccept->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ExpectStored({{"Universe", "Universe_Galaxy", "321"},
                  {"Universe", "Universe_Persist", "0.5"},
                  {"Universe", "Universe_GVisit", "1"},
                  {"Universe", "Universe_Profile", "4"},
                  {"General", "LockMessage", "Gone stargazing"},
                  {"General", "AnimationType", "0"}});
}

// ---- themes and reset ---------------------------------------------------------------------

TEST_F(PropsDialogTest, UniverseThemeStoresTheFactoryGalaxyTypesAtOnceButNotTheUniverse) {
    Open();  // first run: everything stored
    dialog->reject();
    store.WriteText("Universe\\Galaxy0", "_UniGalPct", "3");
    store.WriteText("Universe\\Galaxy5", "_UniGalName", "Renamed");
    store.WriteText("Universe", "Universe_GravForce", "7");

    Open();
    PropsControls& c = C();
    EXPECT_EQ(Uni(c, 50)->text(), "7");
    Choose(c.cboUniTheme, 8);  // "Astrelle in Motion:  Gravity On"
    ExpectFields(c.txtUni, {{50, "125000"}, {1, "20"}});
    EXPECT_FALSE(c.chkUniTour->isChecked());
    // The factory galaxy types are in the store before anything is accepted...
    ExpectStored({{"Universe\\Galaxy0", "_UniGalPct", "20"},
                  {"Universe\\Galaxy5", "_UniGalName", "Solar Wind Comets"}});
    EXPECT_EQ(WeightAt(c.lstUniGalaxy, 0), "20");
    EXPECT_EQ(c.lstUniGalaxy->currentRow(), 0);

    // ...and stay there after Cancel, while the universe fields are not stored.
    c.cmdDismiss->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    ExpectStored({{"Universe\\Galaxy0", "_UniGalPct", "20"}, {"Universe", "Universe_GravForce", "7"}});
}

TEST_F(PropsDialogTest, GalaxyThemeFillsTheFieldsAndTheTypeFollowsOnlyOnReturn) {
    Open();
    PropsControls& c = C();
    ClickLine(c.lstUniGalaxy, 0);
    c.cmdGalProps->click();
    Choose(c.cboGalaxyTheme, 17);  // entry 17 is factory type 16, "Expansive Sphere"
    ExpectFields(c.txtGalaxy, {{0, "15000"}, {1, "30000"}});
    EXPECT_EQ(c.cboGalPlane->currentIndex(), 1);
    EXPECT_EQ(c.txtPixHue[3]->text(), "25");
    EXPECT_FLOAT_EQ(galaxyTypes[0].Radius, 300.0f);  // not yet
    c.cmdAccept->click();                            // "Return to Universe Settings"
    EXPECT_FLOAT_EQ(galaxyTypes[0].Radius, 15000.0f);
    EXPECT_EQ(galaxyTypes[0].AxisPlane, 1);
    EXPECT_EQ(galaxyTypes[0].Name.substr(0, 15), "Standard Galaxy");  // the name is not part of it
}

TEST_F(PropsDialogTest, ResetAsksFirstAndOnYesRestoresTheFactorySettings) {
    Open();
    PropsControls& c = C();
    TypeInto(Uni(c, 1), "55");
    TypeInto(c.txtPixelSize, "4");
    store.WriteText("Advanced", "Adv_TimeDelay", "80");

    answer = QMessageBox::No;
    dialog->AskAndReset();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Question);
    EXPECT_EQ(messages[0].text, QString::fromUtf8(props_text::kResetQuestion));
    EXPECT_EQ(messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(messages[0].defaultButton, QMessageBox::No);
    EXPECT_EQ(Uni(c, 1)->text(), "55");
    EXPECT_EQ(Stored("Advanced", "Adv_TimeDelay"), "80");

    answer = QMessageBox::Yes;
    dialog->AskAndReset();
    EXPECT_EQ(Uni(c, 1)->text(), "100");
    EXPECT_EQ(c.txtPixelSize->text(), "1");
    EXPECT_EQ(Stored("Advanced", "Adv_TimeDelay"), "25");
    EXPECT_EQ(c.cboUniTheme->currentIndex(), 1);
    EXPECT_EQ(c.fraUniProp->currentIndex(), 0);
}

// ---- galaxy types and composites ----------------------------------------------------------

TEST_F(PropsDialogTest, CommitRewritesTheSelectedLineWithItsWeightHeldToRange) {
    Open();
    PropsControls& c = C();
    ClickLine(c.lstUniGalaxy, 7);
    EXPECT_EQ(c.txtUniGalName->text(), "Blue-Green Shell");
    EXPECT_EQ(c.txtUniGalPct->text(), "5");
    TypeInto(c.txtUniGalName, "  Teal Shell ");
    TypeInto(c.txtUniGalPct, "4000");
    c.cmdGalCommit->click();
    EXPECT_EQ(c.txtUniGalPct->text(), "999");
    EXPECT_EQ(galaxyTypes[7].Weight, 999);
    EXPECT_EQ(galaxyTypes[7].Name, "Teal Shell");
    EXPECT_EQ(NameAt(c.lstUniGalaxy, 7), "Teal Shell");
    EXPECT_EQ(WeightAt(c.lstUniGalaxy, 7), "999");
    EXPECT_EQ(Stored("Universe\\Galaxy7", "_UniGalPct"), "5");  // the store follows on Accept
}

TEST_F(PropsDialogTest, GalaxyEditModeRoundTripWritesTheOpenedType) {
    Open();
    PropsControls& c = C();
    ClickLine(c.lstUniGalaxy, 3);
    QTest::mouseDClick(c.lstUniGalaxy->viewport(), Qt::LeftButton, {},
                       c.lstUniGalaxy->visualItemRect(c.lstUniGalaxy->item(3)).center());
    ASSERT_TRUE(dialog->GalaxyEditMode());
    EXPECT_EQ(c.mainPages->currentWidget(), c.fraGalaxy);
    EXPECT_EQ(c.fraGalaxy->title(), "Galaxy:  Holiday Ornament");
    EXPECT_EQ(Caption(c.cmdAccept), "Return to Universe Settings");
    ExpectFields(c.txtGalaxy, {{0, "125"}, {45, "0.9975"}});
    EXPECT_EQ(c.cboGalProfile->currentIndex(), 1);

    TypeInto(Gal(c, 0), "777");
    TypeInto(Gal(c, 94), "1.25");
    ClickLine(c.lstUniGalaxy, 5);  // another line chosen meanwhile
    c.cmdAccept->click();
    EXPECT_FALSE(dialog->GalaxyEditMode());
    EXPECT_EQ(c.mainPages->currentWidget(), c.fraUniverse);
    EXPECT_EQ(Caption(c.cmdAccept), "Accept Settings");
    EXPECT_EQ(c.fraGalaxy->title(), "Galaxy Properties");
    EXPECT_TRUE(c.lstUniGalaxy->hasFocus());
    EXPECT_FLOAT_EQ(galaxyTypes[3].Radius, 777.0f);
    EXPECT_FLOAT_EQ(galaxyTypes[3].AngleTInc, 1.25f);
    EXPECT_FLOAT_EQ(galaxyTypes[5].Radius, 200.0f);  // the type opened got the edit, not line 5
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(PropsDialogTest, CompositeCommitPutsTheMajorFirstAndCountsEachTypeOnce) {
    Open();
    PropsControls& c = C();
    Choose(c.cboUniExtras, 3);
    ASSERT_EQ(c.fraUniProp->currentIndex(), 3);
    ClickLine(c.lstCompGalaxy, 2);  // "Hourglass in Shell": 8, 12
    EXPECT_EQ(c.txtCompGalName->text(), "Hourglass in Shell");
    EXPECT_EQ(c.cboCompMajor->currentIndex(), 8);
    EXPECT_TRUE(c.lstCompMinor->item(12)->isSelected());
    EXPECT_EQ(c.lstCompMinor->selectedItems().size(), 1);

    // Committing without a major type is refused.
    c.cboCompMajor->setCurrentIndex(-1);
    c.cmdCompCommit->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Please select a Major Galaxy Type.");
    EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(c.cboCompMajor->hasFocus());
    EXPECT_EQ(composites[2].Count, 2);

    c.cboCompMajor->setCurrentIndex(12);
    c.lstCompMinor->clearSelection();
    for (int t : {7, 12, 16}) c.lstCompMinor->item(t)->setSelected(true);
    TypeInto(c.txtCompGalPct, "1500");
    c.cmdCompCommit->click();
    EXPECT_EQ(composites[2].Count, 3);
    EXPECT_EQ((std::array{composites[2].Members[0], composites[2].Members[1], composites[2].Members[2]}),
              (std::array<int16_t, 3>{12, 7, 16}));
    EXPECT_EQ(composites[2].Weight, 999);
    EXPECT_EQ(WeightAt(c.lstCompGalaxy, 2), "999");

    // An emptied name is stored empty and listed with the placeholder.
    TypeInto(c.txtCompGalName, "");
    c.cmdCompCommit->click();
    EXPECT_EQ(composites[2].Name, "");
    EXPECT_EQ(NameAt(c.lstCompGalaxy, 2), "< Galaxy Composite 3 >");
}

// ---- copy to all --------------------------------------------------------------------------

TEST_F(PropsDialogTest, CopyToAllSetsEveryTypeAndTheValuesAreHeldWhenSaved) {
    Open();
    PropsControls& c = C();
    c.cmdPropCopy->click();
    c.cboPropCopy->setCurrentIndex(4);  // "Hue:  Blend"
    c.txtPropCopy->setText("   ");
    c.cmdPropCopy->click();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Please select a Property to copy.");
    EXPECT_EQ(messages[1].text, "Please enter a Property value.");
    EXPECT_TRUE(c.txtPropCopy->hasFocus());

    // Set without leaving the field, so the copy field's own check has not run.
    c.txtPropCopy->setText("99");
    c.cmdPropCopy->click();
    for (int row = 0; row < kGalaxyTypeCount; ++row) EXPECT_EQ(galaxyTypes[row].HueBlend, 99) << row;
    EXPECT_EQ(c.txtPixHue[4]->text(), "99");
    Choose(c.cboPropCopy, 5);   // "Radius"
    c.cmdPropCopy->setFocus();  // the copy field's check would hold a typed value at once
    c.txtPropCopy->setText("40000.5");
    c.cmdPropCopy->click();
    EXPECT_FLOAT_EQ(galaxyTypes[31].Radius, 40000.5f);

    c.cmdAccept->click();
    for (int row = 0; row < kGalaxyTypeCount; ++row) {
        const std::string section = GalaxyRegistrySection(row);
        EXPECT_EQ(Stored(section, "Galaxy_HueBlend"), "60") << row;
        EXPECT_EQ(Stored(section, "Galaxy_Radius"), "30000") << row;
    }
}

TEST_F(PropsDialogTest, CopyValueFieldTakesTheCheckOfTheChosenProperty) {
    Open();
    PropsControls& c = C();
    TypeInto(c.txtPropCopy, "4321");
    Leave(c.cmdPropCopy);
    EXPECT_EQ(c.txtPropCopy->text(), "4321");  // nothing chosen: not normalised

    Choose(c.cboPropCopy, 4);  // "Hue:  Blend", 1..60, digits
    TypeInto(c.txtPropCopy, "9.5");
    EXPECT_EQ(c.txtPropCopy->text(), "95");
    EXPECT_EQ(beeps, 1);
    Leave(c.cmdPropCopy);
    EXPECT_EQ(c.txtPropCopy->text(), "60");

    Choose(c.cboPropCopy, 30);  // "Comet Persistence", 0.1..0.9999, decimals
    for (auto [typed, held] : {std::pair{"0.5", "0.5"}, {"3", "0.9999"}}) {
        TypeInto(c.txtPropCopy, typed);
        Leave(c.cmdPropCopy);
        EXPECT_EQ(c.txtPropCopy->text(), held);
    }
}

// ---- field checks, arrows, spinners, samples ----------------------------------------------

// Every field gets its range, key filter and arrow step from the dialog's tables (the
// field's own behaviour is tested with the widget); the spinners are paired by name.
TEST_F(PropsDialogTest, FieldsTakeTheirRangeFilterStepAndSpinnerFromTheTables) {
    Open();
    PropsControls& c = C();
    enum Act { kType, kUp, kDown, kLeave };
    struct Row {
        FieldEdit* field;
        const char* typed;  // nullptr: keep the text
        Act act;
        const char* expected;
        int beepsSoFar;
    };
    auto run = [&](std::initializer_list<Row> rows) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.field->objectName().toStdString() + " " + (row.typed ? row.typed : "-"));
            if (row.typed) TypeInto(row.field, row.typed);
            if (row.act == kUp || row.act == kDown)
                QTest::keyClick(row.field, row.act == kUp ? Qt::Key_Up : Qt::Key_Down);
            if (row.act == kLeave) Leave(c.cmdAccept);
            EXPECT_EQ(row.field->text(), row.expected);
            EXPECT_EQ(beeps, row.beepsSoFar);
        }
    };
    run({{Uni(c, 2), "995", kUp, "1005", 0},
         {Uni(c, 2), nullptr, kLeave, "999", 0},
         {Uni(c, 0), "15", kDown, "10", 0},        // stops at 10
         {Uni(c, 10), "8000", kUp, "8000", 0},     // no arrow step: the keys do nothing
         {Uni(c, 12), "0.5.5", kType, "0.55", 1},  // a fraction field takes one point
         {Uni(c, 12), nullptr, kLeave, "0.55", 1},
         {Uni(c, 12), "0.1", kLeave, "0.25", 1}});
    // The dialog's own ranges where they differ from the stored ones.
    Choose(c.cboUniExtras, 1);
    run({{Uni(c, 40), "0", kLeave, "0", 1}, {Uni(c, 44), "50000", kLeave, "50000", 1}});

    auto* spin = Find<SpinControl>("spnUni_2");
    TypeInto(Uni(c, 2), "995");
    for (int i = 0; i < 6; ++i) spin->StepBy(1);
    EXPECT_EQ(Uni(c, 2)->text(), "999");
    c.txtPixHue[4]->setText("30");
    Find<SpinControl>("spnPixHue_4")->StepBy(-1);
    EXPECT_EQ(c.txtPixHue[4]->text(), "29");

    ClickLine(c.lstUniGalaxy, 0);
    c.cmdGalProps->click();
    run({{Gal(c, 0), "40000", kLeave, "30000", 1},
         {Gal(c, 0), "", kLeave, "1", 1},
         {Gal(c, 0), "12a-3", kType, "123", 3}});  // letters and signs never reach a digit field
}

TEST_F(PropsDialogTest, ColourSamplesFollowTheTypedValues) {
    Open();
    PropsControls& c = C();
    c.txtPixHue[0]->setText("40");
    EXPECT_EQ(c.picPixHue[0]->Colour(), QColor(102, 0, 0));
    c.txtPixHue[3]->setText("250");
    EXPECT_EQ(c.picPixHue[3]->Colour(), QColor(255, 255, 255));  // held to 100
    c.txtPixHue[1]->setText("");
    EXPECT_EQ(c.picPixHue[1]->Colour(), QColor(0, 0, 0));
    c.txtGalaxy.at(95)->setText("120");
    EXPECT_EQ(c.picGalHue->Colour(), QColor(55, 255, 55));

    Uni(c, 16)->setText("0");
    Uni(c, 17)->setText("0");
    const RampSample::Ramp red = c.picColUni->Colours();
    Uni(c, 16)->setText("240");
    const RampSample::Ramp blue = c.picColUni->Colours();
    EXPECT_EQ(red[0], 0xFFFFFFu);  // every ramp starts white
    EXPECT_NE(red[24], blue[24]);  // and reaches its start hue at entry 24
    c.cboUniProfile->setCurrentIndex(3);
    EXPECT_EQ(c.picUniProfile->Profile(), 3);
}

// ---- messages, lines of the lists, menus --------------------------------------------------

TEST_F(PropsDialogTest, ChoicesThatNeedASelectionSayWhatIsMissing) {
    Open();
    PropsControls& c = C();
    c.lstUniGalaxy->clearSelection();
    c.cmdGalProps->click();
    c.cmdGalPreview->click();
    Choose(c.cboUniExtras, 3);
    c.lstCompGalaxy->clearSelection();
    c.cmdCompPreview->click();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].text, "Please select a Galaxy Profile.");
    EXPECT_EQ(messages[1].text, "Please select a Galaxy Type.");
    EXPECT_EQ(messages[2].text, "Please select a Composite Galaxy Type.");
    for (const ShownMessage& m : messages) {
        EXPECT_EQ(m.icon, QMessageBox::Warning);
        EXPECT_EQ(m.buttons, QMessageBox::Ok);
    }
    EXPECT_TRUE(c.lstCompGalaxy->hasFocus());
    EXPECT_FALSE(dialog->GalaxyEditMode());
    EXPECT_FALSE(dialog->PreviewRunning());
}

TEST_F(PropsDialogTest, NameLinesLineUpTheirWeightsAndReadBack) {
    Open();
    QListWidget* list = C().lstUniGalaxy;
    const QFontMetrics metrics(list->font());
    const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
    const double column = 2400.0 / process.TwipsPerPixelX;
    for (const QString& name :
         {QStringLiteral("Ring World 500"), QStringLiteral("Sparkling Dark Matter"), QStringLiteral("A")}) {
        const QString line = dialog->NameWeightLine(list, name, 5);
        EXPECT_EQ(FrmProps::NameOfLine(line), name);
        EXPECT_EQ(FrmProps::WeightOfLine(line), "5");
        EXPECT_NEAR(metrics.horizontalAdvance(line.left(line.size() - 1)), column, blank)
            << name.toStdString();
    }
    // A long name still keeps three blanks, so the last four characters hold the weight.
    const QString name = QString(40, QLatin1Char('W'));
    const QString line = dialog->NameWeightLine(list, name, 999);
    EXPECT_TRUE(line.startsWith(name + "   999"));
    EXPECT_EQ(FrmProps::NameOfLine(line), name);
    EXPECT_EQ(FrmProps::WeightOfLine(line), "999");
}

TEST_F(PropsDialogTest, AdvancedSettingsMayChangeTheLockMessageAndHelpReachesAboutAndTheWeb) {
    Open();
    C().txtMessage->setText("before");
    advancedMessage = "after";
    dialog->ShowAdvancedSettings();
    EXPECT_EQ(advancedCalls, 1);
    EXPECT_EQ(C().txtMessage->text(), "after");
    for (QAction* action : dialog->findChild<QMenu*>("mnuHelp")->actions()) {
        if (action->text() == QString::fromUtf8(props_text::kMenuAbout) ||
            action->text() == QString::fromUtf8(props_text::kMenuWebPage)) {
            action->trigger();
        }
    }
    EXPECT_EQ(aboutCalls, 1);
    EXPECT_EQ(webPages, 1);
}

// ---- previews and templates --------------------------------------------------------------

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
    ASSERT_TRUE(WriteFile(path, text));
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

// ---- access keys and menus ---------------------------------------------------------------

// An access key presses its button, and a click opens a menu, while the focus stays in the
// field just typed into; the action must still read the value as leaving the field
// corrects it.
TEST_F(PropsDialogTest, AccessKeysAndMenusActOnTheCorrectedField) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto pressAlt = [](QWidget* focused, Qt::Key key) { QTest::keyClick(focused, key, Qt::AltModifier); };
    auto waitFor = [](auto done) { return QTest::qWaitFor(done, 2000); };

    // Alt+A, "Accept Settings": the galaxy count is stored held to 1..999.
    Open();
    TypeInto(Uni(C(), 1), "5000");
    pressAlt(Uni(C(), 1), Qt::Key_A);
    EXPECT_TRUE(waitFor([this] { return !dialog->isVisible(); }));
    EXPECT_EQ(Stored("Universe", "Universe_Galaxy"), "999");

    // Alt+Y, "Copy to All": the radius reaches every type held to 1..30000.
    Open();
    Choose(C().cboPropCopy, 5);  // "Radius"
    TypeInto(C().txtPropCopy, "40000");
    pressAlt(C().txtPropCopy, Qt::Key_Y);
    const float before = galaxyTypes[31].Radius;
    EXPECT_TRUE(waitFor([this, before] { return galaxyTypes[31].Radius != before; }));
    EXPECT_EQ(galaxyTypes[0].Radius, 30000.0f);
    EXPECT_EQ(galaxyTypes[31].Radius, 30000.0f);
    EXPECT_EQ(C().txtPropCopy->text(), "30000");

    // Alt+R, "Return to Universe Settings": the edited type takes the corrected radius.
    ClickLine(C().lstUniGalaxy, 2);
    C().cmdGalProps->click();
    ASSERT_TRUE(dialog->GalaxyEditMode());
    TypeInto(Gal(C(), 0), "45000");
    pressAlt(Gal(C(), 0), Qt::Key_R);
    EXPECT_TRUE(waitFor([this] { return !dialog->GalaxyEditMode(); }));
    EXPECT_EQ(galaxyTypes[2].Radius, 30000.0f);

    // A click on "File" opens the menu without taking the focus from the field; then
    // "Save Template": the template holds the corrected galaxy count.
    templatePath = dir.filePath("keys.glx").toStdString();
    TypeInto(Uni(C(), 1), "5000");
    QMenuBar* menus = dialog->MenuBar();
    QTest::mouseClick(menus, Qt::LeftButton, {}, menus->actionGeometry(menus->actions().at(0)).center());
    ASSERT_TRUE(waitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_S);
    EXPECT_TRUE(waitFor([&dir] { return QFile::exists(dir.filePath("keys.glx")); }));
    const QByteArray saved = ReadFile(dir.filePath("keys.glx"));
    EXPECT_TRUE(saved.contains("Universe_Galaxy=999") && !saved.contains("Universe_Galaxy=5000"));
    EXPECT_TRUE(chooserCalls.empty());
}

}  // namespace
}  // namespace astrelle::testing_support
