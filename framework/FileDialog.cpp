#include "framework/FileDialog.h"

#include "framework/File.h"

#include <commdlg.h>

namespace {

FileDialogFunction g_fileDialog = nullptr;

bool StandardDialog(const FileDialogRequest& request, std::wstring& path) {
    // Room for any path the dialog may give back.
    std::wstring file(32768, L'\0');
    path.copy(&file[0], std::min(path.size(), file.size() - 1));
    const std::wstring filter = WideText(request.filter), title = WideText(request.title),
                       extension = WideText(request.defaultExtension);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = &file[0];
    dialog.nMaxFile = DWORD(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                   (request.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(request.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog)))
        return false;
    path = file.c_str();
    return true;
}

std::wstring CurrentFolder() {
    DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(length, L'\0');
    folder.resize(GetCurrentDirectoryW(length, &folder[0]));
    return folder;
}

} // namespace

bool AskForFile(const FileDialogRequest& request, std::wstring& path) {
    const std::wstring folder = CurrentFolder();
    bool chosen = (g_fileDialog ? g_fileDialog : StandardDialog)(request, path);
    if (!folder.empty())
        SetCurrentDirectoryW(folder.c_str());
    return chosen;
}

void SetFileDialogFunction(FileDialogFunction function) {
    g_fileDialog = function;
}
