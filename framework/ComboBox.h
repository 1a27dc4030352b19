// CComboBox: one method per combo box message it sends.
#pragma once

#include "framework/Wnd.h"

#include <string>

class CComboBox : public CWnd {
public:
    int GetCount() const { return int(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return int(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) const { return int(SendMessage(CB_SETCURSEL, WPARAM(index))); }
    int AddString(const std::string& text) const {
        return int(SendMessage(CB_ADDSTRING, 0, LPARAM(text.c_str())));
    }
    int SetItemDataPtr(int index, void* data) const {
        return int(SendMessage(CB_SETITEMDATA, WPARAM(index), LPARAM(data)));
    }
    void* GetItemDataPtr(int index) const {
        LRESULT data = SendMessage(CB_GETITEMDATA, WPARAM(index));
        return data == CB_ERR ? nullptr : reinterpret_cast<void*>(data);
    }
    int SelectString(int startAfter, const std::string& text) const {
        return int(SendMessage(CB_SELECTSTRING, WPARAM(startAfter), LPARAM(text.c_str())));
    }
    bool SetEditSel(int start, int end) const {
        return SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(WORD(start), WORD(end))) != CB_ERR;
    }
    std::string GetLBText(int index) const;
    // Room for `count` more items, so that a long list is not grown item by item.
    void InitStorage(size_t count) const {
        SendMessage(CB_INITSTORAGE, WPARAM(count), LPARAM(count * 16));
    }
    // At `index` (-1: the end), where a sorted box would not put it.
    int InsertString(int index, const std::string& text) const {
        return int(SendMessage(CB_INSERTSTRING, WPARAM(index), LPARAM(text.c_str())));
    }
    int GetWindowText(char* buffer, int size) const {
        return ::GetWindowTextA(m_hWnd, buffer, size);
    }
    using CWnd::GetWindowText;
};

inline std::string CComboBox::GetLBText(int index) const {
    LRESULT length = SendMessage(CB_GETLBTEXTLEN, WPARAM(index));
    if (length == CB_ERR)
        return std::string();
    std::string text(size_t(length) + 1, '\0');
    length = SendMessage(CB_GETLBTEXT, WPARAM(index), LPARAM(&text[0]));
    text.resize(length == CB_ERR ? 0 : size_t(length));
    return text;
}
