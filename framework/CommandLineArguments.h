// The arguments of a command line, split by the rules of the shell's CommandLineToArgvW.
//
// Written out rather than taken from shell32: every start needs its arguments, and under Wine
// loading shell32 loads the window libraries with it, which more than doubles a command run
// (kestrine.exe /play FILE): a console program that calls CommandLineToArgvW took 114 ms
// against 58 ms for one that does not (medians of 41 interleaved runs, Wine 8, 2 cores; the
// probe is described in the README's benchmark section).
#pragma once

#include <string>
#include <vector>

// The arguments after the program's name.
std::vector<std::wstring> CommandLineArguments(const wchar_t* commandLine);
