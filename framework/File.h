// Files as the program uses them: an owner for an open file, whole-file reading, and a new
// file made beside an old one that takes its place only once it is complete.  Paths are wide
// texts, as Windows gives them; errors are returned as the platform's codes (0 for success).
#pragma once

#include "framework/Handle.h"

#include <windows.h>

#include <string>

#ifndef ERROR_DIRECTORY_NOT_SUPPORTED
#define ERROR_DIRECTORY_NOT_SUPPORTED 336L
#endif

// A text of the system code page as a wide text, and back; `lost` (when given) tells whether
// some character had no equivalent and was replaced.
std::wstring WideText(const std::string& text);
std::string CodePageText(const std::wstring& text, bool* lost = nullptr);

// The platform's own words for an error code, as part of a sentence: "access is denied
// (error 5)".
std::string ErrorText(DWORD code);

// The folder of a path, ending in its separator; ".\" for a bare file name.
std::wstring FolderOf(const std::wstring& path);
// The full path of `path`, taken against the current folder now.
std::wstring FullPathOf(const std::wstring& path);

// Whether two paths name one file, whatever their spelling: letter case, relative or full, a
// link or another name of it.  False where either cannot be found.
bool IsSameFile(const std::wstring& a, const std::wstring& b);

// Whether the path's file name is one of the names Windows keeps for devices in every folder
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, CONIN$, CONOUT$), with any extension.
bool IsDeviceName(const std::wstring& path);

// Every opener may read, write, rename or delete the file meanwhile.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens an existing file on a disk (never a device such as AUX) with the access and sharing
// given.  A folder gives ERROR_DIRECTORY_NOT_SUPPORTED, a device ERROR_BAD_FILE_TYPE.
DWORD OpenDiskFile(const std::wstring& path, DWORD access, DWORD share, CFileHandle& file);
// The whole contents of an open file, read from its start; more than `limit` bytes give
// ERROR_FILE_TOO_LARGE.
DWORD ReadWholeFile(HANDLE file, std::string& bytes, size_t limit = size_t(-1));
// The whole contents of a file on a disk, read while others may go on using it.
DWORD ReadWholeFile(const std::wstring& path, std::string& bytes, size_t limit = size_t(-1));
// Makes the open file hold exactly `bytes` and flushes it to the disk.
DWORD OverwriteFile(HANDLE file, const std::string& bytes);

// A new file in a folder, under a name of its own, created exclusively (no file found under
// some fixed name, a stale one or a link to elsewhere, is ever opened).  It either takes the
// place of a target (Commit) or is removed when its owner goes.
class CNewFile {
public:
    CNewFile() = default;
    ~CNewFile() { Discard(); }
    CNewFile(const CNewFile&) = delete;
    CNewFile& operator=(const CNewFile&) = delete;

    // In `folder`; beside a file it is to replace (CreateBeside), under a name no longer than
    // that file's, so that its path never exceeds the path limit where the file's does not.
    // Its name starts with "~k".
    DWORD Create(const std::wstring& folder, size_t longestName = kLongestScratchName);
    DWORD CreateBeside(const std::wstring& target);
    static constexpr size_t kLongestScratchName = 14;
    DWORD Write(const std::string& bytes);
    // Flushes and closes the file, leaving it in the folder for others to read.
    DWORD Finish();
    // Finishes the file and puts it in the place of `target`, replacing a file there.
    DWORD Commit(const std::wstring& target);
    // Closes and removes the file, unless it was committed.
    void Discard();
    // Closes the file and leaves it where it is, for the user to find.
    void Keep() {
        m_file.Close();
        m_path.clear();
    }
    const std::wstring& Path() const { return m_path; }

private:
    CFileHandle m_file;
    std::wstring m_path;
};

// Writes `bytes` into a new file beside `target` that then replaces it: the target is either
// the complete new file or left as it was.
inline DWORD ReplaceFileContents(const std::wstring& target, const std::string& bytes) {
    CNewFile file;
    DWORD error = file.CreateBeside(target);
    if (error == 0)
        error = file.Write(bytes);
    if (error == 0)
        error = file.Finish();
    return error != 0 ? error : file.Commit(target);
}
