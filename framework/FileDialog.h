// The standard open and save dialogs.  Tests put a function of their own in their place, so
// that no dialog opens.
#pragma once

#include <windows.h>

#include <string>

struct FileDialogRequest {
    HWND owner;
    bool save;          // the save dialog, else the open dialog
    std::string title;  // the dialog's caption
    std::string filter; // pairs of NUL-terminated texts, as the dialogs take them
    std::string defaultExtension;
};

// The chosen file, as Windows names it; false when the user cancelled.  `path` holds the
// proposed name on entry.  The dialogs move the working folder (the open dialog even when
// told not to); it is put back before this returns.
using FileDialogFunction = bool (*)(const FileDialogRequest& request, std::wstring& path);
bool AskForFile(const FileDialogRequest& request, std::wstring& path);
// Null restores the standard dialogs.
void SetFileDialogFunction(FileDialogFunction function);
