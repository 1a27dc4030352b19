// Start positions: the letters "G".."Z" in the form and the game-set record, the numbers
// 0..19 in the script settings and scripts.ini, -1 for none.
#pragma once

#include <string>

constexpr int kNoPosition = -1;
constexpr int kPositionCount = 20;

// The number of a position text: 0..19 when the text is one letter "G".."Z", in either case,
// with or without blanks around it; otherwise kNoPosition.
int LetterToPosition(const std::string& text);

// The letter of a position number: "G".."Z" for 0..19, an empty text for anything else.
std::string PositionToLetter(int position);
