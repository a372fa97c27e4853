// The template chooser's rules and its confirmation.
#include "ui/logic/template_chooser.h"

#include <algorithm>

#include "platform/services.h"
#include "settings/value_utils.h"

namespace astrelle {

namespace {

constexpr char kTypeSeparator = '|';
constexpr char kGlobSeparator = ';';
constexpr std::string_view kEveryFile = "*";
constexpr std::string_view kEveryFileOldStyle = "*.*";
constexpr std::string_view kTemplateExtension = ".glx";
constexpr int kProbeAttempts = 100;
const Control kName = Own(ControlId::TemplateName);

TemplatePlace& Memory() {
    static TemplatePlace place;
    return place;
}

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string_view LastPart(std::string_view path) {
    const auto it = std::find_if(path.rbegin(), path.rend(), IsSeparator);
    return path.substr(static_cast<size_t>(path.rend() - it));
}

bool IsFolder(const std::string& path) {
    return StatFile(path).status == FileReadStatus::NotRegular;
}

}  // namespace

std::vector<FileType> ParseFileTypes(std::string_view types) {
    // The text is split after a separator has been appended, so the last piece (the empty
    // text after it) is not a description.
    std::vector<std::string> pieces(1);
    for (const char c : types) {
        if (c == kTypeSeparator) {
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    std::vector<FileType> result;
    for (size_t i = 0; i < pieces.size(); i += 2) {
        result.push_back(FileType{pieces[i], i + 1 < pieces.size() ? pieces[i + 1] : std::string()});
    }
    return result;
}

std::vector<std::string> PatternGlobs(std::string_view pattern) {
    std::vector<std::string> globs;
    size_t from = 0;
    while (from <= pattern.size()) {
        const size_t to = std::min(pattern.find(kGlobSeparator, from), pattern.size());
        const std::string_view glob = TrimBlanks(pattern.substr(from, to - from));
        if (!glob.empty()) globs.emplace_back(glob == kEveryFileOldStyle ? kEveryFile : glob);
        from = to + 1;
    }
    if (globs.empty()) globs.emplace_back(kEveryFile);
    return globs;
}

std::string TemplateFullName(std::string_view folder, std::string_view fileName) {
    std::string full(folder);
    if (full.empty() || !IsSeparator(full.back())) full += kPathSeparator;
    return full + std::string(fileName);
}

std::string WithTemplateExtension(std::string_view full) {
    if (full.find('.') != std::string_view::npos) return std::string(full);
    return std::string(full) + std::string(kTemplateExtension);
}

std::string ProbeScratchName(std::string_view folder, int attempt) {
    return TemplateFullName(folder,
                            ".astrelle-probe-" + IntToText(CurrentProcessId()) + "-" + IntToText(attempt));
}

bool ProbeTemplatePath(const std::string& full) {
    const std::string_view name = LastPart(full);
    if (name.empty() || full.find('\0') != std::string::npos) return false;
    const std::string folder = DirectoryOf(full);
    if (!IsFolder(folder) || IsFolder(full)) return false;
    if (LastPart(WithTemplateExtension(full)).size() > MaxFileNameLength(folder)) return false;
    // Exclusive create: an existing file of that name is left alone and we move on to
    // another name, so we only ever remove a file we created ourselves.
    for (int attempt = 0; attempt < kProbeAttempts; ++attempt) {
        switch (ProbeCreateFile(ProbeScratchName(folder, attempt))) {
            case CreateProbe::Created:
                return true;
            case CreateProbe::NameTaken:
                continue;
            case CreateProbe::Failed:
                return false;
        }
    }
    return false;
}

TemplateConfirmation ConfirmTemplateChoice(TemplateMode mode, std::string_view folder,
                                           std::string_view fileName) {
    TemplateConfirmation result;
    const std::string full = TemplateFullName(folder, fileName);
    const bool hasName = !TrimBlanks(fileName).empty();
    if (mode == TemplateMode::Open) {
        if (hasName && StatFile(full).status == FileReadStatus::Ok) {
            result.accepted = true;
            result.fullName = full;
        } else {
            result.message = kSelectExistingFile;
        }
        return result;
    }
    if (!hasName) {
        result.message = kEnterFileName;
    } else if (!ProbeTemplatePath(full)) {
        result.message = kEnterValidPath;
    } else {
        result.accepted = true;
        result.fullName = WithTemplateExtension(full);
    }
    return result;
}

TemplatePlace RememberedTemplatePlace() {
    return Memory();
}

void ForgetTemplatePlace() {
    Memory() = TemplatePlace{};
}

TemplateChooser::TemplateChooser(TemplateChooserView& view, TemplateMode mode, std::string_view title,
                                 std::string_view types)
    : view_(view), mode_(mode), title_(title), types_(ParseFileTypes(types)) {}

void TemplateChooser::Open() {
    view_.SetText(Own(ControlId::Window), title_);
    const TemplatePlace& place = Memory();
    view_.ShowPlace(place.drive, place.folder);
    std::vector<std::string> descriptions;
    for (const FileType& type : types_) descriptions.push_back(type.description);
    view_.FillList(Own(ControlId::TemplateTypes), descriptions);
    view_.Select(Own(ControlId::TemplateTypes), types_.empty() ? -1 : 0);
    view_.ListFiles(PatternGlobs(types_.empty() ? std::string() : types_.front().pattern));
}

void TemplateChooser::OnListChosen(const Control& control, int index) {
    if (control.id != ControlId::TemplateTypes) return;
    const bool known = index >= 0 && index < static_cast<int>(types_.size());
    view_.ListFiles(PatternGlobs(known ? types_[static_cast<size_t>(index)].pattern : std::string()));
}

void TemplateChooser::OnButton(const Control& control) {
    if (control.id == ControlId::OkButton) {
        Confirm();
    } else if (control.id == ControlId::DismissButton) {
        view_.Close(DialogResult::Rejected);
    }
}

void TemplateChooser::Confirm() {
    const TemplateConfirmation result = ConfirmTemplateChoice(mode_, view_.Folder(), view_.Text(kName));
    if (!result.accepted) {
        view_.ShowMessage(result.message);
        view_.Focus(kName);
        return;
    }
    accepted_ = true;
    fullFileName_ = result.fullName;
    view_.Close(DialogResult::Accepted);
}

void TemplateChooser::OnFileClicked(std::string_view name) {
    view_.SetText(kName, name);
}

void TemplateChooser::OnFileDoubleClicked(std::string_view name) {
    view_.SetText(kName, name);
    accepted_ = true;
    fullFileName_ = TemplateFullName(view_.Folder(), name);
    view_.Close(DialogResult::Accepted);
}

void TemplateChooser::OnClosed() {
    Memory() = TemplatePlace{view_.Drive(), view_.Folder()};
}

}  // namespace astrelle
