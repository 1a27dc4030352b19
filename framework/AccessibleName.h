// Names for screen readers: a control without a visible label of its own is named through
// the platform's accessibility interface, its text left as it is.  The control answers
// WM_GETOBJECT with the platform's own accessible object for it, wrapped so that the name (and
// the description, where one is given) is ours; everything else is the platform's.
//
// The accessibility libraries (oleacc, ole32, oleaut32) are loaded when a screen reader first
// asks, not at every start.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// A text asked for at the moment a screen reader wants it, so that it can follow the form.
using AccessibleText = std::function<std::wstring()>;

// Names `control` (until it is destroyed).  An empty description leaves the platform's.
void SetAccessibleName(HWND control, AccessibleText name, AccessibleText description = {});
inline void SetAccessibleName(HWND control, const std::wstring& name) {
    SetAccessibleName(control, [name] { return name; });
}

// Tells screen readers that the name of `control` changed (its text, where the name follows
// it), so that they can speak it.
void NotifyNameChange(HWND control);
