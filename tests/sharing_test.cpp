// Handing a game set over: copy and paste, export and import, a dropped file and the command
// line, on the real form under Wine.
#include "framework/Clipboard.h"
#include "framework/File.h"
#include "framework/FileDialog.h"
#include "framework/TextEncoding.h"
#include "resources/resource.h"
#include "support/FormHarness.h"

#include <dlgs.h>
#include <shlobj.h>

#include <future>

namespace {

const SlotInfo &P1 = kSlots[0], &P2 = kSlots[1], &A1 = kSlots[6], &B8 = kSlots[21];

std::string g_chosenFile, g_asked; // the file the user picks; what the dialog was asked
std::wstring g_chosenWide;         // or, where set, this one
// As the standard dialogs do, the dialog leaves the working folder where the user went.
bool ChooseFile(const FileDialogRequest& request, std::wstring& path) {
    g_asked = request.title + "|" + CodePageText(path);
    path = g_chosenWide.empty() ? WideText(g_chosenFile) : g_chosenWide;
    if (!path.empty())
        SetCurrentDirectoryW(FolderOf(path).c_str());
    return !path.empty();
}

class Sharing : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        SetFileDialogFunction(ChooseFile);
        Open();
    }
    void TearDown() override {
        SetFileDialogFunction(nullptr);
        FormTest::TearDown();
    }
    // A set with quotes, an option, empty slots and no difficulty, shown in the form.
    void ComposeSet() {
        dlg->m_strGameSet = "Hex: \"Co\"";
        dlg->m_strShip[0] = "\"N-QRF\"";
        dlg->m_strShip[21] = "\"D-H9\"";
        dlg->m_strPos[0] = "G";
        dlg->m_strPos[21] = "Z";
        dlg->m_strPos[6] = "Q"; // a position without a ship: no tick after reading
        dlg->m_bSlot[0] = dlg->m_bSlot[21] = dlg->m_bHostSelected = 1;
        dlg->m_nDifficulty = -1;
        dlg->UpdateData(false);
    }
    void ExpectComposedSet() {
        EXPECT_EQ(Texts({IDC_GAMESET_LABEL, IDC_GAMESET, P1.shipId, P2.shipId, B8.shipId, B8.posId,
                         A1.posId}),
                  "Hex: \"Co\"|Hex: \"Co\"|\"N-QRF\"||\"D-H9\"|Z|Q");
        EXPECT_EQ(
            States({IDC_HOST_SELECTED, P1.checkId, B8.checkId, B8.shipId, A1.checkId, A1.shipId}),
            "CE|CE|CE|E|E|");
    }
    // The clipboard holding only Unicode text, as a chat program leaves it.
    static void SetUnicodeClipboard(const std::wstring& text) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }
    // Files dropped on the form, as Explorer drops them.
    void Drop(const std::vector<std::string>& paths) {
        std::wstring list;
        for (const std::string& path : paths)
            list += WideText(path) + L'\0';
        list += L'\0';
        HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
        auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
        files->pFiles = sizeof(DROPFILES);
        files->fWide = TRUE;
        memcpy(files + 1, list.data(), list.size() * sizeof(wchar_t));
        GlobalUnlock(drop);
        SendMessageA(dlg->GetSafeHwnd(), WM_DROPFILES, WPARAM(drop), 0);
    }
};

TEST_F(Sharing, CopyThenPasteThroughTheMenus) {
    HMENU menu = GetSystemMenu(dlg->GetSafeHwnd(), FALSE);
    // The system menu ends with the about entry, a separator, the six commands, a separator,
    // then Undo and Redo.
    const std::pair<UINT, const char*> entries[] = {
        {IDM_ABOUTBOX, "&About Kestrine..."},
        {0, ""},
        {IDM_COPY_GAMESET, "Cop&y game set"},
        {IDM_PASTE_GAMESET, "&Paste game set"},
        {IDM_EXPORT_GAMESET, "&Export game set..."},
        {IDM_IMPORT_GAMESET, "&Import game set..."},
        {IDM_FIX_DESIGNATIONS, "&Fix ship designations"},
        {IDM_SHOW_PROBLEMS, "S&how setup problems"},
        {0, ""},
        {IDM_UNDO_LIBRARY, "&Undo\tCtrl+Z"},
        {IDM_REDO_LIBRARY, "Re&do\tCtrl+Y"},
    };
    const int first = GetMenuItemCount(menu) - int(std::size(entries));
    for (int i = 0; i < int(std::size(entries)); ++i) {
        char text[64] = {};
        GetMenuStringA(menu, UINT(first + i), text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(UINT(GetMenuItemID(menu, first + i)), entries[i].first) << i;
        EXPECT_STREQ(text, entries[i].second) << i;
    }

    ComposeSet(); // copied through the right-click menu's first entry, picked with the keys
    PickFromRightClickMenu(IDM_COPY_GAMESET);
    std::wstring wide; // what PLAY would write, in PLAY's order
    GetClipboardText(nullptr, wide);
    const std::string text = CodePageText(wide);
    EXPECT_EQ(text.substr(0, 72),
              "[Mul_Kestrine]\r\nGameSet=Hex: \"Co\"\r\nshipP1=\"N-QRF\"\r\nshipP2=\r\n"
              "shipP3=\r\nshi");
    EXPECT_NE(text.find("\r\nshipB8=\"D-H9\"\r\np1Pos=0\r\np2Pos=-1\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 26), "b8Pos=19\r\nshipSettings=4\r\n"); // no difficulty
    dlg->ClearForm();
    Command(IDM_PASTE_GAMESET);
    ExpectComposedSet();
    EXPECT_TRUE(dlg->m_mapGameSets.Sets().empty()); // reading stores nothing

    EXPECT_TRUE(boxes.empty());
}

TEST_F(Sharing, WhatIsNoGameSetLeavesTheFormAsItWasWithOneBox) {
    ComposeSet();
    auto shown = [this] {
        return Texts({IDC_GAMESET_LABEL, P1.shipId, B8.posId}) + States({P1.checkId});
    };
    const std::string before = shown();
    WriteFileBytes(work / "binary.ini", std::string("[Mul_Kestrine]\r\nGameSet=a\0b\r\n", 29));
    WriteFileBytes(work / "large.ini", "[Mul_Kestrine]\r\n" + std::string(70000, ';'));
    CreateDirectoryA((work / "folder.ini").c_str(), nullptr);
    const std::pair<const char*, std::string> refused[] = {
        {"", "the clipboard: this text is not a game set: it has no [Mul_Kestrine] line (a game "
             "set starts with that line, followed by lines such as GameSet=Title and "
             "shipP1=\"N-QRE\", as Copy game set writes it)."},
        {"binary.ini", "binary.ini: it is not text."},
        {"large.ini", "large.ini: it is larger than 64 KB, far more than a game set."},
        {"missing.ini", "(error 2)."},
        {"folder.ini", "folder.ini: it is a folder."},
        {"nul.ini", "nul.ini: it is a device, not a file."},
    };
    for (const auto& [file, box] : refused) {
        boxes.clear();
        SetClipboardText(nullptr, "hello players");
        g_chosenFile = work / file;
        Command(*file ? IDM_IMPORT_GAMESET : IDM_PASTE_GAMESET);
        const std::string said = OneBox().text;
        EXPECT_EQ(said.rfind("Kestrine cannot import a game set from ", 0), 0u);
        EXPECT_EQ(said.substr(said.size() - std::min(said.size(), box.size())), box);
        EXPECT_EQ(shown(), before);
    }
}

// A user answering the standard dialog of that caption, from another thread: the file's name
// typed into its name box, then OK.  Gives the name the dialog proposed.
std::future<std::string> AnswerStandardDialog(const char* caption, const std::string& file) {
    return std::async(std::launch::async, [=] {
        HWND dialog = nullptr, name = nullptr; // once shown, with its name box
        for (int wait = 0; wait < 300 && !(name && IsWindowVisible(dialog)); ++wait) {
            Sleep(50);
            dialog = FindWindowA("#32770", caption);
            name = GetDlgItem(dialog, cmb13);
        }
        if (name == nullptr)
            return std::string("<no dialog>");
        if (HWND edit = FindWindowExA(name, nullptr, "Edit", nullptr))
            name = edit;
        const std::string proposed = WindowText(name);
        SendMessageA(name, WM_SETTEXT, 0, LPARAM(file.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return proposed;
    });
}

TEST_F(Sharing, ExportThenImportThroughTheStandardDialogsADropAndTheCommandLine) {
    ComposeSet();
    SetFileDialogFunction(nullptr);
    const std::string file = work / "shared.ini";
    auto proposed = AnswerStandardDialog("Export game set", file);
    Command(IDM_EXPORT_GAMESET);
    EXPECT_EQ(proposed.get(), "Hex_ _Co_.ini"); // the title as a file name
    EXPECT_EQ(ReadFileBytes(file).substr(0, 35), "[Mul_Kestrine]\r\nGameSet=Hex: \"Co\"\r\n");
    dlg->ClearForm();
    proposed = AnswerStandardDialog("Import game set", file);
    Command(IDM_IMPORT_GAMESET);
    EXPECT_EQ(proposed.get(), "");
    ExpectComposedSet();
    SetFileDialogFunction(ChooseFile);

    dlg->ClearForm(); // a file dropped on the form, which takes drops
    EXPECT_TRUE(GetWindowLongA(dlg->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    Drop({file});
    ExpectComposedSet();
    Restart(); // a run started with the file, as a double-click on it starts one
    Open(std::string(), {WideText(file)});
    ExpectComposedSet();

    g_chosenFile = work / "missing\\shared.ini"; // a failed export leaves nothing behind
    Command(IDM_EXPORT_GAMESET);
    const std::string said = OneBox().text;
    EXPECT_EQ(said.rfind("The game set could not be exported to " + g_chosenFile + ": ", 0), 0u);
    EXPECT_PRED_FORMAT2(testing::IsSubstring, " (error 3). No file was written.", said);
    EXPECT_FALSE(FileExists(g_chosenFile));

    boxes.clear(); // nor is the library ever written over, whatever the spelling of its name
    g_chosenFile = work / "qxdata.DAT";
    Command(IDM_EXPORT_GAMESET);
    EXPECT_EQ(OneBox().text, g_chosenFile + " is Kestrine's game-set library; choose another file "
                                            "name. Nothing was written.");
    EXPECT_FALSE(FileExists(LibraryFile()));
}

// Text exactly as typed: a character the code page lacks is refused and named, even where the
// system has a look-alike for it (Ω as O); UTF-8 saved without a mark reads as UTF-8.
TEST_F(Sharing, CharactersComeInExactlyOrAreRefused) {
    const std::wstring set = L"[Mul_Kestrine]\r\nGameSet=Omega \x03A9 Tokyo \x014D\r\n";
    const std::wstring refused = L"it holds characters that the game's files cannot hold "
                                 L"(\x03A9\x014D).";
    const std::string label = Text(IDC_GAMESET_LABEL);
    auto expectRefused = [&](const std::wstring& source) {
        EXPECT_EQ(OneBox().wideText,
                  L"Kestrine cannot import a game set from " + source + L": " + refused);
        EXPECT_EQ(Text(IDC_GAMESET_LABEL), label); // the form as it was
        boxes.clear();
    };
    SetUnicodeClipboard(set);
    Command(IDM_PASTE_GAMESET);
    expectRefused(L"the clipboard");

    const std::string utf8 = Utf8FromWide(set);
    g_chosenFile = work / "marked.ini";
    WriteFileBytes(g_chosenFile, "\xEF\xBB\xBF" + utf8);
    Command(IDM_IMPORT_GAMESET);
    expectRefused(WideText(g_chosenFile));
    WriteFileBytes(work / "unmarked.ini", utf8);
    Drop({work / "unmarked.ini"});
    expectRefused(WideText(work / "unmarked.ini"));

    // Characters beyond it in a comment or another section are no obstacle.
    WriteFileBytes(work / "noted.ini",
                   Utf8FromWide(L"; \x65E5\x672C\r\n[Mul_Kestrine]\r\nGameSet=Noted\r\n[Chat]\r\n"
                                L"said=\x03A9\r\n"));
    Drop({work / "noted.ini"});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Text(IDC_GAMESET_LABEL), "Noted");

    // Characters the code page holds arrive as they are, with or without a mark.
    g_chosenFile = work / "zurich.ini";
    WriteFileBytes(g_chosenFile, "[Mul_Kestrine]\r\nGameSet=Z\xC3\xBCrich \xC3\x84rger\r\n");
    Command(IDM_IMPORT_GAMESET);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(WideText(Text(IDC_GAMESET_LABEL)), L"Z\x00FCrich \x00C4rger");
    WriteFileBytes(g_chosenFile, "[Mul_Kestrine]\r\nGameSet=Z\xFCrich\r\n"); // the code page's
    Command(IDM_IMPORT_GAMESET);
    EXPECT_EQ(WideText(Text(IDC_GAMESET_LABEL)), L"Z\x00FCrich");
}

TEST_F(Sharing, ExportProposesAFileNameEvenForADeviceName) {
    const std::pair<std::string, std::string> names[] = {
        {"con", "con_.ini"},
        {"COM1.txt", "COM1_.txt.ini"},
        {"Lpt9 ", "Lpt9_.ini"},
        {"console", "console.ini"},
        {std::string(255, 't'), std::string(100, 't') + ".ini"},
    };
    g_chosenFile.clear(); // the user cancels each time
    for (const auto& [title, proposed] : names) {
        dlg->m_strGameSet = title;
        dlg->UpdateData(false);
        Command(IDM_EXPORT_GAMESET);
        EXPECT_EQ(g_asked, "Export game set|" + proposed);
    }
}

TEST_F(Sharing, PathsBeyondTheCodePage) {
    ComposeSet();
    g_chosenWide = WideText(work.Path()) + L"\x65E5\x672C.ini"; // 日本.ini
    Command(IDM_EXPORT_GAMESET);
    dlg->ClearForm();
    Command(IDM_IMPORT_GAMESET);
    g_chosenWide.clear();
    EXPECT_TRUE(boxes.empty());
    ExpectComposedSet();
}

} // namespace
