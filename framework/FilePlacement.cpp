#include "framework/FilePlacement.h"

namespace {

bool SamePath(std::wstring a, std::wstring b) {
    for (std::wstring* path : {&a, &b}) {
        if (path->compare(0, 4, L"\\\\?\\") == 0)
            path->erase(0, 4);
    }
    return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// A rename keeps everything of a file that is one plain file of one name: no attribute but
// the archive flag, no second name (a hard link), not reached through a link.
bool RenameKeepsEverything(const std::wstring& path, DWORD attributes) {
    const DWORD plain =
        FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if ((attributes & ~plain) != 0)
        return false;
    CFileHandle file(CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    // The standard information only: the whole of GetFileInformationByHandle asks for the
    // volume's serial number too, which costs a millisecond under Wine.
    FILE_STANDARD_INFO information;
    if (!file.IsOpen() ||
        !GetFileInformationByHandleEx(file.Get(), FileStandardInfo, &information,
                                      sizeof information) ||
        information.NumberOfLinks != 1)
        return false;
    wchar_t final[MAX_PATH * 4];
    DWORD length = GetFinalPathNameByHandleW(file.Get(), final, MAX_PATH * 4, 0);
    return length > 0 && length < MAX_PATH * 4 &&
           SamePath(std::wstring(final, length), FullPathOf(path));
}

// Rewrites the file itself to hold `bytes`, through any link, beside other programs that
// share writing.  The original goes to a backup file first; whatever fails, the original is
// put back.
DWORD RewriteInPlace(const std::wstring& path, const std::string& bytes,
                     const std::string& original) {
    CFileHandle file;
    if (DWORD error = OpenDiskFile(path, GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, file))
        return error;
    CNewFile backup;
    DWORD error = backup.CreateBeside(path);
    if (error != 0 && backup.Create(TempFolder()) != 0)
        return error;
    if ((error = backup.Write(original)) != 0 || (error = backup.Finish()) != 0)
        return error;
    error = OverwriteFile(file.Get(), bytes);
    std::string written;
    if (error == 0 && (error = ReadWholeFile(file.Get(), written)) == 0 && written != bytes)
        error = ERROR_WRITE_FAULT;
    if (error != 0 && OverwriteFile(file.Get(), original) != 0)
        backup.Keep(); // the only copy of the original left
    return error;
}

DWORD CreateWithContents(const std::wstring& path, const std::string& bytes) {
    CFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return GetLastError();
    DWORD error = OverwriteFile(file.Get(), bytes);
    file.Close();
    if (error != 0)
        DeleteFileW(path.c_str());
    return error;
}

} // namespace

std::wstring TempFolder() {
    wchar_t folder[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return length > 0 && length <= MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

DWORD PlaceFileContents(const std::wstring& path, const std::string& bytes,
                        const std::string& original, CNewFile* ready) {
    const DWORD now = GetFileAttributesW(path.c_str());
    if (now == INVALID_FILE_ATTRIBUTES) {
        if (ready != nullptr)
            return ready->Commit(path);
        return CreateWithContents(path, bytes);
    }
    if (ready != nullptr && RenameKeepsEverything(path, now)) {
        DWORD error = ready->Commit(path);
        // Another program holding the file without letting it be renamed: in place, then.
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)
            return error;
    }
    return RewriteInPlace(path, bytes, original);
}
