// The start position texts that VIEW MAP hands to the map window, one per slot.
#pragma once

#include "script/Slots.h"

#include <string>

class CMapPositions {
public:
    virtual ~CMapPositions() = default;
    void Set(int slot, std::string text) { m_str[slot] = std::move(text); }
    std::string Get(int slot) const { return m_str[slot]; }

private:
    std::string m_str[kSlotCount];
};

extern CMapPositions theMapPositions;
