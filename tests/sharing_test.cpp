// Handing a game set over: copy and paste, export and import, a dropped file and the command
// line, on the real form under Wine.
#include "framework/Clipboard.h"
#include "framework/FileDialog.h"
#include "resources/resource.h"
#include "support/FormHarness.h"

#include <shlobj.h>

namespace {

const int kP1 = 0, kP2 = 1, kA1 = 6, kB8 = 21;

std::string g_chosenFile, g_asked; // the file the user picks; what the dialog was asked
bool ChooseFile(const FileDialogRequest& request, std::string& path) {
    g_asked = request.title + "|" + path;
    path = g_chosenFile;
    return !path.empty();
}

// Everything the user sees of the form, to tell that a refused import changed nothing.
std::string Snapshot(CSetupDlg& form) {
    std::string seen;
    for (HWND child = GetWindow(form.GetSafeHwnd(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        seen += WindowText(child) + "|" + std::to_string(SendMessageA(child, BM_GETCHECK, 0, 0)) +
                std::to_string(IsWindowEnabled(child)) + "\n";
    }
    return seen;
}

class Sharing : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        SetFileDialogFunction(ChooseFile);
        g_chosenFile.clear();
    }
    void TearDown() override {
        SetFileDialogFunction(nullptr);
        FormTest::TearDown();
    }
    // A set with quotes, an option, empty slots and no difficulty, shown in the form.
    void ComposeSet() {
        dlg->m_strGameSet = "Hex: \"Co\"";
        dlg->m_strShip[kP1] = "\"N-QRF\"";
        dlg->m_strPos[kP1] = "G";
        dlg->m_bSlot[kP1] = 1;
        dlg->m_strShip[kB8] = "\"D-H9\"";
        dlg->m_strPos[kB8] = "Z";
        dlg->m_bSlot[kB8] = 1;
        dlg->m_strPos[kA1] = "Q"; // a position without a ship: no tick after reading
        dlg->m_bHostSelected = 1;
        dlg->m_nDifficulty = -1;
        dlg->UpdateData(false);
    }
    void ExpectComposedSet() {
        EXPECT_EQ(Text(IDC_GAMESET_LABEL) + "|" + Text(IDC_GAMESET), "Hex: \"Co\"|Hex: \"Co\"");
        EXPECT_EQ(Text(kSlots[kP1].shipId) + Text(kSlots[kB8].shipId) + Text(kSlots[kP2].shipId),
                  "\"N-QRF\"\"D-H9\"");
        EXPECT_EQ(Text(kSlots[kB8].posId) + Text(kSlots[kA1].posId), "ZQ");
        EXPECT_TRUE(Checked(kSlots[kP1].checkId) && Checked(kSlots[kB8].checkId) &&
                    Enabled(kSlots[kB8].shipId) && Checked(IDC_HOST_SELECTED));
        EXPECT_FALSE(Checked(kSlots[kA1].checkId) || Enabled(kSlots[kA1].shipId));
        EXPECT_EQ(CurSel(IDC_DIFFICULTY), -1);
    }
    void Command(UINT id) {
        SendMessageA(dlg->GetSafeHwnd(), WM_SYSCOMMAND, id, 0);
        dlg->PumpWaitingMessages();
    }
    std::string Clipboard() {
        std::string text;
        EXPECT_TRUE(GetClipboardText(nullptr, text));
        return text;
    }
};

TEST_F(Sharing, CopyThenPasteGivesTheSetBackThroughThePlainText) {
    Open();
    ComposeSet();
    Command(IDM_COPY_GAMESET);
    const std::string text = Clipboard();
    EXPECT_EQ(
        text.rfind("[Mul_Kestrine]\r\nGameSet=Hex: \"Co\"\r\nshipP1=\"N-QRF\"\r\nshipP2=\r\n", 0),
        0u)
        << text;
    EXPECT_NE(text.find("\r\nshipB8=\"D-H9\"\r\np1Pos=0\r\np2Pos=-1\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nb8Pos=19\r\nshipSettings=4\r\n[UI]\r\nUIType=-1\r\n"),
              std::string::npos);

    dlg->ClearForm();
    Command(IDM_PASTE_GAMESET);
    ExpectComposedSet();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(dlg->m_mapGameSets.Sets().empty()); // reading stores nothing
}

TEST_F(Sharing, AGamesOwnScriptsIniReadsAsAGameSet) {
    const std::string scripts = "[Other]\r\nx=1\r\n[mul_kestrine]\r\nGameSet=Base Assault\r\n"
                                "shipA1=\"T-MWA\"\r\na1Pos=11.5\r\nshipSettings=2\r\n";
    Open();
    for (const char* gvx : {"", "[UI]\r\nUIType=2\r\n"}) {
        SetClipboardText(nullptr, scripts + gvx);
        Command(IDM_PASTE_GAMESET);
        EXPECT_EQ(Text(IDC_GAMESET_LABEL) + Text(kSlots[kA1].shipId) + Text(kSlots[kA1].posId),
                  "Base Assault\"T-MWA\"R");
        EXPECT_TRUE(Checked(kSlots[kA1].checkId) && Checked(IDC_PLAYER_SELECT));
        EXPECT_EQ(CurSel(IDC_DIFFICULTY), *gvx ? 2 : -1);
    }
    // Missing keys read as empty texts, no position, no option and no difficulty.
    SetClipboardText(nullptr, "[Mul_Kestrine]\r\nshipB8=lone\r\n");
    Command(IDM_PASTE_GAMESET);
    EXPECT_EQ(Text(IDC_GAMESET_LABEL) + Text(kSlots[kA1].shipId) + Text(kSlots[kA1].posId), "");
    EXPECT_EQ(Text(kSlots[kB8].shipId), "lone");
    EXPECT_FALSE(Checked(IDC_PLAYER_SELECT) || Checked(IDC_HOST_SELECTED));
    EXPECT_EQ(CurSel(IDC_DIFFICULTY), -1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Sharing, WhatIsNoGameSetLeavesTheFormAsItWasWithOneBox) {
    Open();
    ComposeSet();
    const std::string before = Snapshot(*dlg);
    WriteFileBytes(work / "binary.ini", std::string("[Mul_Kestrine]\r\nGameSet=a\0b\r\n", 29));
    WriteFileBytes(work / "large.ini", "[Mul_Kestrine]\r\n" + std::string(70000, ';'));
    const std::pair<const char*, std::string> refused[] = {
        {"", "the clipboard: it holds no [Mul_Kestrine] section."},
        {"binary.ini", "binary.ini: it is not text."},
        {"large.ini", "large.ini: it is larger than 64 KB, far more than a game set."},
        {"missing.ini", "missing.ini: it cannot be read (error 2)."},
    };
    for (const auto& [file, box] : refused) {
        boxes.clear();
        SetClipboardText(nullptr, "hello players");
        g_chosenFile = work / file;
        Command(*file ? IDM_IMPORT_GAMESET : IDM_PASTE_GAMESET);
        ASSERT_EQ(boxes.size(), 1u) << file;
        EXPECT_EQ(boxes[0].text.rfind("Kestrine cannot import a game set from ", 0), 0u);
        EXPECT_EQ(boxes[0].text.substr(boxes[0].text.size() - box.size()), box);
        EXPECT_EQ(Snapshot(*dlg), before) << file;
    }
}

TEST_F(Sharing, ExportThenImportAFileAndFilesFromTheShellAndTheCommandLine) {
    Open();
    ComposeSet();
    g_chosenFile = work / "shared.ini";
    Command(IDM_EXPORT_GAMESET);
    EXPECT_EQ(g_asked, "Export game set|Hex_ _Co_.ini"); // the title as a file name
    const std::string exported = ReadFileBytes(g_chosenFile);
    Command(IDM_COPY_GAMESET);
    EXPECT_EQ(exported, Clipboard());

    dlg->ClearForm();
    Command(IDM_IMPORT_GAMESET);
    EXPECT_EQ(g_asked, "Import game set|");
    ExpectComposedSet();

    // A file dropped on the form.
    dlg->ClearForm();
    const std::string path = g_chosenFile;
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + path.size() + 2);
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), path.c_str(), path.size());
    GlobalUnlock(drop);
    SendMessageA(dlg->GetSafeHwnd(), WM_DROPFILES, WPARAM(drop), 0);
    ExpectComposedSet();

    // "kestrine.exe FILE": imported once the form is shown.
    EXPECT_EQ(FileOfCommandLine(" \"" + path + "\" "), path);
    dlg = std::make_unique<TestSetupDlg>();
    dlg->m_strImportFile = path;
    ASSERT_TRUE(dlg->Create());
    dlg->PumpWaitingMessages();
    ExpectComposedSet();

    // A failed export says so and leaves nothing behind.
    g_chosenFile = work / "missing\\shared.ini";
    Command(IDM_EXPORT_GAMESET);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind(
                  "The game set could not be exported to " + g_chosenFile + " (error ", 0),
              0u);
    EXPECT_NE(boxes[0].text.find("). No file was written."), std::string::npos);
    EXPECT_FALSE(FileExists(g_chosenFile));
}

TEST_F(Sharing, TheMenusOfferTheFourCommands) {
    Open();
    HMENU menu = GetSystemMenu(dlg->GetSafeHwnd(), FALSE);
    std::string entries;
    for (int i = GetMenuItemCount(menu) - 6; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
        entries += std::to_string(GetMenuItemID(menu, i)) + text + "|";
    }
    EXPECT_EQ(entries, "16&About Kestrine...|0|32Copy game set|48Paste game set|"
                       "64Export game set...|80Import game set...|");

    // The right-click menu: its first entry, picked with the keyboard, copies.
    ComposeSet();
    SetClipboardText(nullptr, "before");
    PostMessageA(dlg->GetSafeHwnd(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(dlg->GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(dlg->GetSafeHwnd(), WM_CONTEXTMENU, WPARAM(dlg->GetSafeHwnd()), MAKELPARAM(5, 5));
    EXPECT_EQ(Clipboard().rfind("[Mul_Kestrine]\r\nGameSet=Hex: \"Co\"\r\n", 0), 0u);
}

} // namespace
