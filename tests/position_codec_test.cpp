#include "script/PositionCodec.h"
#include "script/Slots.h"

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

TEST(SlotTable, SlotsAndKeysInTheirFixedOrder) {
    EXPECT_STREQ(kSlots[0].name, "P1");
    EXPECT_STREQ(kSlots[5].shipKey, "shipP6");
    EXPECT_STREQ(kSlots[6].posKey, "a1Pos");
    EXPECT_STREQ(kSlots[13].shipKey, "shipA8");
    EXPECT_STREQ(kSlots[14].name, "B1");
    EXPECT_STREQ(kSlots[21].posKey, "b8Pos");
}

} // namespace
