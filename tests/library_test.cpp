// The library where the user keeps it, with nothing lost: after file dialogs that move the
// working folder, with two Kestrine runs on one file, when a save fails for a moment or on a
// full disk, and when the file on the disk was damaged meanwhile.
#include "framework/File.h"
#include "framework/FileDialog.h"
#include "resources/resource.h"
#include "support/FormHarness.h"

namespace {

std::string g_dialogFolder; // where the stand-in dialog goes, as the user browses
// As the standard dialogs do, the dialog leaves the working folder where the user went, even
// when cancelled.
bool BrowseAndCancel(const FileDialogRequest&, std::wstring&) {
    SetCurrentDirectoryA(g_dialogFolder.c_str());
    return false;
}

// Writes into `file` until the disk takes no more.
void FillDisk(const std::string& file) {
    HANDLE filler = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const std::string block(4096, 'f');
    DWORD wrote = 0;
    for (DWORD size : {4096u, 1u}) {
        while (WriteFile(filler, block.data(), size, &wrote, nullptr) && wrote == size) {
        }
    }
    CloseHandle(filler);
}

class Library : public FormTest {
protected:
    void SaveSet(const std::string& title) {
        SetWindowTextA(Item(IDC_GAMESET), title.c_str());
        Click(IDC_SAVE);
    }
    std::string Listed() const {
        std::string titles;
        for (int i = 0; i < dlg->m_cbGameSet.GetCount(); ++i)
            titles += dlg->m_cbGameSet.GetLBText(i) + "|";
        return titles;
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
    SendMessageA(dlg->GetSafeHwnd(), WM_SYSCOMMAND, IDM_IMPORT_GAMESET, 0);
    SendMessageA(dlg->GetSafeHwnd(), WM_SYSCOMMAND, IDM_EXPORT_GAMESET, 0);
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
    Pick(IDC_GAMESET, 2);
    EXPECT_EQ(Text(IDC_GAMESET_LABEL), "Second");

    SaveFromAnotherRun("Third");
    const std::string third = ReadFileBytes(LibraryFile());
    Click(IDCANCEL); // this run changed nothing since its last save: the file stays
    EXPECT_EQ(ReadFileBytes(LibraryFile()), third);

    // A set both runs changed ends as the later change left it.
    CGameSetLibrary one(LibraryFile()), two(LibraryFile());
    one.LoadGameSets();
    two.LoadGameSets();
    one.Find("Mine")->m_strShip[0] = "earlier";
    one.NoteChange("Mine");
    two.Find("Mine")->m_strShip[0] = "later";
    two.NoteChange("Mine");
    one.SaveGameSets();
    two.SaveGameSets();
    CGameSetLibrary reader(LibraryFile());
    reader.LoadGameSets();
    EXPECT_EQ(reader.Find("Mine")->m_strShip[0], "later");
    EXPECT_EQ(reader.Sets().size(), 4u);
}

TEST_F(Library, AFailedSaveIsSaidAtOnceAndWrittenAtTheNextSave) {
    SaveFromAnotherRun("Stored");
    Open();
    HANDLE other =
        CreateFileA(LibraryFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SaveSet("Pending");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(LibraryFile()), std::string::npos);
    EXPECT_NE(boxes[0].text.find("(error 32)"), std::string::npos);

    // PLAY ends Kestrine: it writes the library first, and asks when it cannot.
    AnswerNo();
    Click(IDC_HOST_SELECTED);
    Click(IDOK);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[1].text.find("Close Kestrine anyway?"), std::string::npos);
    EXPECT_FALSE(dlg->HasEnded());
    EXPECT_FALSE(FileExists(ScriptsIni())); // nothing handed to the game yet
    CloseHandle(other);
    Click(IDOK);
    EXPECT_TRUE(dlg->HasEnded());
    EXPECT_EQ(boxes.back().text, "Configuration Saved For Game Play!");
    CGameSetLibrary reader(LibraryFile());
    reader.LoadGameSets();
    EXPECT_NE(reader.Find("Pending"), nullptr);
    EXPECT_NE(reader.Find("Stored"), nullptr);
}

TEST_F(Library, AFullDiskKeepsTheLibraryByteForByte) {
    const std::string disk = FullDiskFolder();
    if (disk.empty())
        GTEST_SKIP() << "the test bed has no small disk to fill (needs root)";
    TempFolder onDisk(disk);
    cwd.reset();
    cwd = std::make_unique<WorkingDirectory>(onDisk.Path());
    const std::string library = onDisk / "QXData.dat";
    SaveFromAnotherRun("Stored", library);
    const std::string stored = ReadFileBytes(library);
    Open();
    FillDisk(onDisk / "filler");
    dlg->m_strShip[0] = std::string(255, 's');
    dlg->UpdateData(false);
    SaveSet("Large");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("(error 112)"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(ReadFileBytes(library), stored);
    EXPECT_FALSE(FileExists(onDisk / "*.tmp"));

    DeleteFileA((onDisk / "filler").c_str()); // room again: the next save writes the change
    AnswerNo();
    Click(IDCANCEL);
    EXPECT_TRUE(dlg->HasEnded());
    CGameSetLibrary reader(library);
    reader.LoadGameSets();
    ASSERT_NE(reader.Find("Large"), nullptr);
    EXPECT_EQ(reader.Find("Large")->m_strShip[0], std::string(255, 's'));
}

TEST_F(Library, FilesItCannotUseAreNeverOverwrittenAndNamed) {
    // Damaged on the disk since start-up: kept aside at the save, and said.
    SaveFromAnotherRun("Stored");
    Open();
    WriteFileBytes(LibraryFile(), "damaged by someone");
    SaveSet("Mine");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("was found damaged"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(ReadFileBytes(work / "QXData.dat.bad"), "damaged by someone");
    CGameSetLibrary reader(LibraryFile());
    reader.LoadGameSets();
    EXPECT_EQ(reader.Sets().size(), 2u);

    // Held by another program at start-up, released later: this run never writes it.
    dlg.reset();
    boxes.clear();
    const std::string stored = ReadFileBytes(LibraryFile());
    HANDLE other =
        CreateFileA(LibraryFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Open();
    CloseHandle(other);
    SaveSet("Lost");
    Click(IDCANCEL);
    EXPECT_EQ(ReadFileBytes(LibraryFile()), stored);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("another program had it open when Kestrine started"),
              std::string::npos);

    // A folder that takes no new file: the platform's own reason, said at the save.
    const std::string frozen = TestBedFolder("frozen");
    if (!frozen.empty()) {
        dlg.reset();
        boxes.clear();
        cwd.reset();
        cwd = std::make_unique<WorkingDirectory>(frozen);
        Open();
        SaveSet("Frozen");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].text.find("(error 5)"), std::string::npos) << boxes[0].text;
        EXPECT_FALSE(FileExists(frozen + "QXData.dat"));
    }

    // A folder of that name.
    dlg.reset();
    boxes.clear();
    TempFolder folder;
    cwd.reset();
    cwd = std::make_unique<WorkingDirectory>(folder.Path());
    CreateDirectoryA((folder / "QXData.dat").c_str(), nullptr);
    Open();
    SaveSet("Nowhere");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(": it is a folder."), std::string::npos) << boxes[0].text;
}

} // namespace
