#include "library/ShipData.h"

const CRuntimeClass CShipData::classCShipData = {"CShipData", 1, &CShipData::CreateObject};

CObject* CShipData::CreateObject() {
    return new CShipData;
}

void CShipData::Serialize(CArchive& ar) {
    ar.Exchange(m_strTitle);
    ar.Exchange(m_strGameSet);
    for (std::string& ship : m_strShip)
        ar.Exchange(ship);
    for (std::string& position : m_strPos)
        ar.Exchange(position);
    ar.Exchange(m_bHostSelected);
    ar.Exchange(m_bPlayerSelect);
    for (int32_t& inUse : m_bSlot)
        ar.Exchange(inUse);
}

void CShipData::Blank() {
    *this = CShipData();
}
