// The fleet editor form's enabling rules, exchange and the auto-completing title box, on the
// real form under Wine.
#include "resources/resource.h"
#include "script/ScriptSettings.h"
#include "support/FormHarness.h"

namespace {

const int kP1 = 0, kP3 = 2, kA1 = 6, kB8 = 21;

class FormRules : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        Open();
    }
};

TEST_F(FormRules, CheckingASlotOpensItAndUncheckingEmptiesIt) {
    const SlotInfo& a1 = kSlots[kA1];
    ASSERT_FALSE(Enabled(a1.shipId));
    SetWindowTextA(Item(a1.shipId), "\"T-MWA\""); // shown from scripts.ini while disabled
    Click(a1.checkId);
    EXPECT_TRUE(Enabled(a1.shipId) && Enabled(a1.posId));
    EXPECT_EQ(Text(a1.shipId), "\"T-MWA\"");
    Type(a1.posId, "r");
    Type(a1.shipId, "x");
    EXPECT_EQ(theScriptSettings.GetShip(kA1), "x\"T-MWA\""); // typing stores it at once

    Click(a1.checkId);
    EXPECT_FALSE(Checked(a1.checkId) || Enabled(a1.shipId) || Enabled(a1.posId));
    EXPECT_EQ(Text(a1.shipId) + Text(a1.posId), "");
    dlg->m_strShip[kA1] = "written";
    dlg->UpdateData(false); // writing the form runs no change handler
    EXPECT_EQ(theScriptSettings.GetShip(kA1), "x\"T-MWA\"");
}

TEST_F(FormRules, TheTwoOptionsAndTheirRulesForThePlayerSlots) {
    Click(IDC_HOST_SELECTED);
    Click(kSlots[kP3].checkId);
    Type(kSlots[kP3].shipId, "nqrf");
    SetWindowTextA(Item(kSlots[kP3].posId), "Q");

    Click(IDC_PLAYER_SELECT);
    EXPECT_TRUE(Checked(IDC_PLAYER_SELECT));
    EXPECT_FALSE(Checked(IDC_HOST_SELECTED));
    const char* letters[] = {"G", "H", "Q", "J", "K", "L"}; // empty positions get defaults
    for (int slot = 0; slot < kPlayerSlotCount; ++slot) {
        const SlotInfo& s = kSlots[slot];
        EXPECT_EQ(Text(s.posId), letters[slot]) << s.name;
        EXPECT_EQ(Text(s.shipId), "") << s.name;
        EXPECT_FALSE(Checked(s.checkId) || Enabled(s.checkId) || Enabled(s.shipId)) << s.name;
        EXPECT_TRUE(Enabled(s.posId)) << s.name;
    }
    EXPECT_FALSE(Enabled(kSlots[kA1].posId));   // the AI slots are not touched
    EXPECT_EQ(theScriptSettings.GetFlags(), 6); // handlers only add flag bits

    Click(IDC_HOST_SELECTED);
    Click(IDC_HOST_SELECTED); // already checked: stays checked
    EXPECT_TRUE(Checked(IDC_HOST_SELECTED));
    EXPECT_FALSE(Checked(IDC_PLAYER_SELECT));
    for (int slot = 0; slot < kPlayerSlotCount; ++slot) {
        EXPECT_TRUE(Enabled(kSlots[slot].checkId) && Enabled(kSlots[slot].posId));
        EXPECT_FALSE(Enabled(kSlots[slot].shipId)); // until its slot is checked again
    }
}

TEST_F(FormRules, ExchangeOfLettersAndTheDifficulty) {
    Click(kSlots[kA1].checkId);
    Type(kSlots[kA1].posId, "g");
    dlg->UpdateData(true);
    EXPECT_EQ(dlg->m_strPos[kA1], "g"); // as typed; written back as the list's entry
    dlg->UpdateData(false);
    EXPECT_EQ(Text(kSlots[kA1].posId), "G");

    EXPECT_EQ(dlg->m_nDifficulty, 0); // a fresh game's gvx.ini: no value reads as 0
    dlg->m_nDifficulty = 7;
    dlg->UpdateData(false);
    EXPECT_EQ(CurSel(IDC_DIFFICULTY), -1);
    Pick(IDC_DIFFICULTY, 2);
    dlg->UpdateData(true);
    EXPECT_EQ(dlg->m_nDifficulty, 2);
}

TEST_F(FormRules, TheTitleBoxCompletesTypedTextFromItsList) {
    for (const char* item : {"Beta", "ALPHA", "Bravo", "Alpine", "kkkk"})
        dlg->m_cbGameSet.AddString(item); // sorted: ALPHA, Alpine, Beta, Bravo
    auto highlight = [this] {
        DWORD start = 0, end = 0;
        SendMessageA(Item(IDC_GAMESET), CB_GETEDITSEL, WPARAM(&start), LPARAM(&end));
        return std::make_pair(int(start), int(end));
    };
    Type(IDC_GAMESET, "b");
    EXPECT_EQ(Text(IDC_GAMESET), "Beta");
    EXPECT_EQ(highlight(), std::make_pair(1, 4));
    Type(IDC_GAMESET, "er"); // "Ber" begins nothing: stays as typed
    EXPECT_EQ(Text(IDC_GAMESET), "Ber");
    SetWindowTextA(Item(IDC_GAMESET), "");
    Type(IDC_GAMESET, "alp");
    EXPECT_EQ(Text(IDC_GAMESET), "ALPHA"); // the item's own case, first in list order
    EXPECT_EQ(highlight(), std::make_pair(3, 5));

    // Backspace and Delete switch completion off until the next key.
    SetWindowTextA(Item(IDC_GAMESET), "");
    Type(IDC_GAMESET, "br");
    PressKey(EditOf(IDC_GAMESET), VK_BACK); // removes the highlighted "avo"
    PressKey(EditOf(IDC_GAMESET), VK_BACK);
    EXPECT_EQ(Text(IDC_GAMESET), "B");
    Type(IDC_GAMESET, "r");
    EXPECT_EQ(Text(IDC_GAMESET), "Bravo");
    SendMessageA(Item(IDC_GAMESET), CB_SETEDITSEL, 0, MAKELPARAM(1, -1));
    PressKey(EditOf(IDC_GAMESET), VK_DELETE);
    EXPECT_EQ(Text(IDC_GAMESET), "B");
    EXPECT_EQ(dlg->m_cbGameSet.m_bAutoComplete, 0);

    // Only the first 126 characters take part.
    dlg->m_cbGameSet.AddString(std::string(126, 'k') + "MATCHED");
    SetWindowTextA(Item(IDC_GAMESET), std::string(129, 'k').c_str());
    SendMessageA(Item(IDC_GAMESET), CB_SETEDITSEL, 0, MAKELPARAM(129, 129));
    Type(IDC_GAMESET, "z");
    EXPECT_EQ(Text(IDC_GAMESET), std::string(126, 'k') + "MATCHED");
    for (auto& n : dlg->notifications) // completing is never a pick
        EXPECT_FALSE(n.first == IDC_GAMESET && n.second == CBN_SELCHANGE);
}

} // namespace
