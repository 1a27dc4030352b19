#include "script/PositionCodec.h"
#include "script/ValueText.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(PositionCodec, LettersAsPeopleTypeThemAndBack) {
    for (int number = 0; number < kPositionCount; ++number) {
        std::string letter(1, char('G' + number));
        EXPECT_EQ(LetterToPosition(letter), number) << letter;
        EXPECT_EQ(PositionToLetter(number), letter);
    }
    const std::pair<const char*, int> texts[] = {
        {"g", 0},  {" q ", 10}, {"\tZ", 19}, {"", -1},  {"  ", -1}, {"A", -1},   {"F", -1},
        {"[", -1}, {"GH", -1},  {"g h", -1}, {"1", -1}, {"5", -1},  {"\xC7", -1}};
    for (const auto& text : texts)
        EXPECT_EQ(LetterToPosition(text.first), text.second) << '"' << text.first << '"';
    for (int number : {-5, -1, 20, 25, 1000})
        EXPECT_EQ(PositionToLetter(number), "") << number;
}

TEST(ValueText, NumbersAsPlainDecimalsOnly) {
    const std::pair<const char*, int> truncated[] = {
        {"3.9", 3}, {"-2.5", -2}, {"1e1", 10},        {"  7.9x", 7},       {".5", 0},
        {"abc", 0}, {"", 0},      {"0x10", 0},        {"inf", 0},          {"nan", 0},
        {"2e", 2},  {"-.", 0},    {"1e300", INT_MAX}, {"-1e300", INT_MIN}, {"+4", 4}};
    for (const auto& value : truncated)
        EXPECT_EQ(TruncatedNumber(value.first), value.second) << value.first;
    EXPECT_EQ(IntegerNumber(" -6.5"), -6);
    EXPECT_EQ(IntegerNumber("abc"), 0);
    EXPECT_EQ(IntegerNumber("99999999999"), INT_MAX);
    EXPECT_EQ(IntegerNumber("-99999999999"), INT_MIN);
    EXPECT_EQ(NumberText(-1), "-1");
}

} // namespace
