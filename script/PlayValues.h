// One game set as PLAY hands it to the game, key by key in PLAY's order: the 46 keys of section
// Mul_Kestrine of scripts.ini (the title, the 22 ships, the 22 positions, the option flags),
// then UIType of gvx.ini.  The script settings record, the game-set text and the check all
// hold a game set in this one shape, and read and write its keys here.
#pragma once

#include "script/Slots.h"

#include <string>
#include <utility>
#include <vector>

class IniSection;

// The option flags of shipSettings by bit number, as SetFlag and TestFlag take them; the game
// receives their values (FlagValue): 4 for HOST SELECTED, 2 for PLAYER SELECT.
constexpr int kFlagPlayerSelect = 1, kFlagHostSelected = 2;
constexpr int FlagValue(int bit) {
    return 1 << bit;
}

// The game's AI difficulties, UIType of gvx.ini: 0 CAPTAIN, 1 COMMODORE, 2 ADMIRAL.
constexpr int kFirstDifficulty = 0, kLastDifficulty = 2;
constexpr bool IsKnownDifficulty(int difficulty) {
    return difficulty >= kFirstDifficulty && difficulty <= kLastDifficulty;
}

struct PlayValues {
    std::string title;
    std::string ships[kSlotCount];
    int positions[kSlotCount] = {}; // 0..19, -1 for none
    int flags = 0;                  // FlagValue of the flags set
    int difficulty = -1;            // 0..2, -1 for none
};

using KeyValues = std::vector<std::pair<const char*, std::string>>;

// The 46 keys and values of section Mul_Kestrine, in order.
KeyValues ScriptsKeyValues(const PlayValues& values);
// The one key and value of section UI of gvx.ini.
KeyValues GameSettingsKeyValues(const PlayValues& values);

// PLAY's keys of section Mul_Kestrine as the game reads them: the title and the ships whole,
// with the quotation marks that belong to ship designations; numbers as the profile functions
// give them (one pair of quotes removed, at most 63 characters), positions truncated toward
// zero.  A missing or empty key reads as an empty text, no position (-1) or no option (0).
// The difficulty is left as it is.
void ReadScriptsKeys(const IniSection& section, PlayValues& values);
// UIType of section UI; false, and `difficulty` untouched, where it is missing or empty.
bool ReadDifficultyKey(const IniSection& section, int& difficulty);
