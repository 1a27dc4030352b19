#include "script/PositionCodec.h"

int LetterToPosition(const std::string& text) {
    if (text.size() != 1 || text[0] < 'G' || text[0] > 'Z')
        return kNoPosition;
    return text[0] - 'G';
}

std::string PositionToLetter(int position) {
    if (position < 0 || position >= kPositionCount)
        return std::string();
    return std::string(1, static_cast<char>('G' + position));
}
