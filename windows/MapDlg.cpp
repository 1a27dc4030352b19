#include "windows/MapDlg.h"

#include "framework/AccessibleName.h"
#include "framework/DataExchange.h"
#include "framework/File.h"
#include "resources/resource.h"
#include "windows/MapPositions.h"

CMapDlg::CMapDlg(HWND parent) : CDialog(IDD_MAP, parent) {}

void CMapDlg::DoDataExchange(CDataExchange& dx) {
    for (int slot = 0; slot < kSlotCount; ++slot)
        DDX_Text(dx, kSlots[slot].mapId, m_strMap[slot]);
}

bool CMapDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        m_strMap[slot] = theMapPositions.Get(slot);
        // The boxes stand on the picture's slot marks, which no screen reader sees.
        SetAccessibleName(GetDlgItem(kSlots[slot].mapId), WideText(kSlots[slot].name));
    }
    UpdateData(false);
    return true;
}
