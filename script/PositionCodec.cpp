#include "script/PositionCodec.h"

int LetterToPosition(const std::string& text) {
    // People type " q" as readily as "Q": blanks around the letter and its case don't count.
    size_t first = text.find_first_not_of(" \t");
    size_t last = text.find_last_not_of(" \t");
    if (first == std::string::npos || first != last)
        return kNoPosition;
    char letter = text[first];
    if (letter >= 'g' && letter <= 'z')
        letter = char(letter - 'a' + 'A');
    if (letter < 'G' || letter > 'Z')
        return kNoPosition;
    return letter - 'G';
}

std::string PositionToLetter(int position) {
    if (position < 0 || position >= kPositionCount)
        return std::string();
    return std::string(1, static_cast<char>('G' + position));
}
