// Reads of the game's .ini files through the platform's profile functions.
#pragma once

#include "script/IniText.h"
#include "script/Slots.h"

#include <string>

// Values are read into a 64-byte buffer, so at most 63 characters arrive; a missing file,
// section or key reads as empty.  Returns true when at least one character was read.
constexpr unsigned kProfileValueBuffer = 64;
bool ReadProfileValue(const std::string& file, const char* section, const char* key,
                      std::string& value);

// Every key=value line of a section, values as the file holds them (quotes kept, no cut).
IniSection ReadRawSection(const std::string& file, const char* section);

// The title, ship texts and start positions of section Mul_Kestrine, read as start-up reads
// them: a text only where the file holds one (whole, quotes kept), positions as truncated
// numbers, -1 where a position is empty or missing.
struct ScriptsSection {
    bool hasTitle = false;
    std::string title;
    bool hasShip[kSlotCount] = {};
    std::string ships[kSlotCount];
    int positions[kSlotCount] = {};
};
ScriptsSection ReadScriptsSection(const std::string& file);
