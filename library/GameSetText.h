// The game-set text: a game set handed from one player to another as a short INI text (CRLF
// lines), in a chat or a small file.  It holds what PLAY hands the game, in PLAY's order and
// with PLAY's values: section Mul_Kestrine with GameSet, the 22 ship keys, the 22 position
// keys and shipSettings, then section UI with UIType.  So a game's own scripts.ini (with the
// lines of its gvx.ini, or without them) reads as a game set too.
//
// Every reader of a game set (this one, and the file and Unicode readers beside it) returns
// why it refused the set, as the end of a sentence ("it is not text"), or an empty text where
// it read it.
#pragma once

#include "library/ShipData.h"
#include "script/PlayValues.h"

#include <optional>
#include <string>
#include <string_view>

// Larger texts are no game set: they are refused before they are read.
constexpr size_t kMaxGameSetText = 64 * 1024;
extern const std::string kGameSetTooLarge; // the refusal of a larger text
extern const std::string kNotText;         // the refusal of a set whose texts are not text

// The text of a game set.  Line breaks in texts become blanks; a set without a difficulty the
// game knows has no [UI] section.
std::string WriteGameSetText(const PlayValues& values);

// A game set as a text holds it.  A game's own scripts.ini has no [UI] section and so holds no
// difficulty: the one who reads it chooses one (WithDifficulty).
struct GameSetRead {
    PlayValues values;             // values.difficulty is -1 where the set holds none
    std::optional<int> difficulty; // where UIType is one of the game's difficulties
    std::string unknownDifficulty; // UIType where it is none of them: read as no difficulty
    std::string controlCharacters; // those of the keys for the game, each once: no text
    PlayValues WithDifficulty(int otherwise) const {
        PlayValues chosen = values;
        chosen.difficulty = difficulty.value_or(otherwise);
        return chosen;
    }
};

// Reads a game-set text as the profile functions read it: the first section and key of a name
// count, numbers may stand in quotes.  A missing key reads as an empty text, no position or no
// option.  A text with a NUL, or whose keys for the game hold control characters (an
// escape; tab is a blank), is refused as no text; comments and other sections may hold any
// other character.
std::string ReadGameSetText(std::string_view text, GameSetRead& read);

// Every text box of the form takes at most this many characters; longer texts from a file or
// a stored game set are cut to it where they enter the form.
constexpr size_t kMaxFormText = 255;
inline std::string FormText(const std::string& text) {
    return text.substr(0, kMaxFormText);
}

// A game set as the form shows it, whether it comes from the game's files at start-up, from
// an imported text or from a command, and so as the game reads it back after PLAY: texts on
// one line without surrounding blanks, cut to what the boxes take; positions only where they
// are one of the letters G to Z; the options as the form ticks them (both set read as HOST
// SELECTED); under PLAYER SELECT no player ships, and each player slot without a position at
// its own letter; a difficulty only where the game knows it.
PlayValues AsTheFormShows(const PlayValues& values);
// The code of a setup as every place shows it: of the set as the form shows it.
std::string SetupCodeOf(const PlayValues& values);
// A stored game set as the form shows it once chosen, at `difficulty` (a record holds none).
PlayValues PlayValuesOf(const CShipData& record, int difficulty);
