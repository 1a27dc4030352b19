// CComboBox: one method per combo box message it sends.
#pragma once

#include "framework/Wnd.h"

#include <utility>
#include <vector>

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
    // Puts the items, each with its data, at the end of the list in this order (sorted box or
    // not), with the box's drawing off.
    void AppendItems(const std::vector<std::pair<const char*, void*>>& items) const;
    int GetWindowText(char* buffer, int size) const {
        return ::GetWindowTextA(m_hWnd, buffer, size);
    }
    using CWnd::GetWindowText;
};

// The items go straight to the box's own list, as the box passes each one on (for a box
// without CBS_LOWERCASE or CBS_UPPERCASE): half the messages of a long list.
inline void CComboBox::AppendItems(const std::vector<std::pair<const char*, void*>>& items) const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    const bool toList = ::GetComboBoxInfo(m_hWnd, &info) && info.hwndList != nullptr &&
                        !(GetWindowLongA(m_hWnd, GWL_STYLE) & (CBS_LOWERCASE | CBS_UPPERCASE));
    const HWND target = toList ? info.hwndList : m_hWnd;
    SendMessage(WM_SETREDRAW, FALSE);
    ::SendMessageA(target, toList ? LB_INITSTORAGE : CB_INITSTORAGE, items.size(),
                   items.size() * 16);
    for (const auto& [text, data] : items) {
        const LRESULT index = ::SendMessageA(target, toList ? LB_INSERTSTRING : CB_INSERTSTRING,
                                             WPARAM(-1), LPARAM(text));
        if (index >= 0)
            ::SendMessageA(target, toList ? LB_SETITEMDATA : CB_SETITEMDATA, WPARAM(index),
                           LPARAM(data));
    }
    SendMessage(WM_SETREDRAW, TRUE);
}

inline std::string CComboBox::GetLBText(int index) const {
    LRESULT length = SendMessage(CB_GETLBTEXTLEN, WPARAM(index));
    if (length == CB_ERR)
        return std::string();
    std::string text(size_t(length) + 1, '\0');
    length = SendMessage(CB_GETLBTEXT, WPARAM(index), LPARAM(&text[0]));
    text.resize(length == CB_ERR ? 0 : size_t(length));
    return text;
}
