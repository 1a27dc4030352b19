#include "framework/StartupTimes.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>
#include <vector>

namespace {

struct Marks {
    bool enabled = std::getenv("KESTRINE_STARTUP_TIMES") != nullptr;
    std::mutex guard; // phases may end on other threads
    std::vector<std::pair<const char*, ULONGLONG>> marks;
};

Marks& TheMarks() {
    static Marks marks;
    return marks;
}

ULONGLONG Now() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return ULARGE_INTEGER{{now.dwLowDateTime, now.dwHighDateTime}}.QuadPart;
}

} // namespace

void MarkStartup(const char* phase) {
    Marks& marks = TheMarks();
    if (!marks.enabled)
        return;
    const ULONGLONG now = Now();
    std::lock_guard<std::mutex> lock(marks.guard);
    marks.marks.emplace_back(phase, now);
}

void ReportStartup() {
    Marks& marks = TheMarks();
    if (!marks.enabled)
        return;
    std::lock_guard<std::mutex> lock(marks.guard);
    if (marks.marks.empty())
        return;
    // In the order they happened, whichever thread they were on.
    std::stable_sort(marks.marks.begin(), marks.marks.end(),
                     [](const auto& a, const auto& b) { return a.second < b.second; });
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return;
    const ULONGLONG start =
        ULARGE_INTEGER{{created.dwLowDateTime, created.dwHighDateTime}}.QuadPart;
    if (FILE* out = std::fopen(std::getenv("KESTRINE_STARTUP_TIMES"), "a")) {
        for (const auto& [phase, time] : marks.marks)
            std::fprintf(out, "%s\t%.2f\n", phase, double(time - start) / 10000.0);
        std::fclose(out);
    }
    marks.marks.clear();
}
