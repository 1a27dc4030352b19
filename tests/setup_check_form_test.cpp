// The live check on the real form under Wine: the line under the form, the marks, the tips and
// the command that mends ship designations, as the host types, picks, pastes and chooses.
#include "form/CheckLineLayout.h"
#include "framework/Clipboard.h"
#include "framework/ColourContrast.h"
#include "framework/File.h"
#include "resources/resource.h"
#include "script/ScriptSettings.h"
#include "script/SetupCheck.h"
#include "support/FormHarness.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

namespace {

const SlotInfo &P1 = kSlots[0], &P2 = kSlots[1], &A1 = kSlots[6];

class SetupCheckForm : public FormTest {
protected:
    // The line without its code, and the code on its own.
    std::string Said() const { return dlg->CheckSummaryShown(); }
    // The line's words as drawn, without the spaces where they wrap: the same as Said() when
    // nothing is cut.
    std::string Drawn() {
        UpdateWindow(Item(IDC_SETUP_CHECK));
        std::string drawn;
        for (const std::string& line : dlg->CheckLinesShown())
            drawn += line;
        return WithoutSpaces(drawn);
    }
    // The tip shown once a real mouse has moved to `at` (screen coordinates) and rested there
    // until the tip's text differs from `before`.
    std::string TipOnceTheMouseRestsAt(POINT at, const std::string& before) {
        MoveMouseTo(at);
        std::string shown;
        for (int wait = 0; wait < 150 && (shown.empty() || shown == before); ++wait) {
            Sleep(20);
            dlg->PumpWaitingMessages();
            shown = IsWindowVisible(dlg->CheckTips()) ? WindowText(dlg->CheckTips()) : "";
        }
        return shown;
    }
    static void MoveMouseTo(POINT at) {
        INPUT move{};
        move.type = INPUT_MOUSE;
        move.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        move.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        EXPECT_EQ(SendInput(1, &move, sizeof move), 1u);
    }
    static std::string WithoutSpaces(std::string text) {
        text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
        return text;
    }
    std::string Code() const { return dlg->CodeShown(); }
    // The code of what "Copy game set" puts on the clipboard.
    std::string CodeOfCopy() {
        Command(IDM_COPY_GAMESET);
        std::wstring text;
        GetClipboardText(nullptr, text);
        return SetupCode(CodePageText(text));
    }
    bool Marked(int id) {
        HDC dc = CreateCompatibleDC(nullptr);
        HWND box = EditOf(id) ? EditOf(id) : Item(id);
        LRESULT brush = SendMessageA(dlg->GetSafeHwnd(), WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(box));
        // Marked text stands out from the system's own text colour.
        const bool marked = brush != 0 && GetTextColor(dc) != GetSysColor(COLOR_WINDOWTEXT);
        DeleteDC(dc);
        return marked;
    }
    std::string Tip(HWND control) { return Tip(UINT_PTR(control)); }
    std::string LineTip() { return Tip(CSetupDlg::kLineTip, Item(IDC_SETUP_CHECK)); }
    std::string Tip(UINT_PTR tipId, HWND owner = nullptr) {
        // The text the tip shows (TTM_GETTEXTA gives 80 characters at most).
        wchar_t text[1024] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = owner != nullptr ? owner : dlg->GetSafeHwnd();
        tool.uId = tipId;
        tool.lpszText = text;
        SendMessageW(dlg->CheckTips(), TTM_GETTEXTW, sizeof text / sizeof *text, LPARAM(&tool));
        return CodePageText(text);
    }
};

TEST_F(SetupCheckForm, TheLineMarksAndTipsFollowWhatTheHostDoes) {
    GameSetMap sets;
    CShipData& ready = *(sets["Ready"] = std::make_unique<CShipData>());
    ready.m_strTitle = ready.m_strGameSet = "Ready";
    ready.m_strShip[0] = "\"N-QRE\"";
    ready.m_strPos[0] = "G";
    ready.m_bSlot[0] = ready.m_bHostSelected = 1;
    StoreLibraryFile(sets);
    Open("shipP1=\"N-QRE\"\r\np1Pos=0\r\nshipP2=n-qrf\r\np2Pos=1\r\nshipSettings=4\r\n");
    EXPECT_EQ(Said(), "1 problem. P2: the ship needs double quotation marks, as \"N-QRF\".");
    EXPECT_EQ(Code(), CodeOfCopy()); // the code of what is handed to the other players
    EXPECT_TRUE(Marked(P2.shipId));
    EXPECT_FALSE(Marked(P1.shipId));
    EXPECT_FALSE(Marked(P2.posId));
    EXPECT_EQ(LineTip(), "P2: the ship needs double quotation marks, as \"N-QRF\".");
    EXPECT_EQ(Tip(Item(P2.shipId)), LineTip());
    EXPECT_EQ(Tip(Item(P1.shipId)), "");

    // Typing, ticking and picking update it at once.
    const std::string before = Code();
    Click(A1.checkId);
    Type(A1.shipId, "x");
    EXPECT_EQ(Said(), "3 problems in 2 slots, listed under Show setup problems. P2: the ship needs "
                      "double quotation marks, as \"N-QRF\".");
    EXPECT_TRUE(Marked(A1.posId));
    EXPECT_NE(Code(), before);
    Type(A1.posId, "h"); // the same position as P2
    EXPECT_NE(LineTip().find("A1: the ship starts at H like P2; each needs a position of its own."),
              std::string::npos)
        << LineTip();

    // The fix, the right-click menu's last entry (the system menu's is listed with the sharing
    // commands), mends what it can, as typing would, and leaves the rest marked.
    PickFromRightClickMenu(IDM_FIX_DESIGNATIONS);
    EXPECT_EQ(Texts({P1.shipId, P2.shipId, A1.shipId}), "\"N-QRE\"|\"N-QRF\"|x");
    EXPECT_EQ(theScriptSettings.GetShip(1), "\"N-QRF\"");
    EXPECT_FALSE(Marked(P2.shipId));
    EXPECT_TRUE(Marked(A1.shipId));
    EXPECT_EQ(Said(), "2 problems in 1 slot, listed under Show setup problems. A1: the ship needs "
                      "double quotation marks, as \"N-QRF\".");

    // A pasted or a stored set is checked as it comes in.
    SetClipboardText(nullptr, "[Mul_Kestrine]\r\nshipA1=T-MWA\r\na1Pos=3\r\nshipSettings=2\r\n");
    Command(IDM_PASTE_GAMESET);
    EXPECT_EQ(Said(), "1 problem. A1: the ship needs double quotation marks, as \"N-QRF\".");
    Pick(IDC_GAMESET, 0);
    EXPECT_EQ(Said(), "Ready for the game.");
    EXPECT_EQ(Code(), CodeOfCopy());
    EXPECT_TRUE(boxes.empty());
}

// The line names the first problem before the count's words crowd it out and ends with the
// whole code; a real mouse moving along it from the problems to the code changes the tip.
TEST_F(SetupCheckForm, TheLineShowsTheFirstProblemAndTheWholeCode) {
    // The longest problem of a slot first, after a count of slots.
    Open("shipA4=\"n-qrf\"\r\na4Pos=3\r\nshipA5=x\r\na5Pos=99\r\nshipSettings=4\r\n");
    const std::string first = "A4: a designation is capital letters and digits in two or more "
                              "parts joined by hyphens, as \"N-QRF\".";
    ASSERT_EQ(Said(), "3 problems in 2 slots, listed under Show setup problems. " + first);
    EXPECT_NE(Drawn().find(WithoutSpaces(first.substr(0, 4 + 40))), std::string::npos) << Drawn();
    HWND line = Item(IDC_SETUP_CHECK);
    RECT client;
    GetClientRect(line, &client);
    // The line drawn into a picture of its own size.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, client.right, client.bottom);
    SelectObject(dc, picture);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.CtlID = IDC_SETUP_CHECK;
    item.hwndItem = line;
    item.hDC = dc;
    item.rcItem = client;
    SendMessageA(dlg->GetSafeHwnd(), WM_DRAWITEM, IDC_SETUP_CHECK, LPARAM(&item));
    const RECT place = dlg->CodePlace();
    SelectObject(dc, HFONT(SendMessageA(line, WM_GETFONT, 0, 0)));
    const std::string code = "Code " + Code();
    SIZE codeSize{};
    GetTextExtentPoint32A(dc, code.c_str(), int(code.size()), &codeSize);
    EXPECT_EQ(place.right, client.right); // inside the line, at its end, wide enough for it
    EXPECT_GE(place.right - place.left, codeSize.cx);
    int inked = 0; // and something is drawn there
    for (int x = place.left; x < place.right; ++x) {
        for (int y = place.top; y < place.bottom; ++y)
            inked += GetPixel(dc, x, y) != GetSysColor(COLOR_BTNFACE);
    }
    EXPECT_GT(inked, 20);
    DeleteDC(dc);
    DeleteObject(picture);
    ReleaseDC(nullptr, screen);

    // A user moves the mouse onto the problems, waits for the tip, then moves on to the code.
    SetForegroundWindow(dlg->GetSafeHwnd());
    RECT shown = place, whole;
    MapWindowPoints(line, nullptr, reinterpret_cast<POINT*>(&shown), 2);
    GetWindowRect(line, &whole);
    const std::string problems = TipOnceTheMouseRestsAt({whole.left + 20, whole.top + 3}, "");
    EXPECT_EQ(problems.rfind(first, 0), 0u) << problems;
    EXPECT_EQ(TipOnceTheMouseRestsAt(
                  {(shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2}, problems),
              "Players whose Kestrine shows the same code will play the same game.");
    MoveMouseTo({0, 0});
}

// Every box a problem names shows a mark under it, also when it is empty or disabled, in a
// colour that stands out from the form; a difficulty the game does not know is one.
TEST_F(SetupCheckForm, MarksShowOnEmptyAndDisabledBoxes) {
    Open("shipA1=x\r\nshipSettings=4\r\n"); // A1's boxes are disabled until its slot is ticked
    ASSERT_FALSE(Enabled(A1.shipId));
    EXPECT_EQ(Text(A1.posId), "");
    SetForegroundWindow(dlg->GetSafeHwnd());
    RedrawWindow(dlg->GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    auto markRows = [this](int id) { // the bar's height under the box, apart from its frame
        RECT box;
        GetWindowRect(Item(id), &box);
        MapWindowPoints(nullptr, dlg->GetSafeHwnd(), reinterpret_cast<POINT*>(&box), 2);
        HDC dc = GetDC(dlg->GetSafeHwnd());
        int rows = GetPixel(dc, (box.left + box.right) / 2, box.bottom) == MarkColour() ? -99 : 0;
        for (int y = box.bottom + 1; y < box.bottom + 10; ++y)
            rows += GetPixel(dc, (box.left + box.right) / 2, y) == MarkColour();
        ReleaseDC(dlg->GetSafeHwnd(), dc);
        return rows;
    };
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const char* asked = getenv("KESTRINE_TEST_DPI"); // run again at 144 DPI
    ASSERT_EQ(dpi, asked != nullptr ? atoi(asked) : dpi);
    EXPECT_EQ(markRows(A1.shipId), MulDiv(2, dpi, 96));
    EXPECT_EQ(markRows(A1.posId), MulDiv(2, dpi, 96));
    EXPECT_EQ(markRows(P1.shipId), 0);
    EXPECT_GE(ContrastRatio(MarkColour(), GetSysColor(COLOR_BTNFACE)), 4.5);

    // A dark scheme, where red would not stand out: the marks and the marked text still do.
    const int elements[] = {COLOR_BTNFACE, COLOR_WINDOW};
    const COLORREF light[] = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW)},
                   dark[] = {RGB(96, 0, 0), RGB(32, 32, 32)};
    SetSysColors(2, elements, dark);
    EXPECT_GE(ContrastRatio(MarkColour(), dark[0]), 4.5);
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageA(dlg->GetSafeHwnd(), WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(Item(A1.shipId)));
    EXPECT_GE(ContrastRatio(GetTextColor(dc), dark[1]), 4.5);
    DeleteDC(dc);
    SetSysColors(2, elements, light);

    // A difficulty typed that the game does not know: named as typed, and marked; one it knows,
    // typed in any case or begun, counts as picked, and PLAY hands its number on.
    SetWindowTextA(Item(A1.shipId), "");
    SetWindowTextA(Item(P1.shipId), "\"N-QRE\"");
    SetWindowTextA(Item(P1.posId), "G");
    SetWindowTextA(Item(IDC_DIFFICULTY), "");
    Type(IDC_DIFFICULTY, "hard");
    const std::string unknown = "AI DIFFICULTY: \"hard\" is not a difficulty the game knows; "
                                "choose CAPTAIN, COMMODORE or ADMIRAL.";
    EXPECT_EQ(Said(), "1 problem. " + unknown);
    EXPECT_EQ(dlg->ProblemsOf(Item(IDC_DIFFICULTY)), unknown);
    for (const char* keys : {"captain", "adm"}) {
        SetWindowTextA(Item(IDC_DIFFICULTY), "");
        Type(IDC_DIFFICULTY, keys);
        EXPECT_EQ(Said(), "Ready for the game.") << keys;
    }
    EXPECT_EQ(Text(IDC_DIFFICULTY), "ADMIRAL");
    Click(IDOK);
    EXPECT_EQ(KeyValue(GvxIni(), "UIType"), "2");
    EXPECT_EQ(boxes.back().text, "Configuration Saved For Game Play!");
}

// Fix mends only what the check names, the help's apostrophes among them.
TEST_F(SetupCheckForm, FixMendsOnlyWhatTheCheckNames) {
    Open("p1Pos=0\r\nshipP2=''n-qre''\r\np2Pos=1\r\nshipP3='d-h7'\r\np3Pos=2\r\n"
         "shipP4=no ship\r\np4Pos=3\r\nshipSettings=4\r\n");
    SetWindowTextA(Item(P1.shipId), " \"N-QRF\" "); // ready as the game reads it
    dlg->RefreshSetupCheck();
    EXPECT_EQ(Said(), "3 problems, listed under Show setup problems. P2: use double quotation "
                      "marks, not two apostrophes, as \"N-QRF\".");
    dlg->OnFixDesignations();
    EXPECT_EQ(Texts({P1.shipId, P2.shipId, kSlots[2].shipId, kSlots[3].shipId}),
              " \"N-QRF\" |\"N-QRE\"|\"D-H7\"|no ship");
    EXPECT_EQ(Said(), "1 problem. P4: the ship needs double quotation marks, as \"N-QRF\".");
}

// A first run says on the line what keeps PLAY from the game and what to do.
TEST_F(SetupCheckForm, AFirstRunSaysWhatToDo) {
    auto firstProblem = [this] {
        const std::string said = Said();
        const size_t first = said.find(". ") + 2;
        return said.rfind("1 problem. ", 0) == 0 ? said.substr(11) : said.substr(first);
    };
    // The form grows until the guidance shows whole, at 96 DPI on screen; at 144 DPI the same
    // words laid out in the font and width the form has there.
    auto readWhole = [this] {
        EXPECT_EQ(Drawn(), WithoutSpaces(Said()));
        RECT line, form;
        GetWindowRect(Item(IDC_SETUP_CHECK), &line);
        GetClientRect(dlg->GetSafeHwnd(), &form);
        MapWindowPoints(dlg->GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&form), 2);
        EXPECT_LE(line.bottom, form.bottom);
        LOGFONTA font{};
        GetObjectA(HFONT(SendMessageA(Item(IDC_SETUP_CHECK), WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        font.lfHeight = font.lfHeight * 144 / 96;
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, CreateFontIndirectA(&font));
        const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        SIZE size{};
        GetTextExtentPoint32A(dc, alphabet, 52, &size);
        const int width = MulDiv(290, (size.cx / 26 + 1) / 2, 4); // the line's 290 dialog units
        EXPECT_TRUE(LayOutCheckLine(dc, width, CSetupDlg::kMostCheckLines, Said(), Code()).whole);
        DeleteObject(SelectObject(dc, old));
        DeleteDC(dc);
    };
    Open(); // a game folder without scripts.ini: the empty form's own gaps are not counted
    readWhole();
    EXPECT_EQ(Said().rfind("1 problem. ", 0), 0u);
    EXPECT_EQ(firstProblem(), "Ostravane was not found in " + game.Path() +
                                  ": it has no Assets\\Scripts\\scripts.ini. Check the registry "
                                  "value Directory of HKEY_LOCAL_MACHINE\\Software\\Brellix\\"
                                  "Ostravane, or see the README.");
    // Once the game is there, PLAY writes its files and the form gives the room back.
    RECT grown, now;
    GetWindowRect(dlg->GetSafeHwnd(), &grown);
    WriteFileBytes(ScriptsIni(), "[Mul_Kestrine]\r\n");
    Click(IDOK);
    EXPECT_EQ(OneBox().text, "You must select a setup option from the dialog!");
    EXPECT_EQ(Said().find("Ostravane"), std::string::npos) << Said();
    GetWindowRect(dlg->GetSafeHwnd(), &now);
    EXPECT_LT(now.bottom - now.top, grown.bottom - grown.top);
    // Grown again at the screen's foot, the form moves up to stay on the screen.
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    GetMonitorInfoA(MonitorFromWindow(dlg->GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &screen);
    const int shrunk = now.bottom - now.top;
    SetWindowPos(dlg->GetSafeHwnd(), nullptr, now.left, screen.rcWork.bottom - shrunk, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    GameRegistry::RemoveAll();
    Click(IDOK);
    GetWindowRect(dlg->GetSafeHwnd(), &now);
    EXPECT_GT(now.bottom - now.top, shrunk);
    EXPECT_EQ(now.bottom, screen.rcWork.bottom);
    registry.SetDirectory(game.Path());
    Restart();
    WriteFileBytes(ScriptsIni(), "[Mul_Kestrine]\r\nshipSettings=4\r\n");
    SetFileAttributesA(ScriptsIni().c_str(), FILE_ATTRIBUTE_READONLY);
    Open();
    EXPECT_EQ(firstProblem(), "PLAY cannot change " + ScriptsIni() +
                                  ": the file is read-only. Clear Read-only in its Properties.");
    readWhole();
    Restart();
    GameRegistry::RemoveAll();
    Open();
    EXPECT_EQ(OneBox().text, "Error reading from scripts.ini; code 2."); // as before, too
    readWhole();
    EXPECT_EQ(firstProblem(), "Ostravane was not found: the registry value Directory of "
                              "HKEY_LOCAL_MACHINE\\Software\\Brellix\\Ostravane is missing. "
                              "Install the game, or see the README.");
}

// The tip under the focused box follows typing; the mouse over a marked box shows its own
// problems first.
TEST_F(SetupCheckForm, TipsFollowTypingAndShowTheBoxsOwnFirst) {
    Open("shipP1=\"N-QRE\"\r\np1Pos=0\r\nshipP2=x\r\np2Pos=1\r\nshipSettings=4\r\n");
    const std::string p2 = "P2: the ship needs double quotation marks, as \"N-QRF\".";
    Click(P2.checkId); // the slots open, as the host ticks them
    Click(P1.checkId);
    SetForegroundWindow(dlg->GetSafeHwnd());
    SetFocus(Item(P2.shipId));
    dlg->PumpWaitingMessages();
    EXPECT_EQ(Tip(CSetupDlg::kFocusTip), p2);
    RECT box, tip, form; // under the box's own mark, within the form
    GetWindowRect(Item(P2.shipId), &box);
    GetWindowRect(dlg->CheckTips(), &tip);
    GetWindowRect(dlg->GetSafeHwnd(), &form);
    EXPECT_GE(tip.top, box.bottom + 3);
    EXPECT_LE(tip.right, form.right);
    SetWindowTextA(Item(P2.shipId), "\"N-QRF\""); // mended in place
    dlg->PumpWaitingMessages();
    EXPECT_EQ(Tip(CSetupDlg::kFocusTip), "");
    SetWindowTextA(Item(P2.shipId), "y"); // a problem typed in
    SetWindowTextA(Item(P1.shipId), "z");
    dlg->PumpWaitingMessages();
    EXPECT_EQ(Tip(CSetupDlg::kFocusTip), p2);
    EXPECT_EQ(Tip(Item(P2.shipId)),
              p2 + "\r\nP1: the ship needs double quotation marks, as \"N-QRF\".");
}

} // namespace
