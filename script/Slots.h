// The 22 ship slots in their fixed order P1..P6, A1..A8, B1..B8.  This order holds in the form,
// in scripts.ini, in the game-set record and in the map window; every per-slot loop walks
// kSlots.
#pragma once

constexpr int kSlotCount = 22;
constexpr int kPlayerSlotCount = 6; // P1..P6 come first

struct SlotInfo {
    const char* name;    // "P1"
    const char* shipKey; // scripts.ini key of the ship text, "shipP1"
    const char* posKey;  // scripts.ini key of the start position, "p1Pos"
};

extern const SlotInfo kSlots[kSlotCount];

inline bool IsPlayerSlot(int slot) {
    return slot >= 0 && slot < kPlayerSlotCount;
}
