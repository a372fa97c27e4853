// The template file chooser ("Select Template File") as plain logic: the type lists, the
// full name of a choice, the ".glx" rule, the save-path probe and the confirmation of OK
// with its three refusals, and the drive and folder remembered for the rest of the
// process. The view owns the drive list, the folder tree and the file listing.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/logic/dialog_view.h"

namespace astrelle {

enum class TemplateMode : uint8_t { Open, Save };

inline constexpr std::string_view kSelectExistingFile = "Please select an existing file.";
inline constexpr std::string_view kEnterFileName = "Please enter a file name.";
inline constexpr std::string_view kEnterValidPath = "Please enter a valid path and file.";

struct FileType {
    std::string description;
    std::string pattern;
};

// "description|pattern|description|pattern..." as pairs, in order; a description without a
// pattern gets an empty one (which lists every file).
std::vector<FileType> ParseFileTypes(std::string_view types);

// The globs of a pattern ("*.glx; *.ini"). "*.*" means every file, as it always has on the
// desktops the templates come from, names without a point included; an empty pattern too.
std::vector<std::string> PatternGlobs(std::string_view pattern);

// folder, then a separator unless the folder already ends with one ("C:\", "/"), then the
// name.
std::string TemplateFullName(std::string_view folder, std::string_view fileName);

// Adds ".glx" when there is no "." anywhere in the full path: a folder name with a point
// counts, so such a path keeps its name as typed.
std::string WithTemplateExtension(std::string_view full);

// True when a template could be saved under full: its folder exists and lets us create a
// file, the name is not a folder and not too long for the file system. Proven by creating
// a scratch file of our own with a name nobody else holds (exclusive create) and removing
// it again, so no existing file, whatever its name, is touched.
bool ProbeTemplatePath(const std::string& full);
// Name of the scratch file of probe attempt n in folder (tests plant clashes with it).
std::string ProbeScratchName(std::string_view folder, int attempt);

// The outcome of OK: accepted with the full path, or refused with its message.
struct TemplateConfirmation {
    bool accepted = false;
    std::string fullName;
    std::string_view message;
};
TemplateConfirmation ConfirmTemplateChoice(TemplateMode mode, std::string_view folder,
                                           std::string_view fileName);

// The drive and folder of the chooser's last use in this process ("" before the first).
struct TemplatePlace {
    std::string drive;
    std::string folder;
};
TemplatePlace RememberedTemplatePlace();
void ForgetTemplatePlace();

class TemplateChooserView : public DialogView {
  public:
    // The drive and folder shown.
    virtual std::string Drive() const = 0;
    virtual std::string Folder() const = 0;
    // Moves the drive list, folder tree and file list there; "" keeps the current one, and
    // a place that does not exist is ignored.
    virtual void ShowPlace(std::string_view drive, std::string_view folder) = 0;
    // Lists the files of the folder that match any of the globs.
    virtual void ListFiles(std::span<const std::string> globs) = 0;
};

class TemplateChooser : public DialogEvents {
  public:
    TemplateChooser(TemplateChooserView& view, TemplateMode mode, std::string_view title,
                    std::string_view types);

    // The caption, the remembered place and the type lists, with the first type chosen.
    void Open();

    bool Accepted() const { return accepted_; }
    const std::string& FullFileName() const { return fullFileName_; }

    void OnListChosen(const Control& control, int index) override;
    void OnButton(const Control& control) override;
    // A click on a file puts its name into the name field; a double click confirms it at
    // once, without the checks of OK.
    void OnFileClicked(std::string_view name);
    void OnFileDoubleClicked(std::string_view name);
    // However the chooser closes, its place is remembered.
    void OnClosed();

  private:
    void Confirm();

    TemplateChooserView& view_;
    TemplateMode mode_;
    std::string title_;
    std::vector<FileType> types_;
    bool accepted_ = false;
    std::string fullFileName_;
};

}  // namespace astrelle
