// Load and Save of scripts.ini and gvx.ini through Wine's real profile functions.
#include "script/ScriptSettings.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <vector>

namespace {

// The keys of section Mul_Kestrine in the order the game's script expects them.
const char* const kFileOrder[] = {
    "GameSet", "shipP1", "shipP2", "shipP3", "shipP4", "shipP5",      "shipP6", "shipA1",
    "shipA2",  "shipA3", "shipA4", "shipA5", "shipA6", "shipA7",      "shipA8", "shipB1",
    "shipB2",  "shipB3", "shipB4", "shipB5", "shipB6", "shipB7",      "shipB8", "p1Pos",
    "p2Pos",   "p3Pos",  "p4Pos",  "p5Pos",  "p6Pos",  "a1Pos",       "a2Pos",  "a3Pos",
    "a4Pos",   "a5Pos",  "a6Pos",  "a7Pos",  "a8Pos",  "b1Pos",       "b2Pos",  "b3Pos",
    "b4Pos",   "b5Pos",  "b6Pos",  "b7Pos",  "b8Pos",  "shipSettings"};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class ScriptSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeFolder(game / "Assets");
        MakeFolder(game / "Assets\\Scripts");
        std::string path = game.Path();
        path.pop_back(); // the installer's value has no trailing backslash
        registry.SetDirectory(path);
    }

    void WriteScripts(const std::string& section) {
        WriteFileBytes(ScriptsIni(), "[Mul_Kestrine]\r\n" + section);
    }
    std::string ScriptsIni() const { return game / "Assets\\Scripts\\scripts.ini"; }
    std::string GvxIni() const { return game / "gvx.ini"; }

    GameRegistry registry;
    TempFolder game;
    CScriptSettings settings;
};

TEST_F(ScriptSettingsTest, LoadWithoutFilesKeepsTextsAndFlagsAndClearsPositions) {
    settings.SetTitle("old title");
    settings.SetShip(3, "\"old ship\"");
    settings.SetPos(0, 5);
    settings.SetFlag(kFlagHostSelected);
    settings.SetDifficulty(2);

    ASSERT_TRUE(settings.Load());
    EXPECT_EQ(settings.GetTitle(), "old title");
    EXPECT_EQ(settings.GetShip(3), "\"old ship\"");
    for (int slot = 0; slot < kSlotCount; ++slot)
        EXPECT_EQ(settings.GetPos(slot), -1) << kSlots[slot].name;
    EXPECT_EQ(settings.GetFlags(), 4);
    EXPECT_EQ(settings.GetDifficulty(), 0);
}

TEST_F(ScriptSettingsTest, LoadConvertsPositionsAsTruncatedNumbers) {
    WriteScripts("p1Pos=3.9\r\np2Pos=-2.5\r\np3Pos=1e1\r\np4Pos=abc\r\np5Pos=\r\n"
                 "a1Pos=7\r\nb8Pos=  12xyz\r\n");
    ASSERT_TRUE(settings.Load());
    EXPECT_EQ(settings.GetPos(0), 3);
    EXPECT_EQ(settings.GetPos(1), -2);
    EXPECT_EQ(settings.GetPos(2), 10);
    EXPECT_EQ(settings.GetPos(3), 0);
    EXPECT_EQ(settings.GetPos(4), -1); // empty
    EXPECT_EQ(settings.GetPos(5), -1); // missing
    EXPECT_EQ(settings.GetPos(6), 7);
    EXPECT_EQ(settings.GetPos(21), 12);
}

TEST_F(ScriptSettingsTest, OptionFlagsNonNumericReadAsZeroAbsentKeepTheirValue) {
    settings.SetFlag(kFlagPlayerSelect);
    ASSERT_TRUE(settings.Load());
    EXPECT_EQ(settings.GetFlags(), 2);

    WriteScripts("shipSettings=abc\r\n");
    ASSERT_TRUE(settings.Load());
    EXPECT_EQ(settings.GetFlags(), 0);

    WriteScripts("shipSettings=6\r\n");
    ASSERT_TRUE(settings.Load());
    EXPECT_TRUE(settings.TestFlag(kFlagHostSelected));
    EXPECT_TRUE(settings.TestFlag(kFlagPlayerSelect));
}

TEST_F(ScriptSettingsTest, LoadKeepsTextsWholeWithTheirQuotes) {
    std::string seventy(70, 'x');
    WriteScripts("GameSet=Base Assault\r\nshipP1=" + seventy + "\r\nshipB8=\"N-QRF\"\r\n");
    ASSERT_TRUE(settings.Load());
    EXPECT_EQ(settings.GetTitle(), "Base Assault");
    EXPECT_EQ(settings.GetShip(0), seventy);
    EXPECT_EQ(settings.GetShip(21), "\"N-QRF\"");
}

TEST_F(ScriptSettingsTest, LoadReadsDifficultyFromGameSettings) {
    WriteFileBytes(GvxIni(), "[UI]\r\nUIType=2.7\r\n");
    ASSERT_TRUE(settings.Load());
    EXPECT_EQ(settings.GetDifficulty(), 2);

    WriteFileBytes(GvxIni(), "[UI]\r\nUIType=-1\r\n");
    ASSERT_TRUE(settings.Load());
    EXPECT_EQ(settings.GetDifficulty(), -1);
}

TEST_F(ScriptSettingsTest, SaveWritesEveryKeyInFileOrderThenTheDifficulty) {
    // Keys written in a different order by someone else keep their place; start clean.
    settings.SetTitle("Team Base Assault");
    for (int slot = 0; slot < kSlotCount; ++slot)
        settings.SetPos(slot, -1);
    settings.SetShip(0, "\"N-QRE\"");
    settings.SetPos(0, 0);
    settings.SetPos(21, 19);
    settings.SetFlag(kFlagHostSelected);
    settings.SetDifficulty(-1);

    ASSERT_TRUE(settings.Save());
    std::vector<std::string> lines = Lines(ReadFileBytes(ScriptsIni()));
    ASSERT_EQ(lines.size(), 47u);
    EXPECT_EQ(lines[0], "[Mul_Kestrine]");
    for (int i = 0; i < 46; ++i)
        EXPECT_EQ(lines[i + 1].substr(0, lines[i + 1].find('=')), kFileOrder[i]);
    EXPECT_EQ(lines[1], "GameSet=Team Base Assault");
    EXPECT_EQ(lines[2], "shipP1=\"N-QRE\"");
    EXPECT_EQ(lines[3], "shipP2=");
    EXPECT_EQ(lines[24], "p1Pos=0");
    EXPECT_EQ(lines[25], "p2Pos=-1");
    EXPECT_EQ(lines[45], "b8Pos=19");
    EXPECT_EQ(lines[46], "shipSettings=4");
    EXPECT_EQ(Lines(ReadFileBytes(GvxIni())), (std::vector<std::string>{"[UI]", "UIType=-1"}));
}

TEST_F(ScriptSettingsTest, LoadAfterSaveGivesBackNumbersAndTexts) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        settings.SetPos(slot, slot % 20);
        settings.SetShip(slot, std::string("ship ") + kSlots[slot].name);
    }
    settings.SetPos(4, -1);
    settings.SetTitle("round trip");
    settings.SetFlag(kFlagPlayerSelect);
    settings.SetDifficulty(1);
    ASSERT_TRUE(settings.Save());

    CScriptSettings loaded;
    ASSERT_TRUE(loaded.Load());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(loaded.GetPos(slot), settings.GetPos(slot)) << kSlots[slot].name;
        EXPECT_EQ(loaded.GetShip(slot), settings.GetShip(slot)) << kSlots[slot].name;
    }
    EXPECT_EQ(loaded.GetTitle(), "round trip");
    EXPECT_EQ(loaded.GetFlags(), 2);
    EXPECT_EQ(loaded.GetDifficulty(), 1);
}

TEST_F(ScriptSettingsTest, LongTextIsWrittenAndReadBackWhole) {
    std::string hundred;
    for (int i = 0; i < 100; ++i)
        hundred += char('a' + i % 26);
    settings.SetShip(7, hundred);
    settings.SetTitle(std::string(300, 'T'));
    ASSERT_TRUE(settings.Save());

    std::string file = ReadFileBytes(ScriptsIni());
    EXPECT_NE(file.find("shipA2=" + hundred + "\r\n"), std::string::npos);
    EXPECT_NE(file.find("GameSet=" + std::string(300, 'T') + "\r\n"), std::string::npos);

    CScriptSettings loaded;
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.GetShip(7), hundred);
    EXPECT_EQ(loaded.GetShip(8), ""); // its neighbour is untouched
}

TEST_F(ScriptSettingsTest, SaveIntoMissingFolderFailsAtTheFirstWrite) {
    RemoveDirectoryA((game / "Assets\\Scripts").c_str());
    SetLastError(0);
    EXPECT_FALSE(settings.Save());
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_FALSE(FileExists(GvxIni())); // nothing after the refused write was attempted
}

TEST_F(ScriptSettingsTest, WithoutTheRegistryKeyNeitherLoadNorSaveTouchAnything) {
    GameRegistry::RemoveAll();
    settings.SetTitle("kept");
    settings.SetPos(2, 9);
    SetLastError(0);
    EXPECT_FALSE(settings.Load());
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(settings.GetTitle(), "kept");
    EXPECT_EQ(settings.GetPos(2), 9);

    SetLastError(0);
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(FileExists(ScriptsIni()));
}

TEST(ScriptSettingsRecord, FlagsOnlyAddBitsUntilCleared) {
    CScriptSettings settings;
    EXPECT_FALSE(settings.TestFlag(kFlagHostSelected));
    EXPECT_EQ(settings.GetPos(0), 0);
    EXPECT_EQ(settings.GetDifficulty(), 0);
    settings.SetFlag(2);
    settings.SetFlag(1);
    EXPECT_EQ(settings.GetFlags(), 6);
    settings.ClearFlags();
    EXPECT_EQ(settings.GetFlags(), 0);
}

} // namespace
