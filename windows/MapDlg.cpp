#include "windows/MapDlg.h"

#include "framework/DataExchange.h"
#include "resources/resource.h"
#include "windows/MapPositions.h"

CMapDlg::CMapDlg(HWND parent) : CDialog(IDD_MAP, parent) {}

void CMapDlg::DoDataExchange(CDataExchange& dx) {
    for (int slot = 0; slot < kSlotCount; ++slot)
        DDX_Text(dx, kSlots[slot].mapId, m_strMap[slot]);
}

bool CMapDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int slot = 0; slot < kSlotCount; ++slot)
        m_strMap[slot] = theMapPositions.Get(slot);
    UpdateData(false);
    return true;
}
