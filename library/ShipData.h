// One stored game set: its titles and, for each of the 22 slots, the ship, the start position
// letter and whether the slot is in use, plus the two setup-option check boxes.  The AI
// difficulty is not part of a game set.
#pragma once

#include "framework/Archive.h"
#include "script/Slots.h"

#include <cstdint>
#include <string>

class CShipData : public CObject {
public:
    static const CRuntimeClass classCShipData; // "CShipData", schema 1
    static CObject* CreateObject();

    const CRuntimeClass* GetRuntimeClass() const override { return &classCShipData; }
    // The 46 texts, then the 24 numbers, in field order.
    void Serialize(CArchive& ar) override;

    // What DELETE leaves of a game set: every text empty, every number 0.
    void Blank();

    std::string m_strTitle;   // the title it is listed under
    std::string m_strGameSet; // the title that selecting it puts into the form's label
    std::string m_strShip[kSlotCount];
    std::string m_strPos[kSlotCount];
    int32_t m_bHostSelected = 0;
    int32_t m_bPlayerSelect = 0;
    int32_t m_bSlot[kSlotCount] = {};
};
