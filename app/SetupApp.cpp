#include "app/SetupApp.h"

#include "app/CommandLine.h"
#include "form/SetupDlg.h"
#include "framework/CommandLineArguments.h"
#include "framework/File.h"
#include "framework/StartupTimes.h"

#include <commctrl.h>

CSetupApp theApp;

bool CSetupApp::InitInstance() {
    // The look of the common controls named in the manifest.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    CSetupDlg dlg;
    // "kestrine.exe FILE" opens a shared game set, so that such files open with a double-click.
    dlg.m_importFiles = CommandLineArguments(GetCommandLineW()); // "kestrine.exe FILE"
    if (dlg.DoModal() == -1) {
        const DWORD error = GetLastError();
        AfxMessageBox("Kestrine could not open its form: " + ErrorText(error) + ".",
                      MB_OK | MB_ICONERROR);
    }
    m_pMainWnd = nullptr;
    return false; // PLAY or CLOSE alike: the program ends here
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MarkStartup("WinMain");
    // "kestrine.exe /play FILE" and the other commands run without a window.
    const std::vector<std::wstring> arguments = CommandLineArguments(GetCommandLineW());
    if (IsCommand(arguments))
        return RunCommand(arguments);
    if (CWinApp* app = AfxGetApp())
        app->InitInstance();
    return 0;
}
