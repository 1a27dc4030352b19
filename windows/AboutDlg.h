// CAboutDlg: the program's name and version, its icon, a credit, the banner and VISIT.
#pragma once

#include "framework/MessageMap.h"

// The project's own page, opened by VISIT.
extern const char kAuthorWebAddress[];

class CAboutDlg : public CMappedDialog<CAboutDlg> {
public:
    explicit CAboutDlg(HWND parent = nullptr);
    void OnVisit();

    static const CommandEntry<CAboutDlg> kMessageMap[1];
};
