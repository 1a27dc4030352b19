// Start-up of kestrine.exe under Wine, from process start until its form is shown, with an
// empty library and with 10,000 game sets, beside a bare dialog program that does nothing.
// Medians of several runs.
#include "LibraryFixture.h"
#include "WinBench.h"
#include "version.h"

#include <cstdio>
#include <string>

namespace {

std::string WindowsPath(const char* unixPath) {
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path;
}

// Milliseconds from CreateProcess until a visible window with this caption exists.
double TimeToWindow(const std::string& exe, const char* caption, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + exe + "\"";
    double start = NowMs();
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process))
        return -1;
    double shown = -1;
    while (NowMs() - start < 20000) {
        HWND hwnd = FindWindowA("#32770", caption);
        if (hwnd != nullptr && IsWindowVisible(hwnd)) {
            shown = NowMs() - start;
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
            break;
        }
        Sleep(1);
    }
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return shown;
}

double MedianStart(const std::string& exe, const char* caption, const std::string& folder) {
    std::vector<double> runs;
    for (int run = 0; run < 7; ++run)
        runs.push_back(TimeToWindow(exe, caption, folder));
    return Median(runs);
}

void SetGameDirectory(const std::string& directory) {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        HKEY key;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Brellix\\Ostravane", 0, nullptr, 0,
                            KEY_SET_VALUE | view, nullptr, &key, nullptr) == ERROR_SUCCESS) {
            RegSetValueExA(key, "Directory", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(directory.c_str()),
                           DWORD(directory.size() + 1));
            RegCloseKey(key);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3) { // any other program: startup_bench PROGRAM CAPTION
        std::printf("%s: %.1f ms (median of 7)\n", argv[1], MedianStart(argv[1], argv[2], "."));
        return 0;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string root = std::string(temp) + "kestrine-startup-bench\\";
    std::string game = root + "game\\", empty = root + "empty\\", full = root + "full\\";
    for (const std::string& folder :
         {root, game, game + "Assets", game + "Assets\\Scripts", empty, full})
        CreateDirectoryA(folder.c_str(), nullptr);
    SetGameDirectory(game);
    DeleteFileA((empty + kLibraryFileName).c_str());
    {
        DeleteFileA((full + kLibraryFileName).c_str());
        CGameSetLibrary library(full + kLibraryFileName);
        library.LoadGameSets();
        for (auto& entry : MakeLibrary(10000))
            *library.Add(entry.first) = *entry.second;
        library.SaveGameSets();
    }

    const std::string kestrine = WindowsPath(KESTRINE_EXE), bare = WindowsPath(BARE_DIALOG_EXE);
    const char* form = KESTRINE_FORM_CAPTION;
    double bareMs = MedianStart(bare, "Bare Dialog", empty);
    double bareFormMs = MedianStart(WindowsPath(BARE_FORM_EXE), form, empty);
    double emptyMs = MedianStart(kestrine, form, empty);
    double fullMs = MedianStart(kestrine, form, full);
    std::printf("start-up until the form is shown (median of 7):\n");
    std::printf("  bare dialog program       %8.1f ms\n", bareMs);
    std::printf("  bare program, form 102    %8.1f ms  (the form's controls alone)\n", bareFormMs);
    std::printf(
        "  kestrine, empty library   %8.1f ms  (%.2fx the bare dialog, %.2fx the bare form)\n",
        emptyMs, emptyMs / bareMs, emptyMs / bareFormMs);
    std::printf("  kestrine, 10,000 sets     %8.1f ms  (%.2fx the bare dialog, %.2fx empty;"
                " target 1.5x)\n",
                fullMs, fullMs / bareMs, fullMs / emptyMs);

    return 0;
}
