// The live check on the real form under Wine: the line under the form, the marks, the tips and
// the command that mends ship designations, as the host types, picks, pastes and chooses.
#include "framework/Clipboard.h"
#include "framework/File.h"
#include "resources/resource.h"
#include "script/ScriptSettings.h"
#include "script/SetupCheck.h"
#include "support/FormHarness.h"

#include <commctrl.h>

namespace {

const SlotInfo &P1 = kSlots[0], &P2 = kSlots[1], &A1 = kSlots[6];

class SetupCheckForm : public FormTest {
protected:
    std::string Line() const { return Text(IDC_SETUP_CHECK); }
    // The line without its code, and the code on its own.
    std::string Said() const { return Line().substr(0, Line().rfind(" Code ")); }
    std::string Code() const { return Line().substr(Line().rfind(" Code ") + 6); }
    // The code of what "Copy game set" puts on the clipboard.
    std::string CodeOfCopy() {
        Command(IDM_COPY_GAMESET);
        std::wstring text;
        GetClipboardText(nullptr, text);
        return SetupCode(CodePageText(text));
    }
    bool Marked(int id) {
        HDC dc = CreateCompatibleDC(nullptr);
        SetTextColor(dc, RGB(0, 0, 0));
        HWND box = EditOf(id) ? EditOf(id) : Item(id);
        LRESULT brush = SendMessageA(dlg->GetSafeHwnd(), WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(box));
        const bool red = brush != 0 && GetTextColor(dc) == RGB(192, 0, 0);
        DeleteDC(dc);
        return red;
    }
    std::string Tip(HWND control) {
        // The text the tip shows (TTM_GETTEXTA gives 80 characters at most).
        wchar_t text[1024] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = dlg->GetSafeHwnd();
        tool.uId = UINT_PTR(control);
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
    EXPECT_EQ(Tip(Item(IDC_SETUP_CHECK)),
              "P2: the ship needs double quotation marks, as \"N-QRF\".");
    EXPECT_EQ(Tip(Item(P2.shipId)), Tip(Item(IDC_SETUP_CHECK)));
    EXPECT_EQ(Tip(Item(P1.shipId)), "");

    // Typing, ticking and picking update it at once.
    const std::string before = Code();
    Click(A1.checkId);
    Type(A1.shipId, "x");
    EXPECT_EQ(Said(), "3 problems. P2: the ship needs double quotation marks, as \"N-QRF\".");
    EXPECT_TRUE(Marked(A1.posId));
    EXPECT_NE(Code(), before);
    Type(A1.posId, "h"); // the same position as P2
    EXPECT_NE(Tip(Item(IDC_SETUP_CHECK))
                  .find("A1: the ship starts at H like P2; each needs a position of its own."),
              std::string::npos)
        << Tip(Item(IDC_SETUP_CHECK));

    // The fix, the right-click menu's last entry (the system menu's is listed with the sharing
    // commands), mends what it can, as typing would, and leaves the rest marked.
    PickFromRightClickMenu(4);
    EXPECT_EQ(Texts({P1.shipId, P2.shipId, A1.shipId}), "\"N-QRE\"|\"N-QRF\"|x");
    EXPECT_EQ(theScriptSettings.GetShip(1), "\"N-QRF\"");
    EXPECT_FALSE(Marked(P2.shipId));
    EXPECT_TRUE(Marked(A1.shipId));
    EXPECT_EQ(Said(), "2 problems. A1: the ship needs double quotation marks, as \"N-QRF\".");

    // A pasted or a stored set is checked as it comes in.
    SetClipboardText(nullptr, "[Mul_Kestrine]\r\nshipA1=T-MWA\r\na1Pos=3\r\nshipSettings=2\r\n");
    Command(IDM_PASTE_GAMESET);
    EXPECT_EQ(Said(), "1 problem. A1: the ship needs double quotation marks, as \"N-QRF\".");
    Pick(IDC_GAMESET, 0);
    EXPECT_EQ(Said(), "Ready for the game.");
    EXPECT_EQ(Code(), CodeOfCopy());
    EXPECT_TRUE(boxes.empty());
}

} // namespace
