#include "script/PositionCodec.h"

#include <gtest/gtest.h>

namespace {

TEST(PositionCodec, EveryLetterMapsToItsNumberAndBack) {
    for (int number = 0; number < kPositionCount; ++number) {
        std::string letter(1, char('G' + number));
        EXPECT_EQ(LetterToPosition(letter), number) << letter;
        EXPECT_EQ(PositionToLetter(number), letter);
    }
    EXPECT_EQ(LetterToPosition("G"), 0);
    EXPECT_EQ(LetterToPosition("Z"), 19);
}

TEST(PositionCodec, AnythingButOneCapitalLetterHasNoPosition) {
    for (const char* text : {"", "g", "z", "A", "F", "[", " G", "G ", "GH", "1", "\xC7"})
        EXPECT_EQ(LetterToPosition(text), kNoPosition) << '"' << text << '"';
}

TEST(PositionCodec, NumbersOutsideTheMapHaveNoLetter) {
    for (int number : {-5, -1, 20, 25, 1000})
        EXPECT_EQ(PositionToLetter(number), "") << number;
}

} // namespace
