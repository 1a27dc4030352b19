// Conversions of the number values in the game's settings files.
#pragma once

#include <string>

// A value read as a decimal floating-point number (leading blanks, sign, digits, fraction,
// exponent; no hexadecimal, infinity or NaN) and truncated toward zero; a value without such
// a number at its start is 0.  Values beyond the
// range of int are clamped to it rather than left undefined.
int TruncatedNumber(const char* text);

// A value read as a decimal integer (leading blanks, sign, digits), 0 when there is none;
// clamped to the range of int.
int IntegerNumber(const char* text);

// A number as the files hold it: plain signed decimal.
std::string NumberText(int value);
