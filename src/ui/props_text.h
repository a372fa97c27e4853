// Every text the properties dialog shows: captions, labels, list entries, menu entries and
// messages. Kept in one place so that wording stays consistent and nothing user-visible is
// scattered through the layout code. The "&" marks the keyboard mnemonic of a caption.
#pragma once

#include <array>

namespace astrelle::props_text {

using Text = const char*;

// ---- window, main pages and common boxes --------------------------------------------------
inline constexpr Text kCaption = "Galaxy Properties";
inline constexpr Text kMessageTitle = "Astrelle";
inline constexpr Text kUniversePage = "Universe Properties";
inline constexpr Text kGalaxyPage = "Galaxy Properties";
inline constexpr Text kGalaxyPageEditingPrefix = "Galaxy:  ";

inline constexpr Text kGalaxyTypesBox = "Galaxy Types";
inline constexpr Text kNameAndWeight = "&Name and Relative Percent in Universe:";
inline constexpr Text kGalCommit = "Co&mmit";
inline constexpr Text kGalProps = "&Props";
inline constexpr Text kGalPreview = "&Galaxy Preview";
inline constexpr Text kCompPreview = "Comp Pre&view";
inline constexpr Text kStop = "&Stop";

inline constexpr Text kPreviewBox = "Galaxy / Composite Preview";

inline constexpr Text kCopyBox = "Copy Galaxy Props to All Types";
inline constexpr Text kCopyProps = "Pr&ops:";
inline constexpr Text kCopyValue = "Val&ue:";
inline constexpr Text kCopyToAll = "Cop&y to All";

inline constexpr Text kGeneralBox = "Display";
inline constexpr Text kPixelSize = "Pi&xel Size (1 - 9):";
inline constexpr Text kFocalLength = "Fo&cal Length (0.01 - 9999):";
inline constexpr Text kLockMessage = "Loc&k Message:";

inline constexpr Text kAccept = "&Accept Settings";
inline constexpr Text kReturnToUniverse = "&Return to Universe Settings";
inline constexpr Text kDismiss = "Cancel";

inline constexpr Text kTheme = "&Theme:";
inline constexpr Text kExtras = "Extra&s:";
inline constexpr Text kNone = "< NONE >";

// ---- universe sub-pages -----------------------------------------------------------------
inline constexpr std::array<Text, 5> kUniverseExtras = {"Universe Creation", "New / Ambient Star Creation",
                                                        "Galaxy Tour Characteristics", "Composite Astrelle",
                                                        "Gravity between Astrelle"};

inline constexpr Text kUniStars = "Stars (10 - 30000):";
inline constexpr Text kUniGalaxies = "Galaxy Objects (1 - 999):";
inline constexpr Text kUniStarTrail = "Star Trail Length (1 - 999):";
inline constexpr Text kUniExpandSpeed = "Expand Speed (0 - 99999):";
inline constexpr Text kUniExpandSteps = "Expand Steps (1 - 9999):";
inline constexpr Text kUniPersist = "Star Persistence (0.25 - 1.0):";
inline constexpr Text kUniSymmetryDamping = "Symmetry, Damping (0.0 - 1.0):";
inline constexpr Text kUniHWRatio = "Universe Height / Width Ratio (0 - 99.9):";
inline constexpr Text kUniHueStartEnd = "Hue Start, End (0 - 999):";
inline constexpr Text kUniProfile = "Universe Profile:";

inline constexpr Text kNewStarsBox = "New Stars";
inline constexpr Text kUniNewFreq = "New Stars Frequency (0 - 9999):";
inline constexpr Text kUniNewPct = "Exclusive to Current Galaxy % (0 - 100):";
inline constexpr Text kAmbientBox = "Ambient Stars";
inline constexpr Text kUniAmStars = "Stars (0 - 3000):";
inline constexpr Text kUniAmPersist = "Persist. (0.25 - 1.0):";
inline constexpr Text kUniAmAge = "Age Inc. (0.0 - 10.0):";
inline constexpr Text kUniAmFrames = "Flare Frames (0 - 999):";
inline constexpr Text kUniAmMaxExt = "Max. Extension (1 - 99999):";
inline constexpr Text kAmbientProfile = "Profile Disp.:";

inline constexpr Text kTourTheUniverse = "Tour the Universe";
inline constexpr Text kUniGSteps = "Steps per Control Point (1 - 9999):";
inline constexpr Text kUniGPCtrl = "Control Points per Galaxy Visit (1 - 999):";
inline constexpr Text kUniGCCtrl = "Control Points thru Galaxy Core (0 - 999):";
inline constexpr Text kUniDstCen = "Distance from Universe Center (0 - 999999):";
inline constexpr Text kVisitSequentially = "Visit Galaxy Types Sequentially:";
inline constexpr Text kTrackGravity = "Predictive Gravity Vector Tracking:";

inline constexpr Text kCompositeList = "Composite Types:";
inline constexpr Text kCompNameAndWeight = "Name and Relative Percent:";
inline constexpr Text kCompMajor = "Ma&jor:";
inline constexpr Text kCompMinor = "Minor Types:";
inline constexpr Text kCompCommit = "Comm&it";

inline constexpr Text kUniGravForce = "Gravitational Magnitude (0 - 999999):";
inline constexpr Text kUniGravFrame = "Calc. Velocity Vectors per Frame (1 - 999):";
inline constexpr Text kGravityWarning =
    "Note: the time needed to compute the gravitational attraction grows with the square of "
    "the number of galaxy objects in the universe. Keep the number of galaxy objects small "
    "while gravity is on.";

// ---- galaxy sub-pages -------------------------------------------------------------------
inline constexpr std::array<Text, 3> kGalaxyExtras = {"Galaxy Characteristics", "New and Nova Star Creation",
                                                      "Comet Characteristics"};

inline constexpr Text kGalRadius = "Radius (1 - 30000):";
inline constexpr Text kGalRotation = "Rotation Speed (0 - 30000):";
inline constexpr Text kGalDistance = "Distance from Eye (0 - 30000):";
inline constexpr Text kGalPlane = "Axial Plane of Galaxy Star Rotation:";
inline constexpr Text kGalColour = "Star Hue Computation Type / Multiplier (1 - 30000)";
inline constexpr Text kGalRadiusExp = "Radius Distribution Exponent (0.0 - 99.9):";
inline constexpr Text kGalHeightExp = "Height Distribution Exponent (0.0 - 99.9):";
inline constexpr Text kGalHWRatio = "Galaxy Height / Width Ratio (0.0 - 99.9):";
inline constexpr Text kGalTilt = "Initial Tilt Angle in Degrees (0 - 360):";
inline constexpr Text kGalTiltInc = "Tilt Angle Increment in Degrees (0.0 - 360.0):";
inline constexpr Text kGalHueWheel = "Hue Wheel, Inc. (0 - 359):";
inline constexpr Text kGalProfile = "Shape Profile:";
inline constexpr Text kGalHueBox = "Star Colours";
inline constexpr Text kGalRGB = "R, G, B (0 - 100):";
inline constexpr Text kGalBaseBlend = "Base, Blend (0 - 100), (1 - 60):";

inline constexpr Text kNewStarBox = "New Stars";
inline constexpr Text kGalNewFreq = "New Stars Frequency (0 - 9999):";
inline constexpr Text kGalNewFrames = "New Star Cycle Down Frames (1 - 999):";
inline constexpr Text kGalNewExt = "Star Max. Extension Magnitude (1 - 9999):";
inline constexpr Text kNovaBox = "Nova Stars";
inline constexpr Text kGalNovaFreq = "Nova Stars Frequency (0 - 9999):";
inline constexpr Text kGalNovaFrames = "Nova Star Cycle Down Frames (1 - 999):";
inline constexpr Text kGalNovaExt = "Nova Max. Extension Magnitude (1 - 9999):";
inline constexpr Text kGalGravityBox = "Gravity within the Galaxy";
inline constexpr Text kGalCoreMass = "Core Point Mass (0 - 9999):";
inline constexpr Text kGalLocalGravity = "Local Gravity Force (0 - 9999):";
inline constexpr Text kGalGravityNote =
    "Gravity within galaxy objects is planned for a later version; these two values are "
    "not used by the animation and are not stored.";

inline constexpr Text kGalCometFreq = "Comet Frequency (0 - 9999):";
inline constexpr Text kGalCometStars = "Stars per Comet (1 - 999):";
inline constexpr Text kGalCometOrbit = "Comet Orbital Speed (0 - 9999):";
inline constexpr Text kGalCometSpeed = "Comet Expansion Rate (1 - 9999):";
inline constexpr Text kGalCometWind = "Solar Wind Magnitude (0 - 9999):";
inline constexpr Text kGalCometPersist = "Comet, Star Persist. (0.1 - 0.9999):";
inline constexpr Text kGalCometHue = "Hue Start, End (0 - 999):";

// ---- list contents ----------------------------------------------------------------------
inline constexpr std::array<Text, 2> kPlaneEntries = {"Y-Z", "X-Z"};
inline constexpr std::array<Text, 5> kColourEntries = {
    "Rotational Velocity", "Rotational Velocity (Square Root)", "Distance from Core",
    "Distance from Core (Squared)", "Black (Stars are Invisible)"};
inline constexpr std::array<Text, 7> kProfileEntries = {
    "Standard", "Top-Like", "Spherical", "Conical", "Hyperbolic", "Outer-Hyperbolic", "Inner-Hyperbolic"};

// ---- messages ---------------------------------------------------------------------------
inline constexpr Text kSelectGalaxyProfile = "Please select a Galaxy Profile.";
inline constexpr Text kSelectGalaxyType = "Please select a Galaxy Type.";
inline constexpr Text kSelectCompositeType = "Please select a Composite Galaxy Type.";
inline constexpr Text kSelectMajorType = "Please select a Major Galaxy Type.";
inline constexpr Text kSelectProperty = "Please select a Property to copy.";
inline constexpr Text kEnterPropertyValue = "Please enter a Property value.";
inline constexpr Text kResetQuestion =
    "Do you really want to reset the Properties back to the factory settings?";
inline constexpr Text kWebPageFailed = "The Web Page could not be reached.";
inline constexpr Text kWebPageNeedsBrowser =
    "Astrelle opens it in the desktop's web browser: please check that a default web browser "
    "is set up.";
inline constexpr Text kUrlPrefix = "URL:  ";
inline constexpr Text kHelpMissing = "The help page of Astrelle could not be found.";
inline constexpr Text kHelpFailed = "The help page could not be opened in the desktop's web browser.";
inline constexpr Text kTemplateNotWritten = "The template could not be written.";

// ---- menus ------------------------------------------------------------------------------
inline constexpr Text kMenuFile = "&File";
inline constexpr Text kMenuOpenTemplate = "&Open Template...";
inline constexpr Text kMenuSaveTemplate = "&Save Template";
inline constexpr Text kMenuSaveTemplateAs = "Save Template &As...";
inline constexpr Text kMenuExit = "E&xit";
inline constexpr Text kMenuEdit = "&Edit";
inline constexpr Text kMenuReset = "&Reset Properties";
inline constexpr Text kMenuAdvanced = "&Advanced Settings...";
inline constexpr Text kMenuHelp = "&Help";
inline constexpr Text kMenuContents = "&Contents...";
inline constexpr Text kMenuSearch = "&Search...";
inline constexpr Text kMenuWebPage = "&Web Page...";
inline constexpr Text kMenuAbout = "&About Astrelle...";

// ---- template chooser -------------------------------------------------------------------
inline constexpr Text kOpenTemplateTitle = "Select Template to Open";
inline constexpr Text kSaveTemplateTitle = "Enter or Select Template to Save";
inline constexpr Text kTemplateTypes = "Galaxy Templates (*.glx)|*.glx|All Files (*.*)|*.*";

// ---- the product page -------------------------------------------------------------------
inline constexpr Text kProductPageUrl = "https://astrelle.example.org";

}  // namespace astrelle::props_text
