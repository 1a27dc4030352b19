// CAboutDlg: the program's name and version, its icon, a credit, the banner and VISIT.
#pragma once

#include "framework/Dialog.h"

// The project's own page, opened by VISIT.
extern const char kAuthorWebAddress[];

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(HWND parent = nullptr);
    void OnVisit();

protected:
    bool OnCommand(int id, UINT code) override;
};

