// CWnd: a thin, non-owning holder of a window handle.  A wrapper bound to a control is
// registered under the control's handle, so that the dialog's message loop can offer it the
// control's queued messages (PreTranslateMessage) and its own notifications
// (OnReflectedCommand) before the dialog sees them.
#pragma once

#include <windows.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    void Attach(HWND hwnd);
    void Detach();
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The wrapper attached to `hwnd`, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // A queued message for this window (or a child of it) before it is dispatched; true
    // consumes it.
    virtual bool PreTranslateMessage(MSG*) { return false; }
    // A notification this control sent to its parent; true when the control handled it
    // itself, so that the parent does not see it.
    virtual bool OnReflectedCommand(UINT) { return false; }

    std::string GetWindowText() const;
    void SetWindowText(const std::string& text) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }

protected:
    HWND m_hWnd = nullptr;
};

// The whole text of any window.
std::string WindowText(HWND hwnd);
// Whether the window is a text box: an edit control, or a combo box's edit field.
bool IsTextBox(HWND hwnd);
