// A library of n game sets that looks like a host's: titled, a few ships, letters set.
#pragma once

#include "library/GameSetLibrary.h"

#include <cstdio>

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
