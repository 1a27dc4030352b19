#include "framework/Clipboard.h"

#include "framework/Handle.h"

#include <cstring>
#include <cwchar>

namespace {

// The clipboard is shared by every program: it is held for one operation at a time, and
// another program may be holding it for a moment.
bool Open(HWND owner) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(20);
    }
    return false;
}

} // namespace

bool SetClipboardText(HWND owner, const std::string& text) {
    CGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!memory.IsOpen())
        return false;
    std::memcpy(GlobalLock(memory.Get()), text.c_str(), text.size() + 1);
    GlobalUnlock(memory.Get());
    if (!Open(owner))
        return false;
    EmptyClipboard();
    bool placed = SetClipboardData(CF_TEXT, memory.Get()) != nullptr;
    if (placed)
        memory.Detach(); // the clipboard owns it now
    CloseClipboard();
    return placed;
}

bool GetClipboardText(HWND owner, std::wstring& text, bool* busy) {
    const bool opened = Open(owner);
    if (busy != nullptr)
        *busy = !opened;
    if (!opened)
        return false;
    bool found = false;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* data = static_cast<const wchar_t*>(GlobalLock(memory))) {
            text.assign(data, wcsnlen(data, GlobalSize(memory) / sizeof(wchar_t)));
            GlobalUnlock(memory);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}
