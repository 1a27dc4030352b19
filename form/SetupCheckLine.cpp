// The live check of the setup: the line under the form, the boxes it marks, their tool tips,
// the same for the keyboard and screen readers (a tip under the focused box, the boxes'
// descriptions, the whole list on request) and the command that mends ship designations.  It
// reads the controls as they stand and changes nothing that PLAY or SAVE use.
#include "form/SetupDlg.h"

#include "framework/AccessibleName.h"
#include "framework/File.h"
#include "library/GameSetText.h"
#include "resources/resource.h"
#include "script/SetupCheck.h"

#include <commctrl.h>

namespace {

const COLORREF kProblemColour = RGB(192, 0, 0);

// The tip shown under the focused box, beside the tips that follow the mouse.
const UINT_PTR kFocusTip = 1;

void AddTip(HWND tips, HWND owner, UINT flags, UINT_PTR id) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = flags;
    tool.hwnd = owner;
    tool.uId = id;
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    ::SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace

void CSetupDlg::CreateCheckTips() {
    m_hCheckTips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    if (m_hCheckTips == nullptr)
        return;
    ::SendMessageA(m_hCheckTips, TTM_SETMAXTIPWIDTH, 0, 480);
    ::SendMessageA(m_hCheckTips, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
    auto addTool = [this](HWND control) {
        AddTip(m_hCheckTips, m_hWnd, TTF_IDISHWND | TTF_SUBCLASS,
               reinterpret_cast<UINT_PTR>(control));
    };
    addTool(GetDlgItem(IDC_SETUP_CHECK));
    for (const SlotInfo& slot : kSlots) {
        addTool(GetDlgItem(slot.shipId));
        addTool(GetDlgItem(slot.posId));
        if (HWND edit = FindWindowExA(GetDlgItem(slot.posId), nullptr, "Edit", nullptr))
            addTool(edit); // the mouse over a position box is over its edit field
    }
    AddTip(m_hCheckTips, m_hWnd, TTF_TRACK | TTF_ABSOLUTE, kFocusTip);
}

void CSetupDlg::RefreshSetupCheck() {
    HWND line = GetDlgItem(IDC_SETUP_CHECK);
    if (line == nullptr)
        return;
    // The form as shown, checked, and coded as "Copy game set" would hand it over.
    UpdateData(true);
    const PlayValues setup = ValuesOfForm();
    const std::vector<SetupProblem> problems = CheckSetup(setup);
    const std::string text = CheckLine(problems, SetupCode(WriteGameSetText(setup)));
    if (WindowText(line) != text) {
        ::SetWindowTextA(line, text.c_str());
        NotifyNameChange(line); // a screen reader speaks the line again
    }

    m_strProblems.clear();
    std::string boxProblems[2][kSlotCount];
    for (const SetupProblem& problem : problems) {
        m_strProblems += (m_strProblems.empty() ? "" : "\r\n") + problem.text;
        if (problem.mark == SetupMark::None)
            continue;
        std::string& ofBox =
            boxProblems[problem.mark == SetupMark::PositionBox ? 1 : 0][problem.slot];
        ofBox += (ofBox.empty() ? "" : "\r\n") + problem.text;
    }
    for (int kind = 0; kind < 2; ++kind) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const bool wasMarked = !m_strBoxProblems[kind][slot].empty();
            m_strBoxProblems[kind][slot] = boxProblems[kind][slot];
            if (wasMarked != !boxProblems[kind][slot].empty())
                ::InvalidateRect(GetDlgItem(kind ? kSlots[slot].posId : kSlots[slot].shipId),
                                 nullptr, TRUE);
        }
    }
}

const std::string& CSetupDlg::ProblemsOf(HWND control) const {
    static const std::string none;
    // A position box's edit field is a child of the box.
    HWND box = ::GetParent(control) == m_hWnd ? control : ::GetParent(control);
    const int id = GetDlgCtrlID(box);
    if (const int slot = SlotOfShip(id); slot >= 0)
        return m_strBoxProblems[0][slot];
    if (const int slot = SlotOfPosition(id); slot >= 0)
        return m_strBoxProblems[1][slot];
    return none;
}

HBRUSH CSetupDlg::OnCtlColorEdit(HDC dc, HWND control) {
    if (ProblemsOf(control).empty())
        return nullptr;
    SetTextColor(dc, kProblemColour);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
}

// The tips show every problem, over the check line and over a marked box; under the focused
// box, its own.
bool CSetupDlg::OnSetupCheckTip(LPARAM notification) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(notification);
    if (info->hdr.hwndFrom != m_hCheckTips || info->hdr.code != TTN_GETDISPINFOA)
        return false;
    if (info->hdr.idFrom == kFocusTip) {
        info->lpszText = const_cast<char*>(m_strFocusProblems.c_str());
        return true;
    }
    HWND control = reinterpret_cast<HWND>(info->hdr.idFrom);
    const bool shows = GetDlgCtrlID(control) == IDC_SETUP_CHECK || !ProblemsOf(control).empty();
    info->lpszText = const_cast<char*>(shows ? m_strProblems.c_str() : "");
    return true;
}

// Moving the focus onto a marked box shows its problems under it, as the mouse would; null
// (the focus gone elsewhere) hides them.
void CSetupDlg::ShowFocusProblems(HWND box) {
    if (m_hCheckTips == nullptr)
        return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = m_hWnd;
    tool.uId = kFocusTip;
    m_strFocusProblems = box != nullptr ? ProblemsOf(box) : std::string();
    if (m_strFocusProblems.empty()) {
        ::SendMessageA(m_hCheckTips, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    RECT shown;
    ::GetWindowRect(box, &shown);
    ::SendMessageA(m_hCheckTips, TTM_TRACKPOSITION, 0, MAKELPARAM(shown.left, shown.bottom + 2));
    ::SendMessageA(m_hCheckTips, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageA(m_hCheckTips, TTM_UPDATE, 0, 0);
}

void CSetupDlg::OnSlotBoxFocus(int id, UINT code) {
    const bool box = SlotOfShip(id) >= 0 || SlotOfPosition(id) >= 0;
    if (box && (code == EN_SETFOCUS || code == CBN_SETFOCUS))
        ShowFocusProblems(GetDlgItem(id));
    else if (box && (code == EN_KILLFOCUS || code == CBN_KILLFOCUS))
        ShowFocusProblems(nullptr);
}

// Every problem in one window a screen reader reads whole.
void CSetupDlg::OnShowSetupProblems() {
    RefreshSetupCheck();
    const std::string line = WindowText(GetDlgItem(IDC_SETUP_CHECK));
    const std::string code = line.substr(line.rfind(" Code ") + 1);
    MessageBox(m_strProblems.empty() ? "Ready for the game: the check sees no problem.\n\n" + code
                                     : "Setup problems:\n\n" + m_strProblems + "\n\n" + code,
               nullptr, MB_OK | (m_strProblems.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
}

// Names for screen readers where a box has no label of its own, and the problems of a marked
// box as its description.
void CSetupDlg::NameControlsForReaders() {
    for (const SlotInfo& slot : kSlots) {
        for (const auto& [id, what] : {std::make_pair(slot.shipId, " ship"),
                                       std::make_pair(slot.posId, " start position")}) {
            HWND box = GetDlgItem(id);
            const std::wstring name = WideText(std::string(slot.name) + what);
            SetAccessibleName(
                box, [name] { return name; }, [this, box] { return WideText(ProblemsOf(box)); });
        }
    }
    SetAccessibleName(GetDlgItem(IDC_GAMESET), L"Game set title");
    HWND line = GetDlgItem(IDC_SETUP_CHECK);
    SetAccessibleName(line, [line] { return L"Setup check: " + WideText(WindowText(line)); });
}

void CSetupDlg::OnFixDesignations() {
    // As if the host typed them: each change reaches the script settings as an edit does.
    for (const SlotInfo& slot : kSlots) {
        HWND ship = GetDlgItem(slot.shipId);
        const std::string text = WindowText(ship);
        const std::string fixed = FixedDesignation(text);
        if (fixed != text)
            ::SetWindowTextA(ship, fixed.c_str());
    }
    RefreshSetupCheck();
}
