// A /play of a 1 KB game set, from process start to exit, beside a bare console program that
// starts and ends (and one that splits its command line through the shell): interleaved
// rounds under the same Wine, their medians and spread.  Prints figures; checks nothing.
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

// A game set of 1 KB without a problem: a title, 20 ships on positions of their own, an
// option and a difficulty.  `first` numbers the ships, so that sets differ in every ship.
std::string GameSetText(int first, int difficulty) {
    std::string set = "[Mul_Kestrine]\r\nGameSet=Team Base Assault, the long evening final\r\n";
    for (int slot = 0; slot < 20; ++slot) {
        const std::string name = (slot < 6    ? "P" + std::to_string(slot + 1)
                                  : slot < 14 ? "A" + std::to_string(slot - 5)
                                              : "B" + std::to_string(slot - 13));
        set += "ship" + name + "=\"N-QRF-" + std::to_string(first + slot) + "\"\r\n";
        std::string key = name;
        key[0] = char(key[0] - 'A' + 'a');
        set += key + "Pos=" + std::to_string(slot % 20) + "\r\n";
    }
    set += "shipSettings=4\r\n[UI]\r\nUIType=" + std::to_string(difficulty) + "\r\n";
    // The organiser's notes fill it to 1 KB, as comments a reader skips.
    while (set.size() < 1024)
        set = "; Final of the long evening: teams as drawn, ships as agreed at the desk.\r\n" + set;
    return set;
}

std::string WriteSet(const std::string& folder, const char* name, const std::string& text) {
    const std::string file = folder + name;
    if (FILE* out = std::fopen(file.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
    }
    return file;
}

} // namespace

int main() {
    const std::string root = BenchGameFolder("kestrine-command-bench");
    // Each /play hands the game a set other than the one it holds, as at a tournament: the
    // next match's set at the same difficulty (scripts.ini changes), or at another one too
    // (both files change).  Played in turn A, B, C: B follows A at the same difficulty, A
    // and C follow a set of another difficulty.
    const std::string kestrine = "\"" + WindowsPath(KESTRINE_EXE) + "\"";
    const std::string setA = WriteSet(root, "a.ini", GameSetText(1000, 1));
    const std::string setB = WriteSet(root, "b.ini", GameSetText(2000, 1));
    const std::string setC = WriteSet(root, "c.ini", GameSetText(3000, 2));
    struct Program {
        const char* name;
        std::string command;
        std::vector<double>* ms;
    };
    std::vector<double> bare, split, usage, sameDifficulty, newDifficulty;
    const Program programs[] = {
        {"bare console program", "\"" + WindowsPath(BARE_CONSOLE_EXE) + "\"", &bare},
        {"bare, CommandLineToArgvW", "\"" + WindowsPath(SPLIT_CONSOLE_EXE) + "\" a \"b c\"",
         &split},
        {"kestrine.exe /?", kestrine + " /?", &usage},
        {"/play, new difficulty", kestrine + " /play \"" + setA + "\"", &newDifficulty},
        {"/play, same difficulty", kestrine + " /play \"" + setB + "\"", &sameDifficulty},
        {"/play, new difficulty", kestrine + " /play \"" + setC + "\"", &newDifficulty},
    };
    const int kRounds = 31;
    for (int round = 0; round < kRounds; ++round) {
        for (const Program& program : programs)
            program.ms->push_back(TimeToExit(program.command, root));
    }
    std::printf("process start to exit, %d interleaved rounds, sets of %zu bytes (median, min to "
                "max):\n",
                kRounds, GameSetText(1000, 1).size());
    const std::pair<const char*, const std::vector<double>*> results[] = {
        {"bare console program", &bare},
        {"bare, CommandLineToArgvW", &split},
        {"kestrine.exe /?", &usage},
        {"/play, same difficulty", &sameDifficulty},
        {"/play, new difficulty", &newDifficulty},
    };
    for (const auto& [name, ms] : results)
        std::printf("  %-24s %7.1f ms  (%.1f to %.1f)\n", name, Median(*ms),
                    *std::min_element(ms->begin(), ms->end()),
                    *std::max_element(ms->begin(), ms->end()));
    std::printf("  /play / bare console     %.2fx at the same difficulty, %.2fx at a new one "
                "(goal 1.30x)\n",
                Median(sameDifficulty) / Median(bare), Median(newDifficulty) / Median(bare));
    return 0;
}
