#include "framework/StartupTimes.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

struct Marks {
    bool enabled = std::getenv("KESTRINE_STARTUP_TIMES") != nullptr;
    ULONGLONG created = 0;
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
    if (marks.enabled)
        marks.marks.emplace_back(phase, Now());
}

void ReportStartup() {
    Marks& marks = TheMarks();
    if (!marks.enabled || marks.marks.empty())
        return;
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
