// Undo and redo of SAVE and DELETE, for the run: each step puts one stored game set back as it
// was and the form as it stood when the command was pressed, and writes the library as SAVE
// does (merged with the file as it is, a failed write said and written again later).
#include "form/SetupDlg.h"

#include "resources/resource.h"

namespace {

// Titles longer than this are cut in a menu entry, which would otherwise run off the screen.
const size_t kLongestMenuTitle = 40;

} // namespace

CSetupDlg::FormState CSetupDlg::CurrentForm() const {
    FormState form;
    CopyFormToRecord(form.fields, m_strGameSet);
    form.difficulty = m_nDifficulty;
    form.titleBox = m_cbGameSet.GetWindowText();
    return form;
}

void CSetupDlg::ShowForm(const FormState& form) {
    ShowGameSet(form.fields);
    m_nDifficulty = form.difficulty;
    UpdateData(false);
    m_cbGameSet.SetCurSel(-1);
    m_cbGameSet.SetWindowText(form.titleBox);
}

void CSetupDlg::NoteLibraryEdit(const char* command, const std::string& title,
                                const CShipData& before, const FormState& form) {
    const CShipData* after = m_mapGameSets.Find(title);
    if (after == nullptr)
        return;
    m_undo.push_back(LibraryEdit{command, title, before, *after, form});
    m_redo.clear();
    UpdateSystemUndoMenu();
}

// Every title that SAVE or DELETE met keeps its key, and so its list item, for good.
void CSetupDlg::StoreRecord(const std::string& title, const CShipData& record) {
    if (CShipData* stored = m_mapGameSets.Find(title)) {
        *stored = record;
        m_mapGameSets.NoteChange(title);
    }
    SaveGameSetLibrary();
}

void CSetupDlg::OnUndoLibrary() {
    StepLibrary(true);
}

void CSetupDlg::OnRedoLibrary() {
    StepLibrary(false);
}

// Undo puts the set back as it was before the step and the form as it stood then; Redo stores
// what the step stored and leaves the form as SAVE and DELETE leave it.
void CSetupDlg::StepLibrary(bool undo) {
    UpdateData(true);
    ReadLibraryIfUnread();
    std::vector<LibraryEdit>& from = undo ? m_undo : m_redo;
    if (from.empty())
        return;
    LibraryEdit edit = std::move(from.back());
    from.pop_back();
    StoreRecord(edit.title, undo ? edit.before : edit.after);
    if (undo)
        ShowForm(edit.form);
    else
        ClearForm();
    (undo ? m_redo : m_undo).push_back(std::move(edit));
    UpdateSystemUndoMenu();
    RefreshSetupCheck();
}

// "&Undo SAVE of "Alpha Raid"", with its keys; "&Undo" alone where there is nothing to undo.
std::string CSetupDlg::UndoMenuText(bool redo, bool systemMenu) const {
    const std::vector<LibraryEdit>& steps = redo ? m_redo : m_undo;
    // The system menu's R is Restore's.
    std::string text = !redo ? "&Undo" : systemMenu ? "Re&do" : "&Redo";
    if (!steps.empty()) {
        const std::string& title = steps.back().title;
        std::string shown;
        for (char c : title.substr(0, kLongestMenuTitle))
            shown += c == '&' ? "&&" : std::string(1, c); // a title's & is no access key
        if (title.size() > kLongestMenuTitle)
            shown += "...";
        text += std::string(" ") + steps.back().command + " of \"" + shown + "\"";
    }
    return text + (redo ? "\tCtrl+Y" : "\tCtrl+Z");
}

void CSetupDlg::AppendUndoMenu(HMENU menu, bool systemMenu) const {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | (m_undo.empty() ? MF_GRAYED : 0), IDM_UNDO_LIBRARY,
                UndoMenuText(false, systemMenu).c_str());
    AppendMenuA(menu, MF_STRING | (m_redo.empty() ? MF_GRAYED : 0), IDM_REDO_LIBRARY,
                UndoMenuText(true, systemMenu).c_str());
}

void CSetupDlg::UpdateSystemUndoMenu() const {
    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    if (menu == nullptr)
        return;
    ModifyMenuA(menu, IDM_UNDO_LIBRARY, MF_BYCOMMAND | MF_STRING | (m_undo.empty() ? MF_GRAYED : 0),
                IDM_UNDO_LIBRARY, UndoMenuText(false, true).c_str());
    ModifyMenuA(menu, IDM_REDO_LIBRARY, MF_BYCOMMAND | MF_STRING | (m_redo.empty() ? MF_GRAYED : 0),
                IDM_REDO_LIBRARY, UndoMenuText(true, true).c_str());
}
