#include "script/Slots.h"

const SlotInfo kSlots[kSlotCount] = {
    // name  ship key  position key  check  ship  position  default letter
    {"P1", "shipP1", "p1Pos", 1035, 1001, 1033, "G"},
    {"P2", "shipP2", "p2Pos", 1036, 1002, 1037, "H"},
    {"P3", "shipP3", "p3Pos", 1038, 1003, 1039, "I"},
    {"P4", "shipP4", "p4Pos", 1040, 1004, 1041, "J"},
    {"P5", "shipP5", "p5Pos", 1042, 1005, 1043, "K"},
    {"P6", "shipP6", "p6Pos", 1044, 1006, 1045, "L"},
    {"A1", "shipA1", "a1Pos", 1046, 1007, 1047, ""},
    {"A2", "shipA2", "a2Pos", 1048, 1008, 1049, ""},
    {"A3", "shipA3", "a3Pos", 1050, 1009, 1056, ""},
    {"A4", "shipA4", "a4Pos", 1051, 1010, 1057, ""},
    {"A5", "shipA5", "a5Pos", 1052, 1011, 1058, ""},
    {"A6", "shipA6", "a6Pos", 1053, 1012, 1059, ""},
    {"A7", "shipA7", "a7Pos", 1054, 1013, 1060, ""},
    {"A8", "shipA8", "a8Pos", 1055, 1014, 1061, ""},
    {"B1", "shipB1", "b1Pos", 1062, 1015, 1063, ""},
    {"B2", "shipB2", "b2Pos", 1064, 1016, 1065, ""},
    {"B3", "shipB3", "b3Pos", 1066, 1017, 1072, ""},
    {"B4", "shipB4", "b4Pos", 1067, 1018, 1073, ""},
    {"B5", "shipB5", "b5Pos", 1068, 1019, 1074, ""},
    {"B6", "shipB6", "b6Pos", 1069, 1020, 1075, ""},
    {"B7", "shipB7", "b7Pos", 1070, 1021, 1076, ""},
    {"B8", "shipB8", "b8Pos", 1071, 1022, 1077, ""},
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
