// The clipboard's text: written as CF_TEXT, read as Unicode (which Windows makes of any text).
#pragma once

#include <windows.h>

#include <string>

// Puts `text` on the clipboard in place of what it held; false when the clipboard is busy.
bool SetClipboardText(HWND owner, const std::string& text);
// The clipboard's text; false when it holds none, or when another program kept it open (then
// `busy`, where given, is set).
bool GetClipboardText(HWND owner, std::wstring& text, bool* busy = nullptr);
