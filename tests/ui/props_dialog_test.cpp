// Behaviour of the properties dialog: opening, storing, themes, the galaxy type and
// composite lists, copy to all, field checks, messages and the menus.
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>

#include "props_dialog_fixture.h"
#include "settings/factory_tables.h"
#include "ui/colour_samples.h"
#include "ui/props_text.h"
#include "ui/spin_control.h"

namespace astrelle::testing_support {
namespace {

using Group = SettingGroup;

FieldEdit* Uni(PropsControls& c, int index) {
    return c.txtUni.at(index);
}
FieldEdit* Gal(PropsControls& c, int index) {
    return c.txtGalaxy.at(index);
}

// ---- opening ------------------------------------------------------------------------------

TEST_F(PropsDialogTest, OpeningOnAnEmptyStoreShowsAndStoresTheFactorySettings) {
    Open();
    PropsControls& c = C();

    EXPECT_EQ(c.cboUniTheme->currentIndex(), 1);  // "Classical (14.3 Billion Years Ago...)"
    EXPECT_EQ(Uni(c, 0)->text(), "2500");
    EXPECT_EQ(Uni(c, 1)->text(), "100");
    EXPECT_EQ(Uni(c, 14)->text(), "0.015");  // theme 1's damping, not the used-when-missing 0.01
    EXPECT_EQ(Uni(c, 50)->text(), "0");
    EXPECT_TRUE(c.chkUniTour->isChecked());
    EXPECT_EQ(c.cboUniProfile->currentIndex(), 2);
    EXPECT_EQ(c.txtPixelSize->text(), "1");
    EXPECT_EQ(c.txtFocalLen->text(), "1.0");

    ASSERT_EQ(c.lstUniGalaxy->count(), kGalaxyTypeCount);
    EXPECT_EQ(FrmProps::NameOfLine(c.lstUniGalaxy->item(0)->text()), "Standard Galaxy");
    EXPECT_EQ(FrmProps::WeightOfLine(c.lstUniGalaxy->item(0)->text()), "20");
    EXPECT_EQ(c.txtUniGalName->text(), "Standard Galaxy");  // the first line is selected
    ASSERT_EQ(c.lstCompGalaxy->count(), kCompositeCount);
    EXPECT_EQ(FrmProps::NameOfLine(c.lstCompGalaxy->item(0)->text()), "Nested Rings / Solid Core");
    EXPECT_EQ(FrmProps::WeightOfLine(c.lstCompGalaxy->item(13)->text()), "10");
    EXPECT_EQ(c.cboGalaxyTheme->currentIndex(), 0);  // "< NONE >"

    // Already stored, before anything is accepted.
    EXPECT_EQ(Stored("General", "AnimationType"), "0");
    EXPECT_EQ(Stored("General", "FocalLength"), "1.0");
    EXPECT_EQ(Stored("Universe", "Universe_Damping"), "0.015");
    EXPECT_EQ(Stored("Universe", "Universe_Tour"), "1");
    EXPECT_EQ(Stored("Universe\\Galaxy0", "_UniGalPct"), "20");
    EXPECT_EQ(Stored("Universe\\Galaxy31", "_UniGalName"), "Elongated Bottle");
    EXPECT_EQ(Stored("Universe\\CompGal13", "CompGal_Count"), "7");
    EXPECT_EQ(Stored("Advanced", "Adv_FontName"), "MS Sans Serif");
    EXPECT_TRUE(messages.empty());
}

TEST_F(PropsDialogTest, OpeningReadsTheStoredValues) {
    store.WriteText("General", "AnimationType", "0");
    store.WriteText("General", "PixelSize", "3");
    store.WriteText("General", "LockMessage", "Back soon");
    store.WriteText("Universe", "Universe_Stars", "1234");
    store.WriteText("Universe", "Universe_STrail", "2.5");        // read as a float, rounded
    store.WriteText("Universe", "Universe_GravForce", "4000.4");  // the dialog reads a whole number
    store.WriteText("Universe", "Universe_Tour", "0");
    store.WriteText("Universe", "Universe_Profile", "5");
    store.WriteText("Universe\\Galaxy2", "_UniGalName", "My Blob");
    store.WriteText("Universe\\CompGal1", "_CompGalName", "");
    Open();
    PropsControls& c = C();
    EXPECT_EQ(c.cboUniTheme->currentIndex(), 0);
    EXPECT_EQ(c.txtPixelSize->text(), "3");
    EXPECT_EQ(c.txtMessage->text(), "Back soon");
    EXPECT_EQ(Uni(c, 0)->text(), "1234");
    EXPECT_EQ(Uni(c, 2)->text(), "2");
    EXPECT_EQ(Uni(c, 50)->text(), "4000");
    EXPECT_EQ(Uni(c, 1)->text(), "100");  // missing: the used-when-missing value
    EXPECT_FALSE(c.chkUniTour->isChecked());
    for (int index : {30, 31, 32, 33}) EXPECT_FALSE(Uni(c, index)->isEnabled()) << index;
    EXPECT_EQ(c.cboUniProfile->currentIndex(), 5);
    EXPECT_EQ(FrmProps::NameOfLine(c.lstUniGalaxy->item(2)->text()), "My Blob");
    // A stored empty composite name shows the dialog's placeholder.
    EXPECT_EQ(FrmProps::NameOfLine(c.lstCompGalaxy->item(1)->text()), "< Galaxy Composite 2 >");
}

// ---- accept and cancel --------------------------------------------------------------------

TEST_F(PropsDialogTest, AcceptStoresEveryFieldAndCancelStoresNothing) {
    Open();
    PropsControls& c = C();
    TypeInto(Uni(c, 1), "321");
    TypeInto(c.txtMessage, "  Gone stargazing  ");
    c.chkVisitSeq->setChecked(true);
    c.cboUniProfile->setCurrentIndex(4);
    dialog->reject();
    EXPECT_EQ(Stored("Universe", "Universe_Galaxy"), "100");

    Open();
    TypeInto(Uni(C(), 1), "321");
    TypeInto(C().txtMessage, "  Gone stargazing  ");
    C().chkVisitSeq->setChecked(true);
    C().cboUniProfile->setCurrentIndex(4);
    TypeInto(Uni(C(), 12), "0.5");
    C().cmdAccept->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Stored("Universe", "Universe_Galaxy"), "321");
    EXPECT_EQ(Stored("Universe", "Universe_Persist"), "0.5");
    EXPECT_EQ(Stored("Universe", "Universe_GVisit"), "1");
    EXPECT_EQ(Stored("Universe", "Universe_Profile"), "4");
    EXPECT_EQ(Stored("General", "LockMessage"), "Gone stargazing");
    EXPECT_EQ(Stored("General", "AnimationType"), "0");
}

// ---- themes -------------------------------------------------------------------------------

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
    EXPECT_EQ(Uni(c, 50)->text(), "125000");
    EXPECT_EQ(Uni(c, 1)->text(), "20");
    EXPECT_FALSE(c.chkUniTour->isChecked());
    // The factory galaxy types are in the store before anything is accepted...
    EXPECT_EQ(Stored("Universe\\Galaxy0", "_UniGalPct"), "20");
    EXPECT_EQ(Stored("Universe\\Galaxy5", "_UniGalName"), "Solar Wind Comets");
    EXPECT_EQ(FrmProps::WeightOfLine(c.lstUniGalaxy->item(0)->text()), "20");
    EXPECT_EQ(c.lstUniGalaxy->currentRow(), 0);

    // ...and stay there after Cancel, while the universe fields are not stored.
    c.cmdDismiss->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(Stored("Universe\\Galaxy0", "_UniGalPct"), "20");
    EXPECT_EQ(Stored("Universe", "Universe_GravForce"), "7");
}

TEST_F(PropsDialogTest, GalaxyThemeFillsTheFieldsAndTheTypeFollowsOnlyOnReturn) {
    Open();
    PropsControls& c = C();
    ClickLine(c.lstUniGalaxy, 0);
    c.cmdGalProps->click();
    Choose(c.cboGalaxyTheme, 17);  // entry 17 is factory type 16, "Expansive Sphere"
    EXPECT_EQ(Gal(c, 0)->text(), "15000");
    EXPECT_EQ(Gal(c, 1)->text(), "30000");
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

// ---- galaxy types -------------------------------------------------------------------------

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
    EXPECT_EQ(FrmProps::NameOfLine(c.lstUniGalaxy->item(7)->text()), "Teal Shell");
    EXPECT_EQ(FrmProps::WeightOfLine(c.lstUniGalaxy->item(7)->text()), "999");
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
    EXPECT_EQ(Gal(c, 0)->text(), "125");
    EXPECT_EQ(Gal(c, 45)->text(), "0.9975");
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

// ---- composites ---------------------------------------------------------------------------

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
    EXPECT_EQ(composites[2].Members[0], 12);
    EXPECT_EQ(composites[2].Members[1], 7);
    EXPECT_EQ(composites[2].Members[2], 16);
    EXPECT_EQ(composites[2].Weight, 999);
    EXPECT_EQ(FrmProps::WeightOfLine(c.lstCompGalaxy->item(2)->text()), "999");

    // An emptied name is stored empty and listed with the placeholder.
    TypeInto(c.txtCompGalName, "");
    c.cmdCompCommit->click();
    EXPECT_EQ(composites[2].Name, "");
    EXPECT_EQ(FrmProps::NameOfLine(c.lstCompGalaxy->item(2)->text()), "< Galaxy Composite 3 >");
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

    Choose(c.cboPropCopy, 5);  // "Radius"
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
    TypeInto(c.txtPropCopy, "0.5");
    Leave(c.cmdPropCopy);
    EXPECT_EQ(c.txtPropCopy->text(), "0.5");
    TypeInto(c.txtPropCopy, "3");
    Leave(c.cmdPropCopy);
    EXPECT_EQ(c.txtPropCopy->text(), "0.9999");
}

// ---- field checks, arrows, spinners, samples ----------------------------------------------

TEST_F(PropsDialogTest, FieldsAreHeldToTheirRangeWhenLeftAndFilterTheirKeys) {
    Open();
    PropsControls& c = C();
    ClickLine(c.lstUniGalaxy, 0);
    c.cmdGalProps->click();
    FieldEdit* radius = Gal(c, 0);
    TypeInto(radius, "40000");
    Leave(Gal(c, 1));
    EXPECT_EQ(radius->text(), "30000");
    TypeInto(radius, "");
    Leave(Gal(c, 1));
    EXPECT_EQ(radius->text(), "1");
    EXPECT_EQ(beeps, 0);

    TypeInto(radius, "12a-3");  // letters and signs never reach a digit field
    EXPECT_EQ(radius->text(), "123");
    EXPECT_EQ(beeps, 2);

    FieldEdit* persist = Uni(c, 12);  // a fraction field takes one point
    c.cmdAccept->click();             // back to the universe page
    TypeInto(persist, "0.5.5");
    EXPECT_EQ(persist->text(), "0.55");
    EXPECT_EQ(beeps, 3);
    Leave(Uni(c, 13));
    EXPECT_EQ(persist->text(), "0.55");
    TypeInto(persist, "0.1");
    Leave(Uni(c, 13));
    EXPECT_EQ(persist->text(), "0.25");

    // The dialog's own ranges where they differ from the stored ones.
    Choose(c.cboUniExtras, 1);
    TypeInto(Uni(c, 40), "0");
    Leave(Uni(c, 41));
    EXPECT_EQ(Uni(c, 40)->text(), "0");
    TypeInto(Uni(c, 44), "50000");
    Leave(Uni(c, 41));
    EXPECT_EQ(Uni(c, 44)->text(), "50000");
}

TEST_F(PropsDialogTest, ArrowKeysStepByTheTableAndLeavingHoldsTheValue) {
    Open();
    PropsControls& c = C();
    FieldEdit* trail = Uni(c, 2);
    TypeInto(trail, "995");
    QTest::keyClick(trail, Qt::Key_Up);
    EXPECT_EQ(trail->text(), "1005");
    Leave(Uni(c, 0));
    EXPECT_EQ(trail->text(), "999");

    FieldEdit* stars = Uni(c, 0);
    TypeInto(stars, "15");
    QTest::keyClick(stars, Qt::Key_Down);
    EXPECT_EQ(stars->text(), "10");  // stops at 10
    TypeInto(stars, "29995");
    QTest::keyClick(stars, Qt::Key_Up);
    EXPECT_EQ(stars->text(), "30000");

    FieldEdit* expand = Uni(c, 10);  // no arrow step: the keys do nothing
    TypeInto(expand, "8000");
    QTest::keyClick(expand, Qt::Key_Up);
    EXPECT_EQ(expand->text(), "8000");
}

TEST_F(PropsDialogTest, SpinnersAndFieldsFollowEachOther) {
    Open();
    PropsControls& c = C();
    auto* spin = Find<SpinControl>("spnUni_2");
    TypeInto(Uni(c, 2), "995");
    EXPECT_EQ(spin->Value(), 995);
    for (int i = 0; i < 6; ++i) spin->StepBy(1);
    EXPECT_EQ(Uni(c, 2)->text(), "999");
    auto* blend = Find<SpinControl>("spnPixHue_4");
    c.txtPixHue[4]->setText("30");
    EXPECT_EQ(blend->Value(), 30);
    blend->StepBy(-1);
    EXPECT_EQ(c.txtPixHue[4]->text(), "29");
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

TEST_F(PropsDialogTest, TourCheckBoxEnablesTheTourFields) {
    Open();
    PropsControls& c = C();
    c.chkUniTour->setChecked(false);
    for (int index : {30, 31, 32, 33}) EXPECT_FALSE(Uni(c, index)->isEnabled()) << index;
    EXPECT_FALSE(c.chkVisitSeq->isEnabled());
    EXPECT_FALSE(c.chkTrackGrav->isEnabled());
    c.chkUniTour->setChecked(true);
    for (int index : {30, 31, 32, 33}) EXPECT_TRUE(Uni(c, index)->isEnabled()) << index;
    EXPECT_TRUE(c.chkVisitSeq->isEnabled());
}

// ---- messages -----------------------------------------------------------------------------

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

// ---- lines of the lists -------------------------------------------------------------------

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
        const QString beforeWeight = line.left(line.size() - 1);
        EXPECT_NEAR(metrics.horizontalAdvance(beforeWeight), column, blank) << name.toStdString();
    }
    // A long name still keeps three blanks, so the last four characters hold the weight.
    const QString name = QString(40, QLatin1Char('W'));
    const QString line = dialog->NameWeightLine(list, name, 999);
    EXPECT_TRUE(line.startsWith(name + "   999"));
    EXPECT_EQ(FrmProps::NameOfLine(line), name);
    EXPECT_EQ(FrmProps::WeightOfLine(line), "999");
}

// ---- menus --------------------------------------------------------------------------------

TEST_F(PropsDialogTest, ExitRequestsTheProgramToEndWithoutStoring) {
    Open();
    TypeInto(Uni(C(), 1), "77");
    dialog->ExitProgram();
    EXPECT_EQ(process.ExitRequested, kTrue16);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(Stored("Universe", "Universe_Galaxy"), "100");
}

TEST_F(PropsDialogTest, AdvancedSettingsMayChangeTheLockMessage) {
    Open();
    C().txtMessage->setText("before");
    advancedMessage = "after";
    dialog->ShowAdvancedSettings();
    EXPECT_EQ(advancedCalls, 1);
    EXPECT_EQ(C().txtMessage->text(), "after");
    dialog->ShowAbout();
    EXPECT_EQ(aboutCalls, 1);
}

TEST_F(PropsDialogTest, HelpMenuOpensTheAboutWindowAndTheProductPage) {
    Open();
    auto trigger = [this](const char* entry) {
        for (QAction* action : dialog->findChild<QMenu*>("mnuHelp")->actions()) {
            if (action->text() == QString::fromUtf8(entry)) action->trigger();
        }
    };
    trigger(props_text::kMenuAbout);
    trigger(props_text::kMenuWebPage);
    EXPECT_EQ(aboutCalls, 1);
    EXPECT_EQ(webPages, 1);
}

}  // namespace
}  // namespace astrelle::testing_support
