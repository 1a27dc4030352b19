// Starting another program or opening a document through the shell.  Tests put a function of
// their own in place of the shell's, so that nothing is started.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

HINSTANCE ShellExecuteThrough(HWND owner, const char* verb, const char* file,
                              const char* parameters, const char* directory, int show);
// Null restores the shell's own ShellExecuteA.
void SetShellExecuteFunction(ShellExecuteFunction function);

// The files of a drop (WM_DROPFILES), which is then finished.
std::vector<std::wstring> DroppedFiles(HDROP drop);
