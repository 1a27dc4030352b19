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

TEST_F(GameDirectoryTest, ValueOf255CharactersFitsAndLongerOneFails) {
    std::string longest = "C:\\" + std::string(252, 'd');
    registry.SetDirectory(longest);
    Lookup fits = LookUp();
    ASSERT_TRUE(fits.found);
    EXPECT_EQ(fits.game, longest + "\\");

    registry.SetDirectory(longest + "e");
    Lookup tooLong = LookUp();
    EXPECT_FALSE(tooLong.found);
    EXPECT_EQ(tooLong.error, DWORD(ERROR_MORE_DATA));
    EXPECT_EQ(tooLong.game, "untouched");
    EXPECT_EQ(tooLong.scripts, "untouched");
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
