// CMapDlg: the map picture and a summary of the start position chosen for each slot.
#pragma once

#include "framework/Dialog.h"
#include "script/Slots.h"

#include <string>

class CMapDlg : public CDialog {
public:
    explicit CMapDlg(HWND parent = nullptr);
    std::string m_strMap[kSlotCount];

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
};
