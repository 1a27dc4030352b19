// The live check of the setup: the line under the form, the boxes it marks, their tool tips
// and the command that mends ship designations.  It reads the controls as they stand and
// changes nothing that PLAY or SAVE use.
#include "form/SetupDlg.h"

#include "library/GameSetText.h"
#include "resources/resource.h"
#include "script/SetupCheck.h"

#include <commctrl.h>

namespace {

const COLORREF kProblemColour = RGB(192, 0, 0);

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
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        ::SendMessageA(m_hCheckTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    };
    addTool(GetDlgItem(IDC_SETUP_CHECK));
    for (const SlotInfo& slot : kSlots) {
        addTool(GetDlgItem(slot.shipId));
        addTool(GetDlgItem(slot.posId));
        if (HWND edit = FindWindowExA(GetDlgItem(slot.posId), nullptr, "Edit", nullptr))
            addTool(edit); // the mouse over a position box is over its edit field
    }
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
    if (WindowText(line) != text)
        ::SetWindowTextA(line, text.c_str());

    m_strProblems.clear();
    bool marks[2][kSlotCount] = {};
    for (const SetupProblem& problem : problems) {
        m_strProblems += (m_strProblems.empty() ? "" : "\r\n") + problem.text;
        if (problem.mark != SetupMark::None)
            marks[problem.mark == SetupMark::PositionBox ? 1 : 0][problem.slot] = true;
    }
    for (int kind = 0; kind < 2; ++kind) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (marks[kind][slot] == m_bMarked[kind][slot])
                continue;
            m_bMarked[kind][slot] = marks[kind][slot];
            ::InvalidateRect(GetDlgItem(kind ? kSlots[slot].posId : kSlots[slot].shipId), nullptr,
                             TRUE);
        }
    }
}

bool CSetupDlg::IsMarked(HWND control) const {
    // A position box's edit field is a child of the box.
    HWND box = ::GetParent(control) == m_hWnd ? control : ::GetParent(control);
    const int id = GetDlgCtrlID(box);
    const int shipSlot = SlotOfShip(id), positionSlot = SlotOfPosition(id);
    return (shipSlot >= 0 && m_bMarked[0][shipSlot]) ||
           (positionSlot >= 0 && m_bMarked[1][positionSlot]);
}

HBRUSH CSetupDlg::OnCtlColorEdit(HDC dc, HWND control) {
    if (!IsMarked(control))
        return nullptr;
    SetTextColor(dc, kProblemColour);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
}

// The tips show every problem, over the check line and over a marked box.
bool CSetupDlg::OnSetupCheckTip(LPARAM notification) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(notification);
    if (info->hdr.hwndFrom != m_hCheckTips || info->hdr.code != TTN_GETDISPINFOA)
        return false;
    HWND control = reinterpret_cast<HWND>(info->hdr.idFrom);
    const bool shows = GetDlgCtrlID(control) == IDC_SETUP_CHECK || IsMarked(control);
    info->lpszText = const_cast<char*>(shows ? m_strProblems.c_str() : "");
    return true;
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
