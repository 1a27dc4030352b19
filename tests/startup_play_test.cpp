// Start-up, CLOSE and PLAY of the real form, in process, against real files under Wine.
#include "resources/resource.h"
#include "script/ScriptSettings.h"
#include "script/SettingsFileUpdate.h"
#include "support/FormHarness.h"

namespace {

const int kP1 = 0, kP2 = 1, kA1 = 6, kA2 = 7, kB1 = 14, kB8 = 21;

// What Wine's profile writer does on a full disk: the file loses its end, and the write is
// reported a success.
int __stdcall TruncatingWriter(const char* section, const char* key, const char* value,
                               const char* file) {
    BOOL written = WritePrivateProfileStringA(section, key, value, file);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file);
    std::string bytes = ReadFileBytes(file);
    WriteFileBytes(file, bytes.substr(0, bytes.size() * 3 / 4));
    return written;
}

// Fills the disk of `folder` up to `left` free bytes.
void FillDisk(const std::string& folder, ULONGLONG left) {
    ULARGE_INTEGER free;
    ASSERT_TRUE(GetDiskFreeSpaceExA(folder.c_str(), &free, nullptr, nullptr));
    WriteFileBytes(folder + "filler", std::string(size_t(free.QuadPart - left), 'f'));
}

bool AnyFileLike(const std::string& pattern) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    FindClose(search);
    return search != INVALID_HANDLE_VALUE;
}

class StartUp : public FormTest {};

TEST_F(StartUp, FillsTheFormFromScriptsIni) {
    WriteFileBytes(GvxIni(), "[UI]\r\nUIType=1\r\n");
    Open("GameSet=Team Base Assault\r\nshipP1=\"N-QRE\"\r\nshipA1=" + std::string(300, 'w') +
         "\r\np1Pos=7\r\np2Pos=7.9\r\na1Pos=x\r\na2Pos=\r\nb1Pos=20\r\nb8Pos=-5\r\n"
         "shipSettings=6\r\n");
    EXPECT_EQ(Text(IDC_GAMESET_LABEL), "Team Base Assault");
    EXPECT_EQ(Text(kSlots[kP1].shipId), "\"N-QRE\""); // quotes belong to the designation
    EXPECT_EQ(Text(kSlots[kA1].shipId), std::string(255, 'w'));
    EXPECT_EQ(Text(kSlots[kP1].posId), "N");
    EXPECT_EQ(Text(kSlots[kP2].posId), "N");
    EXPECT_EQ(Text(kSlots[kA1].posId), "G"); // a value that is no number is position 0
    EXPECT_EQ(Text(kSlots[kA2].posId), "");
    EXPECT_EQ(Text(kSlots[kB1].posId), "");
    EXPECT_EQ(Text(kSlots[kB8].posId), "");
    EXPECT_EQ(CurSel(IDC_DIFFICULTY), 1);
    EXPECT_EQ(theScriptSettings.GetPos(kA2), -1);

    // Both option flags open as HOST SELECTED alone.
    EXPECT_TRUE(Checked(IDC_HOST_SELECTED));
    EXPECT_FALSE(Checked(IDC_PLAYER_SELECT));
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const SlotInfo& s = kSlots[slot];
        EXPECT_FALSE(Checked(s.checkId)) << s.name;
        EXPECT_TRUE(Enabled(s.checkId)) << s.name;
        EXPECT_FALSE(Enabled(s.shipId)) << s.name;
        EXPECT_EQ(Enabled(s.posId), IsPlayerSlot(slot)) << s.name;
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(StartUp, PlayerSelectFlagAppliesItsRule) {
    Open("shipP1=\"N-QRE\"\r\np2Pos=10\r\nshipSettings=2\r\n");
    EXPECT_TRUE(Checked(IDC_PLAYER_SELECT));
    EXPECT_EQ(Text(kSlots[kP1].shipId), "");
    EXPECT_EQ(Text(kSlots[kP1].posId), "G");
    EXPECT_EQ(Text(kSlots[kP2].posId), "Q");
    EXPECT_FALSE(Enabled(kSlots[kP1].checkId));
    EXPECT_TRUE(Enabled(kSlots[kP1].posId));
}

TEST_F(StartUp, OffersTheAboutEntryInTheSystemMenu) {
    Open();
    HMENU menu = GetSystemMenu(dlg->GetSafeHwnd(), FALSE);
    char text[64] = {};
    ASSERT_GT(GetMenuStringA(menu, IDM_ABOUTBOX, text, sizeof text, MF_BYCOMMAND), 0);
    EXPECT_STREQ(text, "&About Kestrine...");
}

TEST_F(StartUp, WithoutTheGameKeyReportsTheCodeAndStillKeepsTheLibrary) {
    GameRegistry::RemoveAll();
    Open();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Error reading from scripts.ini; code 2.");
    EXPECT_EQ(boxes[0].caption, "test_startup_play");
    EXPECT_EQ(boxes[0].style, UINT(MB_OK));
    for (const SlotInfo& s : kSlots) {
        EXPECT_TRUE(Enabled(s.shipId)); // as the template has them
        EXPECT_TRUE(Enabled(s.posId));
    }
    EXPECT_EQ(Text(IDC_GAMESET_LABEL), "");

    SetWindowTextA(Item(IDC_GAMESET), "Kept without the game");
    Click(IDC_SAVE);
    Click(IDCANCEL);
    EXPECT_TRUE(dlg->HasEnded());
    dlg.reset();
    Open(); // the next run, without the game again, lists it
    ASSERT_EQ(dlg->m_cbGameSet.GetCount(), 1);
    EXPECT_EQ(dlg->m_cbGameSet.GetLBText(0), "Kept without the game");
}

TEST_F(StartUp, DamagedLibraryIsReportedAndKeptAside) {
    WriteFileBytes(LibraryFile(), std::string("\x05\x00\x03"
                                              "abc",
                                              6));
    Open();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("QXData.dat.bad"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(ReadFileBytes(work / "QXData.dat.bad"), std::string("\x05\x00\x03"
                                                                  "abc",
                                                                  6));
}

class Closing : public FormTest {};

TEST_F(Closing, CloseEscapeAndTheCloseBoxSaveTheLibrary) {
    for (int way = 0; way < 3; ++way) {
        DeleteFileA(LibraryFile().c_str());
        Open();
        HWND hwnd = dlg->GetSafeHwnd();
        if (way == 0) {
            Click(IDCANCEL);
        } else if (way == 1) {
            PostMessageA(Item(kSlots[kP1].checkId), WM_KEYDOWN, VK_ESCAPE, 1);
            dlg->PumpWaitingMessages();
        } else {
            SendMessageA(hwnd, WM_CLOSE, 0, 0); // the close box
            dlg->PumpWaitingMessages();
        }
        EXPECT_TRUE(dlg->HasEnded()) << way;
        EXPECT_EQ(dlg->Result(), IDCANCEL) << way;
        EXPECT_EQ(ReadFileBytes(LibraryFile()), std::string("\0\0", 2)) << way;
        dlg.reset();
    }
}

class Play : public FormTest {
protected:
    std::string Key(const std::string& key) const { return KeyValue(ScriptsIni(), key); }
};

TEST_F(Play, WritesEveryValueOfTheFormAndEndsWithAnOption) {
    Open("GameSet=Shown Title\r\nshipA2=\"T-MWA\"\r\na2Pos=11\r\n");
    Click(IDC_HOST_SELECTED);
    Click(kSlots[kP1].checkId);
    Type(kSlots[kP1].shipId, "nqre");
    Type(kSlots[kP1].posId, "z");
    SetWindowTextA(Item(kSlots[kP2].posId), "H"); // unchecked slot: written all the same
    SetWindowTextA(Item(kSlots[kB1].posId), "g");
    SetWindowTextA(Item(kSlots[kB8].posId), "B");
    SetWindowTextA(Item(IDC_GAMESET), "Typed Title");
    Pick(IDC_DIFFICULTY, 2);

    Click(IDOK);
    EXPECT_EQ(Key("GameSet"), "Shown Title"); // the label's title, not the typed one
    EXPECT_EQ(Key("shipP1"), "nqre");
    EXPECT_EQ(Key("shipA2"), "\"T-MWA\""); // shown from the file, slot never checked
    EXPECT_EQ(Key("p1Pos"), "19");         // "z" was typed, not picked
    EXPECT_EQ(Key("p2Pos"), "1");
    EXPECT_EQ(Key("a2Pos"), "11");
    EXPECT_EQ(Key("b1Pos"), "0");
    EXPECT_EQ(Key("b8Pos"), "-1");
    EXPECT_EQ(Key("shipSettings"), "4");
    EXPECT_EQ(KeyValue(GvxIni(), "UIType"), "2");

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Configuration Saved For Game Play!");
    EXPECT_EQ(boxes[0].caption, "test_startup_play");
    EXPECT_EQ(boxes[0].style, UINT(MB_OK | MB_ICONINFORMATION));
    EXPECT_TRUE(dlg->HasEnded());
    EXPECT_EQ(dlg->Result(), IDOK);
}

TEST_F(Play, PlayerSelectWritesTwoAndItsLetters) {
    Open();
    Click(IDC_PLAYER_SELECT);
    Click(IDOK);
    EXPECT_EQ(Key("shipSettings"), "2");
    EXPECT_EQ(Key("p1Pos"), "0");
    EXPECT_EQ(Key("p6Pos"), "5");
    EXPECT_EQ(Key("shipP1"), "");
    EXPECT_TRUE(dlg->HasEnded());
}

TEST_F(Play, WithoutAnOptionWritesFirstThenAsks) {
    Open();
    dlg->m_nDifficulty = -1;
    dlg->UpdateData(false);
    Click(IDOK);
    EXPECT_EQ(Key("shipSettings"), "0");
    EXPECT_EQ(Key("p1Pos"), "-1");
    EXPECT_EQ(KeyValue(GvxIni(), "UIType"), "-1");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "You must select a setup option from the dialog!");
    EXPECT_EQ(boxes[0].caption, "No Option Selected!");
    EXPECT_EQ(boxes[0].style, UINT(MB_OK));
    EXPECT_FALSE(dlg->HasEnded());
}

TEST_F(Play, FailedWriteReportsItsCodeAndKeepsTheForm) {
    Open();
    Click(IDC_HOST_SELECTED);
    Click(kSlots[kA1].checkId);
    Type(kSlots[kA1].shipId, "tmwa");
    RemoveDirectoryA((game / "Assets\\Scripts").c_str());
    Click(IDOK);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("Error saving to sripts.ini; code ", 0), 0u) << boxes[0].text;
    EXPECT_NE(boxes[0].text, "Error saving to sripts.ini; code 0.");
    EXPECT_EQ(boxes[0].style, UINT(MB_OK));
    EXPECT_FALSE(dlg->HasEnded());
    EXPECT_EQ(Text(kSlots[kA1].shipId), "tmwa");
    EXPECT_TRUE(Checked(IDC_HOST_SELECTED));
}

TEST_F(Play, AFullDiskLeavesTheGamesFilesAsTheyWere) {
    // The game on a disk of its own that PLAY fills, where the test bed has one; otherwise a
    // profile writer that fails as on a full disk.
    const std::string disk = FullDiskFolder();
    TempFolder onDisk(disk);
    const std::string folder = disk.empty() ? game.Path() : onDisk.Path();
    MakeFolder(folder + "Assets");
    MakeFolder(folder + "Assets\\Scripts");
    registry.SetDirectory(folder);
    const std::string scripts = folder + "Assets\\Scripts\\scripts.ini", gvx = folder + "gvx.ini";
    const std::string before = "[Mul_Kestrine]\r\nGameSet=Before\r\nshipSettings=4\r\n[Other]\r\n" +
                               std::string(3000, ';') + "\r\nkeep=1\r\n";
    WriteFileBytes(scripts, before);
    WriteFileBytes(gvx, "[UI]\r\nUIType=1\r\n");
    Open();
    for (const SlotInfo& s : kSlots)
        SetWindowTextA(Item(s.shipId), std::string(255, 's').c_str());
    if (disk.empty())
        SetProfileWriter(TruncatingWriter);
    else
        FillDisk(onDisk.Path(), 8192);

    Click(IDOK);
    SetProfileWriter(nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, disk.empty() ? "Error saving to sripts.ini; code 29."
                                          : "Error saving to sripts.ini; code 112.");
    EXPECT_FALSE(dlg->HasEnded());
    EXPECT_EQ(ReadFileBytes(scripts), before);
    EXPECT_EQ(ReadFileBytes(gvx), "[UI]\r\nUIType=1\r\n");
    EXPECT_FALSE(AnyFileLike(folder + "Assets\\Scripts\\*.tmp"));
}

TEST_F(Play, WithoutTheGameKeyReportsCodeTwo) {
    Open();
    boxes.clear();
    GameRegistry::RemoveAll();
    Click(IDC_HOST_SELECTED);
    Click(IDOK);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Error saving to sripts.ini; code 2.");
    EXPECT_FALSE(dlg->HasEnded());
}

TEST_F(Play, GivesBackTheFilesTextsAsTheyStand) {
    const std::string quoted = "\"" + std::string(100, 'w') + "\"";
    Open("GameSet=\"Hex & Co\"\r\nshipP1=\"N-QRE\"\r\nSHIPP1=second\r\nshipA1=" + quoted +
         "\r\nshipSettings=4\r\n");
    EXPECT_EQ(Text(kSlots[kP1].shipId), "\"N-QRE\""); // the first of two keys counts
    EXPECT_TRUE(GetWindowLongA(Item(IDC_GAMESET_LABEL), GWL_STYLE) & SS_NOPREFIX);
    Click(IDOK);
    EXPECT_EQ(Key("GameSet"), "\"Hex & Co\"");
    EXPECT_EQ(Key("shipP1"), "\"N-QRE\"");
    EXPECT_EQ(Key("shipA1"), quoted);
    EXPECT_TRUE(dlg->HasEnded());
}

TEST_F(Play, ReadsNumbersAndLettersAsPeopleWriteThem) {
    Open("p1Pos=0x10\r\np2Pos=inf\r\np3Pos=1e1\r\np4Pos=-2.5\r\nshipSettings=4\r\n");
    const char* shown[] = {"G", "G", "Q", ""}; // 0, 0, 10, -2
    const char* typed[] = {"g", " q ", "Q", "5"};
    const char* written[] = {"0", "10", "10", "-1"};
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(Text(kSlots[slot].posId), shown[slot]) << slot;
        SetWindowTextA(Item(kSlots[slot].posId), typed[slot]);
    }
    Click(IDOK);
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_EQ(Key(kSlots[slot].posKey), written[slot]) << typed[slot];
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Configuration Saved For Game Play!");
}

TEST_F(Play, LineBreaksAndLongTextsOfAStoredSetStayOneValue) {
    GameSetMap sets;
    CShipData& record = *(sets["Evil"] = std::make_unique<CShipData>());
    record.m_strTitle = "Evil";
    record.m_strGameSet = "X\r\n[Evil]\r\nfoo=bar";
    record.m_strShip[kP1] = "A\nB";
    record.m_strShip[kA1] = std::string(300, 'v');
    record.m_bHostSelected = 1;
    std::vector<uint8_t> bytes;
    WriteLibraryStream(sets, bytes);
    WriteFileBytes(LibraryFile(), std::string(bytes.begin(), bytes.end()));
    Open("shipSettings=0\r\n");
    Pick(IDC_GAMESET, 0);
    EXPECT_EQ(Text(kSlots[kA1].shipId), std::string(255, 'v'));
    Click(IDOK);

    const std::string scripts = ReadFileBytes(ScriptsIni());
    EXPECT_EQ(scripts.find("\n[Evil]"), std::string::npos) << scripts;
    EXPECT_EQ(Key("foo"), "<missing>");
    EXPECT_EQ(Key("GameSet"), "X  [Evil]  foo=bar");
    EXPECT_EQ(Key("shipP1"), "A B");
    EXPECT_EQ(Key("shipA1"), std::string(255, 'v'));
    EXPECT_EQ(Key("shipSettings"), "4");
}

} // namespace
