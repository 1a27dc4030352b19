#include "windows/AboutDlg.h"

#include "framework/MessageMap.h"
#include "framework/Shell.h"
#include "resources/resource.h"

const char kAuthorWebAddress[] = "https://kestrine.example/";

const CommandEntry<CAboutDlg> CAboutDlg::kMessageMap[1] = {
    OnClicked<CAboutDlg>(IDC_VISIT, &CAboutDlg::OnVisit),
};

CAboutDlg::CAboutDlg(HWND parent) : CMappedDialog(IDD_ABOUTBOX, parent) {}

// Nothing is reported either way: the browser is the user's business.
void CAboutDlg::OnVisit() {
    ShellExecuteThrough(nullptr, "open", kAuthorWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
}
