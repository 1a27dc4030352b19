// Screenshots of Kestrine's windows, each window alone with its caption and frame, as BMP
// files: shoot.exe KESTRINE_EXE FOLDER [all].  Starts Kestrine in the current folder, saves
// the form as FOLDER\kestrine.bmp and, with "all", opens the map, help and about windows
// through their buttons and saves each as map.bmp, help.bmp and about.bmp.  Ends Kestrine.
#include "version.h"
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const char kFormCaption[] = KESTRINE_FORM_CAPTION;

HWND WaitForWindow(const char* caption) {
    for (int i = 0; i < 600; ++i) {
        HWND hwnd = FindWindowA("#32770", caption);
        if (hwnd != nullptr && IsWindowVisible(hwnd)) {
            Sleep(700); // drawn
            return hwnd;
        }
        Sleep(50);
    }
    fprintf(stderr, "shoot: no window '%s'\n", caption);
    return nullptr;
}

// The window as the screen shows it, frame and caption included.
bool Save(HWND window, const std::string& path) {
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, previous);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (DWORD(width) * 3 + 3) & ~3u;
    std::string pixels(size_t(stride) * height, '\0');
    GetDIBits(memory, bitmap, 0, height, &pixels[0], reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + DWORD(pixels.size());
    FILE* out = fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    fwrite(&file, sizeof file, 1, out);
    fwrite(&info, sizeof info, 1, out);
    fwrite(pixels.data(), 1, pixels.size(), out);
    return fclose(out) == 0;
}

// Opens a side window with a button of the form, saves it and closes it.
bool ShootSideWindow(HWND form, int button, const char* caption, const std::string& path,
                     int closeId) {
    PostMessageA(GetDlgItem(form, button), BM_CLICK, 0, 0);
    HWND window = WaitForWindow(caption);
    if (window == nullptr)
        return false;
    if (HWND topics = GetDlgItem(window, 1088)) { // help: show the rules topic
        SendMessageA(topics, CB_SETCURSEL, 17, 0);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(1088, CBN_SELCHANGE), LPARAM(topics));
        Sleep(300);
    }
    bool saved = Save(window, path);
    PostMessageA(window, WM_COMMAND, closeId, 0);
    Sleep(500);
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: shoot.exe KESTRINE_EXE FOLDER [all]\n");
        return 2;
    }
    const std::string folder = std::string(argv[2]) + "\\";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + std::string(argv[1]) + "\"";
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        fprintf(stderr, "shoot: cannot start %s\n", argv[1]);
        return 1;
    }
    bool ok = false;
    if (HWND form = WaitForWindow(kFormCaption)) {
        ok = Save(form, folder + "kestrine.bmp");
        if (ok && argc > 3 && std::string(argv[3]) == "all") {
            ok = ShootSideWindow(form, 1031,
                                 "                                                MAP POSITIONS",
                                 folder + "map.bmp", IDOK) &&
                 ShootSideWindow(form, 1025, "Kestrine ''HELP'' Dialog", folder + "help.bmp",
                                 IDCANCEL) &&
                 ShootSideWindow(form, 1027, "About Kestrine", folder + "about.bmp", IDOK);
        }
    }
    TerminateProcess(process.hProcess, 0);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return ok ? 0 : 1;
}
