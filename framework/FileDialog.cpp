#include "framework/FileDialog.h"

#include <commdlg.h>

namespace {

FileDialogFunction g_fileDialog = nullptr;

bool StandardDialog(const FileDialogRequest& request, std::string& path) {
    char file[MAX_PATH] = {};
    snprintf(file, sizeof file, "%s", path.c_str());
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = request.filter.c_str();
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrTitle = request.title.c_str();
    dialog.lpstrDefExt = request.defaultExtension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                   (request.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(request.save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog)))
        return false;
    path = file;
    return true;
}

} // namespace

bool AskForFile(const FileDialogRequest& request, std::string& path) {
    return (g_fileDialog ? g_fileDialog : StandardDialog)(request, path);
}

void SetFileDialogFunction(FileDialogFunction function) {
    g_fileDialog = function;
}
