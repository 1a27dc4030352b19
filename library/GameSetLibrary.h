// The library of stored game sets: a map from title to record, its byte stream, and the
// library file "QXData.dat" in the working directory.
//
// Titles compare exactly (case-sensitive, whole text).  The library owns its records; a
// record stays at the same address until Release, so list items may point at it.
#pragma once

#include "library/ShipData.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using GameSetMap = std::map<std::string, std::unique_ptr<CShipData>>;

// The library stream: the count of game sets, then for each its title and its record.
void WriteLibraryStream(const GameSetMap& sets, std::vector<uint8_t>& out);
// What is wrong with a damaged stream, and how much of it could be read.
struct LibraryDamage {
    bool damaged = false;
    uint32_t count = 0;  // the game sets it says it holds
    size_t complete = 0; // the game sets read whole before the damage
    std::string what;    // what is wrong, for the log of a developer
};
// No bytes are an empty library; bytes after the last record are ignored.  A damaged stream throws
// CArchiveException, or, where `damage` is given, gives the sets read whole before the damage and
// says so there.
GameSetMap ReadLibraryStream(const uint8_t* data, size_t size, LibraryDamage* damage = nullptr);
// The library file as one version: opened without writers beside (another program's moment
// with it is waited for) and read again where it changed while it was read.
unsigned long ReadLibraryFile(const std::wstring& path, std::string& bytes);

constexpr const char* kLibraryFileName = "QXData.dat";

enum class LibraryLoad {
    Loaded,     // the file was read
    NoFile,     // no file: the library starts empty
    Skipped,    // read-only, unreadable or a folder: silently not loaded
    Busy,       // another program held it throughout: read, and merged, at the next save
    Damaged,    // the stream is damaged: the sets before the damage were read, the file was
                // kept aside (see keptAs); an empty file is no damage but an empty library
    ReadFailed, // the platform failed to read the file; it is left alone
};

struct LibraryLoadResult {
    LibraryLoadResult(LibraryLoad status) : status(status) {}
    LibraryLoad status;
    std::string keptAs;    // Damaged: the name the file was kept under, empty when it stayed
    std::string reason;    // Damaged: what was wrong with the stream
    uint32_t count = 0;    // Damaged: the game sets the file says it holds,
    size_t complete = 0;   // and those read whole before the damage, now in the library
    unsigned long error{}; // ReadFailed, Busy, or Damaged without keptAs: the platform's code
};

enum class LibrarySave {
    Saved,       // on the disk (or nothing to write)
    NotWritable, // this run cannot write the library at all; WhyNotWritable says why
    Failed,      // this write failed (error says why); the changes wait for the next save
};

struct LibrarySaveResult {
    LibrarySaveResult(LibrarySave status, unsigned long error = 0) : status(status), error(error) {}
    LibrarySave status;
    unsigned long error{};             // Failed: the platform's code
    std::string damagedKeptAs;         // the file on the disk was damaged and kept aside so
    std::string damage;                // (what was wrong with it)
    std::vector<CShipData*> addedSets; // sets another run stored, now in this library too
};

// The library file is named once, at construction, as an absolute path taken against the
// working folder then: file dialogs that move the working folder later do not move it.
//
// Two runs may share the file.  Each save reads the file as it is on the disk then, applies
// this run's own changes (sets saved or deleted, in the order made) and writes the result, so
// neither run loses what the other stored; a change that could not be written waits for the
// next save.
class CGameSetLibrary {
public:
    explicit CGameSetLibrary(const std::string& fileName = kLibraryFileName);

    CShipData* Find(const std::string& title) const;
    // Adds an empty record under `title`, which must not be stored yet.
    CShipData* Add(const std::string& title);
    const GameSetMap& Sets() const { return m_sets; }
    // Takes note that the set of `title` was saved or deleted, as it stands now.
    void NoteChange(const std::string& title);
    // Whether changes of this run are not yet on the disk.
    bool HasUnsavedChanges() const { return !m_pending.empty(); }

    // The file exists and may be both read and written.
    bool IsLibraryUsable() const;
    // Reads the file into the (empty) library.
    LibraryLoadResult LoadGameSets();
    // Writes this run's changes into the file as it is on the disk then.  A run without
    // changes leaves an existing file alone; one whose file was busy at start-up reads it
    // here, and its sets join the library.
    LibrarySaveResult SaveGameSets();
    // The file was busy when it was to be read: its sets are not here yet.
    bool IsUnread() const { return m_unread; }
    // Why this run cannot write the library ("the file is read-only", ...); empty while it
    // can.
    const std::string& WhyNotWritable() const { return m_whyNotWritable; }
    // Deletes every record.
    void Release() { m_sets.clear(); }

    // The file's full path, for messages.
    std::string FullPath() const;
    const std::wstring& Path() const { return m_path; }

private:
    std::optional<LibrarySaveResult> SaveNotNeeded(bool exists);
    std::optional<LibrarySaveResult> SetDamagedAside(const char* damage, LibrarySaveResult& result);
    void TakeMerged(const GameSetMap& merged, LibrarySaveResult& result);

    std::wstring m_path;
    GameSetMap m_sets;
    std::vector<std::pair<std::string, CShipData>> m_pending; // changes not yet on the disk
    // Set by a load that could not take the file over (and before any load): a save would
    // then put an empty or partial library over the stored one, so saves are refused.
    std::string m_whyNotWritable = "it was never read";
    bool m_unread = false;
};
