// The baseline of the start-up benchmark: a program that shows one empty dialog and nothing
// else.
#include <windows.h>

static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hwnd, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return int(DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, Proc, 0));
}
