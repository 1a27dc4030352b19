// A /play of a 1 KB game set, from process start to exit, beside a bare console program that
// starts and ends: interleaved rounds under the same Wine, their medians and spread.  Prints
// figures; checks nothing.
#include "WinBench.h"

#include <cstdio>
#include <string>

namespace {

// Milliseconds from CreateProcess until the process has ended.
double TimeToExit(const std::string& command, const std::string& folder) {
    // Its output goes nowhere, as a script's often does.
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE nowhere = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inherited, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = nowhere;
    PROCESS_INFORMATION process{};
    std::string line = command;
    const double start = NowMs();
    const BOOL started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        folder.c_str(), &startup, &process);
    CloseHandle(nowhere);
    if (!started)
        return -1;
    WaitForSingleObject(process.hProcess, 20000);
    const double took = NowMs() - start;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return took;
}

} // namespace

int main() {
    const std::string root = BenchGameFolder("kestrine-command-bench");
    // A set of about 1 KB without a problem: a title, 20 ships on positions of their own, an
    // option and a difficulty.
    std::string set = "[Mul_Kestrine]\r\nGameSet=Team Base Assault, the long evening final\r\n";
    for (int slot = 0; slot < 20; ++slot) {
        const std::string name = (slot < 6    ? "P" + std::to_string(slot + 1)
                                  : slot < 14 ? "A" + std::to_string(slot - 5)
                                              : "B" + std::to_string(slot - 13));
        set += "ship" + name + "=\"N-QRF-" + std::to_string(1000 + slot) + "\"\r\n";
        std::string key = name;
        key[0] = char(key[0] - 'A' + 'a');
        set += key + "Pos=" + std::to_string(slot % 20) + "\r\n";
    }
    set += "shipSettings=4\r\n[UI]\r\nUIType=1\r\n";
    const std::string file = root + "set.ini";
    if (FILE* out = std::fopen(file.c_str(), "wb")) {
        std::fwrite(set.data(), 1, set.size(), out);
        std::fclose(out);
    }
    struct Program {
        const char* name;
        std::string command;
        std::vector<double> ms;
    } programs[] = {
        {"bare console program", "\"" + WindowsPath(BARE_CONSOLE_EXE) + "\"", {}},
        {"kestrine.exe /?", "\"" + WindowsPath(KESTRINE_EXE) + "\" /?", {}},
        {"kestrine.exe /play", "\"" + WindowsPath(KESTRINE_EXE) + "\" /play \"" + file + "\"", {}},
    };
    const int kRounds = 21;
    for (int round = 0; round < kRounds; ++round) {
        for (Program& program : programs)
            program.ms.push_back(TimeToExit(program.command, root));
    }
    std::printf("process start to exit, %d interleaved rounds, a %zu-byte set (median, min to "
                "max):\n",
                kRounds, set.size());
    for (const Program& program : programs)
        std::printf("  %-22s %7.1f ms  (%.1f to %.1f)\n", program.name, Median(program.ms),
                    *std::min_element(program.ms.begin(), program.ms.end()),
                    *std::max_element(program.ms.begin(), program.ms.end()));
    std::printf("  /play / bare console   %.2fx  (goal 1.20x)\n",
                Median(programs[2].ms) / Median(programs[0].ms));
    return 0;
}
