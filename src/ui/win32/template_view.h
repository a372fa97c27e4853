// The Win32 view of the template chooser ("Select Template File"): the name field, the files
// of the folder that match the chosen type, the folder list (the path from the drive's root
// down, then the folders inside; a double click or Enter opens one) and the drive list,
// over the Windows drives. The checks of OK and the remembered place are the logic's
// (TemplateChooser).
#pragma once

#include <string>
#include <vector>

#include "ui/logic/template_chooser.h"
#include "ui/win32/win32_view.h"

namespace astrelle::win32 {

class TemplateWindowView final : public Win32View<TemplateChooserView> {
  public:
    TemplateWindowView();

    [[nodiscard]] bool Create(HWND owner, TemplateChooser& chooser);

    // TemplateChooserView
    std::string Drive() const override;
    std::string Folder() const override;
    void ShowPlace(std::string_view drive, std::string_view folder) override;
    void ListFiles(std::span<const std::string> globs) override;

  protected:
    void OnCommand(int item, int code) override;
    void OnCancel() override;

  private:
    // Moves to folder (a full path); false when it is no folder.
    bool Enter(const std::wstring& folder);
    void FillFolders();
    void FillDrives();
    void OpenChosenFolder();
    std::string ChosenFile() const;

    TemplateChooser* chooser_ = nullptr;
    std::wstring folder_;                    // full path; a drive's root ends with "\"
    std::vector<std::wstring> folderPaths_;  // the full path of each line of the folder list
    std::vector<std::wstring> drives_;       // "C:\", ...
    std::vector<std::string> globs_;
    int folderList_ = -1;
    int driveList_ = -1;
};

}  // namespace astrelle::win32
