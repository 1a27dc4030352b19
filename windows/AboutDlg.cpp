#include "windows/AboutDlg.h"

#include "framework/MessageMap.h"
#include "framework/Shell.h"
#include "resources/resource.h"

const char kAuthorWebAddress[] = "https://kestrine.example/";

namespace {

const CommandEntry<CAboutDlg> kMessageMap[] = {
    OnControl<CAboutDlg>(IDC_VISIT, BN_CLICKED, &CAboutDlg::OnVisit),
};

} // namespace

CAboutDlg::CAboutDlg(HWND parent) : CDialog(IDD_ABOUTBOX, parent) {}

bool CAboutDlg::OnCommand(int id, UINT code) {
    return DispatchCommand(this, kMessageMap, id, code) || CDialog::OnCommand(id, code);
}

// Nothing is reported either way: the browser is the user's business.
void CAboutDlg::OnVisit() {
    ShellExecuteThrough(nullptr, "open", kAuthorWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
}
