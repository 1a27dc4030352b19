// The game's folder from Wine's real registry, and Load and Save of scripts.ini and gvx.ini
// through its real profile functions.
#include "script/ScriptSettings.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

struct Lookup {
    bool found;
    std::string game, scripts;
    DWORD error;
};

Lookup LookUp() {
    CScriptSettings settings;
    Lookup result{false, "untouched", "untouched", 0};
    SetLastError(0);
    result.found = settings.GetGameDirectory(result.game);
    result.error = GetLastError();
    settings.GetScriptsDirectory(result.scripts);
    return result;
}

TEST(GameDirectory, FolderValuesOfEveryKind) {
    GameRegistry registry;
    EXPECT_EQ(LookUp().error, DWORD(ERROR_FILE_NOT_FOUND));
    registry.CreateKeyWithoutValue();
    EXPECT_EQ(LookUp().error, DWORD(ERROR_FILE_NOT_FOUND));

    const std::pair<std::string, std::string> found[] = {
        {"C:\\Games\\Ostravane", "C:\\Games\\Ostravane\\"},
        {"C:\\Games\\Ostravane\\", "C:\\Games\\Ostravane\\"}, // never doubled
        {"", "\\"},
        {"C:\\" + std::string(229, 'd'), "C:\\" + std::string(229, 'd') + "\\"}, // the longest
    };
    for (const auto& value : found) {
        registry.SetDirectory(value.first);
        Lookup result = LookUp();
        EXPECT_TRUE(result.found) << value.first;
        EXPECT_EQ(result.game, value.second);
        EXPECT_EQ(result.scripts, value.second + "Assets\\Scripts\\");
    }
    registry.SetDirectoryBytes("D:\\Ost"); // no terminating NUL
    EXPECT_EQ(LookUp().game, "D:\\Ost\\");
    registry.SetDirectoryBytes(std::string("%SystemDrive%\\Games", 21), GameRegistry::Wow32,
                               REG_EXPAND_SZ);
    EXPECT_EQ(LookUp().game, "C:\\Games\\");

    const struct {
        std::string bytes;
        DWORD type, error;
    } refused[] = {
        {"C:\\" + std::string(230, 'd') + '\0', REG_SZ, ERROR_FILENAME_EXCED_RANGE},
        {std::string(256, 'd') + '\0', REG_SZ, ERROR_MORE_DATA},
        {std::string("\x01\x00\x00\x00", 4), REG_DWORD, ERROR_DATATYPE_MISMATCH},
        {"C:\\Games", REG_BINARY, ERROR_DATATYPE_MISMATCH},
    };
    for (const auto& value : refused) {
        registry.SetDirectoryBytes(value.bytes, GameRegistry::Wow32, value.type);
        Lookup result = LookUp();
        EXPECT_FALSE(result.found) << value.bytes.size();
        EXPECT_EQ(result.error, value.error) << value.bytes.size();
        EXPECT_EQ(result.game + result.scripts, "untoucheduntouched");
    }

    // The installer's 32-bit view is preferred to the native one.
    GameRegistry::RemoveAll();
    registry.SetDirectory("C:\\Native", GameRegistry::Native);
    EXPECT_EQ(LookUp().game, "C:\\Native\\");
    registry.SetDirectory("C:\\Installer", GameRegistry::Wow32);
    EXPECT_EQ(LookUp().game, "C:\\Installer\\");
}

TEST(SettingsFile, SaveWritesEveryKeyInTheGamesOrderAndLoadGivesItBack) {
    GameRegistry registry;
    TempFolder game;
    MakeFolder(game / "Assets");
    MakeFolder(game / "Assets\\Scripts");
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
    ASSERT_NE(at, std::string::npos) << file; // an existing key keeps its place
    for (int slot = 0; slot < kSlotCount; ++slot) {
        size_t next = file.find(std::string("\r\n") + kSlots[slot].shipKey + "=", at);
        EXPECT_GT(next, at) << kSlots[slot].shipKey;
        at = next;
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        size_t next = file.find(std::string("\r\n") + kSlots[slot].posKey + "=", at);
        EXPECT_GT(next, at) << kSlots[slot].posKey;
        at = next;
    }
    EXPECT_EQ(KeyValue(scriptsIni, "keep"), "1");
    EXPECT_EQ(KeyValue(scriptsIni, "p5Pos"), "-1");
    EXPECT_EQ(ReadFileBytes(game / "gvx.ini"), "[UI]\r\nUIType=-1\r\n");

    CScriptSettings loaded;
    ASSERT_TRUE(loaded.Load());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(loaded.GetPos(slot), settings.GetPos(slot)) << kSlots[slot].name;
        EXPECT_EQ(loaded.GetShip(slot), settings.GetShip(slot)) << kSlots[slot].name;
    }
    EXPECT_EQ(loaded.GetFlags(), 4);
    EXPECT_EQ(loaded.GetDifficulty(), -1);
}

} // namespace
