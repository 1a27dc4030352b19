// The game directory lookup against Wine's real registry, in both registry views.
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
    Lookup result{};
    result.game = result.scripts = "untouched";
    SetLastError(0);
    result.found = settings.GetGameDirectory(result.game);
    result.error = GetLastError();
    settings.GetScriptsDirectory(result.scripts);
    return result;
}

class GameDirectoryTest : public ::testing::Test {
protected:
    GameRegistry registry;
};

TEST_F(GameDirectoryTest, TrailingBackslashIsAddedOnceAndNeverDoubled) {
    registry.SetDirectory("C:\\Games\\Ostravane");
    Lookup without = LookUp();
    registry.SetDirectory("C:\\Games\\Ostravane\\");
    Lookup with = LookUp();

    ASSERT_TRUE(without.found);
    EXPECT_EQ(without.game, "C:\\Games\\Ostravane\\");
    EXPECT_EQ(without.scripts, "C:\\Games\\Ostravane\\Assets\\Scripts\\");
    EXPECT_EQ(with.game, without.game);
    EXPECT_EQ(with.scripts, without.scripts);
}

TEST_F(GameDirectoryTest, EmptyValueGivesASingleBackslash) {
    registry.SetDirectory("");
    Lookup result = LookUp();
    ASSERT_TRUE(result.found);
    EXPECT_EQ(result.game, "\\");
    EXPECT_EQ(result.scripts, "\\Assets\\Scripts\\");
}

TEST_F(GameDirectoryTest, ValuesThatMakeNoUsablePathFailTheLookup) {
    // The longest folder whose scripts.ini path stays within the path limit.
    std::string longest = "C:\\" + std::string(229, 'd');
    registry.SetDirectory(longest);
    Lookup fits = LookUp();
    ASSERT_TRUE(fits.found);
    EXPECT_EQ(fits.game, longest + "\\");

    const struct {
        std::string bytes;
        DWORD type, error;
    } refused[] = {
        {longest + "e", REG_SZ, ERROR_FILENAME_EXCED_RANGE},
        {std::string(256, 'd'), REG_SZ, ERROR_MORE_DATA},
        {std::string("\x01\x00\x00\x00", 4), REG_DWORD, ERROR_DATATYPE_MISMATCH},
        {"C:\\Games", REG_BINARY, ERROR_DATATYPE_MISMATCH},
    };
    for (const auto& value : refused) {
        registry.SetDirectoryBytes(value.bytes, GameRegistry::Wow32, value.type);
        Lookup result = LookUp();
        EXPECT_FALSE(result.found) << value.type;
        EXPECT_EQ(result.error, value.error) << value.type;
        EXPECT_EQ(result.game, "untouched");
        EXPECT_EQ(result.scripts, "untouched");
    }

    registry.SetDirectoryBytes(std::string("%SystemDrive%\\Games", 21), GameRegistry::Wow32,
                               REG_EXPAND_SZ);
    EXPECT_EQ(LookUp().game, "C:\\Games\\");
}

TEST_F(GameDirectoryTest, ValueWithoutTerminatorEndsAtItsSize) {
    registry.SetDirectoryBytes("D:\\Ost");
    Lookup result = LookUp();
    ASSERT_TRUE(result.found);
    EXPECT_EQ(result.game, "D:\\Ost\\");
}

TEST_F(GameDirectoryTest, MissingKeyFailsWithTheRegistryCodeAsLastError) {
    Lookup result = LookUp();
    EXPECT_FALSE(result.found);
    EXPECT_EQ(result.error, DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(result.game, "untouched");
    EXPECT_EQ(result.scripts, "untouched");
}

TEST_F(GameDirectoryTest, KeyWithoutDirectoryValueFails) {
    registry.CreateKeyWithoutValue();
    Lookup result = LookUp();
    EXPECT_FALSE(result.found);
    EXPECT_EQ(result.error, DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(GameDirectoryTest, FindsTheKeyInEitherViewAndPrefersThe32BitOne) {
    registry.SetDirectory("C:\\Native", GameRegistry::Native);
    EXPECT_EQ(LookUp().game, "C:\\Native\\");

    registry.SetDirectory("C:\\Installer", GameRegistry::Wow32);
    EXPECT_EQ(LookUp().game, "C:\\Installer\\");
}

} // namespace
