// The form's buttons that open side windows or start the ship viewer.
#include "form/SetupDlg.h"

#include "framework/Shell.h"
#include "windows/AboutDlg.h"
#include "windows/HelpDlg.h"
#include "windows/MapDlg.h"
#include "windows/MapPositions.h"

namespace {

// SHIP EDIT starts this separate viewer by its bare name, from the working directory or the
// search path.
const char kShipViewer[] = "RozeRavi39902v.exe";

} // namespace

void CSetupDlg::OnViewMap() {
    CMapDlg map;
    UpdateData(true); // the texts on screen, picked from the list or typed
    for (int slot = 0; slot < kSlotCount; ++slot)
        theMapPositions.Set(slot, m_strPos[slot]);
    map.DoModal();
}

void CSetupDlg::OnHelpButton() {
    CHelpDlg help;
    help.DoModal();
}

void CSetupDlg::OnAboutButton() {
    CAboutDlg about;
    about.DoModal();
}

// The viewer runs on its own: nothing waits for it or looks at whether it started.
void CSetupDlg::OnShipEdit() {
    ShellExecuteThrough(nullptr, "open", kShipViewer, nullptr, nullptr, SW_SHOWNORMAL);
}
