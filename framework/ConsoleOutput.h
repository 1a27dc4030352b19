// Text for the user of a command run without a window: to the standard output and error the
// program was given (a pipe or a file, in UTF-8), or to the console of the command prompt it
// was started from (as the console shows it).  Started with neither, as from a shortcut, a
// failure is shown in a message box and nothing else is said.
#pragma once

#include <string>

class CConsoleOutput {
public:
    CConsoleOutput();
    CConsoleOutput(const CConsoleOutput&) = delete;
    CConsoleOutput& operator=(const CConsoleOutput&) = delete;

    // One line each.  A line that could not be written whole (a full disk, a closed pipe) is
    // remembered: OutError gives the platform's code of the first, 0 while none failed.
    void Out(const std::wstring& line);
    void Error(const std::wstring& line);
    // A failure: to the standard error, or in a message box where there is none.
    void Failure(const std::wstring& line);
    unsigned long OutError() const { return m_outError; }

private:
    void* m_out;
    void* m_error;
    unsigned long m_outError = 0;
};
