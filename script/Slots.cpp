#include "script/Slots.h"

const SlotInfo kSlots[kSlotCount] = {
    {"P1", "shipP1", "p1Pos"}, {"P2", "shipP2", "p2Pos"}, {"P3", "shipP3", "p3Pos"},
    {"P4", "shipP4", "p4Pos"}, {"P5", "shipP5", "p5Pos"}, {"P6", "shipP6", "p6Pos"},
    {"A1", "shipA1", "a1Pos"}, {"A2", "shipA2", "a2Pos"}, {"A3", "shipA3", "a3Pos"},
    {"A4", "shipA4", "a4Pos"}, {"A5", "shipA5", "a5Pos"}, {"A6", "shipA6", "a6Pos"},
    {"A7", "shipA7", "a7Pos"}, {"A8", "shipA8", "a8Pos"}, {"B1", "shipB1", "b1Pos"},
    {"B2", "shipB2", "b2Pos"}, {"B3", "shipB3", "b3Pos"}, {"B4", "shipB4", "b4Pos"},
    {"B5", "shipB5", "b5Pos"}, {"B6", "shipB6", "b6Pos"}, {"B7", "shipB7", "b7Pos"},
    {"B8", "shipB8", "b8Pos"},
};
