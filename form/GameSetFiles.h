// Reading a game set handed over, the same way for every way in: the clipboard, a file chosen,
// dropped or named on the command line, and the command line's own commands.  A refusal says
// why as the end of a sentence ("it is a folder"), for the caller to put in its own words.
#pragma once

#include "library/GameSetText.h"
#include "script/PlayValues.h"

#include <string>

// Every text box of the form takes at most this many characters; longer texts from a file or
// a stored game set are cut to it where they enter the form.
constexpr size_t kMaxFormText = 255;
inline std::string FormText(const std::string& text) {
    return text.substr(0, kMaxFormText);
}

// A game set's file as editors save it: ANSI, UTF-16, or UTF-8 with a byte-order mark or
// without; at most a game-set text's size, from a disk (not a folder, not a device).  The
// difficulty of `values` stays where the set holds none.
bool ReadGameSetFile(const std::wstring& path, PlayValues& values, std::wstring& why);
// Text with characters beyond the system code page is refused, naming them.
bool ReadGameSetText(const std::wstring& text, PlayValues& values, std::wstring& why);
bool ReadGameSetText(const std::string& text, PlayValues& values, std::wstring& why);

// A game set as the form shows it, and so as PLAY, Copy and Export hand it on: texts cut to
// what the boxes take, positions only where they are one of the letters G to Z, and the
// options as the form ticks them (both set read as HOST SELECTED).
PlayValues AsTheFormShows(const PlayValues& values);
// What the form shows of the game's files at start-up: the same, and then the rule of PLAYER
// SELECT (no player ships; each player slot without a position at its own letter).
PlayValues AsTheFormStarts(const PlayValues& read);
