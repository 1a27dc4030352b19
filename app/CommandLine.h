// Kestrine's commands without a window, for hosts who set up many machines and for scripts:
//   kestrine.exe /play FILE          hands the game set FILE to the game, as PLAY does
//   kestrine.exe /check [FILE]       the problems and the code of FILE, or of the game's files
//   kestrine.exe /list               the titles of the library in the working folder
//   kestrine.exe /export TITLE FILE  a stored game set into FILE, as the export does
//   kestrine.exe /?                  the usage
// Options are case-insensitive and may start with "/", "-" or "--".  A command never creates
// a window and never touches the library file except /export's and /list's read.
#pragma once

#include <string>
#include <vector>

// The program's exit codes.
enum CommandResult {
    kDone = 0,
    kSetHasProblems = 1, // /check only
    kBadCommandLine = 2,
    kSetRefused = 3,   // the set cannot be read, or is refused
    kGameNotFound = 4, // or its files cannot be read
    kWriteFailed = 5,  // nothing changed
    kUnexpected = 6,   // the command stopped on an unexpected fault (out of memory, say)
};

// Whether the arguments ask for a command rather than the form: the first is an option.
bool IsCommand(const std::vector<std::wstring>& arguments);

// Runs the command the arguments name; returns the exit code.
int RunCommand(const std::vector<std::wstring>& arguments);
