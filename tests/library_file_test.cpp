// The library file QXData.dat in the working directory, under Wine's real file system.
#include "library/GameSetLibrary.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

std::string StreamOf(std::initializer_list<const char*> titles) {
    GameSetMap sets;
    for (const char* title : titles) {
        sets[title] = std::make_unique<CShipData>();
        sets[title]->m_strTitle = sets[title]->m_strGameSet = title;
    }
    std::vector<uint8_t> bytes;
    WriteLibraryStream(sets, bytes);
    return std::string(bytes.begin(), bytes.end());
}

class LibraryFile : public ::testing::Test {
protected:
    void AddTitled(CGameSetLibrary& to, const std::string& title) {
        CShipData* record = to.Add(title);
        record->m_strTitle = record->m_strGameSet = title;
    }
    std::string Stored() const { return ReadFileBytes(folder / kLibraryFileName); }
    void Store(const std::string& bytes) const { WriteFileBytes(folder / kLibraryFileName, bytes); }
    void ReadOnly(bool on) const {
        SetFileAttributesA((folder / kLibraryFileName).c_str(),
                           on ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    }

    TempFolder folder;
    WorkingDirectory cwd{folder.Path()};
    CGameSetLibrary library;
};

TEST_F(LibraryFile, SavesReplaceTheFileOfTheWorkingFolderWithExactlyTheNewStream) {
    EXPECT_EQ(library.SaveGameSets().status, LibrarySave::NotWritable); // never loaded
    EXPECT_EQ(library.LoadGameSets().status, LibraryLoad::NoFile);
    EXPECT_EQ(library.SaveGameSets().status, LibrarySave::Saved);
    EXPECT_EQ(Stored(), std::string("\0\0", 2));

    Store(StreamOf({"first", "second"}) + std::string(4000, 'z'));
    // A stale, read-only temporary file of an earlier version is never opened.
    WriteFileBytes(folder / "QXData.dat.new", "stale");
    SetFileAttributesA((folder / "QXData.dat.new").c_str(), FILE_ATTRIBUTE_READONLY);
    CGameSetLibrary loaded;
    ASSERT_EQ(loaded.LoadGameSets().status, LibraryLoad::Loaded);
    loaded.Find("second")->Blank();
    AddTitled(loaded, "abc");
    EXPECT_EQ(loaded.SaveGameSets().status, LibrarySave::Saved);
    EXPECT_EQ(Stored().size(), StreamOf({"abc", "first", "second"}).size() - 12); // shortened
    EXPECT_TRUE(loaded.IsLibraryUsable());
    EXPECT_EQ(ReadFileBytes(folder / "QXData.dat.new"), "stale");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder / "*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName; // nothing left behind
    FindClose(search);
}

TEST_F(LibraryFile, AFileThatCannotBeWrittenIsNeverWritten) {
    const std::string original = StreamOf({"kept"});
    Store(original);
    ReadOnly(true);
    EXPECT_EQ(library.LoadGameSets().status, LibraryLoad::Skipped);
    EXPECT_EQ(library.SaveGameSets().status, LibrarySave::NotWritable);
    EXPECT_EQ(library.WhyNotWritable(), "the file is read-only");

    ReadOnly(false); // read-only after a good load: still never written
    CGameSetLibrary loaded;
    ASSERT_EQ(loaded.LoadGameSets().status, LibraryLoad::Loaded);
    ReadOnly(true);
    EXPECT_EQ(loaded.SaveGameSets().status, LibrarySave::NotWritable);
    ReadOnly(false);
    EXPECT_EQ(Stored(), original);

    // A folder that does not take the new file.
    CGameSetLibrary missing(folder / "missing\\QXData.dat");
    EXPECT_EQ(missing.LoadGameSets().status, LibraryLoad::NoFile);
    EXPECT_EQ(missing.SaveGameSets().status, LibrarySave::NotWritable);
    EXPECT_EQ(missing.WhyNotWritable().rfind("its folder cannot be written (error ", 0), 0u);
}

TEST_F(LibraryFile, AFileHeldByAnotherProgramIsSkippedForThatOneLoadOrSave) {
    Store(StreamOf({"held"}));
    auto hold = [this] {
        return CreateFileA((folder / kLibraryFileName).c_str(), GENERIC_READ, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    };
    HANDLE other = hold();
    EXPECT_EQ(library.LoadGameSets().status, LibraryLoad::Skipped);
    CloseHandle(other);

    CGameSetLibrary loaded;
    ASSERT_EQ(loaded.LoadGameSets().status, LibraryLoad::Loaded);
    AddTitled(loaded, "new");
    other = hold();
    EXPECT_EQ(loaded.SaveGameSets().status, LibrarySave::Busy);
    CloseHandle(other);
    EXPECT_EQ(Stored(), StreamOf({"held"}));
    EXPECT_EQ(loaded.SaveGameSets().status, LibrarySave::Saved);
    EXPECT_EQ(Stored(), StreamOf({"held", "new"}));
}

TEST_F(LibraryFile, ADamagedFileIsKeptAsideAndTheRunGoesOnEmpty) {
    const std::string damaged = StreamOf({"one", "two"}).substr(0, 100);
    Store(damaged);
    LibraryLoadResult result = library.LoadGameSets();
    EXPECT_EQ(result.status, LibraryLoad::Damaged);
    EXPECT_EQ(result.keptAs, "QXData.dat.bad");
    EXPECT_TRUE(library.Sets().empty()); // nothing read before the damage is kept
    EXPECT_EQ(ReadFileBytes(folder / "QXData.dat.bad"), damaged);
    AddTitled(library, "fresh");
    EXPECT_EQ(library.SaveGameSets().status, LibrarySave::Saved);
    EXPECT_EQ(Stored(), StreamOf({"fresh"}));

    Store("not a library"); // never over the first one kept
    CGameSetLibrary next;
    EXPECT_EQ(next.LoadGameSets().keptAs, "QXData.dat.bad2");
    EXPECT_EQ(ReadFileBytes(folder / "QXData.dat.bad"), damaged);
}

} // namespace
