// The baselines of the start-up benchmark: a program that shows one dialog and does nothing
// else; an empty dialog, or (BARE_TEMPLATE=102) the fleet editor form's own template.
#include <windows.h>

#ifndef BARE_TEMPLATE
#define BARE_TEMPLATE 1
#endif

static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hwnd, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return int(DialogBoxParamA(instance, MAKEINTRESOURCEA(BARE_TEMPLATE), nullptr, Proc, 0));
}
