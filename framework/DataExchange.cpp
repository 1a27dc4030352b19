#include "framework/DataExchange.h"

#include "framework/Dialog.h"

void DDX_Text(CDataExchange& dx, int id, std::string& value) {
    HWND control = dx.m_pDlgWnd->GetDlgItem(id);
    if (dx.m_bSaveAndValidate)
        value = WindowText(control);
    else if (WindowText(control) != value) // a box that shows it already is left alone
        SetWindowTextA(control, value.c_str());
}

void DDX_Check(CDataExchange& dx, int id, int& value) {
    HWND control = dx.m_pDlgWnd->GetDlgItem(id);
    if (dx.m_bSaveAndValidate)
        value = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    else
        SendMessageA(control, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DDX_CBString(CDataExchange& dx, int id, std::string& value) {
    HWND control = dx.m_pDlgWnd->GetDlgItem(id);
    if (dx.m_bSaveAndValidate) {
        value = WindowText(control);
    } else if (value.empty() && GetWindowTextLengthA(control) == 0) {
        // An empty text selects no entry and leaves the selection: nothing to change.
    } else if (SendMessageA(control, CB_SELECTSTRING, WPARAM(-1), LPARAM(value.c_str())) ==
               CB_ERR) {
        SetWindowTextA(control, value.c_str());
    }
}

void DDX_CBIndex(CDataExchange& dx, int id, int& index) {
    HWND control = dx.m_pDlgWnd->GetDlgItem(id);
    if (dx.m_bSaveAndValidate) {
        // The entry the box shows, picked or typed in any case; none for other text (the
        // selection of a drop-down box stays behind when its text is typed over).
        const std::string text = WindowText(control);
        index =
            text.empty()
                ? -1
                : int(SendMessageA(control, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(text.c_str())));
    } else {
        // An index outside the list clears the selection rather than keeping the old one.
        int count = int(SendMessageA(control, CB_GETCOUNT, 0, 0));
        SendMessageA(control, CB_SETCURSEL, WPARAM(index >= 0 && index < count ? index : -1), 0);
    }
}

void DDX_Control(CDataExchange& dx, int id, CWnd& control) {
    if (control.GetSafeHwnd() == nullptr)
        control.Attach(dx.m_pDlgWnd->GetDlgItem(id));
}
