// Profile text read and changed in one pass, natively: the rows a game's scripts.ini and a
// shared game set bring.
#include "library/GameSetText.h"
#include "script/IniEdit.h"
#include "script/PositionCodec.h"
#include "script/ValueText.h"

#include <climits>

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

std::string Set(const std::string& text,
                std::initializer_list<std::pair<const char*, const char*>> values,
                const std::string& section = "Mul_Kestrine") {
    IniValues<char> set;
    for (const auto& value : values)
        set.values.emplace_back(value.first, value.second);
    return SetIniValues(text, section, set);
}

TEST(IniEdit, SetsKeysWhereTheProfileWriterWouldAndKeepsEveryOtherByte) {
    const struct {
        const char* name;
        std::string before, after;
    } rows[] = {
        {"a key in place, comments and blank lines kept",
         "; game\r\n[Mul_Kestrine]\r\n\r\n  shipP1 = old\r\n;note\r\nx=1\r\n",
         "; game\r\n[Mul_Kestrine]\r\n\r\n  shipP1 =new\r\n;note\r\nx=1\r\n"},
        {"a new key after the section's last line, before blank lines and the next section",
         "[Mul_Kestrine]\r\nx=1\r\n\r\n[Next]\r\ny=2\r\n",
         "[Mul_Kestrine]\r\nx=1\r\nshipP1=new\r\n\r\n[Next]\r\ny=2\r\n"},
        {"a new section at the end, a missing last line end added", "[Other]\r\ny=2",
         "[Other]\r\ny=2\r\n[Mul_Kestrine]\r\nshipP1=new\r\n"},
        {"an empty file", "", "[Mul_Kestrine]\r\nshipP1=new\r\n"},
        {"LF only stays LF only", "[Mul_Kestrine]\nshipP1=old\n[B]\n",
         "[Mul_Kestrine]\nshipP1=new\n[B]\n"},
        {"CR only stays CR only", "[Mul_Kestrine]\rx=1\r", "[Mul_Kestrine]\rx=1\rshipP1=new\r"},
        {"names ignore letter case and blanks", "[ mul_kestrine ]\r\nSHIPP1=old\r\n",
         "[ mul_kestrine ]\r\nSHIPP1=new\r\n"},
        {"the first section and the first key of a name",
         "[Mul_Kestrine]\r\nshipP1=a\r\nshipP1=b\r\n[Mul_Kestrine]\r\nshipP1=c\r\n",
         "[Mul_Kestrine]\r\nshipP1=new\r\nshipP1=b\r\n[Mul_Kestrine]\r\nshipP1=c\r\n"},
        {"a header runs to its last ]", "[Mul_Kestrine]]\r\nshipP1=old\r\n",
         "[Mul_Kestrine]]\r\nshipP1=old\r\n[Mul_Kestrine]\r\nshipP1=new\r\n"},
        {"a line without ] is no header", "[Mul_Kestrine]\r\n[Odd\r\nshipP1=old\r\n",
         "[Mul_Kestrine]\r\n[Odd\r\nshipP1=new\r\n"},
        {"DOS end-of-file marks are blanks", "[Mul_Kestrine]\r\n\x1AshipP1=old\r\n\x1A",
         "[Mul_Kestrine]\r\n\x1AshipP1=new\r\n\x1A"},
        {"a key without = gets one", "[Mul_Kestrine]\r\nshipP1\r\n",
         "[Mul_Kestrine]\r\nshipP1=new\r\n"},
        {"an empty header is a section of its own", "[Mul_Kestrine]\r\n[]\r\nshipP1=old\r\n",
         "[Mul_Kestrine]\r\nshipP1=new\r\n[]\r\nshipP1=old\r\n"},
        {"a NUL inside a line is kept", "[Mul_Kestrine]\r\nnote=a\0b\r\nshipP1=old\r\n"s,
         "[Mul_Kestrine]\r\nnote=a\0b\r\nshipP1=new\r\n"s},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Set(row.before, {{"shipP1", "new"}}), row.after) << row.name;
}

TEST(GameSetText, QuotedNumbersAndTheDifficultyOfAGameSet) {
    GameSetRead read;
    ASSERT_EQ(ReadGameSetText("[Other]\r\nx=1\r\n[mul_kestrine]\r\np1Pos=\"7\"\r\na1Pos=11.5\r\n"
                              "shipSettings='4'\r\n",
                              read),
              "");
    EXPECT_EQ(read.values.positions[0], 7);
    EXPECT_EQ(read.values.positions[6], 11);
    EXPECT_EQ(read.values.flags, FlagValue(kFlagHostSelected));
    EXPECT_FALSE(read.difficulty); // no [UI]: the reader chooses
    EXPECT_EQ(read.WithDifficulty(1).difficulty, 1);
    ASSERT_EQ(ReadGameSetText("[Mul_Kestrine]\r\n[UI]\r\n", read), ""); // missing keys
    EXPECT_EQ(read.values.positions[0], -1);
    EXPECT_EQ(read.values.flags, 0);
    EXPECT_FALSE(read.difficulty);
    ASSERT_EQ(ReadGameSetText("[Mul_Kestrine]\r\n[UI]\r\nUIType=\"2\"\r\n", read), "");
    EXPECT_EQ(read.WithDifficulty(1).difficulty, 2);
    // A difficulty the game does not know is none: the reader's own stays, and it is named.
    for (const char* unknown : {"-1", "3", "7"}) {
        ASSERT_EQ(ReadGameSetText("[Mul_Kestrine]\r\n[UI]\r\nUIType=" + std::string(unknown), read),
                  "");
        EXPECT_FALSE(read.difficulty) << unknown;
        EXPECT_EQ(read.unknownDifficulty, unknown);
    }
    // Only what reaches the game must be text; a comment or another section may hold anything.
    EXPECT_EQ(
        ReadGameSetText("; \x1B[31m\r\n[Other]\r\nx=\x01\r\n[Mul_Kestrine]\r\nGameSet=ok"s, read),
        "");
    for (const std::string& bad : {"GameSet=a\x1B"s, "p1Pos=\x01"s, "shipB8=a\0b"s})
        EXPECT_EQ(ReadGameSetText("[Mul_Kestrine]\r\n" + bad, read), kNotText) << bad;
    EXPECT_EQ(ReadGameSetText("[Mul_Kestrine]\r\n[UI]\r\nUIType=\x02"s, read), kNotText);
    PlayValues none; // and a set without one is written without [UI]
    EXPECT_EQ(WriteGameSetText(none).find("[UI]"), std::string::npos);
}

// Every kind of set takes one shape, whether imported, played or read back from the game's
// files at the next start: shown once, written and read again, it is the same set.
TEST(GameSetText, OneShapeWhereverASetIsRead) {
    const std::string host = "shipSettings=4\r\n", player = "shipSettings=2\r\n";
    const std::pair<const char*, std::string> kinds[] = {
        {"HOST SELECTED", "shipP1=\"N-QRE\"\r\np1Pos=3\r\nshipA1=\"T-MWA\"\r\na1Pos=5\r\n" + host},
        {"PLAYER SELECT with player ships", "shipP1=\"N-QRE\"\r\np1Pos=3\r\nshipP6=x\r\n" + player},
        {"PLAYER SELECT without positions", "shipA1=\"T-MWA\"\r\n" + player},
        {"both options", "shipP2=\"N-QRE\"\r\np2Pos=4\r\nshipSettings=6\r\n"},
        {"positions out of range", "shipA1=\"T-MWA\"\r\na1Pos=20\r\np1Pos=-5\r\n" + player},
        {"padded blanks", "GameSet=  Title  \r\nshipA1=  \"T-MWA\"  \r\n" + host},
        {"a difficulty", host + "[UI]\r\nUIType=2\r\n"},
    };
    for (const auto& [kind, keys] : kinds) {
        GameSetRead read;
        ASSERT_EQ(ReadGameSetText("[Mul_Kestrine]\r\n" + keys, read), "") << kind;
        const PlayValues shown = AsTheFormShows(read.values);
        GameSetRead again;
        ASSERT_EQ(ReadGameSetText(WriteGameSetText(shown), again), "");
        EXPECT_EQ(WriteGameSetText(AsTheFormShows(again.values)), WriteGameSetText(shown)) << kind;
        EXPECT_EQ(SetupCodeOf(read.values), SetupCodeOf(again.values)) << kind;
    }
    // PLAYER SELECT: the players choose their ships, and each starts at its own letter.
    GameSetRead read;
    ASSERT_EQ(ReadGameSetText("[Mul_Kestrine]\r\nshipP1=\"N-QRE\"\r\np1Pos=3\r\n" + player, read),
              "");
    const PlayValues shown = AsTheFormShows(read.values);
    EXPECT_EQ(shown.ships[0], "");
    EXPECT_EQ(shown.positions[0], 3);
    EXPECT_EQ(shown.positions[1], 1); // H
    PlayValues padded;
    padded.title = " Title \r\nmore ";
    EXPECT_EQ(AsTheFormShows(padded).title, "Title   more");
}

// shipSettings as the form ticks it: HOST SELECTED wins where both flags are set, and bits the
// form has no box for are not seen; a stored set's boxes count where they hold anything but 0.
TEST(GameSetText, TheOptionAsTheFormShowsIt) {
    const int host = FlagValue(kFlagHostSelected), player = FlagValue(kFlagPlayerSelect);
    const std::pair<int, int> shown[] = {{0, 0},    {host, host}, {player, player},
                                         {6, host}, {5, host},    {3, player},
                                         {1, 0},    {8, 0},       {-1, host}};
    for (const auto& [flags, option] : shown) {
        PlayValues values;
        values.flags = flags;
        EXPECT_EQ(AsTheFormShows(values).flags, option) << flags;
    }
    CShipData record;
    record.m_bPlayerSelect = 2;
    EXPECT_EQ(PlayValuesOf(record, 1).flags, player);
}

TEST(ValueText, NumbersAsTheGamesFilesHoldThem) {
    const std::pair<const char*, int> truncated[] = {
        {"3.9", 3},
        {"-2.5", -2},
        {"1e1", 10},
        {"1E1", 10},
        {" 7", 7},
        {"abc", 0},
        {"0x10", 0},
        {"inf", 0},
        {"", 0},
        {"-0.9", 0},
        {"12abc", 12},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const auto& [text, number] : truncated)
        EXPECT_EQ(TruncatedNumber(text), number) << text;
    const std::pair<const char*, int> integers[] = {
        {"4", 4}, {" -3x", -3}, {"abc", 0}, {"4.9", 4}, {"+2", 2}, {"99999999999", INT_MAX},
    };
    for (const auto& [text, number] : integers)
        EXPECT_EQ(IntegerNumber(text), number) << text;
}

TEST(PositionCodec, LettersAndNumbers) {
    const std::pair<const char*, int> letters[] = {
        {"G", 0}, {"Z", 19}, {" q ", 10}, {"g", 0}, {"F", -1}, {"GG", -1}, {"", -1}, {"[", -1},
    };
    for (const auto& [text, position] : letters)
        EXPECT_EQ(LetterToPosition(text), position) << text;
    const std::pair<int, const char*> numbers[] = {{0, "G"}, {19, "Z"}, {20, ""}, {-1, ""}};
    for (const auto& [position, letter] : numbers)
        EXPECT_EQ(PositionToLetter(position), letter) << position;
}

} // namespace
