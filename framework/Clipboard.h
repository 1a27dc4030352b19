// The clipboard's text (CF_TEXT).
#pragma once

#include <windows.h>

#include <string>

// Puts `text` on the clipboard in place of what it held; false when the clipboard is busy.
bool SetClipboardText(HWND owner, const std::string& text);
// The clipboard's text; false when it holds none (or is busy).
bool GetClipboardText(HWND owner, std::string& text);
