// The title list, choosing a stored game set, SAVE and DELETE, on the real form under Wine,
// with the library file checked byte for byte.
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
    record->m_bSlot[kP1] = 1;
    record->m_strShip[kA1] = "\"T-MWA\"";
    record->m_strPos[kA1] = "R";
    record->m_bSlot[kA1] = 1;
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
    int Count() const { return int(SendMessageA(Item(IDC_GAMESET), CB_GETCOUNT, 0, 0)); }
    std::string ItemText(int index) const { return dlg->m_cbGameSet.GetLBText(index); }
    int IndexOf(const std::string& text) const {
        for (int i = 0; i < Count(); ++i) {
            if (ItemText(i) == text)
                return i;
        }
        return -1;
    }
    void TypeTitle(const std::string& title) { SetWindowTextA(Item(IDC_GAMESET), title.c_str()); }
    void ExpectEmptyForm() {
        EXPECT_EQ(Text(IDC_GAMESET_LABEL), "GAME SET");
        EXPECT_EQ(Text(IDC_GAMESET), "");
        EXPECT_EQ(CurSel(IDC_GAMESET), -1);
        EXPECT_FALSE(Checked(IDC_HOST_SELECTED));
        EXPECT_FALSE(Checked(IDC_PLAYER_SELECT));
        for (const SlotInfo& s : kSlots) {
            EXPECT_FALSE(Checked(s.checkId)) << s.name;
            EXPECT_EQ(Text(s.shipId), "") << s.name;
            EXPECT_EQ(Text(s.posId), "") << s.name;
        }
    }
};

TEST_F(GameSets, StartUpListsTheStoredSetsSortedWithTheirRecords) {
    StoreLibrary({{"Zeta", 1}, {"alpha", 0}, {"Mid", 1}});
    Open();
    ASSERT_EQ(Count(), 3);
    EXPECT_EQ(ItemText(0), "alpha");
    EXPECT_EQ(ItemText(1), "Mid");
    EXPECT_EQ(ItemText(2), "Zeta");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(dlg->m_cbGameSet.GetItemDataPtr(i), dlg->m_mapGameSets.Find(ItemText(i)));
}

TEST_F(GameSets, ChoosingASetFillsTheFormAndAppliesItsRules) {
    StoreLibrary({{"Host", 1}, {"Player", 0}});
    Open();
    Pick(IDC_DIFFICULTY, 2);
    Pick(IDC_GAMESET, IndexOf("Host"));
    EXPECT_EQ(Text(IDC_GAMESET_LABEL), "Host");
    EXPECT_EQ(Text(kSlots[kP1].shipId), "\"N-QRE\"");
    EXPECT_EQ(Text(kSlots[kA1].posId), "R");
    EXPECT_EQ(Text(kSlots[kB8].shipId), "unticked");
    EXPECT_EQ(Text(kSlots[kB8].posId), "Z");
    EXPECT_TRUE(Checked(kSlots[kP1].checkId));
    EXPECT_TRUE(Checked(IDC_HOST_SELECTED));
    EXPECT_EQ(CurSel(IDC_DIFFICULTY), 2); // not part of a game set
    EXPECT_TRUE(Enabled(kSlots[kP1].shipId));
    EXPECT_TRUE(Enabled(kSlots[kA1].shipId));
    EXPECT_TRUE(Enabled(kSlots[kP2].checkId));
    EXPECT_TRUE(Enabled(kSlots[kP2].posId));
    EXPECT_FALSE(Enabled(kSlots[kP2].shipId));
    EXPECT_FALSE(Enabled(kSlots[kB8].shipId));
    EXPECT_FALSE(Enabled(kSlots[kB8].posId));
    // Writing the chosen set ran no change handler.
    EXPECT_EQ(theScriptSettings.GetShip(kP1), "");
    EXPECT_EQ(theScriptSettings.GetShip(kA1), "");

    Pick(IDC_GAMESET, IndexOf("Player"));
    EXPECT_TRUE(Checked(IDC_PLAYER_SELECT));
    EXPECT_FALSE(Checked(IDC_HOST_SELECTED));
    EXPECT_FALSE(Enabled(kSlots[kP2].checkId));
    EXPECT_TRUE(Enabled(kSlots[kP2].posId));
    EXPECT_TRUE(Enabled(kSlots[kP1].shipId)); // P1 is in use in the set

    Click(kSlots[kA1].checkId); // typing still stores at once
    Click(kSlots[kA1].checkId);
    Type(kSlots[kA1].shipId, "x");
    EXPECT_EQ(theScriptSettings.GetShip(kA1), "x");
}

TEST_F(GameSets, SavingANewTitleAddsOneItemAndWritesTheFile) {
    Open();
    TypeTitle("abc");
    Click(IDC_SAVE);
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(ItemText(0), "abc");
    std::string file = ReadFileBytes(LibraryFile());
    EXPECT_EQ(file.size(), 169u);
    GameSetMap expected;
    expected["abc"] = std::make_unique<CShipData>();
    expected["abc"]->m_strTitle = expected["abc"]->m_strGameSet = "abc";
    EXPECT_EQ(file, Stream(expected));
    ExpectEmptyForm();
    EXPECT_EQ(GetFocus(), EditOf(IDC_GAMESET));
}

TEST_F(GameSets, SavingAStoredTitleOverwritesItInPlace) {
    StoreLibrary({{"Base", 1}});
    Open();
    CShipData* stored = dlg->m_mapGameSets.Find("Base");
    Click(IDC_PLAYER_SELECT);
    Click(kSlots[kA1].checkId);
    Type(kSlots[kA1].shipId, "new");
    TypeTitle("Base");
    Click(IDC_SAVE);
    EXPECT_EQ(Count(), 1);
    ASSERT_EQ(dlg->m_mapGameSets.Find("Base"), stored);
    EXPECT_EQ(stored->m_strShip[kA1], "new");
    EXPECT_EQ(stored->m_bPlayerSelect, 1);
    EXPECT_EQ(stored->m_strPos[kP1], "G"); // PLAYER SELECT's letter

    TypeTitle("base"); // another letter case is another game set
    Click(IDC_SAVE);
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(dlg->m_mapGameSets.Sets().size(), 2u);
}

TEST_F(GameSets, SaveKeepsTheEnabledStatesAndUncheckedTexts) {
    Open();
    Click(IDC_HOST_SELECTED);
    Click(kSlots[kA1].checkId);
    Type(kSlots[kA1].shipId, "kept");
    Click(kSlots[kB8].checkId);
    Type(kSlots[kB8].posId, "Q");
    SendMessageA(Item(kSlots[kB8].checkId), BM_SETCHECK, BST_UNCHECKED, 0); // texts stay
    TypeTitle("Set");
    Click(IDC_SAVE);
    const CShipData* saved = dlg->m_mapGameSets.Find("Set");
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->m_bSlot[kB8], 0);
    EXPECT_EQ(saved->m_strPos[kB8], "Q");
    EXPECT_EQ(saved->m_strShip[kA1], "kept");
    EXPECT_EQ(saved->m_bHostSelected, 1);
    ExpectEmptyForm();
    EXPECT_TRUE(Enabled(kSlots[kA1].shipId)); // enabled states are not changed
    EXPECT_TRUE(Enabled(kSlots[kP2].checkId));
    EXPECT_FALSE(Enabled(kSlots[kP2].shipId));
}

TEST_F(GameSets, SaveAndDeleteWithoutAStoredTitleKeepTheFleetAndTheFile) {
    StoreLibrary({{"Kept", 1}});
    WriteFileBytes(LibraryFile(), ReadFileBytes(LibraryFile()) + "trailing bytes");
    const std::string stored = ReadFileBytes(LibraryFile());
    Open();
    Click(kSlots[kA1].checkId);
    Type(kSlots[kA1].shipId, "composed");
    const struct {
        const char* title;
        int button;
        const char* box;
    } refused[] = {
        {"", IDC_SAVE, "Type a title for the game set first."},
        {"", IDC_DELETE, "Type a title for the game set first."},
        {"kept", IDC_DELETE, "No stored game set is titled \"kept\"."},
    };
    for (const auto& command : refused) {
        boxes.clear();
        TypeTitle(command.title);
        Click(command.button);
        ASSERT_EQ(boxes.size(), 1u) << command.title;
        EXPECT_EQ(boxes[0].text, command.box);
        EXPECT_EQ(Text(kSlots[kA1].shipId), "composed");
        EXPECT_TRUE(Checked(kSlots[kA1].checkId));
    }
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(dlg->m_mapGameSets.Find("Kept")->m_strShip[kP1], "\"N-QRE\"");
    EXPECT_EQ(ReadFileBytes(LibraryFile()), stored);
}

TEST_F(GameSets, DeleteBlanksTheSetWhichStaysListedAndReloadsEmpty) {
    StoreLibrary({{"Doomed", 1}, {"Other", 1}});
    Open();
    CShipData* doomed = dlg->m_mapGameSets.Find("Doomed");
    TypeTitle("Doomed");
    Click(IDC_DELETE);
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(ItemText(IndexOf("Doomed")), "Doomed"); // old text until the program ends
    EXPECT_EQ(doomed->m_strTitle, "");
    EXPECT_EQ(doomed->m_strShip[kP1], "");
    EXPECT_EQ(doomed->m_bSlot[kP1], 0);
    GameSetMap expected;
    expected["Doomed"] = std::make_unique<CShipData>();
    expected["Other"] = StoredSet("Other", 1);
    EXPECT_EQ(ReadFileBytes(LibraryFile()), Stream(expected));
    ExpectEmptyForm();

    // The next start lists it as an empty line that loads an empty form.
    dlg.reset();
    Open();
    ASSERT_EQ(Count(), 2);
    EXPECT_EQ(ItemText(0), "");
    Pick(IDC_GAMESET, 0);
    EXPECT_EQ(Text(IDC_GAMESET_LABEL), "");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const SlotInfo& s = kSlots[slot];
        EXPECT_FALSE(Enabled(s.shipId)) << s.name;
        EXPECT_EQ(Enabled(s.posId), IsPlayerSlot(slot)) << s.name;
        if (IsPlayerSlot(slot)) {
            EXPECT_FALSE(Enabled(s.checkId)) << s.name;
        }
    }

    // Saving under the deleted title again reuses its record.
    CShipData* blank = dlg->m_mapGameSets.Find("Doomed");
    TypeTitle("Doomed");
    Click(IDC_SAVE);
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(dlg->m_mapGameSets.Find("Doomed"), blank);
    EXPECT_EQ(blank->m_strTitle, "Doomed");
    EXPECT_EQ(ItemText(0), ""); // the item keeps showing what it showed
}

TEST_F(GameSets, ChosenSetReachesTheGameWithPlay) {
    StoreLibrary({{"Chosen", 1}});
    Open();
    Pick(IDC_GAMESET, 0);
    Click(IDOK);
    std::string scripts = ReadFileBytes(ScriptsIni());
    EXPECT_NE(scripts.find("GameSet=Chosen\r\n"), std::string::npos);
    EXPECT_NE(scripts.find("shipP1=\"N-QRE\"\r\n"), std::string::npos);
    EXPECT_NE(scripts.find("a1Pos=11\r\n"), std::string::npos);
    EXPECT_NE(scripts.find("b8Pos=19\r\n"), std::string::npos);
    EXPECT_NE(scripts.find("shipSettings=4\r\n"), std::string::npos);
    EXPECT_TRUE(dlg->HasEnded());
}

TEST_F(GameSets, PlayRightAfterSaveHandsOverTheEmptiedForm) {
    StoreLibrary({{"Chosen", 1}});
    Open();
    Pick(IDC_GAMESET, 0);
    TypeTitle("Copy");
    Click(IDC_SAVE);
    boxes.clear();
    Click(IDOK);
    std::string scripts = ReadFileBytes(ScriptsIni());
    EXPECT_NE(scripts.find("GameSet=GAME SET\r\n"), std::string::npos);
    EXPECT_NE(scripts.find("shipP1=\r\n"), std::string::npos);
    EXPECT_NE(scripts.find("shipSettings=0\r\n"), std::string::npos);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "You must select a setup option from the dialog!");
}

TEST_F(GameSets, ReadOnlyLibraryIsSaidOnceAndStaysUnchanged) {
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
        TypeTitle("Unsaved");
        Click(IDC_SAVE); // written
        TypeTitle("Later");
        HANDLE other =
            CreateFileA(LibraryFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        Click(IDC_SAVE); // skipped while another program holds the file
        boxes.clear();
        SetMessageBoxHandler([&](const MessageBoxCall& call) {
            boxes.push_back(call);
            return answer;
        });
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
        } else {
            EXPECT_EQ(ReadFileBytes(LibraryFile()).find("Later"), std::string::npos);
        }
        dlg.reset();
    }
}

} // namespace
