// Handing a game set to the other players: the game-set text of the form on the clipboard or
// in a file, and back into the form from the clipboard, a file chosen or dropped, or the
// command line.  Every way in reads the text the same way.
#include "form/SetupDlg.h"

#include "framework/Clipboard.h"
#include "framework/File.h"
#include "framework/FileDialog.h"
#include "framework/TextEncoding.h"
#include "library/GameSetFiles.h"
#include "library/GameSetText.h"
#include "resources/resource.h"

#include <windowsx.h>

#include <cstring>

namespace {

// The entries of the system menu and the right-click menu, and what each runs.
const struct {
    UINT command, text;
    void (CSetupDlg::*handler)();
} kShareMenu[] = {
    {IDM_COPY_GAMESET, IDS_COPY_GAMESET, &CSetupDlg::OnCopyGameSet},
    {IDM_PASTE_GAMESET, IDS_PASTE_GAMESET, &CSetupDlg::OnPasteGameSet},
    {IDM_EXPORT_GAMESET, IDS_EXPORT_GAMESET, &CSetupDlg::OnExportGameSet},
    {IDM_IMPORT_GAMESET, IDS_IMPORT_GAMESET, &CSetupDlg::OnImportGameSet},
    {IDM_FIX_DESIGNATIONS, IDS_FIX_DESIGNATIONS, &CSetupDlg::OnFixDesignations},
    {IDM_SHOW_PROBLEMS, IDS_SHOW_PROBLEMS, &CSetupDlg::OnShowSetupProblems},
};

// A text box's own entries, at the top of the menu opened from the keyboard in one; access
// keys of their own beside the form's commands.
const struct {
    UINT command;
    const char* text;
    UINT message;
} kTextBoxMenu[] = {
    {0x7F10, "Undo typin&g", WM_UNDO},
    {0x7F20, "Cu&t", WM_CUT},
    {0x7F30, "&Copy", WM_COPY},
    {0x7F40, "P&aste", WM_PASTE},
};

const char kFilter[] = "Game sets (*.ini)\0*.ini\0All files (*.*)\0*.*\0";

// The longest name proposed before ".ini": the standard save dialog misbehaves on long ones.
const size_t kMaxProposedName = 100;

// A title as a file name: the characters no file name may hold become "_", a device name gets
// "_" after it, and a long title is cut.
std::string FileNameOf(const std::string& title) {
    std::string name;
    for (unsigned char c : title)
        name += c < 0x20 || std::strchr("\\/:*?\"<>|", c) ? '_' : char(c);
    if (name.size() > kMaxProposedName) {
        name.resize(kMaxProposedName);
        if (IsDBCSLeadByte(BYTE(name.back()))) // never half a character
            name.pop_back();
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    if (name.empty())
        name = "Game set";
    const size_t stem = name.find('.');
    if (IsDeviceName(WideText(name.substr(0, stem))))
        name.insert(stem == std::string::npos ? name.size() : stem, "_");
    return name + ".ini";
}

} // namespace

void CSetupDlg::AppendShareMenu(HMENU menu) const {
    char text[64];
    for (const auto& entry : kShareMenu) {
        if (LoadStringA(GetModuleHandleA(nullptr), entry.text, text, sizeof text) > 0)
            AppendMenuA(menu, MF_STRING, entry.command, text);
    }
}

bool CSetupDlg::OnShareCommand(UINT command) {
    if (command == IDM_UNDO_LIBRARY || command == IDM_REDO_LIBRARY) {
        if (command == IDM_UNDO_LIBRARY)
            OnUndoLibrary();
        else
            OnRedoLibrary();
        return true;
    }
    for (const auto& entry : kShareMenu) {
        if (entry.command == command) {
            (this->*entry.handler)();
            return true;
        }
    }
    return false;
}

// The right-click menu, at the mouse or, from the keyboard (at == -1), under the focused
// control, with a text box's own entries first.
void CSetupDlg::ShowShareMenu(LPARAM at) {
    POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    HWND focus = ::GetFocus();
    const bool inForm = focus != nullptr && IsChild(m_hWnd, focus);
    HWND textBox = at == -1 && inForm && IsTextBox(focus) ? focus : nullptr;
    if (at == -1) {
        RECT box{};
        if (inForm)
            ::GetWindowRect(focus, &box);
        else
            ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&box), 2);
        point = POINT{box.left, box.bottom};
    }
    CMenu menu(CreatePopupMenu());
    if (textBox != nullptr) {
        DWORD start = 0, end = 0;
        ::SendMessageA(textBox, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        const bool canUndo = ::SendMessageA(textBox, EM_CANUNDO, 0, 0) != 0;
        for (const auto& entry : kTextBoxMenu) {
            const bool usable = entry.message == WM_UNDO    ? canUndo
                                : entry.message == WM_PASTE ? IsClipboardFormatAvailable(CF_TEXT)
                                                            : start != end;
            AppendMenuA(menu.Get(), MF_STRING | (usable ? 0 : MF_GRAYED), entry.command,
                        entry.text);
        }
        AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
    }
    AppendShareMenu(menu.Get());
    AppendUndoMenu(menu.Get(), false);
    UINT command = UINT(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x,
                                       point.y, 0, m_hWnd, nullptr));
    menu.Close();
    for (const auto& entry : kTextBoxMenu) {
        if (command == entry.command) {
            ::SendMessageA(textBox, entry.message, 0, 0);
            return;
        }
    }
    OnShareCommand(command);
}

void CSetupDlg::OnCopyGameSet() {
    UpdateData(true);
    if (!SetClipboardText(m_hWnd, WriteGameSetText(ValuesOfForm())))
        MessageBox("The game set could not be put on the clipboard: another program is using it.",
                   nullptr, MB_OK | MB_ICONWARNING);
}

void CSetupDlg::OnPasteGameSet() {
    std::wstring text;
    bool busy = false;
    if (!GetClipboardText(m_hWnd, text, &busy)) {
        RefuseImport("the clipboard", busy ? "another program is using it; try again in a moment"
                                           : "it holds no text");
        return;
    }
    ImportGameSetText(text, L"the clipboard");
}

void CSetupDlg::OnExportGameSet() {
    UpdateData(true);
    const std::string text = WriteGameSetText(ValuesOfForm());
    std::wstring path = WideText(FileNameOf(m_strGameSet));
    if (!AskForFile({m_hWnd, true, "Export game set", std::string(kFilter, sizeof kFilter), "ini"},
                    path))
        return;
    bool isLibrary = false;
    const std::wstring failed = ExportGameSetFile(path, text, m_mapGameSets.Path(), isLibrary);
    if (!failed.empty())
        MessageBox(failed, nullptr, MB_OK | (isLibrary ? MB_ICONWARNING : MB_ICONERROR));
}

void CSetupDlg::OnImportGameSet() {
    std::wstring path;
    if (AskForFile({m_hWnd, false, "Import game set", std::string(kFilter, sizeof kFilter), "ini"},
                   path))
        ImportGameSetFile(path);
}

void CSetupDlg::ImportGameSetFiles(const std::vector<std::wstring>& files) {
    if (files.empty())
        return;
    ImportGameSetFile(files[0]);
    if (files.size() > 1)
        MessageBox(L"Only one game set is imported at a time: Kestrine imported " + files[0] +
                       L" and left the other " + std::to_wstring(files.size() - 1) +
                       (files.size() == 2 ? L" file." : L" files."),
                   nullptr, MB_OK | MB_ICONINFORMATION);
}

void CSetupDlg::ImportGameSetFile(const std::wstring& path) {
    GameSetRead read;
    ShowImported(read, ReadGameSetFile(path, read), path);
}

void CSetupDlg::ImportGameSetText(const std::wstring& text, const std::wstring& source) {
    GameSetRead read;
    ShowImported(read, ReadGameSetText(text, read), source);
}

// Nothing is stored: the user keeps the set with SAVE, or plays it.
void CSetupDlg::ShowImported(const GameSetRead& read, const std::wstring& why,
                             const std::wstring& source) {
    if (!why.empty()) {
        RefuseImport(source, why);
        return;
    }
    ShowGameSet(read);
    m_cbGameSet.SetCurSel(-1);
    m_cbGameSet.SetWindowText(FormText(read.values.title));
}

void CSetupDlg::RefuseImport(const std::wstring& source, const std::wstring& why) {
    MessageBox(L"Kestrine cannot import a game set from " + source + L": " + why + L".", nullptr,
               MB_OK | MB_ICONWARNING);
}

void CSetupDlg::RefuseImport(const std::string& source, const std::string& why) {
    RefuseImport(WideText(source), WideText(why));
}
