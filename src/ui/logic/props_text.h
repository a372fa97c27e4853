// Every text of the properties dialog that is the dialog's own: captions, box titles, sub-page
// names, menu entries and messages. The label of each setting (with its range) and the entries
// of the profile, plane and colour lists belong to the settings definitions and are taken from
// there, so each text exists once. The "&" marks the keyboard mnemonic of a caption.
#pragma once

#include <array>

namespace astrelle::props_text {

using Text = const char*;

// ---- window, main pages and common boxes --------------------------------------------------
inline constexpr Text kCaption = "Galaxy Properties";
inline constexpr Text kUniversePage = "Universe Properties";
inline constexpr Text kGalaxyPage = "Galaxy Properties";
inline constexpr Text kGalaxyPageEditingPrefix = "Galaxy:  ";

inline constexpr Text kGalaxyTypesBox = "Galaxy Types";
// Mnemonic letters given to labels that come from the settings definitions.
inline constexpr char kNameListMnemonic = 'N';
inline constexpr char kPixelSizeMnemonic = 'x';
inline constexpr char kFocalLengthMnemonic = 'c';
inline constexpr char kLockMessageMnemonic = 'k';
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

inline constexpr Text kNewStarsBox = "New Stars";
inline constexpr Text kAmbientBox = "Ambient Stars";

inline constexpr Text kCompositeList = "Composite Types:";
inline constexpr Text kCompMajor = "Ma&jor:";
inline constexpr Text kCompMinor = "Minor Types:";
inline constexpr Text kCompCommit = "Comm&it";

inline constexpr Text kGravityWarning =
    "Note: the time needed to compute the gravitational attraction grows with the square of "
    "the number of galaxy objects in the universe. Keep the number of galaxy objects small "
    "while gravity is on.";

// ---- galaxy sub-pages -------------------------------------------------------------------
inline constexpr std::array<Text, 3> kGalaxyExtras = {"Galaxy Characteristics", "New and Nova Star Creation",
                                                      "Comet Characteristics"};

inline constexpr Text kGalHueBox = "Star Colours";

inline constexpr Text kNovaBox = "Nova Stars";
inline constexpr Text kGalGravityBox = "Gravity within the Galaxy";
inline constexpr Text kGalGravityNote =
    "Gravity within galaxy objects is planned for a later version; these two values are "
    "not used by the animation and are not stored.";

// ---- messages ---------------------------------------------------------------------------
inline constexpr Text kSelectGalaxyProfile = "Please select a Galaxy Profile.";
inline constexpr Text kSelectGalaxyType = "Please select a Galaxy Type.";
inline constexpr Text kSelectCompositeType = "Please select a Composite Galaxy Type.";
inline constexpr Text kSelectMajorType = "Please select a Major Galaxy Type.";
inline constexpr Text kSelectProperty = "Please select a Property to copy.";
inline constexpr Text kEnterPropertyValue = "Please enter a Property value.";
inline constexpr Text kResetQuestion =
    "Do you really want to reset the Properties back to the factory settings?";
// Help topics that are not a setting's key, the anchors of the help page.
inline constexpr Text kHelpContents = "contents";
inline constexpr Text kHelpSearch = "index";
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
// The filter of the File menu's choosers.
inline constexpr Text kTemplateTypes = "Galaxy Templates (*.glx)|*.glx|All Files (*.*)|*.*";
inline constexpr Text kSaveTemplateTitle = "Enter or Select Template to Save";

}  // namespace astrelle::props_text
