#include "framework/ConsoleOutput.h"

#include "framework/App.h"
#include "framework/TextEncoding.h"

#include <windows.h>

namespace {

bool Usable(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

HANDLE ConsoleHandle() {
    return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

// Returns 0, or the platform's code where the line was not written whole.
DWORD WriteLine(HANDLE handle, const std::wstring& line) {
    if (!Usable(handle))
        return 0; // nowhere to write to is not a failure: started from a shortcut
    const std::wstring text = line + L"\r\n";
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(handle, &mode)) { // a console shows Unicode as it is
        if (!WriteConsoleW(handle, text.data(), DWORD(text.size()), &written, nullptr))
            return GetLastError();
        return written == text.size() ? 0 : ERROR_WRITE_FAULT;
    }
    const std::string bytes = Utf8FromWide(text);
    if (!WriteFile(handle, bytes.data(), DWORD(bytes.size()), &written, nullptr))
        return GetLastError();
    return written == bytes.size() ? 0 : ERROR_DISK_FULL;
}

} // namespace

CConsoleOutput::CConsoleOutput()
    : m_out(GetStdHandle(STD_OUTPUT_HANDLE)), m_error(GetStdHandle(STD_ERROR_HANDLE)) {
    // A program with a window of its own gets no console: it borrows the prompt's it was
    // started from, where it was given no handles.
    if (!Usable(m_out) && !Usable(m_error) && AttachConsole(ATTACH_PARENT_PROCESS))
        m_out = m_error = ConsoleHandle();
}

void CConsoleOutput::Out(const std::wstring& line) {
    const DWORD error = WriteLine(m_out, line);
    if (m_outError == 0)
        m_outError = error;
}

void CConsoleOutput::Error(const std::wstring& line) {
    WriteLine(m_error, line);
}

void CConsoleOutput::Failure(const std::wstring& line) {
    if (Usable(m_error))
        WriteLine(m_error, line);
    else
        ShowMessageBox(nullptr, line, nullptr, MB_OK | MB_ICONERROR);
}
