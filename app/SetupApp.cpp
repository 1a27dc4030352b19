#include "app/SetupApp.h"

#include "form/SetupDlg.h"

#include <commctrl.h>

CSetupApp theApp;

bool CSetupApp::InitInstance() {
    // The look of the common controls named in the manifest.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    CSetupDlg dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return false; // PLAY or CLOSE alike: the program ends here
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (CWinApp* app = AfxGetApp())
        app->InitInstance();
    return 0;
}
