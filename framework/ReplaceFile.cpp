#include "framework/ReplaceFile.h"

#include <windows.h>

#include <algorithm>

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

ReplaceFault ReplaceFileContents(const std::string& path, const void* bytes, size_t size,
                                 unsigned long& error,
                                 const std::function<void()>& beforeReplacing) {
    // A name made afresh and created exclusively: no file found in the folder under some
    // fixed name (a stale one, a link to elsewhere) is ever opened.
    char fresh[MAX_PATH];
    if (!GetTempFileNameA(FolderOf(path).c_str(), "kst", 0, fresh)) {
        error = GetLastError();
        return ReplaceFault::CannotCreate;
    }
    HANDLE file = CreateFileA(fresh, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = file != INVALID_HANDLE_VALUE;
    const char* at = static_cast<const char*>(bytes);
    for (size_t done = 0; written && done < size;) {
        DWORD chunk = DWORD(std::min<size_t>(size - done, 1u << 30)), wrote = 0;
        written = WriteFile(file, at + done, chunk, &wrote, nullptr) && wrote > 0;
        done += wrote;
    }
    written = written && FlushFileBuffers(file);
    error = GetLastError();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (beforeReplacing)
        beforeReplacing();
    if (written &&
        MoveFileExA(fresh, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ReplaceFault::None;
    if (written)
        error = GetLastError();
    DeleteFileA(fresh);
    return ReplaceFault::CannotWrite;
}
