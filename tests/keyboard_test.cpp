// The form as a player meets it without a mouse: real key presses (SendInput) through the
// form's own loop, and what a screen reader hears through the accessibility interface itself.
#include "framework/Clipboard.h"
#include "framework/File.h"
#include "resources/resource.h"
#include "support/FormHarness.h"

#include <commctrl.h>
#include <oleacc.h>

#include <future>
#include <map>

namespace {

// Spelled out: the id in the MinGW-w64 import library is not the one oleacc answers to.
const IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// What a screen reader hears for a window: its name, or its description.
std::wstring Heard(HWND window, bool description = false) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), kIidAccessible,
                                          reinterpret_cast<void**>(&object))) ||
        object == nullptr)
        return L"<no object>";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    const HRESULT result =
        description ? object->get_accDescription(self, &text) : object->get_accName(self, &text);
    std::wstring heard = SUCCEEDED(result) && text ? std::wstring(text) : L"<none>";
    SysFreeString(text);
    object->Release();
    return heard;
}

class Keyboard : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        CoInitialize(nullptr);
    }
    void TearDown() override {
        CDialog::SetModalObserver(nullptr, nullptr);
        FormTest::TearDown();
        CoUninitialize();
    }
    // One key pressed and let go, as the keyboard sends it, and the time a player takes.
    void Press(WORD key) {
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = key;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
        Wait(60);
    }
    // The key pressed with Ctrl (or another key) held down.
    void PressWithControl(WORD key, WORD held = VK_CONTROL) {
        INPUT keys[4] = {};
        const WORD order[4] = {held, key, key, held};
        for (int i = 0; i < 4; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = order[i];
            keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
        }
        ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);
        Wait(60);
    }
    void Wait(int ms) {
        for (int waited = 0; waited < ms; waited += 10) {
            Sleep(10);
            dlg->PumpWaitingMessages();
        }
    }
    void Focus(int id) {
        SetForegroundWindow(dlg->GetSafeHwnd());
        SetFocus(EditOf(id) ? EditOf(id) : Item(id));
        dlg->PumpWaitingMessages();
    }
    // The control that has the focus: a combo box for its edit field.
    int Focused() const {
        HWND focus = GetFocus();
        if (focus != nullptr && GetParent(focus) != dlg->GetSafeHwnd())
            focus = GetParent(focus);
        return GetDlgCtrlID(focus);
    }
};

// Tab walks the form slot by slot: each slot's check box, ship and start position; Space in a
// check box ticks the slot, and Tab then lands in its ship box.
TEST_F(Keyboard, TabWalksTheFormSlotBySlot) {
    Open("shipSettings=4\r\n");
    Focus(IDC_GAMESET);
    std::vector<int> expected, walked;
    for (const SlotInfo& slot : kSlots) {
        Press(VK_TAB);
        walked.push_back(Focused());
        Press(VK_SPACE);
        EXPECT_TRUE(Checked(slot.checkId)) << slot.name;
        for (int box = 0; box < 2; ++box) {
            Press(VK_TAB);
            walked.push_back(Focused());
        }
        expected.insert(expected.end(), {slot.checkId, slot.shipId, slot.posId});
    }
    for (int id :
         {IDC_HOST_SELECTED, IDC_PLAYER_SELECT, IDC_DIFFICULTY, IDC_VIEW_MAP, IDC_SHIP_EDIT,
          IDC_SAVE, IDC_DELETE, IDOK, IDCANCEL, IDC_HELP_BUTTON, IDC_ABOUT_BUTTON, IDC_GAMESET}) {
        Press(VK_TAB);
        walked.push_back(Focused());
        expected.push_back(id);
    }
    EXPECT_EQ(walked, expected);

    // The arrow keys go between the two option boxes only, never onto a label.
    Focus(IDC_HOST_SELECTED);
    Press(VK_DOWN);
    EXPECT_EQ(Focused(), IDC_PLAYER_SELECT);
    Press(VK_DOWN);
    EXPECT_EQ(Focused(), IDC_HOST_SELECTED);
    Focus(IDC_SAVE);
    Press(VK_RIGHT);
    EXPECT_EQ(Focused(), IDC_SAVE);
}

// Every box of the form without a label of its own is named for screen readers.
TEST_F(Keyboard, ScreenReadersHearEveryBoxByItsName) {
    Open("shipSettings=4\r\n");
    std::vector<std::wstring> heard, expected;
    for (const SlotInfo& slot : kSlots) {
        heard.push_back(Heard(Item(slot.shipId)));
        heard.push_back(Heard(Item(slot.posId)));
        expected.push_back(WideText(slot.name) + L" ship");
        expected.push_back(WideText(slot.name) + L" start position");
    }
    heard.push_back(Heard(Item(IDC_GAMESET)));
    expected.push_back(L"Game set title");
    heard.push_back(Heard(Item(IDC_DIFFICULTY)));
    expected.push_back(L"AI difficulty");
    EXPECT_EQ(heard, expected);
    SetWindowTextA(Item(IDC_DIFFICULTY), "hard"); // and its problem as its description
    dlg->RefreshSetupCheck();
    EXPECT_EQ(Heard(Item(IDC_DIFFICULTY), true),
              L"AI DIFFICULTY: \"hard\" is not a difficulty the game knows; choose CAPTAIN, "
              L"COMMODORE or ADMIRAL.");
}

// The check line is named for what it is, and a screen reader is told when it changes.
std::map<std::pair<HWND, DWORD>, int> g_changes; // by window and event
// The check line is spoken again when its problems change, not for the code of each keystroke;
// a box that gains a mark tells that its description changed.
TEST_F(Keyboard, TheCheckLineIsHeardWhenItChanges) {
    Open();
    HWINEVENTHOOK hook = SetWinEventHook(
        EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr,
        [](HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
            if (object == OBJID_CLIENT && child == CHILDID_SELF)
                ++g_changes[{window, event}];
        },
        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    Click(kSlots[6].checkId);
    Type(kSlots[6].shipId, "x"); // new problems
    Wait(100);
    const std::pair<HWND, DWORD> line{Item(IDC_SETUP_CHECK), EVENT_OBJECT_NAMECHANGE};
    const int heard = g_changes[line];
    Type(kSlots[6].shipId, "yz"); // the same problems, another code
    Wait(100);
    UnhookWinEvent(hook);
    EXPECT_GE(heard, 1);
    EXPECT_EQ(g_changes[line], heard);
    EXPECT_EQ((g_changes[{Item(kSlots[6].shipId), EVENT_OBJECT_DESCRIPTIONCHANGE}]), 1);
    EXPECT_EQ(Heard(Item(IDC_SETUP_CHECK)),
              L"Setup check: " + WideText(dlg->CheckSummaryShown() + " Code " + dlg->CodeShown()));
}

// A real F1 opens the help once, whatever has the focus, while the player keeps the help open
// for a while and the form's queue runs.
std::map<UINT_PTR, CDialog*> g_helps; // each help open, by the timer that ends it
TEST_F(Keyboard, F1OpensTheHelpOnceWhileItStaysOpen) {
    Open("shipSettings=4\r\n");
    int opened = 0;
    CDialog::SetModalObserver(
        [](CDialog& help, void* count) {
            ++*static_cast<int*>(count);
            const UINT_PTR timer =
                SetTimer(nullptr, 0, 1000, [](HWND, UINT, UINT_PTR timer, DWORD) {
                    KillTimer(nullptr, timer);
                    g_helps[timer]->EndDialog(IDCANCEL); // the player has read enough
                });
            g_helps[timer] = &help;
        },
        &opened);
    for (int id : {IDC_GAMESET, kSlots[0].posId, IDC_SAVE}) {
        opened = 0;
        Focus(id);
        Press(VK_F1);
        Wait(1500);
        EXPECT_EQ(opened, 1) << id;
        EXPECT_TRUE(IsWindowEnabled(dlg->GetSafeHwnd())) << id;
    }
}

// Every problem without a mouse: the focused box shows its own under it and describes it to a
// screen reader, and "Show setup problems" lists them all.
TEST_F(Keyboard, TheProblemsReachTheKeyboard) {
    Open("shipP1=n-qrf\r\np1Pos=0\r\nshipSettings=4\r\n");
    const std::string problem = "P1: the ship needs double quotation marks, as \"N-QRF\".";
    Focus(IDC_GAMESET);
    Press(VK_TAB); // P1's check box
    EXPECT_FALSE(IsWindowVisible(dlg->CheckTips()));
    Press(VK_SPACE);
    Press(VK_TAB); // P1's ship
    ASSERT_EQ(Focused(), kSlots[0].shipId);
    EXPECT_TRUE(IsWindowVisible(dlg->CheckTips()));
    wchar_t tip[1024] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = dlg->GetSafeHwnd();
    tool.uId = CSetupDlg::kFocusTip;
    tool.lpszText = tip;
    SendMessageW(dlg->CheckTips(), TTM_GETTEXTW, sizeof tip / sizeof *tip, LPARAM(&tool));
    EXPECT_EQ(std::wstring(tip), WideText(problem));
    EXPECT_EQ(Heard(Item(kSlots[0].shipId), true), WideText(problem));
    Press(VK_TAB); // P1's position: no problem of its own
    EXPECT_FALSE(IsWindowVisible(dlg->CheckTips()));

    PickFromRightClickMenu(IDM_SHOW_PROBLEMS);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Setup problems:\n\n" + problem + "\n\nCode " + dlg->CodeShown());
}

// Ctrl+Z undoes a SAVE from anywhere but a text box, where it stays the box's own undo.
TEST_F(Keyboard, ControlZUndoesASaveButNotTypingInABox) {
    Open("shipSettings=4\r\n");
    SetWindowTextA(Item(IDC_GAMESET), "Kept");
    Click(IDC_SAVE);
    ASSERT_NE(dlg->m_mapGameSets.Find("Kept"), nullptr);
    Focus(kSlots[6].checkId);
    Press(VK_SPACE);
    Focus(kSlots[6].shipId);
    Press('X');
    PressWithControl('Z'); // the ship box's own: the typing goes
    EXPECT_EQ(Text(kSlots[6].shipId), "");
    EXPECT_EQ(dlg->m_mapGameSets.Find("Kept")->m_strTitle, "Kept");
    Focus(IDC_SAVE);
    PressWithControl('Z');
    EXPECT_EQ(dlg->m_mapGameSets.Find("Kept")->m_strTitle, "");
    EXPECT_EQ(Text(IDC_GAMESET), "Kept");
    PressWithControl('Y');
    EXPECT_EQ(dlg->m_mapGameSets.Find("Kept")->m_strTitle, "Kept");
}

// What a user sees of the menu that opens: its entries and where it stands; then the user
// reads it for a moment and presses `key` (Escape, or Enter on the first entry).
struct MenuSeen {
    std::vector<std::string> entries;
    RECT at{};
};
std::future<MenuSeen> ReadMenuThenPress(WORD key) {
    return std::async(std::launch::async, [key] {
        MenuSeen seen;
        HWND menu = nullptr;
        for (int wait = 0; wait < 150 && menu == nullptr; ++wait) {
            Sleep(20);
            HWND found = FindWindowA("#32768", nullptr);
            menu = found != nullptr && IsWindowVisible(found) ? found : nullptr;
        }
        if (menu == nullptr)
            return seen;
        Sleep(300);
        HMENU items = HMENU(SendMessageA(menu, MN_GETHMENU, 0, 0));
        for (int i = 0; i < GetMenuItemCount(items); ++i) {
            char text[128] = {};
            GetMenuStringA(items, UINT(i), text, sizeof text, MF_BYPOSITION);
            seen.entries.push_back(text);
        }
        GetWindowRect(menu, &seen.at);
        INPUT keys[4] = {};
        const WORD order[4] = {VK_DOWN, VK_DOWN, key, key};
        for (int i = key == VK_ESCAPE ? 2 : 0; i < 4; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = order[i];
            keys[i].ki.dwFlags = i % 2 ? KEYEVENTF_KEYUP : 0;
        }
        SendInput(key == VK_ESCAPE ? 2 : 4, key == VK_ESCAPE ? keys + 2 : keys, sizeof(INPUT));
        return seen;
    });
}

// Shift+F10 and the menu key open the form's menu under the focused box, in a text box with
// the box's own entries first.
TEST_F(Keyboard, TheMenuKeysOpenTheFormsMenuAtTheFocusedBox) {
    Open("shipSettings=4\r\n");
    const SlotInfo& a1 = kSlots[6];
    Focus(a1.checkId);
    Press(VK_SPACE);
    Focus(a1.shipId);
    Press('X');
    auto seen = ReadMenuThenPress(VK_ESCAPE);
    PressWithControl(VK_F10, VK_SHIFT);
    MenuSeen inBox = seen.get();
    RECT box;
    GetWindowRect(Item(a1.shipId), &box);
    EXPECT_EQ(inBox.at.left, box.left);
    EXPECT_EQ(inBox.at.top, box.bottom);
    ASSERT_GE(inBox.entries.size(), 6u);
    EXPECT_EQ(inBox.entries[0], "Undo typin&g");
    EXPECT_EQ(inBox.entries[5], "Cop&y game set");
    Wait(300); // no second menu, the box's own, once the key is let go
    EXPECT_EQ(FindWindowA("#32768", nullptr) && IsWindowVisible(FindWindowA("#32768", nullptr)),
              false);

    Focus(IDC_SAVE); // the menu key on a button: the form's commands, Copy game set picked
    seen = ReadMenuThenPress(VK_RETURN);
    Press(VK_APPS);
    EXPECT_EQ(seen.get().entries.at(0), "Cop&y game set");
    std::wstring copied;
    GetClipboardText(nullptr, copied);
    EXPECT_EQ(copied.rfind(L"[Mul_Kestrine]", 0), 0u);
}

} // namespace
