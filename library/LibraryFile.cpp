// The library file: read whole at start-up, written whole to a new file that replaces the
// old one, so that a failed write never costs the stored game sets.
#include "library/GameSetLibrary.h"

#include <algorithm>
#include <io.h>
#include <windows.h>

namespace {

const int kExists = 0;
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

bool WriteWholeFile(HANDLE file, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = DWORD(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return FlushFileBuffers(file) != 0;
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

LibraryLoadResult CGameSetLibrary::LoadGameSets() {
    if (!IsLibraryUsable()) {
        if (_access(m_fileName.c_str(), kExists) != 0) {
            m_loaded = true; // nothing stored yet: saving creates the file
            return LibraryLoad::NoFile;
        }
        return LibraryLoad::Skipped;
    }
    std::vector<uint8_t> bytes;
    {
        FileHandle file(OpenExclusive(m_fileName, GENERIC_READ));
        if (!file.IsOpen())
            return LibraryLoad::Skipped;
        if (!ReadWholeFile(file.Get(), bytes)) {
            LibraryLoadResult failed(LibraryLoad::ReadFailed);
            failed.error = GetLastError();
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
        if (result.keptAs.empty())
            result.error = GetLastError();
        else
            m_loaded = true;
        return result;
    }
    m_loaded = true;
    return LibraryLoad::Loaded;
}

LibrarySaveResult CGameSetLibrary::SaveGameSets() const {
    if (!m_loaded)
        return {LibrarySave::NotLoaded};
    const bool exists = _access(m_fileName.c_str(), kExists) == 0;
    if (exists && !IsLibraryUsable())
        return {LibrarySave::Skipped};
    // Holding the old file shows that no other program has it open, and keeps it that way
    // until the new one is ready.
    FileHandle old(exists ? OpenExclusive(m_fileName, GENERIC_READ | GENERIC_WRITE)
                          : INVALID_HANDLE_VALUE);
    if (exists && !old.IsOpen())
        return {LibrarySave::Skipped};

    std::vector<uint8_t> bytes;
    WriteLibraryStream(m_sets, bytes);

    const std::string temporary = m_fileName + ".new";
    {
        FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsOpen())
            return {LibrarySave::Failed, GetLastError()};
        if (!WriteWholeFile(file.Get(), bytes)) {
            DWORD error = GetLastError();
            file.Close();
            DeleteFileA(temporary.c_str());
            return {LibrarySave::Failed, error};
        }
    }
    old.Close();
    if (!MoveFileExA(temporary.c_str(), m_fileName.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD error = GetLastError();
        DeleteFileA(temporary.c_str());
        return {LibrarySave::Failed, error};
    }
    return {LibrarySave::Saved};
}
