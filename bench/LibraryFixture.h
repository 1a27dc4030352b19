// A library of n game sets that looks like a host's: titled, a few ships, letters set.
#pragma once

#include "library/GameSetLibrary.h"

#include <cstdio>
#include <string>
#include <vector>

inline GameSetMap MakeLibrary(int count) {
    GameSetMap sets;
    for (int i = 0; i < count; ++i) {
        char title[32];
        std::snprintf(title, sizeof title, "Skirmish %06d", i);
        auto record = std::make_unique<CShipData>();
        record->m_strTitle = record->m_strGameSet = title;
        for (int slot = 0; slot < kSlotCount; slot += 3) {
            record->m_strShip[slot] = "\"N-QRF\"";
            record->m_strPos[slot] = std::string(1, char('G' + slot % 20));
            record->m_bSlot[slot] = 1;
        }
        record->m_bHostSelected = i % 2;
        record->m_bPlayerSelect = 1 - i % 2;
        sets[title] = std::move(record);
    }
    return sets;
}

// A stream of about `megabytes` MB of empty game sets.  A crafted one describes the class
// afresh for its first half and then refers back to it; an ordinary one describes it once.
// Reading either must take time in proportion to its size.
inline std::vector<uint8_t> StreamOfEmptySets(int megabytes, bool repeatDescriptors) {
    const std::string descriptor("\xFF\xFF\x01\x00\x09\x00"
                                 "CShipData",
                                 15);
    const std::string reference("\x01\x80", 2);
    const std::string data(1 + 46 + 96, '\0'); // an empty key, 46 empty texts, 24 numbers
    const size_t entry = data.size() + (repeatDescriptors ? (descriptor.size() + 2) / 2 : 2);
    const size_t count = size_t(megabytes) * 1000000 / entry;
    std::string stream("\xFF\xFF", 2);
    for (int shift = 0; shift < 32; shift += 8)
        stream += char(count >> shift);
    for (size_t i = 0; i < count; ++i) {
        bool describe = i == 0 || (repeatDescriptors && i < count / 2);
        stream += data.substr(0, 1) + (describe ? descriptor : reference) + data.substr(1);
    }
    return std::vector<uint8_t>(stream.begin(), stream.end());
}
