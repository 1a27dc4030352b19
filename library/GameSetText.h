// The game-set text: a game set handed from one player to another as a short INI text (CRLF
// lines), in a chat or a small file.  It holds what PLAY hands the game, in PLAY's order and
// with PLAY's values: section Mul_Kestrine with GameSet, the 22 ship keys, the 22 position
// keys and shipSettings, then section UI with UIType.  So a game's own scripts.ini (with the
// lines of its gvx.ini, or without them) reads as a game set too.
#pragma once

#include "script/PlayValues.h"

#include <string>
#include <string_view>

// Larger texts are no game set: they are refused before they are read.
constexpr size_t kMaxGameSetText = 64 * 1024;

// The text of a game set.  Line breaks in texts become blanks.
std::string WriteGameSetText(const PlayValues& values);

enum class GameSetTextFault { None, TooLarge, NotText, NoSection };

// Reads a game-set text into `values` as the profile functions read it: the first section and
// key of a name count, numbers may stand in quotes.  A missing key reads as an empty text, no
// position, no option, or no difficulty (-1) where the [UI] section is there; without it the
// difficulty stays as it was.  On a fault nothing is changed.
GameSetTextFault ReadGameSetText(std::string_view text, PlayValues& values);

// What is wrong with a text, as the end of a sentence: "it is not text".
const char* GameSetTextFaultText(GameSetTextFault fault);
