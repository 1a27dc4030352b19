#include "framework/App.h"

#include "framework/File.h"

namespace {

CWinApp* g_app = nullptr;

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

std::string ExecutableName() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length);
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

} // namespace

CWinApp::CWinApp() : m_appName(ExecutableName()) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* AfxGetApp() {
    return g_app;
}

std::string AfxGetAppName() {
    return g_app ? g_app->GetAppName() : ExecutableName();
}

int ShowMessageBox(HWND owner, const std::wstring& text, const char* caption, UINT style) {
    MessageBoxCall call{owner, CodePageText(text), caption ? caption : AfxGetAppName(), style,
                        text};
    if (Handler())
        return Handler()(call);
    return MessageBoxW(owner, text.c_str(), WideText(call.caption).c_str(), style);
}

int ShowMessageBox(HWND owner, const std::string& text, const char* caption, UINT style) {
    return ShowMessageBox(owner, WideText(text), caption, style);
}

int AfxMessageBox(const std::string& text, UINT style) {
    HWND owner = g_app ? g_app->m_pMainWnd : nullptr;
    return ShowMessageBox(owner, text, nullptr, style);
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
    Handler() = std::move(handler);
}
