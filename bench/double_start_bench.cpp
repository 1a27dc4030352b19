// Two Kestrine windows started at the same moment on one library of 2,000 game sets (a double
// double-click, or a launcher and the player), 20 times: how often a window shows fewer stored
// sets than the library holds, and how often one says that the library was in use.  Prints
// figures; checks nothing.  Optional arguments: another kestrine.exe to measure, and another
// number of sets.
#include "LibraryFixture.h"
#include "WinBench.h"
#include "resources/resource.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Window {
    DWORD process;
    HWND form = nullptr, box = nullptr; // the form, and a message box of its process
};

BOOL CALLBACK FindWindows(HWND hwnd, LPARAM lParam) {
    auto* window = reinterpret_cast<Window*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (process != window->process || !IsWindowVisible(hwnd) || std::string(name) != "#32770")
        return TRUE;
    (GetDlgItem(hwnd, IDC_GAMESET) != nullptr ? window->form : window->box) = hwnd;
    return TRUE;
}

} // namespace

int main(int argc, char** argv) {
    const std::string exe = argc > 1 ? argv[1] : WindowsPath(KESTRINE_EXE);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "kestrine-double-start\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    SetGameDirectory(folder);
    const int kSets = argc > 2 ? std::atoi(argv[2]) : 2000, kRounds = 20;
    {
        DeleteFileA((folder + kLibraryFileName).c_str());
        CGameSetLibrary library(folder + kLibraryFileName);
        library.LoadGameSets();
        for (auto& entry : MakeLibrary(kSets))
            *library.Add(entry.first) = *entry.second;
        library.SaveGameSets();
    }
    int shortLists = 0, saidInUse = 0;
    for (int round = 0; round < kRounds; ++round) {
        PROCESS_INFORMATION processes[2] = {};
        Window windows[2];
        for (int i = 0; i < 2; ++i) {
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            std::string command = "\"" + exe + "\"";
            CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                           folder.c_str(), &startup, &processes[i]);
            windows[i].process = processes[i].dwProcessId;
        }
        const double start = NowMs();
        for (Window& window : windows) {
            while (window.form == nullptr && NowMs() - start < 20000) {
                EnumWindows(FindWindows, LPARAM(&window));
                if (window.box != nullptr) { // said before the form is shown
                    ++saidInUse;
                    PostMessageA(window.box, WM_COMMAND, IDOK, 0);
                    window.box = nullptr;
                }
                Sleep(5);
            }
            const LRESULT listed =
                SendMessageA(GetDlgItem(window.form, IDC_GAMESET), CB_GETCOUNT, 0, 0);
            shortLists += listed < kSets ? 1 : 0;
            PostMessageA(window.form, WM_CLOSE, 0, 0);
        }
        for (PROCESS_INFORMATION& process : processes) {
            if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0)
                TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
    }
    std::printf("%s: %d rounds of two windows started together on %d sets\n", exe.c_str(), kRounds,
                kSets);
    std::printf("  windows with a short title list: %d of %d\n", shortLists, 2 * kRounds);
    std::printf("  windows that said the library was in use: %d of %d\n", saidInUse, 2 * kRounds);
    return 0;
}
