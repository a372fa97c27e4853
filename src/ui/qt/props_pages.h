// The pages and boxes of the properties dialog. Each page is one widget class that builds
// and lays out its controls; the controls themselves are collected in PropsControls, on
// which the dialog's behaviour works. Control names follow the dialog's own naming
// (txtUni, spnGalaxy, lstUniGalaxy, ...); indexed controls are named "txtUni_40".
#pragma once

#include <QGroupBox>
#include <QString>
#include <QWidget>

#include <array>
#include <map>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace astrelle {

class ColourSwatch;
class FieldEdit;
class SurfacePicture;
class ProfilePictogram;
class RampSample;
class SpinControl;

// Object name of an indexed control ("txtUni", 40 -> "txtUni_40").
QString IndexedName(const char* control, int index);

// A line of the galaxy type and composite lists is the name, blanks and the weight; it is
// read back by cutting: the name is the line without its last 4 characters, the weight
// those 4 characters, both without blanks at their ends.
inline constexpr int kWeightChars = 4;
QString NameOfListLine(const QString& line);
QString WeightOfListLine(const QString& line);

// Gives a list the height of exactly that many whole rows (a row cut in half reads as a
// fault), measured on its own items; the list neither grows nor shrinks in its layout.
void ShowWholeRows(QListWidget* list, int rows);

// Rows of the lists shown at a glance: the galaxy type list is as tall as the preview
// beside it, the composite lists fill their page.
inline constexpr int kGalaxyTypeRowsShown = 9;
inline constexpr int kCompositeRowsShown = 12;
inline constexpr int kMinorTypeRowsShown = 16;

struct PropsControls {
    // Main pages (fraAni 0 and 1) and the stack that shows one of them.
    QStackedWidget* mainPages = nullptr;
    QGroupBox* fraUniverse = nullptr;
    QGroupBox* fraGalaxy = nullptr;

    // Universe page.
    QComboBox* cboUniTheme = nullptr;
    QComboBox* cboUniExtras = nullptr;
    QStackedWidget* fraUniProp = nullptr;
    std::map<int, FieldEdit*> txtUni;
    std::array<SpinControl*, 5> spnUni{};
    QCheckBox* chkUniTour = nullptr;
    QCheckBox* chkVisitSeq = nullptr;
    QCheckBox* chkTrackGrav = nullptr;
    QCheckBox* chkAmbDisp = nullptr;
    QComboBox* cboUniProfile = nullptr;
    ProfilePictogram* picUniProfile = nullptr;
    RampSample* picColUni = nullptr;
    std::vector<QWidget*> tourControls;  // enabled only while the universe is toured
    QLabel* lblGravityWarning = nullptr;

    // Composite sub-page.
    QListWidget* lstCompGalaxy = nullptr;
    FieldEdit* txtCompGalName = nullptr;
    FieldEdit* txtCompGalPct = nullptr;
    SpinControl* spnCompGalPct = nullptr;
    QComboBox* cboCompMajor = nullptr;
    QListWidget* lstCompMinor = nullptr;
    QPushButton* cmdCompCommit = nullptr;
    QPushButton* cmdCompPreview = nullptr;

    // Galaxy page.
    QComboBox* cboGalaxyTheme = nullptr;
    QComboBox* cboGalaxExtras = nullptr;
    QStackedWidget* fraGalProp = nullptr;
    std::map<int, FieldEdit*> txtGalaxy;
    std::array<FieldEdit*, 5> txtPixHue{};
    std::array<SpinControl*, 6> spnGalaxy{};
    SpinControl* spnGalHue = nullptr;
    std::array<SpinControl*, 5> spnPixHue{};
    std::array<ColourSwatch*, 4> picPixHue{};
    ColourSwatch* picGalHue = nullptr;
    RampSample* picColNova = nullptr;
    QComboBox* cboGalPlane = nullptr;
    QComboBox* cboGalColor = nullptr;
    QComboBox* cboGalProfile = nullptr;
    ProfilePictogram* picGalProfile = nullptr;

    // Galaxy types box.
    QListWidget* lstUniGalaxy = nullptr;
    FieldEdit* txtUniGalName = nullptr;
    FieldEdit* txtUniGalPct = nullptr;
    SpinControl* spnUniGalPct = nullptr;
    QPushButton* cmdGalCommit = nullptr;
    QPushButton* cmdGalProps = nullptr;
    QPushButton* cmdGalPreview = nullptr;

    // Preview box.
    SurfacePicture* picPreview = nullptr;

    // Copy box.
    QComboBox* cboPropCopy = nullptr;
    FieldEdit* txtPropCopy = nullptr;
    QPushButton* cmdPropCopy = nullptr;

    // General fields and the dialog buttons.
    FieldEdit* txtPixelSize = nullptr;
    SpinControl* spnPixSize = nullptr;
    FieldEdit* txtFocalLen = nullptr;
    FieldEdit* txtMessage = nullptr;
    QPushButton* cmdAccept = nullptr;
    QPushButton* cmdDismiss = nullptr;
};

// ---- universe sub-pages -------------------------------------------------------------------
class UniverseCreationPage : public QWidget {
    Q_OBJECT
  public:
    UniverseCreationPage(PropsControls& c, QWidget* parent);
};

class StarCreationPage : public QWidget {
    Q_OBJECT
  public:
    StarCreationPage(PropsControls& c, QWidget* parent);
};

class TourPage : public QWidget {
    Q_OBJECT
  public:
    TourPage(PropsControls& c, QWidget* parent);
};

class CompositePage : public QWidget {
    Q_OBJECT
  public:
    CompositePage(PropsControls& c, QWidget* parent);
};

class GravityPage : public QWidget {
    Q_OBJECT
  public:
    GravityPage(PropsControls& c, QWidget* parent);
};

class UniversePage : public QGroupBox {
    Q_OBJECT
  public:
    UniversePage(PropsControls& c, QWidget* parent);
};

// ---- galaxy sub-pages ---------------------------------------------------------------------
class GalaxyCharacteristicsPage : public QWidget {
    Q_OBJECT
  public:
    GalaxyCharacteristicsPage(PropsControls& c, QWidget* parent);
};

class NovaStarPage : public QWidget {
    Q_OBJECT
  public:
    NovaStarPage(PropsControls& c, QWidget* parent);
};

class CometPage : public QWidget {
    Q_OBJECT
  public:
    CometPage(PropsControls& c, QWidget* parent);
};

class GalaxyPage : public QGroupBox {
    Q_OBJECT
  public:
    GalaxyPage(PropsControls& c, QWidget* parent);
};

// ---- the boxes beside the pages -----------------------------------------------------------
class GalaxyTypesBox : public QGroupBox {
    Q_OBJECT
  public:
    GalaxyTypesBox(PropsControls& c, QWidget* parent);
};

class PreviewBox : public QGroupBox {
    Q_OBJECT
  public:
    PreviewBox(PropsControls& c, QWidget* parent);
};

class CopyBox : public QGroupBox {
    Q_OBJECT
  public:
    CopyBox(PropsControls& c, QWidget* parent);
};

class GeneralBox : public QGroupBox {
    Q_OBJECT
  public:
    GeneralBox(PropsControls& c, QWidget* parent);
};

}  // namespace astrelle
