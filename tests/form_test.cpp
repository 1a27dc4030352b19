// The fleet editor form's fields, exchange and enabling rules, on the real form under Wine.
#include "resources/resource.h"
#include "script/PositionCodec.h"
#include "script/ScriptSettings.h"
#include "support/FormHarness.h"

#include <algorithm>

namespace {

const int kP1 = 0, kP3 = 2, kP4 = 3, kA1 = 6, kB8 = 21;

class FormRules : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        Open();
    }
};

TEST_F(FormRules, OpensWithEveryControlOfTheTemplate) {
    EXPECT_EQ(WindowText(dlg->GetSafeHwnd()), "Kestrine v2.A for Ostravane");
    for (const SlotInfo& slot : kSlots) {
        EXPECT_EQ(Text(slot.checkId), slot.name);
        EXPECT_EQ(SendMessageA(Item(slot.posId), CB_GETCOUNT, 0, 0), 20) << slot.name;
        EXPECT_NE(Item(slot.shipId), nullptr);
    }
    EXPECT_EQ(SendMessageA(Item(kSlots[kB8].posId), CB_GETCOUNT, 0, 0), 20);
    char item[8];
    SendMessageA(Item(kSlots[kP1].posId), CB_GETLBTEXT, 0, LPARAM(item));
    EXPECT_STREQ(item, "G");
    SendMessageA(Item(kSlots[kP1].posId), CB_GETLBTEXT, 19, LPARAM(item));
    EXPECT_STREQ(item, "Z");
    char level[16];
    const char* levels[] = {"CAPTAIN", "COMMODORE", "ADMIRAL"};
    ASSERT_EQ(SendMessageA(Item(IDC_DIFFICULTY), CB_GETCOUNT, 0, 0), 3);
    for (int i = 0; i < 3; ++i) {
        SendMessageA(Item(IDC_DIFFICULTY), CB_GETLBTEXT, i, LPARAM(level));
        EXPECT_STREQ(level, levels[i]);
    }
    for (auto [id, text] :
         std::vector<std::pair<int, const char*>>{{IDC_HOST_SELECTED, "HOST SELECTED"},
                                                  {IDC_PLAYER_SELECT, "PLAYER SELECT"},
                                                  {IDC_VIEW_MAP, "VIEW MAP"},
                                                  {IDC_SHIP_EDIT, "SHIP EDIT"},
                                                  {IDC_SAVE, "SAVE"},
                                                  {IDC_DELETE, "DELETE"},
                                                  {IDOK, "PLAY"},
                                                  {IDCANCEL, "CLOSE"},
                                                  {IDC_HELP_BUTTON, "HELP"},
                                                  {IDC_ABOUT_BUTTON, "ABOUT"}})
        EXPECT_EQ(Text(id), text);
    EXPECT_EQ(GetWindowLongA(Item(IDOK), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
    EXPECT_TRUE(GetWindowLongA(Item(IDC_GAMESET), GWL_STYLE) & CBS_SORT);
}

TEST_F(FormRules, CheckingASlotOpensItAndUncheckingEmptiesIt) {
    const SlotInfo& a1 = kSlots[kA1];
    ASSERT_FALSE(Enabled(a1.shipId));
    SetWindowTextA(Item(a1.shipId), "\"T-MWA\""); // shown from scripts.ini while disabled
    SetWindowTextA(Item(a1.posId), "R");

    Click(a1.checkId);
    EXPECT_TRUE(Checked(a1.checkId));
    EXPECT_TRUE(Enabled(a1.shipId));
    EXPECT_TRUE(Enabled(a1.posId));
    EXPECT_EQ(Text(a1.shipId), "\"T-MWA\"");
    EXPECT_EQ(dlg->m_bSlot[kA1], 1);

    Click(a1.checkId);
    EXPECT_FALSE(Checked(a1.checkId));
    EXPECT_FALSE(Enabled(a1.shipId));
    EXPECT_FALSE(Enabled(a1.posId));
    EXPECT_EQ(Text(a1.shipId), "");
    EXPECT_EQ(Text(a1.posId), "");
    EXPECT_EQ(dlg->m_strShip[kA1], "");
}

TEST_F(FormRules, PlayerSelectClearsPlayersAndFillsEmptyPositions) {
    Click(IDC_HOST_SELECTED);
    Click(kSlots[kP3].checkId);
    Type(kSlots[kP3].shipId, "nqrf");
    SetWindowTextA(Item(kSlots[kP3].posId), "Q");

    Click(IDC_PLAYER_SELECT);
    EXPECT_TRUE(Checked(IDC_PLAYER_SELECT));
    EXPECT_FALSE(Checked(IDC_HOST_SELECTED));
    EXPECT_EQ(Text(kSlots[kP3].posId), "Q");
    EXPECT_EQ(Text(kSlots[kP4].posId), "J");
    const char* defaults[] = {"G", "H", "Q", "J", "K", "L"};
    for (int slot = 0; slot < kPlayerSlotCount; ++slot) {
        const SlotInfo& s = kSlots[slot];
        EXPECT_EQ(Text(s.posId), defaults[slot]) << s.name;
        EXPECT_EQ(Text(s.shipId), "") << s.name;
        EXPECT_FALSE(Checked(s.checkId)) << s.name;
        EXPECT_FALSE(Enabled(s.checkId)) << s.name;
        EXPECT_FALSE(Enabled(s.shipId)) << s.name;
        EXPECT_TRUE(Enabled(s.posId)) << s.name;
    }
    EXPECT_FALSE(Enabled(kSlots[kA1].posId));   // the AI slots are not touched
    EXPECT_EQ(theScriptSettings.GetFlags(), 6); // handlers only add flag bits
}

TEST_F(FormRules, HostSelectedOpensPlayerChecksAndPositionsButNotShips) {
    Click(IDC_PLAYER_SELECT);
    Click(IDC_HOST_SELECTED);
    EXPECT_TRUE(Checked(IDC_HOST_SELECTED));
    EXPECT_FALSE(Checked(IDC_PLAYER_SELECT));
    for (int slot = 0; slot < kPlayerSlotCount; ++slot) {
        EXPECT_TRUE(Enabled(kSlots[slot].checkId));
        EXPECT_TRUE(Enabled(kSlots[slot].posId));
        EXPECT_FALSE(Enabled(kSlots[slot].shipId));
    }
    EXPECT_TRUE(theScriptSettings.TestFlag(kFlagHostSelected));

    Click(IDC_HOST_SELECTED); // already checked: stays checked
    EXPECT_TRUE(Checked(IDC_HOST_SELECTED));
    EXPECT_FALSE(Checked(IDC_PLAYER_SELECT));

    Click(kSlots[kP1].checkId);
    EXPECT_TRUE(Enabled(kSlots[kP1].shipId));
}

TEST_F(FormRules, TypingStoresTheShipAtOnceWritingTheFormDoesNot) {
    Click(kSlots[kB8].checkId);
    Type(kSlots[kB8].shipId, "dh7");
    EXPECT_EQ(theScriptSettings.GetShip(kB8), "dh7");
    EXPECT_EQ(dlg->m_strShip[kB8], "dh7");

    dlg->m_strShip[kB8] = "written";
    dlg->m_strShip[kA1] = "written too";
    dlg->UpdateData(false);
    EXPECT_EQ(Text(kSlots[kB8].shipId), "written");
    EXPECT_EQ(theScriptSettings.GetShip(kB8), "dh7");
    EXPECT_EQ(theScriptSettings.GetShip(kA1), "");
}

TEST_F(FormRules, LowerCaseLetterIsReadAsTypedAndWrittenBackAsTheListEntry) {
    Click(kSlots[kA1].checkId);
    Type(kSlots[kA1].posId, "g");
    dlg->UpdateData(true);
    EXPECT_EQ(dlg->m_strPos[kA1], "g");
    dlg->UpdateData(false);
    EXPECT_EQ(Text(kSlots[kA1].posId), "G");
    dlg->UpdateData(true);
    EXPECT_EQ(dlg->m_strPos[kA1], "G");
}

TEST_F(FormRules, DifficultyIndexIsMinusOneWithoutSelection) {
    dlg->UpdateData(true);
    EXPECT_EQ(dlg->m_nDifficulty, 0); // a fresh game's gvx.ini: no value reads as 0
    dlg->m_nDifficulty = 7;
    dlg->UpdateData(false);
    EXPECT_EQ(CurSel(IDC_DIFFICULTY), -1);
    dlg->UpdateData(true);
    EXPECT_EQ(dlg->m_nDifficulty, -1);
    Pick(IDC_DIFFICULTY, 2);
    dlg->UpdateData(true);
    EXPECT_EQ(dlg->m_nDifficulty, 2);
}

TEST_F(FormRules, EveryLetterInEverySlotConvertsToItsNumberOnly) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (int number = 0; number < kPositionCount; ++number) {
            for (int other = 0; other < kSlotCount; ++other)
                theScriptSettings.SetPos(other, -1);
            for (std::string& text : dlg->m_strPos)
                text.clear();
            dlg->m_strPos[slot] = std::string(1, char('G' + number));
            dlg->UpdateData(false);
            dlg->LettersToPositions();
            for (int other = 0; other < kSlotCount; ++other)
                ASSERT_EQ(theScriptSettings.GetPos(other), other == slot ? number : -1)
                    << kSlots[slot].name << " " << number << " " << kSlots[other].name;

            for (std::string& text : dlg->m_strPos)
                text.clear();
            dlg->PositionsToLetters();
            for (int other = 0; other < kSlotCount; ++other)
                ASSERT_EQ(dlg->m_strPos[other],
                          other == slot ? std::string(1, char('G' + number)) : "");
        }
    }
}

TEST_F(FormRules, TextsThatAreNoPositionLetterLeaveThePositionAlone) {
    const char* texts[] = {"gh", "A", "F", " G H", "5", "GH", ""};
    for (int i = 0; i < 7; ++i) {
        dlg->m_strPos[i] = texts[i];
        theScriptSettings.SetPos(i, -1);
    }
    dlg->UpdateData(false);
    for (int i = 0; i < 7; ++i)
        SetWindowTextA(Item(kSlots[i].posId), texts[i]); // as typed, not picked
    dlg->LettersToPositions();
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(theScriptSettings.GetPos(i), -1) << '"' << texts[i] << '"';

    theScriptSettings.SetPos(0, 20);
    theScriptSettings.SetPos(1, -5);
    dlg->m_strPos[0] = dlg->m_strPos[1] = "";
    dlg->PositionsToLetters();
    EXPECT_EQ(dlg->m_strPos[0], "");
    EXPECT_EQ(dlg->m_strPos[1], "");
}

// Every control lies inside the form, and no two overlap except a frame and what it holds.
TEST_F(FormRules, LayoutKeepsControlsApart) {
    struct Control {
        HWND hwnd;
        RECT rect;
        bool frame;
        int id;
    };
    std::vector<Control> controls;
    RECT client;
    GetClientRect(dlg->GetSafeHwnd(), &client);
    for (HWND child = GetWindow(dlg->GetSafeHwnd(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect; // combo boxes report their closed height here
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dlg->GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
        bool frame = (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
                     WindowText(child) != "PLAY";
        char cls[32];
        GetClassNameA(child, cls, sizeof cls);
        frame = frame && std::string(cls) == "Button";
        controls.push_back({child, rect, frame, GetDlgCtrlID(child)});
        EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right &&
                    rect.bottom <= client.bottom)
            << "control " << GetDlgCtrlID(child) << " leaves the form";
    }
    ASSERT_GT(controls.size(), 80u);
    for (size_t i = 0; i < controls.size(); ++i) {
        for (size_t j = i + 1; j < controls.size(); ++j) {
            if (controls[i].frame || controls[j].frame)
                continue;
            RECT overlap;
            EXPECT_FALSE(IntersectRect(&overlap, &controls[i].rect, &controls[j].rect))
                << "controls " << controls[i].id << " and " << controls[j].id << " overlap";
        }
    }
}

// --- The auto-completing title box ---------------------------------------------------------

class AutoComplete : public FormRules {
protected:
    void SetUp() override {
        FormRules::SetUp();
        for (const char* item : {"Beta", "ALPHA", "Bravo", "Alpine"})
            dlg->m_cbGameSet.AddString(item); // sorted: ALPHA, Alpine, Beta, Bravo
    }
    std::pair<int, int> Highlight() const {
        DWORD start = 0, end = 0;
        SendMessageA(Item(IDC_GAMESET), CB_GETEDITSEL, WPARAM(&start), LPARAM(&end));
        return {int(start), int(end)};
    }
    HWND Edit() const { return EditOf(IDC_GAMESET); }
    int SelectionChanges() const {
        int count = 0;
        for (auto& n : dlg->notifications)
            count += n.first == IDC_GAMESET && n.second == CBN_SELCHANGE;
        return count;
    }
};

TEST_F(AutoComplete, CompletesToTheFirstItemAndHighlightsTheAddedPart) {
    Type(IDC_GAMESET, "b");
    EXPECT_EQ(Text(IDC_GAMESET), "Beta");
    EXPECT_EQ(Highlight(), std::make_pair(1, 4));

    Type(IDC_GAMESET, "e");
    EXPECT_EQ(Text(IDC_GAMESET), "Beta");
    EXPECT_EQ(Highlight(), std::make_pair(2, 4));

    Type(IDC_GAMESET, "r"); // "Ber" begins nothing: stays as typed
    EXPECT_EQ(Text(IDC_GAMESET), "Ber");
    EXPECT_EQ(SelectionChanges(), 0);  // completion is never a pick
    for (auto& n : dlg->notifications) // the box handles its edit updates itself
        EXPECT_FALSE(n.first == IDC_GAMESET && n.second == CBN_EDITUPDATE);
    EXPECT_TRUE(std::count(dlg->notifications.begin(), dlg->notifications.end(),
                           std::make_pair(int(IDC_GAMESET), UINT(CBN_EDITCHANGE))) >= 3);
}

TEST_F(AutoComplete, TheItemsOwnLetterCaseReplacesTheTyped) {
    Type(IDC_GAMESET, "alp");
    EXPECT_EQ(Text(IDC_GAMESET), "ALPHA"); // first in list order of ALPHA and Alpine
    EXPECT_EQ(Highlight(), std::make_pair(3, 5));
}

TEST_F(AutoComplete, BackspaceAndDeleteSwitchCompletionOffUntilTheNextKey) {
    Type(IDC_GAMESET, "br");
    ASSERT_EQ(Text(IDC_GAMESET), "Bravo");
    PressKey(Edit(), VK_BACK); // removes the highlighted "avo"
    EXPECT_EQ(Text(IDC_GAMESET), "Br");
    PressKey(Edit(), VK_BACK);
    EXPECT_EQ(Text(IDC_GAMESET), "B");
    EXPECT_EQ(dlg->m_cbGameSet.m_bAutoComplete, 0);

    Type(IDC_GAMESET, "r");
    EXPECT_EQ(Text(IDC_GAMESET), "Bravo");
    SendMessageA(Item(IDC_GAMESET), CB_SETEDITSEL, 0, MAKELPARAM(1, -1));
    PressKey(Edit(), VK_DELETE);
    EXPECT_EQ(Text(IDC_GAMESET), "B");
    EXPECT_EQ(dlg->m_cbGameSet.m_bAutoComplete, 0);
}

TEST_F(AutoComplete, OnlyTheFirst126CharactersAreMatched) {
    std::string item = std::string(126, 'k') + "MATCHED";
    dlg->m_cbGameSet.AddString(item);
    SetWindowTextA(Item(IDC_GAMESET), std::string(129, 'k').c_str());
    SendMessageA(Item(IDC_GAMESET), CB_SETEDITSEL, 0, MAKELPARAM(129, 129));
    Type(IDC_GAMESET, "z"); // 130 characters; only 126 'k' are compared
    EXPECT_EQ(Text(IDC_GAMESET), item);
    EXPECT_EQ(SelectionChanges(), 0);
}

} // namespace
