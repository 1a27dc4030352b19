// Start-up of kestrine.exe under Wine, from process start until its form is shown, with an
// empty library and with 10,000 game sets, beside a bare program that shows the form's own
// template: interleaved runs, their medians and spread, and Kestrine's own breakdown by phase.
#include "LibraryFixture.h"
#include "WinBench.h"
#include "version.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

namespace {

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

// The run of one program several times: its median, fastest and slowest.
struct Runs {
    std::vector<double> ms;
    double Median() const { return ::Median(ms); }
    double Min() const { return *std::min_element(ms.begin(), ms.end()); }
    double Max() const { return *std::max_element(ms.begin(), ms.end()); }
};

// Each phase's time since the process was created, as Kestrine reports them, and the time
// each phase took, medians over the runs.
struct Phases {
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> at;

    void Read(const std::string& file) {
        std::ifstream in(file);
        std::string name;
        double ms;
        while (in >> std::ws && std::getline(in, name, '\t') && in >> ms) {
            if (!at.count(name))
                order.push_back(name);
            at[name].push_back(ms);
        }
    }
    void Print(const char* title) const {
        std::printf("  %s:\n", title);
        double before = 0;
        for (const std::string& name : order) {
            const double median = Median(at.at(name));
            std::printf("    %-40s %7.1f ms  (+%.1f)\n", name.c_str(), median, median - before);
            before = median;
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc == 3) { // any other program: startup_bench PROGRAM CAPTION
        Runs runs;
        for (int run = 0; run < 9; ++run)
            runs.ms.push_back(TimeToWindow(argv[1], argv[2], "."));
        std::printf("%s: %.1f ms (median of 9)\n", argv[1], runs.Median());
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

    // The programs in turn, round after round, so that a drift of the machine touches all
    // alike.  Kestrine's own runs report their phases.
    const std::string kestrine = WindowsPath(KESTRINE_EXE);
    const char* form = KESTRINE_FORM_CAPTION;
    const std::string times = root + "phases-";
    struct Program {
        const char* name;
        std::string exe, caption, folder, phases;
        Runs runs;
    } programs[] = {
        {"bare program, form 102", WindowsPath(BARE_FORM_EXE), form, empty, "", {}},
        {"kestrine, empty library", kestrine, form, empty, times + "empty.txt", {}},
        {"kestrine, 10,000 sets", kestrine, form, full, times + "full.txt", {}},
    };
    const int kRounds = 21; // the machine's own noise is of the size of the goals
    for (Program& program : programs)
        DeleteFileA(program.phases.c_str());
    for (int round = 0; round < kRounds; ++round) {
        for (Program& program : programs) {
            SetEnvironmentVariableA("KESTRINE_STARTUP_TIMES",
                                    program.phases.empty() ? nullptr : program.phases.c_str());
            program.runs.ms.push_back(
                TimeToWindow(program.exe, program.caption.c_str(), program.folder));
        }
    }
    SetEnvironmentVariableA("KESTRINE_STARTUP_TIMES", nullptr);

    std::printf("start-up until the form is shown, %d interleaved rounds (median, min to max):\n",
                kRounds);
    for (const Program& program : programs)
        std::printf("  %-26s %8.1f ms  (%.1f to %.1f)\n", program.name, program.runs.Median(),
                    program.runs.Min(), program.runs.Max());
    const double bareMs = programs[0].runs.Median(), emptyMs = programs[1].runs.Median(),
                 fullMs = programs[2].runs.Median();
    std::printf("  empty library / bare form  %.2fx  (goal 1.10x)\n", emptyMs / bareMs);
    std::printf("  10,000 sets / empty        %.2fx  (goal 1.15x)\n", fullMs / emptyMs);
    std::printf("Kestrine's phases, time since the process was created (median):\n");
    for (const Program& program : programs) {
        if (program.phases.empty())
            continue;
        Phases phases;
        phases.Read(program.phases);
        phases.Print(program.name);
    }
    return 0;
}
