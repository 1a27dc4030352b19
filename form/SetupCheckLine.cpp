// The live check of the setup: the line under the form, the boxes it marks, their tool tips,
// the same for the keyboard and screen readers (a tip under the focused box, the boxes'
// descriptions, the whole list on request) and the command that mends ship designations.  It
// reads the controls as they stand and changes nothing that PLAY or SAVE use.
#include "form/SetupDlg.h"

#include "form/CheckLineLayout.h"
#include "framework/AccessibleName.h"
#include "framework/ColourContrast.h"
#include "framework/File.h"
#include "library/GameSetText.h"
#include "resources/resource.h"
#include "script/ScriptSettings.h"
#include "script/SetupCheck.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

namespace {

const COLORREF kProblemColour = RGB(192, 0, 0), kLightProblemColour = RGB(255, 150, 150);

const char kCodeTipText[] = "Players whose Kestrine shows the same code will play the same game.";

// The control a problem marks; 0 for none.
int MarkedBox(const SetupProblem& problem) {
    switch (problem.mark) {
    case SetupMark::ShipBox:
        return kSlots[problem.slot].shipId;
    case SetupMark::PositionBox:
        return kSlots[problem.slot].posId;
    case SetupMark::DifficultyBox:
        return IDC_DIFFICULTY;
    case SetupMark::None:
        break;
    }
    return 0;
}

} // namespace

// Red, or a light red on a dark scheme, where it stands out from `background` at least 4.5 to
// 1; otherwise, and under a high-contrast scheme, the system's text colour `text`.
COLORREF StandOutColour(int background, int text) {
    HIGHCONTRASTA scheme{};
    scheme.cbSize = sizeof scheme;
    const bool highContrast =
        SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof scheme, &scheme, 0) &&
        (scheme.dwFlags & HCF_HIGHCONTRASTON);
    for (COLORREF red : {kProblemColour, kLightProblemColour}) {
        if (!highContrast && ContrastRatio(red, GetSysColor(background)) >= 4.5)
            return red;
    }
    return GetSysColor(text);
}

COLORREF MarkColour() {
    return StandOutColour(COLOR_BTNFACE, COLOR_BTNTEXT);
}

COLORREF MarkedTextColour() {
    return StandOutColour(COLOR_WINDOW, COLOR_WINDOWTEXT);
}

namespace {

// A tool whose text the form gives when asked (`text` null), or whose text the tips keep.
TOOLINFOA Tool(HWND owner, UINT_PTR id, const char* text = nullptr, UINT flags = 0,
               const RECT& place = RECT{}) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = flags;
    tool.hwnd = owner;
    tool.uId = id;
    tool.rect = place;
    tool.lpszText = text != nullptr ? const_cast<char*>(text) : LPSTR_TEXTCALLBACKA;
    return tool;
}

void TipMessage(HWND tips, UINT message, TOOLINFOA tool) {
    ::SendMessageA(tips, message, 0, reinterpret_cast<LPARAM>(&tool));
}

// The height of a line of text in the font selected into `dc`.
int LineHeight(HDC dc) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    return std::max(1, int(metrics.tmHeight));
}

// The check line's font, selected for measuring, and the height of a line of its text.
struct LineFont {
    explicit LineFont(HWND line)
        : line(line), dc(::GetDC(line)),
          old(SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(line, WM_GETFONT, 0, 0)))),
          height(LineHeight(dc)) {}
    ~LineFont() {
        SelectObject(dc, old);
        ::ReleaseDC(line, dc);
    }
    HWND line;
    HDC dc;
    HGDIOBJ old;
    int height;
};

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
        TipMessage(m_hCheckTips, TTM_ADDTOOLA,
                   Tool(m_hWnd, reinterpret_cast<UINT_PTR>(control), nullptr,
                        TTF_IDISHWND | TTF_SUBCLASS));
    };
    // Over the line, the code's place says what the code is for and the rest lists the problems:
    // the tip changes as the mouse moves from one to the other.  The line's tips hold their
    // texts, as a static control passes no notification on to the form.
    HWND line = GetDlgItem(IDC_SETUP_CHECK);
    RECT whole;
    ::GetClientRect(line, &whole);
    TipMessage(m_hCheckTips, TTM_ADDTOOLA,
               Tool(line, kCodeTip, kCodeTipText, TTF_SUBCLASS, m_codeRect));
    TipMessage(m_hCheckTips, TTM_ADDTOOLA,
               Tool(line, kLineTip, m_strProblems.c_str(), TTF_SUBCLASS, whole));
    for (const SlotInfo& slot : kSlots) {
        addTool(GetDlgItem(slot.shipId));
        addTool(GetDlgItem(slot.posId));
        if (HWND edit = FindWindowExA(GetDlgItem(slot.posId), nullptr, "Edit", nullptr))
            addTool(edit); // the mouse over a position box is over its edit field
    }
    TipMessage(m_hCheckTips, TTM_ADDTOOLA,
               Tool(m_hWnd, kFocusTip, nullptr, TTF_TRACK | TTF_ABSOLUTE));
}

void CSetupDlg::RefreshSetupCheck() {
    HWND line = GetDlgItem(IDC_SETUP_CHECK);
    if (line == nullptr)
        return;
    // The form as shown, checked, and coded as "Copy game set" would hand it over.
    UpdateData(true);
    const PlayValues setup = ValuesOfForm();
    std::vector<SetupProblem> problems = m_gameProblems;
    std::vector<SetupProblem> ofSetup = CheckSetup(setup);
    // Where the game's files are the trouble, an empty form's own gaps (no ship, no option, no
    // difficulty) are not counted: the line keeps its room for what to do first.
    if (!m_gameProblems.empty() && setup.flags == 0 && !HasAnyShip(setup))
        ofSetup.clear();
    const std::string typed = m_cbDifficulty.GetWindowText();
    for (SetupProblem& problem : ofSetup) {
        if (problem.mark == SetupMark::DifficultyBox && !typed.empty())
            problem = UnknownDifficulty(typed);
    }
    problems.insert(problems.end(), ofSetup.begin(), ofSetup.end());
    const std::string summary = CheckSummary(problems);
    // The code of what the game will hold after PLAY, as every other place shows it.
    const std::string code = SetupCodeOf(setup);
    // A screen reader speaks the line again for new problems, not for each keystroke's code:
    // the line's text (whose change Windows announces itself) changes with the problems only,
    // and its accessible name is made of both.
    if (summary != m_strCheckSummary) {
        ::SetWindowTextA(line, CheckLine(problems, code).c_str());
        NotifyNameChange(line);
    }
    const bool redraw = summary != m_strCheckSummary || code != m_strCode;
    m_strCheckSummary = summary;
    m_strCode = code;
    if (redraw) {
        FitCheckLine();
        ::InvalidateRect(line, nullptr, TRUE);
    }

    std::string all;
    std::map<int, std::string> boxProblems;
    for (const SetupProblem& problem : problems) {
        all += (all.empty() ? "" : "\r\n") + problem.text;
        if (const int box = MarkedBox(problem)) {
            std::string& ofBox = boxProblems[box];
            ofBox += (ofBox.empty() ? "" : "\r\n") + problem.text;
        }
    }
    if (all != m_strProblems && m_hCheckTips != nullptr)
        TipMessage(m_hCheckTips, TTM_UPDATETIPTEXTA, Tool(line, kLineTip, all.c_str()));
    m_strProblems = std::move(all);
    // A box whose mark comes or goes is drawn again, with the mark under it, and a screen
    // reader hears that its description (its problems) changed.
    for (const auto* marks : {&m_boxProblems, &boxProblems}) {
        for (const auto& [id, text] : *marks) {
            if (m_boxProblems.count(id) == boxProblems.count(id))
                continue;
            HWND box = GetDlgItem(id);
            ::InvalidateRect(box, nullptr, TRUE);
            const RECT mark = MarkRect(box);
            ::InvalidateRect(m_hWnd, &mark, TRUE);
            NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, box, OBJID_CLIENT, CHILDID_SELF);
        }
    }
    m_boxProblems = std::move(boxProblems);
    // The tip under the focused box follows typing: mended in place, the box loses it; a
    // problem typed in shows at once.
    HWND focus = ::GetFocus() != nullptr ? BoxOf(::GetFocus()) : nullptr;
    if (focus != nullptr && ::GetParent(focus) == m_hWnd && IsCheckedBox(GetDlgCtrlID(focus)))
        ShowFocusProblems(focus);
}

// The game's files as PLAY would find them now: what keeps it from them goes first on the line.
void CSetupDlg::CheckGameFiles() {
    std::string path, why;
    const GameFiles state = theScriptSettings.CheckFiles(path, &why);
    m_gameProblems.clear();
    if (state != GameFiles::Ready)
        m_gameProblems.push_back(GameFilesProblem(state, path, why));
}

// A mark is a bar under the box, apart from its frame: seen whether the box is empty, disabled
// or filled.  Two pixels at 96 DPI, more as the screen's DPI grows; in screen coordinates where
// `onScreen`.
RECT CSetupDlg::MarkRect(HWND box, bool onScreen) const {
    RECT shown;
    ::GetWindowRect(box, &shown);
    if (!onScreen)
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&shown), 2);
    HDC screen = ::GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    const int gap = std::max(1, MulDiv(1, dpi, 96)), bar = std::max(2, MulDiv(2, dpi, 96));
    return RECT{shown.left, shown.bottom + gap, shown.right, shown.bottom + gap + bar};
}

void CSetupDlg::PaintMarks(HDC dc) const {
    if (m_boxProblems.empty())
        return;
    HBRUSH brush = CreateSolidBrush(MarkColour());
    for (const auto& entry : m_boxProblems) {
        const RECT mark = MarkRect(GetDlgItem(entry.first));
        FillRect(dc, &mark, brush);
    }
    DeleteObject(brush);
}

// The line has two lines of text; where the game's files keep PLAY from the game, the form
// grows until what to do about them shows whole.  It shrinks back once they are ready.
void CSetupDlg::FitCheckLine() {
    HWND line = GetDlgItem(IDC_SETUP_CHECK);
    RECT shown;
    ::GetWindowRect(line, &shown);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&shown), 2);
    const int height = shown.bottom - shown.top;
    if (m_checkLineHeight == 0)
        m_checkLineHeight = height; // as the template lays it out, two lines
    LineFont font(line);
    const int lines = int(LayOutCheckLine(font.dc, shown.right - shown.left,
                                          m_gameProblems.empty() ? 2 : kMostCheckLines,
                                          m_strCheckSummary, CodeText())
                              .lines.size());
    const int wanted = std::max(m_checkLineHeight, lines * font.height);
    if (wanted == height)
        return;
    ::SetWindowPos(line, nullptr, 0, 0, shown.right - shown.left, wanted,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT form;
    ::GetWindowRect(m_hWnd, &form);
    const int formHeight = form.bottom - form.top + wanted - height;
    // Grown, the form moves up as far as it must to stay above the screen's foot (a laptop's
    // screen at 150 % has little room below it).
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    if (GetMonitorInfoA(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &screen) &&
        form.top + formHeight > screen.rcWork.bottom)
        form.top = std::max(screen.rcWork.top, screen.rcWork.bottom - formHeight);
    ::SetWindowPos(m_hWnd, nullptr, form.left, form.top, form.right - form.left, formHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_hCheckTips != nullptr)
        TipMessage(m_hCheckTips, TTM_NEWTOOLRECTA,
                   Tool(line, kLineTip, nullptr, 0, RECT{0, 0, shown.right - shown.left, wanted}));
}

std::string CSetupDlg::CodeText() const {
    return m_strCode.empty() ? std::string() : "Code " + m_strCode;
}

// The problems from the top, the set's code at the end of the last line, always whole.
void CSetupDlg::DrawCheckLine(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const HGDIOBJ font =
        SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const int lineHeight = LineHeight(dc);
    const RECT& whole = item.rcItem;
    const std::string code = CodeText();
    const CheckLineLayout layout = LayOutCheckLine(
        dc, whole.right - whole.left, std::max(1, int(whole.bottom - whole.top) / lineHeight),
        m_strCheckSummary, code);
    const UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_TOP;
    RECT place = whole;
    for (const std::string& text : layout.lines) {
        place.bottom = place.top + lineHeight;
        DrawTextA(dc, text.c_str(), int(text.size()), &place, flags | DT_LEFT);
        place.top = place.bottom;
    }
    m_checkLines = layout.lines;
    const int lastTop = whole.top + lineHeight * std::max(0, int(layout.lines.size()) - 1);
    m_codeRect = RECT{whole.left + layout.codeLeft, lastTop, whole.right, lastTop + lineHeight};
    DrawTextA(dc, code.c_str(), int(code.size()), &m_codeRect, flags | DT_RIGHT);
    SelectObject(dc, font);
    if (m_hCheckTips != nullptr)
        TipMessage(m_hCheckTips, TTM_NEWTOOLRECTA,
                   Tool(item.hwndItem, kCodeTip, nullptr, 0, m_codeRect));
}

// A combo box's edit field is a child of the box.
HWND CSetupDlg::BoxOf(HWND control) const {
    return ::GetParent(control) == m_hWnd ? control : ::GetParent(control);
}

const std::string& CSetupDlg::ProblemsOf(HWND control) const {
    static const std::string none;
    const auto found = m_boxProblems.find(GetDlgCtrlID(BoxOf(control)));
    return found != m_boxProblems.end() ? found->second : none;
}

HBRUSH CSetupDlg::OnCtlColorEdit(HDC dc, HWND control) {
    if (ProblemsOf(control).empty())
        return nullptr;
    SetTextColor(dc, MarkedTextColour());
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
    m_strMouseProblems = MarkedFirst(ProblemsOf(control));
    info->lpszText = const_cast<char*>(m_strMouseProblems.c_str());
    return true;
}

std::string CSetupDlg::MarkedFirst(const std::string& ofBox) const {
    if (ofBox.empty())
        return std::string();
    std::string others;
    size_t start = 0;
    while (start < m_strProblems.size()) {
        size_t end = m_strProblems.find("\r\n", start);
        end = end == std::string::npos ? m_strProblems.size() : end;
        const std::string problem = m_strProblems.substr(start, end - start);
        if (("\r\n" + ofBox + "\r\n").find("\r\n" + problem + "\r\n") == std::string::npos)
            others += "\r\n" + problem;
        start = end + 2;
    }
    return ofBox + others;
}

// Moving the focus onto a marked box shows its problems under it, as the mouse would; null
// (the focus gone elsewhere) hides them.
void CSetupDlg::ShowFocusProblems(HWND box) {
    if (m_hCheckTips == nullptr)
        return;
    const TOOLINFOA tool = Tool(m_hWnd, kFocusTip);
    m_strFocusProblems = box != nullptr ? ProblemsOf(box) : std::string();
    if (m_strFocusProblems.empty()) {
        ::SendMessageA(m_hCheckTips, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    // Under the box's own mark, never past the form's right edge.
    const RECT mark = MarkRect(box, true);
    ::SendMessageA(m_hCheckTips, TTM_TRACKPOSITION, 0, MAKELPARAM(mark.left, mark.bottom + 1));
    ::SendMessageA(m_hCheckTips, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageA(m_hCheckTips, TTM_UPDATE, 0, 0);
    RECT tip, form;
    ::GetWindowRect(m_hCheckTips, &tip);
    ::GetWindowRect(m_hWnd, &form);
    if (tip.right > form.right)
        ::SendMessageA(
            m_hCheckTips, TTM_TRACKPOSITION, 0,
            MAKELPARAM(std::max(form.left, form.right - (tip.right - tip.left)), mark.bottom + 1));
}

bool CSetupDlg::IsCheckedBox(int id) {
    return SlotOfShip(id) >= 0 || SlotOfPosition(id) >= 0 || id == IDC_DIFFICULTY;
}

void CSetupDlg::OnSlotBoxFocus(int id, UINT code) {
    const bool box = IsCheckedBox(id);
    if (box && (code == EN_SETFOCUS || code == CBN_SETFOCUS))
        ShowFocusProblems(GetDlgItem(id));
    else if (box && (code == EN_KILLFOCUS || code == CBN_KILLFOCUS))
        ShowFocusProblems(nullptr);
}

// Every problem in one window a screen reader reads whole.
void CSetupDlg::OnShowSetupProblems() {
    RefreshSetupCheck();
    const std::string code = "Code " + m_strCode;
    MessageBox(m_strProblems.empty() ? "Ready for the game: the check sees no problem.\n\n" + code
                                     : "Setup problems:\n\n" + m_strProblems + "\n\n" + code,
               nullptr, MB_OK | (m_strProblems.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
}

void CSetupDlg::OnFixDesignations() {
    // As if the host typed them: each change reaches the script settings as an edit does.  A
    // ship the check finds ready stays as it was typed.
    for (const SlotInfo& slot : kSlots) {
        HWND ship = GetDlgItem(slot.shipId);
        if (ProblemsOf(ship).empty())
            continue;
        const std::string text = WindowText(ship);
        const std::string fixed = FixedDesignation(text);
        if (fixed != text)
            ::SetWindowTextA(ship, fixed.c_str());
    }
    RefreshSetupCheck();
}
