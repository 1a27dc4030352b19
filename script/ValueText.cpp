#include "script/ValueText.h"

#include <climits>
#include <cmath>
#include <cstdlib>

int TruncatedNumber(const char* text) {
    double value = std::strtod(text, nullptr);
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value); // truncates toward zero
}

int IntegerNumber(const char* text) {
    long long value = std::strtoll(text, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

std::string NumberText(int value) {
    return std::to_string(value);
}
