// The library file: read whole at start-up; at each save read again, merged with this run's
// changes and written whole to a new file that replaces the old one, so that neither a failed
// write nor another run's save costs stored game sets.
#include "library/GameSetLibrary.h"

#include "framework/File.h"

#include <io.h>

namespace {

const int kExists = 0;
const int kReadable = 4;
const int kReadWrite = 6;

// Opened without sharing: no other program reads or writes the file meanwhile.
DWORD OpenExclusive(const std::wstring& path, DWORD access, CFileHandle& file) {
    return OpenDiskFile(path, access, 0, file);
}

bool IsFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Moves a damaged library aside under the first free name "<file>.bad", "<file>.bad2", ...,
// never over an earlier one, and names it in `kept`.  Returns 0 or the platform's code.
DWORD KeepAside(const std::wstring& path, std::wstring& kept) {
    DWORD error = ERROR_FILE_EXISTS;
    for (int n = 1; n < 1000; ++n) {
        kept = path + L".bad" + (n == 1 ? std::wstring() : std::to_wstring(n));
        if (_waccess(kept.c_str(), kExists) == 0)
            continue;
        if (MoveFileExW(path.c_str(), kept.c_str(), MOVEFILE_WRITE_THROUGH))
            return 0;
        error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
            break;
    }
    kept.clear();
    return error;
}

// Why a file that is there cannot be both read and written.
std::string WhyNotReadWrite(const std::wstring& path) {
    if (_waccess(path.c_str(), kReadable) != 0)
        return "the file cannot be read";
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return "the file is read-only";
    wchar_t volume[MAX_PATH];
    DWORD flags = 0;
    if (GetVolumePathNameW(path.c_str(), volume, MAX_PATH) &&
        GetVolumeInformationW(volume, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) &&
        (flags & FILE_READ_ONLY_VOLUME))
        return "its drive is read-only";
    return "Kestrine may not write it";
}

std::string WithError(const char* text, DWORD error) {
    return std::string(text) + " (error " + std::to_string(error) + ")";
}

} // namespace

CGameSetLibrary::CGameSetLibrary(const std::string& fileName)
    : m_path(FullPathOf(WideText(fileName))) {}

bool CGameSetLibrary::IsLibraryUsable() const {
    return _waccess(m_path.c_str(), kReadWrite) == 0 && !IsFolder(m_path);
}

std::string CGameSetLibrary::FullPath() const {
    return CodePageText(m_path);
}

LibraryLoadResult CGameSetLibrary::LoadGameSets() {
    if (IsFolder(m_path)) {
        m_whyNotWritable = "it is a folder";
        return LibraryLoad::Skipped;
    }
    if (!IsLibraryUsable()) {
        if (_waccess(m_path.c_str(), kExists) != 0) {
            m_whyNotWritable.clear(); // nothing stored yet: saving creates the file
            return LibraryLoad::NoFile;
        }
        m_whyNotWritable = WhyNotReadWrite(m_path);
        return LibraryLoad::Skipped;
    }
    std::string bytes;
    {
        CFileHandle file;
        if (DWORD error = OpenExclusive(m_path, GENERIC_READ, file)) {
            m_whyNotWritable =
                error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
                    ? WithError("another program had it open when Kestrine started", error)
                    : WithError("it could not be opened when Kestrine started", error);
            return LibraryLoad::Skipped;
        }
        if (DWORD error = ReadWholeFile(file.Get(), bytes)) {
            LibraryLoadResult failed(LibraryLoad::ReadFailed);
            failed.error = error;
            m_whyNotWritable = WithError("it could not be read", error);
            return failed;
        }
    }
    try {
        m_sets = ReadLibraryStream(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    } catch (const CArchiveException& damage) {
        // Nothing of a damaged stream is kept; the file itself goes aside unchanged so that
        // no save of this run can overwrite it.
        m_sets.clear();
        LibraryLoadResult result(LibraryLoad::Damaged);
        result.reason = damage.what();
        std::wstring kept;
        result.error = KeepAside(m_path, kept);
        result.keptAs = CodePageText(kept);
        if (result.error != 0) {
            m_whyNotWritable = WithError("it is damaged and could not be set aside", result.error);
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
    if (IsFolder(m_path)) {
        m_whyNotWritable = "it has become a folder";
        return {LibrarySave::NotWritable};
    }
    const bool exists = _waccess(m_path.c_str(), kExists) == 0;
    if (exists && m_pending.empty())
        return {LibrarySave::Saved}; // nothing of this run to add to the file as it is
    if (exists && !IsLibraryUsable()) {
        m_whyNotWritable = WhyNotReadWrite(m_path) + " now";
        return {LibrarySave::NotWritable};
    }
    // Holding the file shows that no other program has it open, and keeps it that way until
    // the new one is ready.
    CFileHandle held;
    std::string onDisk;
    if (exists) {
        if (DWORD error = OpenExclusive(m_path, GENERIC_READ | GENERIC_WRITE, held))
            return {LibrarySave::Failed, error};
        if (DWORD error = ReadWholeFile(held.Get(), onDisk))
            return {LibrarySave::Failed, error};
    }

    LibrarySaveResult result(LibrarySave::Saved);
    GameSetMap merged;
    bool readable = exists;
    if (exists) {
        try {
            merged =
                ReadLibraryStream(reinterpret_cast<const uint8_t*>(onDisk.data()), onDisk.size());
        } catch (const CArchiveException& damage) {
            // Damaged since start-up: it goes aside as at start-up.
            held.Close();
            std::wstring kept;
            if (DWORD error = KeepAside(m_path, kept)) {
                m_whyNotWritable = WithError("it was damaged and could not be set aside", error);
                return {LibrarySave::NotWritable};
            }
            result.damagedKeptAs = CodePageText(kept);
            result.damage = damage.what();
            readable = false;
        }
    }
    // Without a readable file (deleted meanwhile, never written, damaged), everything this run
    // holds takes its place.
    if (!readable) {
        merged.clear();
        for (const auto& entry : m_sets)
            merged[entry.first] = std::make_unique<CShipData>(*entry.second);
    }
    for (const auto& change : m_pending)
        merged[change.first] = std::make_unique<CShipData>(change.second);

    std::vector<uint8_t> bytes;
    WriteLibraryStream(merged, bytes);
    if (DWORD error = ReplaceFileContents(m_path, std::string(bytes.begin(), bytes.end()),
                                          [&held] { held.Close(); }))
        return {LibrarySave::Failed, error};
    m_pending.clear();

    // What the file holds now is what this run shows: other runs' sets join the library,
    // each record keeping its address for the list items that point at it.
    for (auto& entry : merged) {
        CShipData* record = Find(entry.first);
        if (record == nullptr) {
            record = Add(entry.first);
            result.addedSets.push_back(record);
        }
        *record = *entry.second;
    }
    return result;
}
