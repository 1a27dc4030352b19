// The library file: read whole at start-up, written whole to a new file that replaces the
// old one, so that a failed write never costs the stored game sets.
#include "library/GameSetLibrary.h"

#include "framework/ReplaceFile.h"

#include <algorithm>
#include <io.h>
#include <windows.h>

namespace {

const int kExists = 0;
const int kReadOnly = 4;
const int kReadWrite = 6;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    void Close() {
        if (IsOpen())
            CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_handle;
};

// Opened without sharing: no other program reads or writes the file meanwhile.
HANDLE OpenExclusive(const std::string& name, DWORD access) {
    return CreateFileA(name.c_str(), access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

bool ReadWholeFile(HANDLE file, std::vector<uint8_t>& bytes) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size))
        return false;
    bytes.resize(size_t(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = DWORD(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + done, chunk, &read, nullptr))
            return false;
        if (read == 0) { // the file shrank meanwhile
            bytes.resize(done);
            break;
        }
        done += read;
    }
    return true;
}

// Moves a damaged library aside under the first free name "<file>.bad", "<file>.bad2", ...,
// never over an earlier one.  Returns the name, or an empty text when it could not be moved.
std::string KeepAside(const std::string& name) {
    for (int n = 1; n < 1000; ++n) {
        std::string kept = name + ".bad" + (n == 1 ? std::string() : std::to_string(n));
        if (_access(kept.c_str(), kExists) == 0)
            continue;
        if (MoveFileExA(name.c_str(), kept.c_str(), MOVEFILE_WRITE_THROUGH))
            return kept;
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    return std::string();
}

} // namespace

bool CGameSetLibrary::IsLibraryUsable() const {
    return _access(m_fileName.c_str(), kReadWrite) == 0;
}

std::string CGameSetLibrary::FullPath() const {
    char path[MAX_PATH];
    DWORD length = GetFullPathNameA(m_fileName.c_str(), MAX_PATH, path, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : m_fileName;
}

LibraryLoadResult CGameSetLibrary::LoadGameSets() {
    if (!IsLibraryUsable()) {
        if (_access(m_fileName.c_str(), kExists) != 0) {
            m_whyNotWritable.clear(); // nothing stored yet: saving creates the file
            return LibraryLoad::NoFile;
        }
        m_whyNotWritable = _access(m_fileName.c_str(), kReadOnly) == 0 ? "the file is read-only"
                                                                       : "the file cannot be read";
        return LibraryLoad::Skipped;
    }
    std::vector<uint8_t> bytes;
    {
        FileHandle file(OpenExclusive(m_fileName, GENERIC_READ));
        if (!file.IsOpen()) {
            m_whyNotWritable = "another program had it open when Kestrine started (error " +
                               std::to_string(GetLastError()) + ")";
            return LibraryLoad::Skipped;
        }
        if (!ReadWholeFile(file.Get(), bytes)) {
            LibraryLoadResult failed(LibraryLoad::ReadFailed);
            failed.error = GetLastError();
            m_whyNotWritable = "it could not be read (error " + std::to_string(failed.error) + ")";
            return failed;
        }
    }
    try {
        m_sets = ReadLibraryStream(bytes.data(), bytes.size());
    } catch (const CArchiveException& damage) {
        // Nothing of a damaged stream is kept; the file itself goes aside unchanged so that
        // no save of this run can overwrite it.
        m_sets.clear();
        LibraryLoadResult result(LibraryLoad::Damaged);
        result.reason = damage.what();
        result.keptAs = KeepAside(m_fileName);
        if (result.keptAs.empty()) {
            result.error = GetLastError();
            m_whyNotWritable = "it is damaged and could not be set aside (error " +
                               std::to_string(result.error) + ")";
        } else {
            m_whyNotWritable.clear();
        }
        return result;
    }
    m_whyNotWritable.clear();
    return LibraryLoad::Loaded;
}

LibrarySaveResult CGameSetLibrary::SaveGameSets() {
    if (!m_whyNotWritable.empty())
        return {LibrarySave::NotWritable};
    const bool exists = _access(m_fileName.c_str(), kExists) == 0;
    if (exists && !IsLibraryUsable()) {
        m_whyNotWritable = "the file has become read-only";
        return {LibrarySave::NotWritable};
    }
    // Holding the old file shows that no other program has it open, and keeps it that way
    // until the new one is ready.
    FileHandle old(exists ? OpenExclusive(m_fileName, GENERIC_READ | GENERIC_WRITE)
                          : INVALID_HANDLE_VALUE);
    if (exists && !old.IsOpen())
        return {LibrarySave::Busy, GetLastError()};

    std::vector<uint8_t> bytes;
    WriteLibraryStream(m_sets, bytes);

    unsigned long error = 0;
    switch (ReplaceFileContents(m_fileName, bytes.data(), bytes.size(), error,
                                [&old] { old.Close(); })) {
    case ReplaceFault::CannotCreate:
        m_whyNotWritable = "its folder cannot be written (error " + std::to_string(error) + ")";
        return {LibrarySave::NotWritable, error};
    case ReplaceFault::CannotWrite:
        return {LibrarySave::Failed, error};
    case ReplaceFault::None:
        break;
    }
    return {LibrarySave::Saved};
}
