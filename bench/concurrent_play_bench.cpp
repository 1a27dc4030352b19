// Eight /play of eight different sets started at once on one game, 20 rounds: after each
// round scripts.ini and gvx.ini must come from one set.  Prints how many rounds ended mixed
// (goal 0) and how many runs failed; checks nothing.
#include "WinBench.h"

#include <cstdio>
#include <string>

namespace {

const int kRuns = 8, kRounds = 20;

std::string ReadAll(const std::string& path) {
    std::string bytes;
    if (FILE* in = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
            bytes.append(buffer, got);
        std::fclose(in);
    }
    return bytes;
}

// The value of `key` in a settings file, "" where it is missing.
std::string KeyOf(const std::string& path, const std::string& key) {
    const std::string text = "\n" + ReadAll(path);
    size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos)
        return std::string();
    at += key.size() + 2;
    return text.substr(at, text.find_first_of("\r\n", at) - at);
}

} // namespace

int main() {
    const std::string game = BenchGameFolder("kestrine-concurrent-play-bench");
    const std::string kestrine = "\"" + WindowsPath(KESTRINE_EXE) + "\"";
    std::string sets[kRuns];
    for (int i = 0; i < kRuns; ++i) {
        // Set i plays at difficulty i % 3: a round that ends with the title of one set and the
        // difficulty of another is mixed.
        sets[i] = game + "set" + std::to_string(i) + ".ini";
        if (FILE* out = std::fopen(sets[i].c_str(), "wb")) {
            std::fprintf(out,
                         "[Mul_Kestrine]\r\nGameSet=Set %d\r\nshipP1=\"N-QRF-%d\"\r\np1Pos=%d\r\n"
                         "shipSettings=4\r\n[UI]\r\nUIType=%d\r\n",
                         i, i, i, i % 3);
            std::fclose(out);
        }
    }
    // What the runs print goes nowhere, as a script's often does.
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE nowhere = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inherited, OPEN_EXISTING, 0, nullptr);
    int mixed = 0, failed = 0;
    std::vector<double> roundMs;
    for (int round = 0; round < kRounds; ++round) {
        PROCESS_INFORMATION runs[kRuns] = {};
        const double start = NowMs();
        for (int i = 0; i < kRuns; ++i) {
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdOutput = startup.hStdError = nowhere;
            std::string line = kestrine + " /play \"" + sets[(i + round) % kRuns] + "\"";
            if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                nullptr, game.c_str(), &startup, &runs[i]))
                ++failed;
        }
        for (PROCESS_INFORMATION& run : runs) {
            if (run.hProcess == nullptr)
                continue;
            WaitForSingleObject(run.hProcess, 60000);
            DWORD code = 1;
            GetExitCodeProcess(run.hProcess, &code);
            failed += code != 0;
            CloseHandle(run.hProcess);
            CloseHandle(run.hThread);
        }
        roundMs.push_back(NowMs() - start);
        const std::string title = KeyOf(game + "Assets\\Scripts\\scripts.ini", "GameSet");
        const std::string difficulty = KeyOf(game + "gvx.ini", "UIType");
        const int set = title.size() > 4 ? std::atoi(title.c_str() + 4) : -1;
        mixed += set < 0 || difficulty != std::to_string(set % 3);
    }
    CloseHandle(nowhere);
    std::printf("%d rounds of %d /play started at once on one game:\n", kRounds, kRuns);
    std::printf("  rounds ended with both files from one set   %d of %d (goal: all)\n",
                kRounds - mixed, kRounds);
    std::printf("  rounds ended mixed                          %d (goal 0)\n", mixed);
    std::printf("  runs that failed                            %d of %d\n", failed,
                kRounds * kRuns);
    std::printf("  a round, start to last exit (median)        %.0f ms\n", Median(roundMs));
    return 0;
}
