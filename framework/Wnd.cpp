#include "framework/Wnd.h"

#include <map>

namespace {

std::map<HWND, CWnd*>& Permanent() {
    static std::map<HWND, CWnd*> map;
    return map;
}

} // namespace

CWnd::~CWnd() {
    Detach();
}

void CWnd::Attach(HWND hwnd) {
    Detach();
    m_hWnd = hwnd;
    if (hwnd != nullptr)
        Permanent()[hwnd] = this;
}

void CWnd::Detach() {
    if (m_hWnd != nullptr) {
        auto found = Permanent().find(m_hWnd);
        if (found != Permanent().end() && found->second == this)
            Permanent().erase(found);
    }
    m_hWnd = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    auto found = Permanent().find(hwnd);
    return found == Permanent().end() ? nullptr : found->second;
}

std::string WindowText(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    std::string text(size_t(length) + 1, '\0');
    int copied = GetWindowTextA(hwnd, &text[0], length + 1);
    text.resize(size_t(copied > 0 ? copied : 0));
    return text;
}

bool IsTextBox(HWND hwnd) {
    char kind[16] = {};
    GetClassNameA(hwnd, kind, sizeof kind);
    return lstrcmpiA(kind, "Edit") == 0;
}

std::string CWnd::GetWindowText() const {
    return WindowText(m_hWnd);
}

void CWnd::SetWindowText(const std::string& text) const {
    ::SetWindowTextA(m_hWnd, text.c_str());
}
