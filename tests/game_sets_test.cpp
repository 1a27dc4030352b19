// The title list, choosing a stored game set, SAVE and DELETE on the real form under Wine, with
// the library file checked byte for byte.
#include "resources/resource.h"
#include "script/ScriptSettings.h"
#include "support/FormHarness.h"

namespace {

const int kP1 = 0, kP2 = 1, kA1 = 6, kB8 = 21;

std::string Stream(const GameSetMap& sets) {
    std::vector<uint8_t> bytes;
    WriteLibraryStream(sets, bytes);
    return std::string(bytes.begin(), bytes.end());
}

// A stored game set: P1 and A1 in use, letters set, HOST SELECTED as given.
std::unique_ptr<CShipData> StoredSet(const std::string& title, int hostSelected) {
    auto record = std::make_unique<CShipData>();
    record->m_strTitle = record->m_strGameSet = title;
    record->m_strShip[kP1] = "\"N-QRE\"";
    record->m_strPos[kP1] = "G";
    record->m_strShip[kA1] = "\"T-MWA\"";
    record->m_strPos[kA1] = "R";
    record->m_bSlot[kP1] = record->m_bSlot[kA1] = 1;
    record->m_strShip[kB8] = "unticked";
    record->m_strPos[kB8] = "Z";
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
        WriteFileBytes(LibraryFile(), Stream(map));
    }
    int Count() const { return dlg->m_cbGameSet.GetCount(); }
    std::string ItemText(int index) const { return dlg->m_cbGameSet.GetLBText(index); }
    void TypeTitle(const std::string& title) { SetWindowTextA(Item(IDC_GAMESET), title.c_str()); }
    void ExpectEmptyForm() {
        EXPECT_EQ(Text(IDC_GAMESET_LABEL), "GAME SET");
        EXPECT_EQ(Text(IDC_GAMESET), "");
        EXPECT_FALSE(Checked(IDC_HOST_SELECTED) || Checked(IDC_PLAYER_SELECT));
        for (const SlotInfo& s : kSlots) {
            EXPECT_FALSE(Checked(s.checkId)) << s.name;
            EXPECT_EQ(Text(s.shipId) + Text(s.posId), "") << s.name;
        }
    }
};

TEST_F(GameSets, ChoosingASetFillsTheFormAndAppliesItsRules) {
    StoreLibrary({{"Zeta", 1}, {"alpha", 0}, {"Mid", 1}});
    Open();
    ASSERT_EQ(Count(), 3); // sorted, each with its record
    EXPECT_EQ(ItemText(0) + ItemText(1) + ItemText(2), "alphaMidZeta");
    EXPECT_EQ(dlg->m_cbGameSet.GetItemDataPtr(1), dlg->m_mapGameSets.Find("Mid"));

    Pick(IDC_DIFFICULTY, 2);
    Pick(IDC_GAMESET, 2);
    EXPECT_EQ(Text(IDC_GAMESET_LABEL) + Text(kSlots[kP1].shipId) + Text(kSlots[kA1].posId) +
                  Text(kSlots[kB8].shipId) + Text(kSlots[kB8].posId),
              "Zeta\"N-QRE\"RuntickedZ");
    EXPECT_TRUE(Checked(kSlots[kP1].checkId) && Checked(IDC_HOST_SELECTED));
    EXPECT_EQ(CurSel(IDC_DIFFICULTY), 2); // not part of a game set
    EXPECT_TRUE(Enabled(kSlots[kP1].shipId) && Enabled(kSlots[kA1].shipId));
    EXPECT_TRUE(Enabled(kSlots[kP2].checkId) && Enabled(kSlots[kP2].posId));
    EXPECT_FALSE(Enabled(kSlots[kP2].shipId) || Enabled(kSlots[kB8].shipId) ||
                 Enabled(kSlots[kB8].posId));
    EXPECT_EQ(theScriptSettings.GetShip(kP1), ""); // writing the set ran no change handler

    Pick(IDC_GAMESET, 0);
    EXPECT_TRUE(Checked(IDC_PLAYER_SELECT));
    EXPECT_FALSE(Checked(IDC_HOST_SELECTED) || Enabled(kSlots[kP2].checkId));
    EXPECT_TRUE(Enabled(kSlots[kP2].posId) && Enabled(kSlots[kP1].shipId));

    Click(IDOK); // the chosen set reaches the game with PLAY
    std::string written;
    for (const char* key : {"GameSet", "a1Pos", "b8Pos", "shipSettings"})
        written += KeyValue(ScriptsIni(), key) + "|";
    EXPECT_EQ(written, "alpha|11|19|2|");
}

TEST_F(GameSets, SaveStoresTheFormUnderTheTypedTitleAndEmptiesIt) {
    StoreLibrary({{"Base", 1}});
    Open();
    CShipData* stored = dlg->m_mapGameSets.Find("Base");
    Click(IDC_PLAYER_SELECT);
    Click(kSlots[kA1].checkId);
    Type(kSlots[kA1].shipId, "new");
    Click(kSlots[kB8].checkId);
    Type(kSlots[kB8].posId, "Q");
    SendMessageA(Item(kSlots[kB8].checkId), BM_SETCHECK, BST_UNCHECKED, 0); // texts stay
    TypeTitle("Base");
    Click(IDC_SAVE);
    EXPECT_EQ(Count(), 1); // overwritten in place, with PLAYER SELECT's letter for P1
    ASSERT_EQ(dlg->m_mapGameSets.Find("Base"), stored);
    EXPECT_EQ(stored->m_strShip[kA1] + stored->m_strPos[kP1] + stored->m_strPos[kB8] +
                  std::to_string(stored->m_bPlayerSelect) + std::to_string(stored->m_bSlot[kB8]),
              "newGQ10");
    ExpectEmptyForm();
    EXPECT_TRUE(Enabled(kSlots[kA1].shipId)); // enabled states are not changed
    EXPECT_FALSE(Enabled(kSlots[kP2].checkId));
    EXPECT_EQ(GetFocus(), EditOf(IDC_GAMESET));
    EXPECT_EQ(ReadFileBytes(LibraryFile()), Stream(dlg->m_mapGameSets.Sets()));

    TypeTitle("base"); // another letter case is another game set
    Click(IDC_SAVE);
    EXPECT_EQ(Count(), 2);
    Click(IDOK); // PLAY right after SAVE hands over the emptied form
    EXPECT_EQ(KeyValue(ScriptsIni(), "GameSet") + KeyValue(ScriptsIni(), "shipSettings"),
              "GAME SET0");
}

TEST_F(GameSets, DeleteBlanksTheSetWhichStaysListedAndReloadsEmpty) {
    StoreLibrary({{"Doomed", 1}, {"Other", 1}});
    Open();
    TypeTitle("Doomed");
    Click(IDC_DELETE);
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(ItemText(0), "Doomed"); // its old text until the program ends
    GameSetMap expected;
    expected["Doomed"] = std::make_unique<CShipData>();
    expected["Other"] = StoredSet("Other", 1);
    EXPECT_EQ(ReadFileBytes(LibraryFile()), Stream(expected));
    ExpectEmptyForm();

    dlg.reset();
    Open(); // the next start lists it as an empty line that loads an empty form
    ASSERT_EQ(ItemText(0), "");
    Pick(IDC_GAMESET, 0);
    EXPECT_EQ(Text(IDC_GAMESET_LABEL), "");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_FALSE(Enabled(kSlots[slot].shipId)) << kSlots[slot].name;
        EXPECT_EQ(Enabled(kSlots[slot].posId), IsPlayerSlot(slot)) << kSlots[slot].name;
    }
    TypeTitle("Doomed"); // saving under its title again reuses the record and its item
    Click(IDC_SAVE);
    EXPECT_EQ(dlg->m_mapGameSets.Find("Doomed")->m_strTitle + ItemText(0), "Doomed");
}

TEST_F(GameSets, SaveAndDeleteWithoutAStoredTitleKeepTheFleetAndTheFile) {
    StoreLibrary({{"Kept", 1}});
    WriteFileBytes(LibraryFile(), ReadFileBytes(LibraryFile()) + "trailing bytes");
    const std::string stored = ReadFileBytes(LibraryFile());
    Open();
    Click(kSlots[kA1].checkId);
    Type(kSlots[kA1].shipId, "composed");
    const std::tuple<const char*, int, const char*> refused[] = {
        {"", IDC_SAVE, "Type a title for the game set first."},
        {"", IDC_DELETE, "Type a title for the game set first."},
        {"kept", IDC_DELETE, "No stored game set is titled \"kept\"."},
    };
    for (const auto& [title, button, box] : refused) {
        boxes.clear();
        TypeTitle(title);
        Click(button);
        ASSERT_EQ(boxes.size(), 1u) << title;
        EXPECT_EQ(boxes[0].text, box);
        EXPECT_EQ(Text(kSlots[kA1].shipId), "composed");
        EXPECT_TRUE(Checked(kSlots[kA1].checkId));
    }
    EXPECT_EQ(dlg->m_mapGameSets.Find("Kept")->m_strShip[kP1], "\"N-QRE\"");
    EXPECT_EQ(ReadFileBytes(LibraryFile()), stored);
}

TEST_F(GameSets, ALibraryThatCannotBeWrittenIsSaidOnceAndStaysUnchanged) {
    StoreLibrary({{"Fixed", 1}});
    const std::string original = ReadFileBytes(LibraryFile());
    SetFileAttributesA(LibraryFile().c_str(), FILE_ATTRIBUTE_READONLY);
    Open();
    EXPECT_EQ(Count(), 0); // never loaded
    TypeTitle("New");
    Click(IDC_SAVE);
    EXPECT_EQ(Count(), 1); // the change applies in memory
    TypeTitle("New");
    Click(IDC_DELETE);
    Click(IDCANCEL);
    EXPECT_TRUE(dlg->HasEnded());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Kestrine cannot write the game-set library " + LibraryFile() +
                                 ": the file is read-only.\n\nChanges to the game sets will not "
                                 "be kept after Kestrine closes.");
    SetFileAttributesA(LibraryFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(LibraryFile()), original);
}

TEST_F(GameSets, CloseAsksBeforeLosingSetsThatCouldNotBeSaved) {
    StoreLibrary({{"Old", 1}});
    const std::string original = ReadFileBytes(LibraryFile());
    for (int answer : {IDNO, IDYES}) {
        Open();
        TypeTitle("Later");
        HANDLE other =
            CreateFileA(LibraryFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        Click(IDC_SAVE); // skipped while another program holds the file
        SetMessageBoxHandler([&](const MessageBoxCall& call) {
            boxes.push_back(call);
            return answer;
        });
        boxes.clear();
        Click(IDCANCEL);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].style, UINT(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
        EXPECT_NE(boxes[0].text.find("Close Kestrine anyway?"), std::string::npos);
        EXPECT_EQ(dlg->HasEnded(), answer == IDYES);
        CloseHandle(other);
        if (answer == IDNO) {
            Click(IDCANCEL); // the file is free again: saved, and closed
            EXPECT_TRUE(dlg->HasEnded());
            EXPECT_NE(ReadFileBytes(LibraryFile()).find("Later"), std::string::npos);
            WriteFileBytes(LibraryFile(), original);
        }
        EXPECT_EQ(ReadFileBytes(LibraryFile()).find("Later"), std::string::npos);
        dlg.reset();
    }
}

} // namespace
