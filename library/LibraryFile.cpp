// The library file: read whole at start-up; at each save read again, merged with this run's
// changes and written whole to a new file that takes the old one's place, so that neither a
// failed write nor another run's save costs stored game sets.  The file stays what it is: a
// link keeps standing for it, and its attributes and other names stay.
#include "library/GameSetLibrary.h"

#include "framework/FilePlacement.h"

#include <io.h>

#include <optional>

namespace {

const int kExists = 0;
const int kReadable = 4;
const int kReadWrite = 6;

// Another program may hold the file for a moment (another Kestrine reading or saving it, a
// backup tool): it is waited for, up to about two seconds.
const ULONGLONG kBusyWaitMs = 2000;

bool IsBusy(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

DWORD OpenWaiting(const std::wstring& path, DWORD access, DWORD share, CFileHandle& file) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        const DWORD error = OpenDiskFile(path, access, share, file);
        if (!IsBusy(error) || GetTickCount64() - start >= kBusyWaitMs)
            return error;
        Sleep(50);
    }
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

// The file's size and time of last change, as its handle and its name give them.
bool SameVersion(const BY_HANDLE_FILE_INFORMATION& opened, const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA named;
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &named) &&
           named.nFileSizeHigh == opened.nFileSizeHigh &&
           named.nFileSizeLow == opened.nFileSizeLow &&
           CompareFileTime(&named.ftLastWriteTime, &opened.ftLastWriteTime) == 0;
}

GameSetMap CopyOf(const GameSetMap& sets) {
    GameSetMap copy;
    for (const auto& entry : sets)
        copy[entry.first] = std::make_unique<CShipData>(*entry.second);
    return copy;
}

std::string WithError(const char* text, DWORD error) {
    return std::string(text) + " (error " + std::to_string(error) + ")";
}

// The new contents go to a new file beside the old one, which takes its place where that keeps
// everything the file is; otherwise (a link, a hidden file, a file of two names, a folder that
// takes no new file) the file itself is rewritten, its old contents kept until the new ones
// are complete.  A new file that cannot be written whole (a full disk) changes nothing.
DWORD PlaceLibrary(const std::wstring& path, const std::string& bytes, const std::string& onDisk,
                   CFileHandle& held) {
    CNewFile beside;
    const bool made = beside.CreateBeside(path) == 0;
    if (made) {
        if (DWORD error = beside.Write(bytes))
            return error;
        if (DWORD error = beside.Finish())
            return error;
    }
    held.Close();
    return PlaceFileContents(path, bytes, onDisk, made ? &beside : nullptr);
}

} // namespace

unsigned long ReadLibraryFile(const std::wstring& path, std::string& bytes) {
    DWORD error = 0;
    for (int attempt = 0; attempt < 5; ++attempt) {
        // Readers share the file with each other; only a save keeps it to itself.
        CFileHandle file;
        BY_HANDLE_FILE_INFORMATION opened;
        error = OpenWaiting(path, GENERIC_READ, FILE_SHARE_READ, file);
        if (error == 0 && !GetFileInformationByHandle(file.Get(), &opened))
            error = GetLastError();
        if (error == 0)
            error = ReadWholeFile(file.Get(), bytes);
        if (error != 0 || SameVersion(opened, path))
            return error;
        error = ERROR_SHARING_VIOLATION; // replaced while it was read: read the new one
    }
    return error;
}

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
    if (DWORD error = ReadLibraryFile(m_path, bytes)) {
        if (IsBusy(error)) { // read again, and merged, at the next save
            m_whyNotWritable.clear();
            m_unread = true;
            LibraryLoadResult busy(LibraryLoad::Busy);
            busy.error = error;
            return busy;
        }
        LibraryLoadResult failed(LibraryLoad::ReadFailed);
        failed.error = error;
        m_whyNotWritable = WithError("it could not be read", error);
        return failed;
    }
    LibraryDamage damage;
    m_sets =
        ReadLibraryStream(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &damage);
    if (damage.damaged) {
        // The file itself goes aside unchanged so that no save of this run can overwrite it;
        // the sets read whole before the damage stay, and the next save writes them into a
        // new file.
        LibraryLoadResult result(LibraryLoad::Damaged);
        result.reason = damage.what;
        result.count = damage.count;
        result.complete = damage.complete;
        std::wstring kept;
        result.error = KeepAside(m_path, kept);
        result.keptAs = CodePageText(kept);
        if (result.error != 0) {
            m_sets.clear();
            m_whyNotWritable = WithError("it is damaged and could not be set aside", result.error);
        } else {
            m_whyNotWritable.clear();
        }
        return result;
    }
    m_whyNotWritable.clear();
    return LibraryLoad::Loaded;
}

// Why nothing is to be written now: the run cannot write the library, or has nothing to add
// to the file as it is.  Empty where the save goes on.
std::optional<LibrarySaveResult> CGameSetLibrary::SaveNotNeeded(bool exists) {
    if (!m_whyNotWritable.empty())
        return LibrarySaveResult(LibrarySave::NotWritable);
    if (IsFolder(m_path)) {
        m_whyNotWritable = "it has become a folder";
        return LibrarySaveResult(LibrarySave::NotWritable);
    }
    if (exists && m_pending.empty() && !m_unread)
        return LibrarySaveResult(LibrarySave::Saved);
    if (exists && !IsLibraryUsable()) {
        m_whyNotWritable = WhyNotReadWrite(m_path) + " now";
        return LibrarySaveResult(LibrarySave::NotWritable);
    }
    return std::nullopt;
}

// A file damaged since start-up goes aside as at start-up; this run's sets take its place.
std::optional<LibrarySaveResult> CGameSetLibrary::SetDamagedAside(const char* damage,
                                                                  LibrarySaveResult& result) {
    std::wstring kept;
    if (DWORD error = KeepAside(m_path, kept)) {
        m_whyNotWritable = WithError("it was damaged and could not be set aside", error);
        return LibrarySaveResult(LibrarySave::NotWritable);
    }
    result.damagedKeptAs = CodePageText(kept);
    result.damage = damage;
    return std::nullopt;
}

// What the file holds now is what this run shows: other runs' sets join the library, each
// record keeping its address for the list items that point at it.
void CGameSetLibrary::TakeMerged(const GameSetMap& merged, LibrarySaveResult& result) {
    for (auto& entry : merged) {
        CShipData* record = Find(entry.first);
        if (record == nullptr) {
            record = Add(entry.first);
            result.addedSets.push_back(record);
        }
        *record = *entry.second;
    }
}

LibrarySaveResult CGameSetLibrary::SaveGameSets() {
    const bool exists = _waccess(m_path.c_str(), kExists) == 0;
    if (auto notNeeded = SaveNotNeeded(exists))
        return *notNeeded;
    // Holding the file shows that no other program has it open, and keeps it that way until
    // the new one is ready.
    CFileHandle held;
    std::string onDisk;
    if (exists) {
        if (DWORD error = OpenWaiting(m_path, GENERIC_READ | GENERIC_WRITE, 0, held)) {
            if (m_pending.empty()) // only reading what another program holds: later, then
                return {LibrarySave::Saved};
            return {LibrarySave::Failed, error};
        }
        if (DWORD error = ReadWholeFile(held.Get(), onDisk))
            return {LibrarySave::Failed, error};
    }

    LibrarySaveResult result(LibrarySave::Saved);
    // Without a file (deleted meanwhile, never written), everything this run holds takes its
    // place.
    GameSetMap merged;
    try {
        merged = exists ? ReadLibraryStream(reinterpret_cast<const uint8_t*>(onDisk.data()),
                                            onDisk.size())
                        : CopyOf(m_sets);
    } catch (const CArchiveException& damage) {
        held.Close();
        if (auto failed = SetDamagedAside(damage.what(), result))
            return *failed;
        merged = CopyOf(m_sets);
    }
    const bool rewrite = !exists || !result.damagedKeptAs.empty();
    for (const auto& change : m_pending)
        merged[change.first] = std::make_unique<CShipData>(change.second);
    if (!m_pending.empty() || rewrite) {
        std::vector<uint8_t> stream;
        WriteLibraryStream(merged, stream);
        if (DWORD error =
                PlaceLibrary(m_path, std::string(stream.begin(), stream.end()), onDisk, held))
            return {LibrarySave::Failed, error};
    }
    m_pending.clear();
    m_unread = false;
    TakeMerged(merged, result);
    return result;
}
