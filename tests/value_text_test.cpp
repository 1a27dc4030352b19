#include "script/ValueText.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(ValueText, FloatingValuesTruncateTowardZero) {
    EXPECT_EQ(TruncatedNumber("3.9"), 3);
    EXPECT_EQ(TruncatedNumber("-2.5"), -2);
    EXPECT_EQ(TruncatedNumber("1e1"), 10);
    EXPECT_EQ(TruncatedNumber("  7.9x"), 7);
    EXPECT_EQ(TruncatedNumber("abc"), 0);
    EXPECT_EQ(TruncatedNumber(""), 0);
}

TEST(ValueText, ValuesBeyondIntAreClamped) {
    EXPECT_EQ(TruncatedNumber("1e300"), INT_MAX);
    EXPECT_EQ(TruncatedNumber("-1e300"), INT_MIN);
    EXPECT_EQ(TruncatedNumber("nan"), 0);
    EXPECT_EQ(IntegerNumber("99999999999"), INT_MAX);
    EXPECT_EQ(IntegerNumber("-99999999999"), INT_MIN);
}

TEST(ValueText, IntegerValuesStopAtTheFirstNonDigit) {
    EXPECT_EQ(IntegerNumber("4"), 4);
    EXPECT_EQ(IntegerNumber(" -6.5"), -6);
    EXPECT_EQ(IntegerNumber("abc"), 0);
    EXPECT_EQ(NumberText(-1), "-1");
    EXPECT_EQ(NumberText(19), "19");
}

} // namespace
