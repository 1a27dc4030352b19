// Handing a game set to the other players: the game-set text of the form on the clipboard or
// in a file, and back into the form from the clipboard, a file chosen or dropped, or the
// command line.  Every way in reads the text the same way.
#include "form/SetupDlg.h"

#include "framework/Clipboard.h"
#include "framework/FileDialog.h"
#include "framework/ReplaceFile.h"
#include "library/GameSetText.h"
#include "resources/resource.h"

#include <shellapi.h>
#include <windowsx.h>

#include <cstring>

namespace {

// Posted by start-up, so that a file named on the command line opens once the form is shown.
const UINT kImportStartupFile = WM_APP + 1;

// The entries of the system menu and the right-click menu, and what each runs.
const struct {
    UINT command, text;
    void (CSetupDlg::*handler)();
} kShareMenu[] = {
    {IDM_COPY_GAMESET, IDS_COPY_GAMESET, &CSetupDlg::OnCopyGameSet},
    {IDM_PASTE_GAMESET, IDS_PASTE_GAMESET, &CSetupDlg::OnPasteGameSet},
    {IDM_EXPORT_GAMESET, IDS_EXPORT_GAMESET, &CSetupDlg::OnExportGameSet},
    {IDM_IMPORT_GAMESET, IDS_IMPORT_GAMESET, &CSetupDlg::OnImportGameSet},
};

const char kFilter[] = "Game sets (*.ini)\0*.ini\0All files (*.*)\0*.*\0";

// A title as a file name: the characters no file name may hold become "_".
std::string FileNameOf(const std::string& title) {
    std::string name;
    for (unsigned char c : title)
        name += c < 0x20 || std::strchr("\\/:*?\"<>|", c) ? '_' : char(c);
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    return (name.empty() ? std::string("Game set") : name) + ".ini";
}

std::string WithCode(const std::string& text, unsigned long code) {
    return text + " (error " + std::to_string(code) + ")";
}

} // namespace

std::string FileOfCommandLine(const std::string& commandLine) {
    std::string file = commandLine;
    file.erase(0, file.find_first_not_of(" \t"));
    file.erase(file.find_last_not_of(" \t") + 1);
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"')
        file = file.substr(1, file.size() - 2);
    return file;
}

void CSetupDlg::AppendShareMenu(HMENU menu) const {
    char text[64];
    for (const auto& entry : kShareMenu) {
        if (LoadStringA(GetModuleHandleA(nullptr), entry.text, text, sizeof text) > 0)
            AppendMenuA(menu, MF_STRING, entry.command, text);
    }
}

bool CSetupDlg::OnShareCommand(UINT command) {
    for (const auto& entry : kShareMenu) {
        if (entry.command == command) {
            (this->*entry.handler)();
            return true;
        }
    }
    return false;
}

bool CSetupDlg::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CONTEXTMENU: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (lParam == -1) { // from the keyboard: at the form's top left corner
            at = POINT{0, 0};
            ClientToScreen(m_hWnd, &at);
        }
        HMENU menu = CreatePopupMenu();
        AppendShareMenu(menu);
        UINT command = UINT(
            TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr));
        DestroyMenu(menu);
        OnShareCommand(command);
        return true;
    }
    case WM_DROPFILES: {
        HDROP drop = reinterpret_cast<HDROP>(wParam);
        char path[MAX_PATH] = {};
        bool named = DragQueryFileA(drop, 0, path, sizeof path) > 0;
        DragFinish(drop);
        if (named) // of several files, the first one
            ImportGameSetFile(path);
        return true;
    }
    case kImportStartupFile:
        ImportGameSetFile(m_strImportFile);
        return true;
    }
    return false;
}

void CSetupDlg::StartSharing() {
    DragAcceptFiles(m_hWnd, TRUE);
    if (!m_strImportFile.empty())
        PostMessage(m_hWnd, kImportStartupFile, 0, 0);
}

std::string CSetupDlg::GameSetTextOfForm() {
    UpdateData(true);
    CShipData form;
    CopyFormToRecord(form, m_strGameSet);
    return WriteGameSetText(form, m_nDifficulty);
}

void CSetupDlg::OnCopyGameSet() {
    if (!SetClipboardText(m_hWnd, GameSetTextOfForm()))
        MessageBox("The game set could not be put on the clipboard: another program is using it.",
                   nullptr, MB_OK | MB_ICONWARNING);
}

void CSetupDlg::OnPasteGameSet() {
    std::string text;
    if (!GetClipboardText(m_hWnd, text)) {
        RefuseImport("the clipboard", "it holds no text");
        return;
    }
    ImportGameSetText(text, "the clipboard");
}

void CSetupDlg::OnExportGameSet() {
    const std::string text = GameSetTextOfForm();
    std::string path = FileNameOf(m_strGameSet);
    if (!AskForFile({m_hWnd, true, "Export game set", std::string(kFilter, sizeof kFilter), "ini"},
                    path))
        return;
    unsigned long error = 0;
    if (ReplaceFileContents(path, text.data(), text.size(), error) != ReplaceFault::None)
        MessageBox(WithCode("The game set could not be exported to " + path, error) +
                       ". No file was written.",
                   nullptr, MB_OK | MB_ICONERROR);
}

void CSetupDlg::OnImportGameSet() {
    std::string path;
    if (AskForFile({m_hWnd, false, "Import game set", std::string(kFilter, sizeof kFilter), "ini"},
                   path))
        ImportGameSetFile(path);
}

void CSetupDlg::ImportGameSetFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        RefuseImport(path, WithCode("it cannot be read", GetLastError()));
        return;
    }
    // One byte more than a game-set text may hold tells a file that is too large.
    std::string text(kMaxGameSetText + 1, '\0');
    DWORD read = 0;
    bool ok = ReadFile(file, &text[0], DWORD(text.size()), &read, nullptr) != 0;
    DWORD error = GetLastError();
    CloseHandle(file);
    if (!ok) {
        RefuseImport(path, WithCode("it cannot be read", error));
        return;
    }
    text.resize(read);
    ImportGameSetText(text, path);
}

void CSetupDlg::ImportGameSetText(const std::string& text, const std::string& source) {
    CShipData record;
    int difficulty = -1;
    GameSetTextFault fault = ReadGameSetText(text, record, difficulty);
    if (fault != GameSetTextFault::None) {
        RefuseImport(source, GameSetTextFaultText(fault));
        return;
    }
    // Nothing is stored: the user keeps the set with SAVE, or plays it.
    ShowGameSet(record, &difficulty);
    m_cbGameSet.SetCurSel(-1);
    m_cbGameSet.SetWindowText(FormText(record.m_strTitle));
}

void CSetupDlg::RefuseImport(const std::string& source, const std::string& why) {
    MessageBox("Kestrine cannot import a game set from " + source + ": " + why + ".", nullptr,
               MB_OK | MB_ICONWARNING);
}
