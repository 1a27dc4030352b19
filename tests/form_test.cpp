// The fleet editor form's enabling rules, exchange and the auto-completing title box, on the
// real form under Wine.
#include "framework/Clipboard.h"
#include "framework/DialogTemplate.h"
#include "resources/resource.h"
#include "script/ScriptSettings.h"
#include "support/FormHarness.h"

namespace {

const SlotInfo &P3 = kSlots[2], &A1 = kSlots[6];

class FormRules : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        Open();
    }
};

TEST_F(FormRules, CheckingASlotOpensItAndUncheckingEmptiesIt) {
    SetWindowTextA(Item(A1.shipId), "\"T-MWA\"");    // shown from scripts.ini while disabled
    EXPECT_FALSE(IsWindowEnabled(EditOf(A1.posId))); // a disabled box takes no typing
    Click(A1.checkId);
    EXPECT_EQ(States({A1.checkId, A1.shipId, A1.posId}), "CE|E|E");
    EXPECT_TRUE(IsWindowEnabled(EditOf(A1.posId)));
    Type(A1.posId, "g");
    Type(A1.shipId, "x");
    EXPECT_EQ(theScriptSettings.GetShip(6), "x\"T-MWA\""); // typing stores it at once
    dlg->UpdateData(true);
    EXPECT_EQ(dlg->m_strPos[6], "g"); // as typed; written back as the list's entry
    dlg->UpdateData(false);
    EXPECT_EQ(Text(A1.posId), "G");

    SetClipboardText(nullptr, std::string(300, 'p')); // a box takes 255 characters at most
    SendMessageA(Item(A1.shipId), WM_PASTE, 0, 0);
    EXPECT_EQ(Text(A1.shipId).size(), 255u);
    Click(A1.checkId);
    EXPECT_EQ(States({A1.checkId, A1.shipId, A1.posId}), "E||");
    EXPECT_EQ(Texts({A1.shipId, A1.posId}), "|");
    dlg->m_strShip[6] = "written";
    dlg->m_nDifficulty = 7; // no such entry: nothing selected
    dlg->UpdateData(false); // writing the form runs no change handler
    EXPECT_EQ(theScriptSettings.GetShip(6).size(), 255u);
    EXPECT_EQ(CurSel(IDC_DIFFICULTY), -1);
}

TEST_F(FormRules, TheTwoOptionsAndTheirRulesForThePlayerSlots) {
    Click(IDC_HOST_SELECTED);
    Click(P3.checkId);
    Type(P3.shipId, "nqrf");
    SetWindowTextA(Item(P3.posId), "Q");
    Click(IDC_PLAYER_SELECT);
    EXPECT_EQ(States({IDC_PLAYER_SELECT, IDC_HOST_SELECTED}), "CE|E");
    const char* letters[] = {"G", "H", "Q", "J", "K", "L"}; // empty positions get defaults
    for (int slot = 0; slot < kPlayerSlotCount; ++slot) {
        const SlotInfo& s = kSlots[slot];
        EXPECT_EQ(Texts({s.posId, s.shipId}), letters[slot] + std::string("|")) << s.name;
        EXPECT_EQ(States({s.checkId, s.shipId, s.posId}), "||E") << s.name;
    }
    EXPECT_FALSE(Enabled(A1.posId));            // the AI slots are not touched
    EXPECT_EQ(theScriptSettings.GetFlags(), 6); // handlers only add flag bits

    Click(IDC_HOST_SELECTED);
    Click(IDC_HOST_SELECTED); // already checked: stays checked
    EXPECT_EQ(States({IDC_HOST_SELECTED, IDC_PLAYER_SELECT}), "CE|E");
    for (const SlotInfo& s : {kSlots[0], kSlots[5]}) // ships closed until checked again
        EXPECT_EQ(States({s.checkId, s.shipId, s.posId}), "E||E");
}

TEST_F(FormRules, TheTitleBoxCompletesTypedTextFromItsList) {
    for (const char* item : {"Beta", "ALPHA", "Bravo", "Alpine"})
        dlg->m_cbGameSet.AddString(item); // sorted: ALPHA, Alpine, Beta, Bravo
    // The box's text after the keys, and the part of it selected.
    auto expectTyped = [this](const char* keys, const char* text, DWORD selStart, DWORD selEnd) {
        SCOPED_TRACE(keys);
        Type(IDC_GAMESET, keys);
        DWORD start = 0, end = 0;
        SendMessageA(Item(IDC_GAMESET), CB_GETEDITSEL, WPARAM(&start), LPARAM(&end));
        EXPECT_EQ(Text(IDC_GAMESET), text);
        EXPECT_EQ(start, selStart);
        EXPECT_EQ(end, selEnd);
    };
    expectTyped("b", "Beta", 1, 4); // the added part highlighted
    expectTyped("er", "Ber", 3, 3); // begins nothing: stays as typed
    SetWindowTextA(Item(IDC_GAMESET), "");
    expectTyped("alp", "ALPHA", 3, 5); // the item's own case, first in list order

    // Backspace and Delete switch completion off until the next key.
    SetWindowTextA(Item(IDC_GAMESET), "");
    expectTyped("br", "Bravo", 2, 5);
    KeyStroke(EditOf(IDC_GAMESET), VK_BACK, '\b'); // removes the highlighted "avo"
    KeyStroke(EditOf(IDC_GAMESET), VK_BACK, '\b');
    expectTyped("r", "Bravo", 2, 5);
    SendMessageA(Item(IDC_GAMESET), CB_SETEDITSEL, 0, MAKELPARAM(1, -1));
    KeyStroke(EditOf(IDC_GAMESET), VK_DELETE, 0);
    EXPECT_EQ(Text(IDC_GAMESET), "B");
    EXPECT_EQ(dlg->m_cbGameSet.m_bAutoComplete, 0);
}

// The template copy that creates some controls disabled: those and only those, the rest of
// the form as the template has it.
TEST(DialogTemplate, ControlsMadeDisabledAndNothingElseChanged) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const std::vector<DWORD> copy =
        TemplateWithStyle(instance, IDD_SETUP, {IDC_SHIP_B8, IDC_POS_P1}, WS_DISABLED);
    ASSERT_FALSE(copy.empty());
    const DLGPROC nothing = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
    HWND original = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_SETUP), nullptr, nothing, 0);
    HWND made = CreateDialogIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()),
                                           nullptr, nothing, 0);
    HWND a = GetWindow(original, GW_CHILD), b = GetWindow(made, GW_CHILD);
    for (; a && b; a = GetWindow(a, GW_HWNDNEXT), b = GetWindow(b, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(a);
        EXPECT_EQ(GetDlgCtrlID(b), id);
        const bool madeDisabled = id == IDC_SHIP_B8 || id == IDC_POS_P1;
        EXPECT_EQ(IsWindowEnabled(b) != 0, IsWindowEnabled(a) && !madeDisabled) << id;
    }
    EXPECT_EQ(a, b); // as many controls in both
    DestroyWindow(original);
    DestroyWindow(made);
}

} // namespace
