// The application object and the program's message boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The start-up routine: false ends the program without a message loop of its own.
    virtual bool InitInstance() { return false; }

    // The executable's file name without its extension.
    const std::string& GetAppName() const { return m_appName; }

    HWND m_pMainWnd = nullptr;

private:
    std::string m_appName;
};

CWinApp* AfxGetApp();
// The application's name, or "" when there is no application object.
std::string AfxGetAppName();

// One message box; a null caption shows the application's name.
struct MessageBoxCall {
    HWND owner;
    std::string text; // in the system code page
    std::string caption;
    UINT style;
    std::wstring wideText; // the text as shown, with characters beyond the code page
};
int ShowMessageBox(HWND owner, const std::string& text, const char* caption, UINT style);
int ShowMessageBox(HWND owner, const std::wstring& text, const char* caption, UINT style);
int AfxMessageBox(const std::string& text, UINT style = MB_OK);

// Tests see every message box here instead of on screen, and answer it.  An empty function
// restores the real boxes.
using MessageBoxHandler = std::function<int(const MessageBoxCall&)>;
void SetMessageBoxHandler(MessageBoxHandler handler);
