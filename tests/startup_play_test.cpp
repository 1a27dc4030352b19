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

class StartUp : public FormTest {};

TEST_F(StartUp, FillsTheFormFromTheGamesFiles) {
    WriteFileBytes(GvxIni(), "[UI]\r\nUIType=1\r\n");
    Open("GameSet=Team & Co\r\nshipP1=\"N-QRE\"\r\nSHIPP1=second\r\nshipA1=" +
         std::string(300, 'w') +
         "\r\np1Pos=7\r\np2Pos=7.9\r\na1Pos=x\r\na2Pos=\r\nb1Pos=20\r\n"
         "b8Pos=-5\r\nshipSettings=6\r\n");
    EXPECT_EQ(Text(IDC_GAMESET_LABEL), "Team & Co");
    EXPECT_TRUE(GetWindowLongA(Item(IDC_GAMESET_LABEL), GWL_STYLE) & SS_NOPREFIX);
    EXPECT_EQ(Text(kSlots[kP1].shipId), "\"N-QRE\""); // quotes kept; the first key counts
    EXPECT_EQ(Text(kSlots[kA1].shipId), std::string(255, 'w'));
    const std::pair<int, const char*> letters[] = {{kP1, "N"}, {kP2, "N"}, {kA1, "G"},
                                                   {kA2, ""},  {kB1, ""},  {kB8, ""}};
    for (const auto& letter : letters)
        EXPECT_EQ(Text(kSlots[letter.first].posId), letter.second) << kSlots[letter.first].name;
    EXPECT_EQ(theScriptSettings.GetPos(kA2), -1);
    EXPECT_EQ(CurSel(IDC_DIFFICULTY), 1);
    // Both option flags open as HOST SELECTED alone.
    EXPECT_TRUE(Checked(IDC_HOST_SELECTED));
    EXPECT_FALSE(Checked(IDC_PLAYER_SELECT));
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const SlotInfo& s = kSlots[slot];
        EXPECT_FALSE(Checked(s.checkId) || Enabled(s.shipId)) << s.name;
        EXPECT_TRUE(Enabled(s.checkId)) << s.name;
        EXPECT_EQ(Enabled(s.posId), IsPlayerSlot(slot)) << s.name;
    }
    EXPECT_TRUE(boxes.empty());

    dlg.reset();
    Open("shipP1=\"N-QRE\"\r\np2Pos=10\r\nshipSettings=2\r\n"); // PLAYER SELECT's rule
    EXPECT_TRUE(Checked(IDC_PLAYER_SELECT));
    EXPECT_EQ(Text(kSlots[kP1].shipId) + Text(kSlots[kP1].posId) + Text(kSlots[kP2].posId), "GQ");
    EXPECT_FALSE(Enabled(kSlots[kP1].checkId));
}

TEST_F(StartUp, WithoutTheGameKeyReportsTheCodeAndStillKeepsTheLibrary) {
    GameRegistry::RemoveAll();
    Open();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Error reading from scripts.ini; code 2.");
    EXPECT_EQ(boxes[0].caption, "test_startup_play");
    EXPECT_EQ(boxes[0].style, UINT(MB_OK));
    EXPECT_TRUE(Enabled(kSlots[kA1].shipId)); // as the template has it
    SetWindowTextA(Item(IDC_GAMESET), "Kept without the game");
    Click(IDC_SAVE);
    boxes.clear();
    Click(IDOK);
    EXPECT_EQ(boxes[0].text, "Error saving to sripts.ini; code 2.");
    EXPECT_FALSE(dlg->HasEnded());
    Click(IDCANCEL);
    EXPECT_TRUE(dlg->HasEnded());
    dlg.reset();
    Open(); // the next run, without the game again, lists it
    ASSERT_EQ(dlg->m_cbGameSet.GetCount(), 1);
    EXPECT_EQ(dlg->m_cbGameSet.GetLBText(0), "Kept without the game");

    // A damaged library is said and kept aside unchanged.
    dlg.reset();
    WriteFileBytes(LibraryFile(), std::string("\x05\x00\x03", 3));
    boxes.clear();
    Open();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[1].text.find("QXData.dat.bad"), std::string::npos) << boxes[1].text;
    EXPECT_EQ(ReadFileBytes(work / "QXData.dat.bad"), std::string("\x05\x00\x03", 3));
}

TEST_F(StartUp, CloseEscapeAndTheCloseBoxSaveTheLibrary) {
    for (UINT message : {UINT(BM_CLICK), UINT(WM_KEYDOWN), UINT(WM_CLOSE)}) {
        DeleteFileA(LibraryFile().c_str());
        Open();
        if (message == BM_CLICK)
            Click(IDCANCEL);
        else
            PostMessageA(message == WM_CLOSE ? dlg->GetSafeHwnd() : Item(kSlots[kP1].checkId),
                         message, VK_ESCAPE, 1);
        dlg->PumpWaitingMessages();
        EXPECT_EQ(dlg->Result(), IDCANCEL) << message;
        EXPECT_EQ(ReadFileBytes(LibraryFile()), std::string("\0\0", 2)) << message;
        dlg.reset();
    }
}

class Play : public FormTest {
protected:
    std::string Key(const std::string& key) const { return KeyValue(ScriptsIni(), key); }
};

TEST_F(Play, WritesEveryValueOfTheFormAsTheUserTypedIt) {
    const std::string quoted = "\"" + std::string(100, 'w') + "\"";
    Open("GameSet=\"Shown\"\r\nshipA2=" + quoted +
         "\r\na2Pos=11\r\np3Pos=0x10\r\np4Pos=inf\r\n"
         "p5Pos=1e1\r\np6Pos=-2.5\r\n");
    const char* shown[] = {"G", "G", "Q", ""};
    for (int slot = 2; slot < 6; ++slot)
        EXPECT_EQ(Text(kSlots[slot].posId), shown[slot - 2]) << slot;
    Click(IDC_HOST_SELECTED);
    Click(kSlots[kP1].checkId);
    Type(kSlots[kP1].shipId, "nqre");
    Type(kSlots[kP1].posId, "z");
    const std::pair<int, const char*> typed[] = {
        {kP2, "H"}, {2, " q "}, {3, "5"}, {kB1, "g"}, {kB8, "B"}}; // P2 is not ticked
    for (const auto& text : typed)
        SetWindowTextA(Item(kSlots[text.first].posId), text.second);
    SetWindowTextA(Item(IDC_GAMESET), "Typed Title");
    Pick(IDC_DIFFICULTY, 2);

    Click(IDOK);
    EXPECT_EQ(Key("GameSet") + Key("shipP1"), "\"Shown\"nqre"); // the label, not the typed title
    EXPECT_EQ(Key("shipA2"), quoted); // shown from the file, slot never checked
    const std::pair<const char*, const char*> positions[] = {
        {"p1Pos", "19"}, {"p2Pos", "1"},  {"p3Pos", "10"}, {"p4Pos", "-1"}, {"p5Pos", "10"},
        {"p6Pos", "-1"}, {"a2Pos", "11"}, {"b1Pos", "0"},  {"b8Pos", "-1"}};
    for (const auto& position : positions)
        EXPECT_EQ(Key(position.first), position.second) << position.first;
    EXPECT_EQ(Key("shipSettings") + KeyValue(GvxIni(), "UIType"), "42");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Configuration Saved For Game Play!");
    EXPECT_EQ(boxes[0].style, UINT(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(dlg->Result(), IDOK);
}

TEST_F(Play, TheOptionDecidesWhetherTheFormEnds) {
    Open();
    Click(IDOK); // no option: written first, then asked for
    EXPECT_EQ(Key("shipSettings") + Key("p1Pos") + KeyValue(GvxIni(), "UIType"), "0-10");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "You must select a setup option from the dialog!");
    EXPECT_EQ(boxes[0].caption, "No Option Selected!");
    EXPECT_EQ(boxes[0].style, UINT(MB_OK));
    EXPECT_FALSE(dlg->HasEnded());

    Click(IDC_PLAYER_SELECT);
    Click(IDOK);
    EXPECT_EQ(Key("shipSettings"), "2");
    EXPECT_EQ(Key("p1Pos") + Key("p6Pos"), "05");
    EXPECT_TRUE(dlg->HasEnded());
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
    EXPECT_EQ(ReadFileBytes(ScriptsIni()).find("\n[Evil]"), std::string::npos);
    EXPECT_EQ(Key("foo") + Key("GameSet") + Key("shipP1"), "<missing>X  [Evil]  foo=barA B");
    EXPECT_EQ(Key("shipA1"), std::string(255, 'v'));
}

TEST_F(Play, AFullDiskOrAMissingFolderLeaveTheGamesFilesAsTheyWere) {
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
    ULARGE_INTEGER free;
    if (disk.empty())
        SetProfileWriter(TruncatingWriter);
    else if (GetDiskFreeSpaceExA(folder.c_str(), &free, nullptr, nullptr))
        WriteFileBytes(folder + "filler", std::string(size_t(free.QuadPart - 8192), 'f'));

    Click(IDOK);
    SetProfileWriter(nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, disk.empty() ? "Error saving to sripts.ini; code 29."
                                          : "Error saving to sripts.ini; code 112.");
    EXPECT_FALSE(dlg->HasEnded());
    EXPECT_EQ(ReadFileBytes(scripts), before);
    EXPECT_EQ(ReadFileBytes(gvx), "[UI]\r\nUIType=1\r\n");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "Assets\\Scripts\\*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE); // nothing left behind
    FindClose(search);

    boxes.clear();
    registry.SetDirectory(game / "missing\\");
    Click(IDOK);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("Error saving to sripts.ini; code ", 0), 0u);
    EXPECT_NE(boxes[0].text, "Error saving to sripts.ini; code 0.");
    EXPECT_EQ(Text(kSlots[kA1].shipId), std::string(255, 's'));
}

} // namespace
