#include "script/Slots.h"

#include "resources/resource.h"

const SlotInfo kSlots[kSlotCount] = {
    // name  ship key  position key  check  ship  position  map box  default letter
    {"P1", "shipP1", "p1Pos", IDC_USE_P1, IDC_SHIP_P1, IDC_POS_P1, IDC_MAP_P1, "G"},
    {"P2", "shipP2", "p2Pos", IDC_USE_P2, IDC_SHIP_P2, IDC_POS_P2, IDC_MAP_P2, "H"},
    {"P3", "shipP3", "p3Pos", IDC_USE_P3, IDC_SHIP_P3, IDC_POS_P3, IDC_MAP_P3, "I"},
    {"P4", "shipP4", "p4Pos", IDC_USE_P4, IDC_SHIP_P4, IDC_POS_P4, IDC_MAP_P4, "J"},
    {"P5", "shipP5", "p5Pos", IDC_USE_P5, IDC_SHIP_P5, IDC_POS_P5, IDC_MAP_P5, "K"},
    {"P6", "shipP6", "p6Pos", IDC_USE_P6, IDC_SHIP_P6, IDC_POS_P6, IDC_MAP_P6, "L"},
    {"A1", "shipA1", "a1Pos", IDC_USE_A1, IDC_SHIP_A1, IDC_POS_A1, IDC_MAP_A1, ""},
    {"A2", "shipA2", "a2Pos", IDC_USE_A2, IDC_SHIP_A2, IDC_POS_A2, IDC_MAP_A2, ""},
    {"A3", "shipA3", "a3Pos", IDC_USE_A3, IDC_SHIP_A3, IDC_POS_A3, IDC_MAP_A3, ""},
    {"A4", "shipA4", "a4Pos", IDC_USE_A4, IDC_SHIP_A4, IDC_POS_A4, IDC_MAP_A4, ""},
    {"A5", "shipA5", "a5Pos", IDC_USE_A5, IDC_SHIP_A5, IDC_POS_A5, IDC_MAP_A5, ""},
    {"A6", "shipA6", "a6Pos", IDC_USE_A6, IDC_SHIP_A6, IDC_POS_A6, IDC_MAP_A6, ""},
    {"A7", "shipA7", "a7Pos", IDC_USE_A7, IDC_SHIP_A7, IDC_POS_A7, IDC_MAP_A7, ""},
    {"A8", "shipA8", "a8Pos", IDC_USE_A8, IDC_SHIP_A8, IDC_POS_A8, IDC_MAP_A8, ""},
    {"B1", "shipB1", "b1Pos", IDC_USE_B1, IDC_SHIP_B1, IDC_POS_B1, IDC_MAP_B1, ""},
    {"B2", "shipB2", "b2Pos", IDC_USE_B2, IDC_SHIP_B2, IDC_POS_B2, IDC_MAP_B2, ""},
    {"B3", "shipB3", "b3Pos", IDC_USE_B3, IDC_SHIP_B3, IDC_POS_B3, IDC_MAP_B3, ""},
    {"B4", "shipB4", "b4Pos", IDC_USE_B4, IDC_SHIP_B4, IDC_POS_B4, IDC_MAP_B4, ""},
    {"B5", "shipB5", "b5Pos", IDC_USE_B5, IDC_SHIP_B5, IDC_POS_B5, IDC_MAP_B5, ""},
    {"B6", "shipB6", "b6Pos", IDC_USE_B6, IDC_SHIP_B6, IDC_POS_B6, IDC_MAP_B6, ""},
    {"B7", "shipB7", "b7Pos", IDC_USE_B7, IDC_SHIP_B7, IDC_POS_B7, IDC_MAP_B7, ""},
    {"B8", "shipB8", "b8Pos", IDC_USE_B8, IDC_SHIP_B8, IDC_POS_B8, IDC_MAP_B8, ""},
};

namespace {

int SlotOf(int SlotInfo::*control, int id) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (kSlots[slot].*control == id)
            return slot;
    }
    return -1;
}

} // namespace

int SlotOfCheck(int id) {
    return SlotOf(&SlotInfo::checkId, id);
}
int SlotOfShip(int id) {
    return SlotOf(&SlotInfo::shipId, id);
}
int SlotOfPosition(int id) {
    return SlotOf(&SlotInfo::posId, id);
}
