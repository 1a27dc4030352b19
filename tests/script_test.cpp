// The game's folder from Wine's real registry, and Save of scripts.ini and gvx.ini
// through its real profile functions.
#include "script/ScriptSettings.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// "game folder|scripts folder", or "error N|" and what the two out texts hold after a failure.
std::string LookUp() {
    CScriptSettings settings;
    std::string game = "untouched", scripts = "untouched";
    DWORD error = settings.GetGameDirectory(game);
    settings.GetScriptsDirectory(scripts);
    return (error == 0 ? "" : "error " + std::to_string(error) + "|") + game + "|" + scripts;
}

TEST(GameDirectory, FolderValuesOfEveryKind) {
    GameRegistry registry;
    EXPECT_EQ(LookUp(), "error 2|untouched|untouched");
    const std::string longest = "C:\\" + std::string(229, 'd'); // scripts.ini's path just fits
    const std::tuple<std::string, DWORD, std::string> values[] = {
        {std::string("C:\\Games\\Y", 12), REG_SZ, "C:\\Games\\Y\\|C:\\Games\\Y\\Assets\\Scripts\\"},
        {std::string("C:\\Y\\", 6), REG_SZ, "C:\\Y\\|C:\\Y\\Assets\\Scripts\\"}, // not doubled
        {std::string("", 1), REG_SZ, "\\|\\Assets\\Scripts\\"},
        {"D:\\Ost", REG_SZ, "D:\\Ost\\|D:\\Ost\\Assets\\Scripts\\"}, // no terminating NUL
        {longest, REG_SZ, longest + "\\|" + longest + "\\Assets\\Scripts\\"},
        {"%SystemDrive%\\Y", REG_EXPAND_SZ, "C:\\Y\\|C:\\Y\\Assets\\Scripts\\"},
        {longest + "e", REG_SZ, "error 206|untouched|untouched"},
        {std::string(257, 'd'), REG_SZ, "error 234|untouched|untouched"},
        {std::string("\x01\0\0\0", 4), REG_DWORD, "error 1629|untouched|untouched"},
        {"C:\\Games", REG_BINARY, "error 1629|untouched|untouched"},
    };
    for (const auto& [bytes, type, expected] : values) {
        registry.SetDirectoryBytes(bytes, GameRegistry::Wow32, type);
        EXPECT_EQ(LookUp(), expected) << bytes;
    }
    registry.SetDirectory("C:\\Games");
    registry.SetDirectory("C:\\Native", GameRegistry::Native); // the 32-bit view first
    EXPECT_EQ(LookUp().substr(0, 9), "C:\\Games\\");
    GameRegistry::RemoveAll();
    registry.SetDirectory("C:\\Native", GameRegistry::Native);
    EXPECT_EQ(LookUp().substr(0, 10), "C:\\Native\\");
}

TEST(SettingsFile, SaveWritesEveryKeyInTheGamesOrder) {
    GameRegistry registry;
    TempFolder game;
    MakeGameFolders(game.Path());
    registry.SetDirectory(game.Path());
    const std::string scriptsIni = game / "Assets\\Scripts\\scripts.ini";
    CScriptSettings settings;
    WriteFileBytes(scriptsIni, "[Other]\r\nkeep=1\r\n[Mul_Kestrine]\r\nshipSettings=9\r\n");
    settings.SetTitle("Team\r\n[Evil]");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        settings.SetPos(slot, slot == 4 ? -1 : slot % 20);
        settings.SetShip(slot, slot == 3 ? std::string(300, 's') : kSlots[slot].name);
    }
    settings.SetFlag(kFlagHostSelected);
    settings.SetDifficulty(-1);
    ASSERT_TRUE(settings.Save());

    const std::string file = ReadFileBytes(scriptsIni);
    size_t at = file.find("[Mul_Kestrine]\r\nshipSettings=4\r\nGameSet=Team  [Evil]\r\n");
    ASSERT_NE(at, std::string::npos) << file;        // an existing key keeps its place
    for (int key = 0; key < 2 * kSlotCount; ++key) { // the ships, then the positions
        const SlotInfo& slot = kSlots[key % kSlotCount];
        size_t next =
            file.find(std::string("\r\n") + (key < kSlotCount ? slot.shipKey : slot.posKey));
        EXPECT_GT(next, at) << key;
        at = next;
    }
    EXPECT_EQ(KeyValue(scriptsIni, "keep"), "1");
    EXPECT_EQ(KeyValue(scriptsIni, "p5Pos"), "-1");
    EXPECT_EQ(ReadFileBytes(game / "gvx.ini"), "[UI]\r\nUIType=-1\r\n");
}

} // namespace
