// The arguments of a command line, split by the rules of the shell's CommandLineToArgvW.
//
// Written out rather than taken from shell32: every start needs its arguments, and under Wine
// loading shell32 loads the window libraries with it: a console program that splits its command
// line through CommandLineToArgvW takes 61 ms to start and end against 31 ms for one that does
// not, more than a whole /play run of 45 ms (bench_command, Wine 8 on 2 cores).
#pragma once

#include <string>
#include <vector>

// The arguments after the program's name.
std::vector<std::wstring> CommandLineArguments(const wchar_t* commandLine);
