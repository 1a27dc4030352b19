// The library file QXData.dat in the working directory, under Wine's real file system.
#include "library/GameSetLibrary.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

std::string StreamOf(std::initializer_list<const char*> titles) {
    GameSetMap sets;
    for (const char* title : titles) {
        auto record = std::make_unique<CShipData>();
        record->m_strTitle = record->m_strGameSet = title;
        sets[title] = std::move(record);
    }
    std::vector<uint8_t> bytes;
    WriteLibraryStream(sets, bytes);
    return std::string(bytes.begin(), bytes.end());
}

class LibraryFileTest : public ::testing::Test {
protected:
    // As SAVE stores a new game set: both titles are the key.
    void AddTitled(CGameSetLibrary& to, const std::string& title) {
        CShipData* record = to.Add(title);
        record->m_strTitle = record->m_strGameSet = title;
    }
    std::string Stored() const { return ReadFileBytes(folder / kLibraryFileName); }
    void Store(const std::string& bytes) const { WriteFileBytes(folder / kLibraryFileName, bytes); }

    TempFolder folder;
    WorkingDirectory cwd{folder.Path()};
    CGameSetLibrary library;
};

TEST_F(LibraryFileTest, NoFileIsAnEmptyLibraryAndSavingCreatesIt) {
    EXPECT_FALSE(library.IsLibraryUsable());
    EXPECT_EQ(library.LoadGameSets().status, LibraryLoad::NoFile);
    EXPECT_TRUE(library.Sets().empty());
    EXPECT_EQ(library.SaveGameSets().status, LibrarySave::Saved);
    EXPECT_EQ(Stored(), std::string("\0\0", 2));
    EXPECT_TRUE(library.IsLibraryUsable());
}

TEST_F(LibraryFileTest, LoadsTheFileOfTheWorkingDirectoryOnly) {
    Store(StreamOf({"abc", "Zeta"}) + "left-over bytes of an older, longer file");
    TempFolder elsewhere;
    {
        WorkingDirectory other(elsewhere.Path());
        CGameSetLibrary there;
        EXPECT_EQ(there.LoadGameSets().status, LibraryLoad::NoFile);
    }
    ASSERT_EQ(library.LoadGameSets().status, LibraryLoad::Loaded);
    ASSERT_EQ(library.Sets().size(), 2u);
    ASSERT_NE(library.Find("abc"), nullptr);
    EXPECT_EQ(library.Find("abc")->m_strGameSet, "abc");
    EXPECT_EQ(library.Find("ABC"), nullptr);
    EXPECT_EQ(library.Find("abc "), nullptr);
}

TEST_F(LibraryFileTest, SaveReplacesTheFileWithExactlyTheNewStream) {
    Store(StreamOf({"first", "second"}) + std::string(4000, 'z'));
    ASSERT_EQ(library.LoadGameSets().status, LibraryLoad::Loaded);
    library.Find("second")->Blank();
    library.Add("abc")->m_strTitle = "abc";
    EXPECT_EQ(library.SaveGameSets().status, LibrarySave::Saved);

    CGameSetLibrary reread;
    ASSERT_EQ(reread.LoadGameSets().status, LibraryLoad::Loaded);
    EXPECT_EQ(reread.Sets().size(), 3u);
    std::vector<uint8_t> expected;
    WriteLibraryStream(library.Sets(), expected);
    EXPECT_EQ(Stored(), std::string(expected.begin(), expected.end()));
}

TEST_F(LibraryFileTest, ReadOnlyFileIsNeitherLoadedNorWritten) {
    const std::string original = StreamOf({"kept"});
    Store(original);
    SetFileAttributesA((folder / kLibraryFileName).c_str(), FILE_ATTRIBUTE_READONLY);

    EXPECT_FALSE(library.IsLibraryUsable());
    EXPECT_EQ(library.LoadGameSets().status, LibraryLoad::Skipped);
    EXPECT_TRUE(library.Sets().empty());
    library.Add("new");
    EXPECT_NE(library.SaveGameSets().status, LibrarySave::Saved);
    EXPECT_EQ(Stored(), original);

    // Made read-only after a successful load: still never written.
    SetFileAttributesA((folder / kLibraryFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
    CGameSetLibrary loaded;
    ASSERT_EQ(loaded.LoadGameSets().status, LibraryLoad::Loaded);
    SetFileAttributesA((folder / kLibraryFileName).c_str(), FILE_ATTRIBUTE_READONLY);
    loaded.Add("another");
    EXPECT_EQ(loaded.SaveGameSets().status, LibrarySave::NotWritable);
    EXPECT_EQ(Stored(), original);
    EXPECT_EQ(library.WhyNotWritable(), "the file is read-only");
}

TEST_F(LibraryFileTest, FileHeldByAnotherProgramIsSkippedForThatOneLoadOrSave) {
    const std::string original = StreamOf({"held"});
    Store(original);
    HANDLE other = CreateFileA((folder / kLibraryFileName).c_str(), GENERIC_READ, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(library.LoadGameSets().status, LibraryLoad::Skipped);
    CloseHandle(other);

    ASSERT_EQ(library.LoadGameSets().status, LibraryLoad::Loaded);
    AddTitled(library, "new");
    other = CreateFileA((folder / kLibraryFileName).c_str(), GENERIC_READ, 0, nullptr,
                        OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(library.SaveGameSets().status, LibrarySave::Busy);
    CloseHandle(other);
    EXPECT_EQ(Stored(), original);
    EXPECT_EQ(library.SaveGameSets().status, LibrarySave::Saved);
    EXPECT_EQ(Stored(), StreamOf({"held", "new"}));
}

TEST_F(LibraryFileTest, FilesOfOtherNamesInTheFolderAreNeverOpened) {
    Store(StreamOf({"precious"}));
    ASSERT_EQ(library.LoadGameSets().status, LibraryLoad::Loaded);
    // A stale, read-only temporary file of an earlier version stays as it is, and the new
    // library does not inherit its read-only state.
    WriteFileBytes(folder / "QXData.dat.new", "stale");
    SetFileAttributesA((folder / "QXData.dat.new").c_str(), FILE_ATTRIBUTE_READONLY);
    AddTitled(library, "new");
    EXPECT_EQ(library.SaveGameSets().status, LibrarySave::Saved);
    EXPECT_EQ(Stored(), StreamOf({"new", "precious"}));
    EXPECT_TRUE(library.IsLibraryUsable());
    EXPECT_EQ(ReadFileBytes(folder / "QXData.dat.new"), "stale");

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder / "*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName; // nothing left behind
    FindClose(search);

    // A folder that cannot take the new file: this run cannot keep the library.
    CGameSetLibrary elsewhere(folder / "missing\\QXData.dat");
    EXPECT_EQ(elsewhere.LoadGameSets().status, LibraryLoad::NoFile);
    EXPECT_EQ(elsewhere.SaveGameSets().status, LibrarySave::NotWritable);
    EXPECT_EQ(elsewhere.WhyNotWritable().rfind("its folder cannot be written (error ", 0), 0u);
}

TEST_F(LibraryFileTest, DamagedFileIsKeptAsideAndTheRunGoesOnEmpty) {
    const std::string damaged = StreamOf({"one", "two"}).substr(0, 100);
    Store(damaged);
    LibraryLoadResult result = library.LoadGameSets();
    EXPECT_EQ(result.status, LibraryLoad::Damaged);
    EXPECT_EQ(result.keptAs, "QXData.dat.bad");
    EXPECT_FALSE(result.reason.empty());
    EXPECT_TRUE(library.Sets().empty()); // nothing read before the damage is kept
    EXPECT_EQ(ReadFileBytes(folder / "QXData.dat.bad"), damaged);
    EXPECT_FALSE(FileExists(folder / kLibraryFileName));

    AddTitled(library, "fresh");
    EXPECT_EQ(library.SaveGameSets().status, LibrarySave::Saved);
    EXPECT_EQ(Stored(), StreamOf({"fresh"}));

    // A second damaged file never overwrites the first one kept.
    Store("not a library");
    CGameSetLibrary next;
    EXPECT_EQ(next.LoadGameSets().keptAs, "QXData.dat.bad2");
    EXPECT_EQ(ReadFileBytes(folder / "QXData.dat.bad"), damaged);
    EXPECT_EQ(ReadFileBytes(folder / "QXData.dat.bad2"), "not a library");
}

TEST_F(LibraryFileTest, RunThatNeverLoadedTheLibraryDoesNotWriteIt) {
    const std::string original = StreamOf({"a", "b"});
    Store(original);
    library.Add("c");
    EXPECT_EQ(library.SaveGameSets().status, LibrarySave::NotWritable);
    EXPECT_EQ(Stored(), original);
}

} // namespace
