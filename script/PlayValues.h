// What PLAY hands the game, key by key in PLAY's order: the 46 keys of section Mul_Kestrine of
// scripts.ini (the title, the 22 ships, the 22 positions, the option flags), then UIType of
// gvx.ini.  The settings files and the game-set text both take their keys from here.
#pragma once

#include "script/Slots.h"

#include <string>
#include <utility>
#include <vector>

struct PlayValues {
    std::string title;
    std::string ships[kSlotCount];
    int positions[kSlotCount] = {}; // 0..19, -1 for none
    int flags = 0;                  // 4 HOST SELECTED, 2 PLAYER SELECT
    int difficulty = -1;            // 0..2, -1 for none
};

using KeyValues = std::vector<std::pair<const char*, std::string>>;

// The 46 keys and values of section Mul_Kestrine, in order.
KeyValues ScriptsKeyValues(const PlayValues& values);
// The one key and value of section UI of gvx.ini.
KeyValues GameSettingsKeyValues(const PlayValues& values);
