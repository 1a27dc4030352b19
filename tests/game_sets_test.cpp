// The title list, choosing a stored game set, SAVE and DELETE on the real form under Wine, with
// the library file checked byte for byte.
#include "resources/resource.h"
#include "script/Slots.h"
#include "support/FormHarness.h"

namespace {

const SlotInfo &P1 = kSlots[0], &P2 = kSlots[1], &A1 = kSlots[6], &B8 = kSlots[21];

// A stored game set: P1 and A1 in use, letters set, B8 filled but not ticked, with a ship
// longer than the boxes take.
std::unique_ptr<CShipData> StoredSet(const std::string& title, int hostSelected) {
    auto record = std::make_unique<CShipData>();
    record->m_strTitle = record->m_strGameSet = title;
    const std::tuple<int, std::string, const char*, int> slots[] = {
        {0, "\"N-QRE\"", "G", 1}, {6, "\"T-MWA\"", "R", 1}, {21, std::string(300, 'u'), "Z", 0}};
    for (const auto& [slot, ship, position, used] : slots) {
        record->m_strShip[slot] = ship;
        record->m_strPos[slot] = position;
        record->m_bSlot[slot] = used;
    }
    record->m_bHostSelected = hostSelected;
    record->m_bPlayerSelect = 1 - hostSelected;
    return record;
}

class GameSets : public FormTest {
protected:
    void StoreLibrary(std::initializer_list<std::pair<const char*, int>> sets) {
        GameSetMap map;
        for (auto& set : sets)
            map[set.first] = StoredSet(set.first, set.second);
        StoreLibraryFile(map);
    }
    std::string ItemText(int index) const { return dlg->m_cbGameSet.GetLBText(index); }
    void ExpectEmptyForm() {
        std::string shown = Texts({IDC_GAMESET_LABEL, IDC_GAMESET}) +
                            std::to_string(Checked(IDC_HOST_SELECTED) + Checked(IDC_PLAYER_SELECT));
        for (const SlotInfo& s : kSlots)
            shown += Text(s.shipId) + Text(s.posId) + (Checked(s.checkId) ? s.name : "");
        EXPECT_EQ(shown, "GAME SET|0");
    }
};

// The list of a stored library comes in at once, in the order the sorted box itself keeps,
// and a set saved later still finds its place.
TEST_F(GameSets, TheListIsInTheSortedBoxsOwnOrder) {
    const char* titles[] = {"beta", "Alpha", "charlie", "Beta 2", "alpha1",   "_under",  "10", "9",
                            "Zulu", "zulu-", "a-b",     "ab",     "\xC4rger", "Eagle's", ""};
    GameSetMap map;
    for (const char* title : titles)
        map[title] = StoredSet(title, 1);
    StoreLibraryFile(map);
    Open();
    HWND sorted = CreateWindowA("COMBOBOX", "", CBS_DROPDOWN | CBS_SORT | CBS_HASSTRINGS, 0, 0, 100,
                                100, nullptr, nullptr, nullptr, nullptr);
    for (const char* title : titles)
        SendMessageA(sorted, CB_ADDSTRING, 0, LPARAM(title));
    auto expectSameOrder = [&] {
        const int count = dlg->m_cbGameSet.GetCount();
        ASSERT_EQ(count, int(SendMessageA(sorted, CB_GETCOUNT, 0, 0)));
        for (int i = 0; i < count; ++i) {
            char text[64] = {};
            SendMessageA(sorted, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
            EXPECT_EQ(ItemText(i), text) << i;
            EXPECT_EQ(dlg->m_cbGameSet.GetItemDataPtr(i), dlg->m_mapGameSets.Find(ItemText(i)));
        }
    };
    expectSameOrder();
    TypeTitle("Bravo");
    Click(IDC_SAVE);
    SendMessageA(sorted, CB_ADDSTRING, 0, LPARAM("Bravo"));
    expectSameOrder();
    DestroyWindow(sorted);

    // Ordinary titles are put in at once, in the order of their sort keys.
    GameSetMap plain;
    for (const char* title : {"beta", "Alpha", "charlie", "Beta 2"})
        plain[title] = StoredSet(title, 1);
    std::vector<CShipData*> order;
    EXPECT_TRUE(TitleListOrder(plain, order));
    std::string ordered;
    for (const CShipData* record : order)
        ordered += record->m_strTitle + "|";
    EXPECT_EQ(ordered, "Alpha|beta|Beta 2|charlie|");
}

TEST_F(GameSets, SaveStoresTheFormUnderTheTypedTitleAndEmptiesIt) {
    StoreLibrary({{"Base", 1}});
    Open();
    CShipData* stored = dlg->m_mapGameSets.Find("Base");
    Click(IDC_PLAYER_SELECT);
    Click(A1.checkId);
    Type(A1.shipId, "new");
    Click(B8.checkId);
    Type(B8.posId, "Q");
    SendMessageA(Item(B8.checkId), BM_SETCHECK, BST_UNCHECKED, 0); // texts stay
    Click(IDC_SAVE); // without a title: refused, the fleet kept
    EXPECT_EQ(OneBox().text, "Type a title for the game set first.");
    TypeTitle("Base");
    Click(IDC_SAVE);
    EXPECT_EQ(Listed(), "Base|"); // overwritten in place, with PLAYER SELECT's letter for P1
    ASSERT_EQ(dlg->m_mapGameSets.Find("Base"), stored);
    EXPECT_EQ(stored->m_strShip[6], "new");
    EXPECT_EQ(stored->m_strPos[0], "G");
    EXPECT_EQ(stored->m_strPos[21], "Q");
    EXPECT_EQ(stored->m_bPlayerSelect, 1);
    EXPECT_EQ(stored->m_bSlot[21], 0);
    ExpectEmptyForm();
    EXPECT_EQ(States({A1.shipId, P2.checkId}), "E|"); // enabled states are not changed
    EXPECT_EQ(GetFocus(), EditOf(IDC_GAMESET));
    EXPECT_EQ(ReadFileBytes(LibraryFile()), LibraryStream(dlg->m_mapGameSets.Sets()));
    EXPECT_FALSE(FileExists(work / "~k*")); // nothing left behind
}

TEST_F(GameSets, DeleteBlanksTheSetWhichStaysListedAndReloadsEmpty) {
    StoreLibrary({{"Doomed", 1}, {"Other", 1}});
    Open();
    TypeTitle("other"); // no stored set of that exact title: refused
    Click(IDC_DELETE);
    EXPECT_EQ(OneBox().text, "No stored game set is titled \"other\".");
    TypeTitle("Doomed");
    Click(IDC_DELETE);
    EXPECT_EQ(Listed(), "Doomed|Other|"); // its old text until the program ends
    GameSetMap expected;
    expected["Doomed"] = std::make_unique<CShipData>();
    expected["Other"] = StoredSet("Other", 1);
    EXPECT_EQ(ReadFileBytes(LibraryFile()), LibraryStream(expected));
    ExpectEmptyForm();

    Pick(IDC_GAMESET, 0); // its item now loads an empty form
    EXPECT_EQ(Texts({IDC_GAMESET_LABEL, P1.shipId}), "|");
    EXPECT_EQ(States({P1.shipId, P1.posId}), "|E");
    TypeTitle("Doomed"); // saving under its title again reuses the record and its item
    Click(IDC_SAVE);
    EXPECT_EQ(dlg->m_mapGameSets.Find("Doomed")->m_strTitle, "Doomed");
    EXPECT_EQ(ItemText(0), "Doomed");
}

TEST_F(GameSets, ChangesThatCannotBeKeptAreSaid) {
    StoreLibrary({{"Fixed", 1}});
    const std::string original = ReadFileBytes(LibraryFile());
    SetFileAttributesA(LibraryFile().c_str(), FILE_ATTRIBUTE_READONLY);
    Open();
    EXPECT_EQ(Listed(), ""); // never loaded
    for (int button : {IDC_SAVE, IDC_DELETE, IDCANCEL}) {
        TypeTitle("New");
        Click(button); // the change applies in memory
    }
    EXPECT_TRUE(dlg->HasEnded());
    // Said once, at the first change.
    EXPECT_EQ(OneBox().text, "Kestrine cannot write the game-set library " + LibraryFile() +
                                 ": the file is read-only.\n\nChanges to the game sets will not "
                                 "be kept after Kestrine closes.");
    SetFileAttributesA(LibraryFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(LibraryFile()), original);
}

// The system menu's entry of a command, and whether it is greyed.
std::string MenuEntry(HWND form, UINT command) {
    HMENU menu = GetSystemMenu(form, FALSE);
    char text[128] = {};
    GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
    return text +
           std::string(GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED ? " (grey)" : "");
}

// SAVE over a stored set, undone: the library holds the old record byte for byte, and the form
// is back as it stood, title box included; Redo saves it again.
TEST_F(GameSets, UndoAndRedoOfSaveOverAStoredSet) {
    StoreLibrary({{"Alpha Raid", 1}});
    const std::string stored = ReadFileBytes(LibraryFile());
    Open();
    EXPECT_EQ(MenuEntry(dlg->GetSafeHwnd(), IDM_UNDO_LIBRARY), "&Undo\tCtrl+Z (grey)");
    Click(IDC_HOST_SELECTED);
    Click(A1.checkId);
    Type(A1.shipId, "new");
    TypeTitle("Alpha Raid");
    Click(IDC_SAVE);
    EXPECT_NE(ReadFileBytes(LibraryFile()), stored);
    EXPECT_EQ(MenuEntry(dlg->GetSafeHwnd(), IDM_UNDO_LIBRARY),
              "&Undo SAVE of \"Alpha Raid\"\tCtrl+Z");
    PickFromRightClickMenu(IDM_UNDO_LIBRARY);
    EXPECT_EQ(ReadFileBytes(LibraryFile()), stored);
    EXPECT_EQ(Texts({IDC_GAMESET, A1.shipId}), "Alpha Raid|new");
    EXPECT_EQ(States({IDC_HOST_SELECTED, A1.checkId}), "CE|CE");
    EXPECT_EQ(MenuEntry(dlg->GetSafeHwnd(), IDM_REDO_LIBRARY),
              "Re&do SAVE of \"Alpha Raid\"\tCtrl+Y");
    Command(IDM_REDO_LIBRARY);
    EXPECT_EQ(ReadLibrary(LibraryFile())->Find("Alpha Raid")->m_strShip[6], "new");
    EXPECT_EQ(Text(IDC_GAMESET), ""); // as SAVE leaves the form
    EXPECT_TRUE(boxes.empty());
}

// DELETE undone and redone; three SAVEs undone newest first, a title stored by none of them
// blanked again.
TEST_F(GameSets, UndoStepsBackNewestFirst) {
    StoreLibrary({{"Night Raid", 1}});
    const std::string stored = ReadFileBytes(LibraryFile());
    Open();
    TypeTitle("Night Raid");
    Click(IDC_DELETE);
    Command(IDM_UNDO_LIBRARY);
    EXPECT_EQ(ReadFileBytes(LibraryFile()), stored);
    EXPECT_EQ(Text(IDC_GAMESET), "Night Raid");
    Command(IDM_REDO_LIBRARY);
    EXPECT_EQ(ReadLibrary(LibraryFile())->Find("Night Raid")->m_strTitle, "");
    for (const char* title : {"One", "Two", "Three"}) {
        TypeTitle(title);
        Click(IDC_SAVE);
    }
    for (const std::string title : {"Three", "Two", "One"}) {
        EXPECT_EQ(MenuEntry(dlg->GetSafeHwnd(), IDM_UNDO_LIBRARY),
                  "&Undo SAVE of \"" + title + "\"\tCtrl+Z");
        Command(IDM_UNDO_LIBRARY);
        EXPECT_EQ(ReadLibrary(LibraryFile())->Find(title)->m_strTitle, "");
        EXPECT_EQ(Text(IDC_GAMESET), title);
    }
    EXPECT_EQ(MenuEntry(dlg->GetSafeHwnd(), IDM_UNDO_LIBRARY),
              "&Undo DELETE of \"Night Raid\"\tCtrl+Z");
    Click(IDC_SAVE); // another SAVE: what was undone can no longer be redone
    EXPECT_EQ(MenuEntry(dlg->GetSafeHwnd(), IDM_REDO_LIBRARY), "Re&do\tCtrl+Y (grey)");
    EXPECT_TRUE(boxes.empty());
}

} // namespace
