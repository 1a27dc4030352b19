// The 22 ship slots in their fixed order P1..P6, A1..A8, B1..B8.  This order holds in the form,
// in scripts.ini, in the game-set record and in the map window; every per-slot loop walks
// kSlots.
#pragma once

constexpr int kSlotCount = 22;
constexpr int kPlayerSlotCount = 6; // P1..P6 come first

struct SlotInfo {
    const char* name;          // "P1"
    const char* shipKey;       // scripts.ini key of the ship text, "shipP1"
    const char* posKey;        // scripts.ini key of the start position, "p1Pos"
    int checkId;               // the form's check box that puts the slot in use
    int shipId;                // the form's ship edit box
    int posId;                 // the form's start position combo box
    int mapId;                 // the map window's summary box
    const char* defaultLetter; // what PLAYER SELECT puts into an empty player position
};

extern const SlotInfo kSlots[kSlotCount];

// The slot whose check box, ship box or position box has this control id; -1 for none.
int SlotOfCheck(int id);
int SlotOfShip(int id);
int SlotOfPosition(int id);

inline bool IsPlayerSlot(int slot) {
    return slot >= 0 && slot < kPlayerSlotCount;
}
