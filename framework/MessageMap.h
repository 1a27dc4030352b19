// Message maps: a static table per dialog class that routes a control notification to one
// small handler.  An entry names one control, or a family of like controls through a function
// that gives the member's index (a slot) for a control id, -1 for controls outside it.
#pragma once

#include "framework/Dialog.h"

#include <windows.h>

#include <cstddef>

template <class T> struct CommandEntry {
    UINT code;
    int id;
    void (T::*handler)();
    int (*memberOf)(int id);
    void (T::*memberHandler)(int member);
};

template <class T> constexpr CommandEntry<T> OnControl(int id, UINT code, void (T::*handler)()) {
    return {code, id, handler, nullptr, nullptr};
}

// A button's BN_CLICKED, the notification most entries route.
template <class T> constexpr CommandEntry<T> OnClicked(int id, void (T::*handler)()) {
    return OnControl(id, BN_CLICKED, handler);
}

template <class T>
constexpr CommandEntry<T> OnFamily(int (*memberOf)(int), UINT code, void (T::*handler)(int)) {
    return {code, 0, nullptr, memberOf, handler};
}

// Runs the handler that `map` names for the notification; false when there is none.
template <class T, size_t N>
bool DispatchCommand(T* target, const CommandEntry<T> (&map)[N], int id, UINT code) {
    for (const CommandEntry<T>& entry : map) {
        if (entry.code != code)
            continue;
        if (entry.memberOf != nullptr) {
            int member = entry.memberOf(id);
            if (member >= 0) {
                (target->*entry.memberHandler)(member);
                return true;
            }
        } else if (entry.id == id) {
            (target->*entry.handler)();
            return true;
        }
    }
    return false;
}

// A dialog whose control notifications go to its message map (T::kMessageMap) first, then to
// the dialog's own buttons.
template <class T> class CMappedDialog : public CDialog {
public:
    using CDialog::CDialog;

protected:
    bool OnCommand(int id, UINT code) override {
        return DispatchCommand(static_cast<T*>(this), T::kMessageMap, id, code) ||
               CDialog::OnCommand(id, code);
    }
};
