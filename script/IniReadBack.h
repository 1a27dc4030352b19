// Reading a settings file back through the platform's profile functions, as the game reads
// it, to check an update before it takes the file's place.
#pragma once

#include "script/PlayValues.h"

#include <string>

// Whether `updated` reads as `original` with `values` set in `section`: every key written reads
// back with its value, and every section and key of the original is still there with its
// value.  Large files with many sections have only the sections beside the changed one
// compared whole, since the update touches no other lines.
bool ReadsAsUpdated(const std::wstring& original, bool originalExists, const std::wstring& updated,
                    const char* section, const KeyValues& values);

// Whether every key of `values` reads back from `section` of `file` with its value.
bool ReadsAsWritten(const std::wstring& file, const char* section, const KeyValues& values);

// Wine's profile functions read a file again at every call while its last change is less than
// about two seconds old.  A scratch file is dated back for its checks, so that they read it
// once, and dated now when it takes the file's place: without it PLAY on a 1 MB scripts.ini
// took 165 ms instead of 71, on 5 MB 897 ms instead of 277 (bench_play, Wine 8 on 2 cores).
void DateFileBack(const std::wstring& path, long long seconds);

// The profile functions' own cache must not answer for a file that was just changed.
void ForgetCachedProfile(const std::wstring& file);
