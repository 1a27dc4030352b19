// The library where the user keeps it, with nothing lost: after file dialogs that move the
// working folder, with two Kestrine runs on one file, when a save fails for a moment or on a
// full disk, and when the file on the disk was damaged meanwhile.
#include "framework/FileDialog.h"
#include "resources/resource.h"
#include "support/FormHarness.h"

#include <functional>
#include <thread>

namespace {

std::string g_dialogFolder; // where the stand-in dialog goes, as the user browses
// As the standard dialogs do, the dialog leaves the working folder where the user went, even
// when cancelled.
bool BrowseAndCancel(const FileDialogRequest&, std::wstring&) {
    SetCurrentDirectoryA(g_dialogFolder.c_str());
    return false;
}

class Library : public FormTest {
protected:
    void SaveSet(const std::string& title) {
        TypeTitle(title);
        Click(IDC_SAVE);
    }
    // What another Kestrine run leaves in the file: the sets on the disk with `title` added.
    void SaveFromAnotherRun(const std::string& title, const std::string& file = std::string()) {
        CGameSetLibrary other(file.empty() ? LibraryFile() : file);
        other.LoadGameSets();
        CShipData* record = other.Add(title);
        record->m_strTitle = record->m_strGameSet = title;
        other.NoteChange(title);
        ASSERT_EQ(other.SaveGameSets().status, LibrarySave::Saved);
    }
    void AnswerNo() {
        SetMessageBoxHandler([this](const MessageBoxCall& call) {
            boxes.push_back(call);
            return call.style & MB_YESNO ? IDNO : IDOK;
        });
    }
};

TEST_F(Library, StaysWhereKestrineStartedAfterFileDialogs) {
    TempFolder elsewhere;
    g_dialogFolder = elsewhere.Path();
    WriteFileBytes(elsewhere / "QXData.dat", "someone else's");
    SetFileDialogFunction(BrowseAndCancel);
    Open();
    Command(IDM_IMPORT_GAMESET);
    Command(IDM_EXPORT_GAMESET);
    SetFileDialogFunction(nullptr);
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    EXPECT_EQ(std::string(folder) + "\\", work.Path()); // put back after each dialog

    SetCurrentDirectoryA(elsewhere.Path().c_str()); // even if it moved: the library stays
    SaveSet("Kept here");
    Click(IDCANCEL);
    EXPECT_EQ(ReadFileBytes(elsewhere / "QXData.dat"), "someone else's");
    EXPECT_NE(ReadFileBytes(LibraryFile()).find("Kept here"), std::string::npos);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Library, AFailedSaveIsSaidAtOnceAndWrittenAtTheNextSave) {
    SaveFromAnotherRun("Stored");
    Open();
    HANDLE other =
        CreateFileA(LibraryFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SaveSet("Pending");
    const std::string said = OneBox().text;
    EXPECT_EQ(said.rfind("The game sets could not be saved to " + LibraryFile() + ": ", 0), 0u);
    EXPECT_PRED_FORMAT2(testing::IsSubstring,
                        "(error 32). The file was left as it was.\n\nThe change is kept: "
                        "Kestrine writes it with the next SAVE, DELETE or CLOSE.",
                        said);

    // PLAY ends Kestrine, as CLOSE does: it writes the library first, and asks when it cannot;
    // No keeps the form open.
    AnswerNo();
    Click(IDC_HOST_SELECTED);
    Click(IDOK);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "Close Kestrine anyway?", boxes[1].text);
    EXPECT_EQ(boxes[1].style, UINT(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
    EXPECT_FALSE(dlg->HasEnded());
    EXPECT_FALSE(FileExists(ScriptsIni())); // nothing handed to the game yet
    CloseHandle(other);
}

// A change that a failed save kept reaches the file through whatever command writes the
// library next, not only through saving the same set again.
TEST_F(Library, AKeptChangeIsWrittenByEachLaterCommand) {
    const struct {
        const char* command;
        std::function<void()> run;
    } commands[] = {
        {"SAVE of another set", [this] { SaveSet("Another"); }},
        {"DELETE",
         [this] {
             TypeTitle("Stored");
             Click(IDC_DELETE);
         }},
        {"CLOSE", [this] { Click(IDCANCEL); }},
        {"PLAY",
         [this] {
             Click(IDC_HOST_SELECTED);
             Click(IDOK);
         }},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.command);
        DeleteFileA(LibraryFile().c_str());
        SaveFromAnotherRun("Stored");
        Open();
        HANDLE other =
            CreateFileA(LibraryFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SaveSet("Pending");
        CloseHandle(other);
        ASSERT_EQ(ReadLibrary(LibraryFile())->Find("Pending"), nullptr);
        command.run();
        EXPECT_NE(ReadLibrary(LibraryFile())->Find("Pending"), nullptr);
        EXPECT_EQ(boxes.size(), 1u + (command.command == std::string("PLAY"))); // and no other
        Restart();
    }
}

TEST_F(Library, AFullDiskKeepsTheLibraryByteForByte) {
    const std::string disk = TestBedFolder("full");
    if (disk.empty())
        GTEST_SKIP() << "the test bed has no small disk to fill (needs root)";
    TempFolder onDisk(disk);
    cwd.reset();
    cwd = std::make_unique<WorkingDirectory>(onDisk.Path());
    const std::string library = onDisk / "QXData.dat";
    SaveFromAnotherRun("Stored", library);
    const std::string stored = ReadFileBytes(library);
    Open();
    FillDisk(onDisk.Path(), "filler");
    dlg->m_strShip[0] = std::string(255, 's');
    dlg->UpdateData(false);
    SaveSet("Large");
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "(error 112)", OneBox().text);
    EXPECT_EQ(ReadFileBytes(library), stored);
    EXPECT_FALSE(FileExists(onDisk / "~k*"));
}

TEST_F(Library, FilesItCannotUseAreNeverOverwrittenAndNamed) {
    // Damaged on the disk since start-up: kept aside at the save, and said.
    SaveFromAnotherRun("Stored");
    Open();
    WriteFileBytes(LibraryFile(), "damaged by someone");
    SaveSet("Mine");
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "was found damaged", OneBox().text);
    EXPECT_EQ(ReadFileBytes(work / "QXData.dat.bad"), "damaged by someone");
    EXPECT_EQ(ReadLibrary(LibraryFile())->Sets().size(), 2u);
}

// Another program holding the library at start-up: a reader that shares it is no obstacle, one
// that keeps it to itself for a moment is waited for, and one that holds it throughout costs
// nothing saved in this window.
TEST_F(Library, AFileHeldAtStartUp) {
    SaveFromAnotherRun("First");
    SaveFromAnotherRun("Second");
    auto hold = [this](DWORD access, DWORD share) {
        return CreateFileA(LibraryFile().c_str(), access, share, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    };
    HANDLE backupTool = hold(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    Open();
    CloseHandle(backupTool);
    EXPECT_EQ(Listed(), "First|Second|");
    EXPECT_TRUE(boxes.empty());
    Restart();

    HANDLE otherKestrine = hold(GENERIC_READ | GENERIC_WRITE, 0); // saving, for 300 ms
    std::thread saving([otherKestrine] {
        Sleep(300);
        CloseHandle(otherKestrine);
    });
    Open();
    saving.join();
    EXPECT_EQ(Listed(), "First|Second|");
    EXPECT_TRUE(boxes.empty());
    Restart();

    HANDLE throughout = hold(GENERIC_READ, 0);
    Open();
    CloseHandle(throughout);
    EXPECT_EQ(Listed(), "");
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "is in use by another program (error 32)",
                        OneBox().text);
    boxes.clear();
    SaveSet("Mine");
    EXPECT_EQ(Listed(), "First|Mine|Second|");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ReadLibrary(LibraryFile())->Sets().size(), 3u);
}

// The library file stays what the user made it: hidden, a file of two names, a link to a
// library shared between folders, in a folder that takes no new file.
TEST_F(Library, TheFileKeepsWhatItIs) {
    GameSetMap stored;
    stored["Stored"] = std::make_unique<CShipData>();
    auto saveIn = [&](const std::string& folder) {
        WriteFileBytes(folder + "QXData.dat", LibraryStream(stored));
        cwd.reset();
        cwd = std::make_unique<WorkingDirectory>(folder);
        Open();
        SaveSet("Mine");
        Click(IDCANCEL);
        EXPECT_TRUE(boxes.empty()) << boxes[0].text;
        EXPECT_EQ(ReadLibrary(folder + "QXData.dat")->Sets().size(), 2u) << folder;
        EXPECT_FALSE(FileExists(folder + "~k*"));
        Restart();
    };
    WriteFileBytes(LibraryFile(), "");
    SetFileAttributesA(LibraryFile().c_str(), FILE_ATTRIBUTE_HIDDEN);
    saveIn(work.Path());
    EXPECT_EQ(GetFileAttributesA(LibraryFile().c_str()) & FILE_ATTRIBUTE_HIDDEN,
              DWORD(FILE_ATTRIBUTE_HIDDEN));

    SetFileAttributesA(LibraryFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(CreateHardLinkA((work / "shared.dat").c_str(), LibraryFile().c_str(), nullptr));
    saveIn(work.Path());
    EXPECT_EQ(ReadFileBytes(work / "shared.dat"), ReadFileBytes(LibraryFile()));

    const std::string linked = TestBedFolder("linked"), frozen = TestBedFolder("frozen");
    if (!linked.empty()) { // the shared library behind the link gets the set
        saveIn(linked);
        EXPECT_EQ(ReadLibrary(linked + "library.dat")->Sets().size(), 2u);
    }
    if (!frozen.empty())
        saveIn(frozen);
    if (linked.empty() || frozen.empty())
        GTEST_SKIP() << "the test bed has no linked library or no folder that takes no new file";
}

// A library cut short gives back the sets it holds whole, and the next save writes them into a
// new file; an empty file (a sync tool's placeholder) is an empty library.
TEST_F(Library, ACutLibraryGivesBackWhatItHolds) {
    WriteFileBytes(LibraryFile(), "");
    Open();
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(FileExists(LibraryFile() + ".bad"));
    Restart();

    GameSetMap sets;
    for (const char* title : {"First", "Second", "Third"}) {
        sets[title] = std::make_unique<CShipData>();
        sets[title]->m_strTitle = title;
    }
    const std::string whole = LibraryStream(sets), cut = whole.substr(0, whole.size() - 1);
    WriteFileBytes(LibraryFile(), cut);
    Open();
    EXPECT_PRED_FORMAT2(testing::IsSubstring,
                        " is damaged after 2 of its 3 game sets; those 2 are in the list, and the "
                        "whole file was kept as QXData.dat.bad.",
                        OneBox().text);
    EXPECT_EQ(Listed(), "First|Second|");
    EXPECT_EQ(ReadFileBytes(LibraryFile() + ".bad"), cut);
    Click(IDCANCEL);
    EXPECT_EQ(ReadLibrary(LibraryFile())->Sets().size(), 2u);
}

// Undo after a SAVE that could not be written: the undone state is what reaches the file.
TEST_F(Library, UndoAfterAFailedSave) {
    SaveFromAnotherRun("Stored");
    Open();
    HANDLE other =
        CreateFileA(LibraryFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Click(IDC_HOST_SELECTED);
    SaveSet("Stored");
    CloseHandle(other);
    EXPECT_EQ(boxes.size(), 1u); // said at once
    Command(IDM_UNDO_LIBRARY);
    const auto library = ReadLibrary(LibraryFile());
    EXPECT_EQ(library->Find("Stored")->m_strGameSet, "Stored");
    EXPECT_EQ(library->Find("Stored")->m_bHostSelected, 0);
    EXPECT_EQ(boxes.size(), 1u);
}

} // namespace
