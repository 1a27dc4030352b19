#include "script/ValueText.h"

#include <climits>
#include <cstdlib>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The longest start of `text` that is a plain decimal number: blanks, a sign, digits, a
// fraction and an exponent.  strtod would also take hexadecimal, "inf" and "nan".
std::string DecimalPrefix(const char* text) {
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    const char* start = p;
    if (*p == '+' || *p == '-')
        ++p;
    const char* digits = p;
    while (IsDigit(*p))
        ++p;
    bool any = p != digits;
    if (*p == '.') {
        const char* fraction = ++p;
        while (IsDigit(*p))
            ++p;
        any = any || p != fraction;
    }
    if (!any)
        return std::string();
    if (*p == 'e' || *p == 'E') {
        const char* exponent = p + 1;
        if (*exponent == '+' || *exponent == '-')
            ++exponent;
        if (IsDigit(*exponent)) {
            p = exponent;
            while (IsDigit(*p))
                ++p;
        }
    }
    return std::string(start, p);
}

} // namespace

int TruncatedNumber(const char* text) {
    const std::string number = DecimalPrefix(text);
    if (number.empty())
        return 0;
    double value = std::strtod(number.c_str(), nullptr);
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
