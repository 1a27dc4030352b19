// The game's folder from Wine's real registry, and Save of scripts.ini and gvx.ini
// through its real profile functions.
#include "framework/File.h"
#include "script/ScriptSettings.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// The game folder and the scripts folder as the lookup gives them; after a failure, what the
// two out texts still hold.
struct Folders {
    DWORD error;
    std::string game, scripts;
};
Folders LookUp() {
    CScriptSettings settings;
    Folders found{0, "untouched", "untouched"};
    found.error = settings.GetGameDirectory(found.game);
    settings.GetScriptsDirectory(found.scripts);
    return found;
}

TEST(GameDirectory, FolderValuesOfEveryKind) {
    GameRegistry registry;
    EXPECT_EQ(LookUp().error, 2u);
    const std::string longest = "C:\\" + std::string(229, 'd'); // scripts.ini's path just fits
    const std::string untouched = "untouched";
    const struct {
        std::string bytes;
        DWORD type, error;
        std::string game;
    } values[] = {
        {std::string("C:\\Games\\Y", 12), REG_SZ, 0, "C:\\Games\\Y\\"},
        {std::string("C:\\Y\\", 6), REG_SZ, 0, "C:\\Y\\"}, // not doubled
        {std::string("", 1), REG_SZ, 0, "\\"},
        {"D:\\Ost", REG_SZ, 0, "D:\\Ost\\"}, // no terminating NUL
        {longest, REG_SZ, 0, longest + "\\"},
        {"%SystemDrive%\\Y", REG_EXPAND_SZ, 0, "C:\\Y\\"},
        {longest + "e", REG_SZ, 206, longest + "e\\"}, // too long, and named
        {std::string(257, 'd'), REG_SZ, 234, untouched},
        {std::string("\x01\0\0\0", 4), REG_DWORD, 1629, untouched},
        {"C:\\Games", REG_BINARY, 1629, untouched},
    };
    for (const auto& value : values) {
        SCOPED_TRACE(value.bytes);
        registry.SetDirectoryBytes(value.bytes, GameRegistry::Wow32, value.type);
        const Folders found = LookUp();
        EXPECT_EQ(found.error, value.error);
        EXPECT_EQ(found.game, value.game);
        EXPECT_EQ(found.scripts, value.error ? untouched : value.game + "Assets\\Scripts\\");
    }
    registry.SetDirectory("C:\\Games");
    registry.SetDirectory("C:\\Native", GameRegistry::Native); // the 32-bit view first
    EXPECT_EQ(LookUp().game, "C:\\Games\\");
    GameRegistry::RemoveAll();
    registry.SetDirectory("C:\\Native", GameRegistry::Native);
    EXPECT_EQ(LookUp().game, "C:\\Native\\");
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

// A scratch file's path is never longer than that of the file it is to replace, so that a game
// folder whose files fit the path limit takes its scratch files too.
TEST(NewFile, NamesNoLongerThanTheFileTheyReplace) {
    TempFolder folder;
    for (const std::string target : {"gvx.ini", "QXData.dat", "scripts.ini", "a-long-name.ini"}) {
        CNewFile file;
        ASSERT_EQ(file.CreateBeside(WideText(folder / target)), 0u);
        const std::wstring name = file.Path().substr(WideText(folder.Path()).size());
        EXPECT_LE(name.size(), target.size()) << target;
        EXPECT_EQ(name.rfind(L"~k", 0), 0u);
    }
}

} // namespace
