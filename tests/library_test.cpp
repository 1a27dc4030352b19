// The library where the user keeps it, with nothing lost: after file dialogs that move the
// working folder, with two Kestrine runs on one file, when a save fails for a moment or on a
// full disk, and when the file on the disk was damaged meanwhile.
#include "framework/FileDialog.h"
#include "resources/resource.h"
#include "support/FormHarness.h"

#include <functional>

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

TEST_F(Library, TwoRunsOnOneFileKeepTheSetsOfBoth) {
    SaveFromAnotherRun("First");
    Open();
    SaveFromAnotherRun("Second"); // while this run is open
    SaveSet("Mine");
    EXPECT_EQ(Listed(), "First|Mine|Second|"); // the title list shows the sets of both

    SaveFromAnotherRun("Third");
    const std::string third = ReadFileBytes(LibraryFile());
    Click(IDCANCEL); // this run changed nothing since its last save: the file stays
    EXPECT_EQ(ReadFileBytes(LibraryFile()), third);
    EXPECT_EQ(ReadLibrary(LibraryFile())->Sets().size(), 4u); // "Mine" among them
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
    Click(IDOK);
    EXPECT_TRUE(dlg->HasEnded());
    EXPECT_EQ(boxes.back().text, "Configuration Saved For Game Play!");
    EXPECT_EQ(ReadLibrary(LibraryFile())->Sets().size(), 2u); // "Stored" and "Pending"
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
    EXPECT_FALSE(FileExists(onDisk / "*.tmp"));
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

    // Held by another program at start-up, released later: this run never writes it.
    Restart();
    const std::string stored = ReadFileBytes(LibraryFile());
    HANDLE other =
        CreateFileA(LibraryFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Open();
    CloseHandle(other);
    SaveSet("Lost");
    Click(IDCANCEL);
    EXPECT_EQ(ReadFileBytes(LibraryFile()), stored);
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "another program had it open when Kestrine started",
                        OneBox().text);
}

} // namespace
