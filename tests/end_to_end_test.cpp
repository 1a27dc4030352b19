// kestrine.exe as the user meets it: a separate process under Wine, with the registry, the
// game's files and the library laid out by the test, driven through window messages.
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace {

const char kFormCaption[] = "Kestrine v2.A for Ostravane";
const char kAppName[] = "kestrine";

std::string ExePath() {
    std::string path = "Z:" KESTRINE_EXE;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path;
}

std::string Text(HWND hwnd) {
    char text[512] = {};
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, LPARAM(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        MakeFolder(game / "Assets");
        MakeFolder(game / "Assets\\Scripts");
        registry.SetDirectory(game.Path());
    }
    void TearDown() override {
        others.push_back(process);
        for (PROCESS_INFORMATION& started : others) {
            if (started.hProcess == nullptr)
                continue;
            if (WaitForSingleObject(started.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(started.hProcess, 1);
            CloseHandle(started.hProcess);
            CloseHandle(started.hThread);
        }
    }

    // Starts kestrine.exe in the work folder; the first one started is `process`.
    PROCESS_INFORMATION Start(const std::string& arguments = std::string()) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string command = "\"" + ExePath() + "\" " + arguments;
        PROCESS_INFORMATION started{};
        EXPECT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   work.Path().c_str(), &startup, &started))
            << "cannot start " << ExePath() << ", error " << GetLastError();
        if (process.hProcess == nullptr)
            process = started;
        else
            others.push_back(started);
        return started;
    }

    // The form of one of several running programs.
    static HWND WaitForForm(const PROCESS_INFORMATION& of) {
        for (int i = 0; i < 300; ++i) {
            HWND form = nullptr;
            while ((form = FindWindowExA(nullptr, form, "#32770", kFormCaption)) != nullptr) {
                DWORD owner = 0;
                GetWindowThreadProcessId(form, &owner);
                if (owner == of.dwProcessId && IsWindowVisible(form))
                    return form;
            }
            Sleep(50);
        }
        ADD_FAILURE() << "no form of process " << of.dwProcessId;
        return nullptr;
    }

    // A top-level dialog window of the program with this caption.
    HWND WaitForWindow(const char* caption) {
        for (int i = 0; i < 300; ++i) {
            HWND hwnd = FindWindowA("#32770", caption);
            if (hwnd != nullptr && IsWindowVisible(hwnd))
                return hwnd;
            Sleep(50);
        }
        ADD_FAILURE() << "no window '" << caption << "'";
        return nullptr;
    }

    // Waits for the program's message box, returns its text and presses OK.
    std::string AnswerMessageBox(const char* caption = kAppName) {
        HWND box = WaitForWindow(caption);
        if (box == nullptr)
            return std::string();
        std::string text = Text(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return text;
    }

    DWORD WaitForExit() {
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 15000), WAIT_OBJECT_0);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    GameRegistry registry;
    TempFolder game;
    TempFolder work;
    PROCESS_INFORMATION process{};
    std::vector<PROCESS_INFORMATION> others;
};

TEST_F(EndToEnd, ShowsTheGamesSetupAndPlayHandsItOverAndEnds) {
    WriteFileBytes(game / "Assets\\Scripts\\scripts.ini",
                   "[Mul_Kestrine]\r\nGameSet=Base Assault\r\nshipA1=\"T-MWA\"\r\na1Pos=11\r\n"
                   "shipSettings=4\r\n");
    WriteFileBytes(game / "gvx.ini", "[UI]\r\nUIType=2\r\n");
    Start();
    HWND form = WaitForWindow(kFormCaption);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Text(GetDlgItem(form, 1079)), "Base Assault");
    EXPECT_EQ(Text(GetDlgItem(form, 1007)), "\"T-MWA\"");
    EXPECT_EQ(Text(GetDlgItem(form, 1047)), "R");
    EXPECT_EQ(SendMessageA(GetDlgItem(form, 1028), BM_GETCHECK, 0, 0), BST_CHECKED);

    PostMessageA(GetDlgItem(form, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(AnswerMessageBox(), "Configuration Saved For Game Play!");
    EXPECT_EQ(WaitForExit(), 0u);
    std::string scripts = game / "Assets\\Scripts\\scripts.ini";
    EXPECT_EQ(KeyValue(scripts, "GameSet"), "Base Assault");
    EXPECT_EQ(KeyValue(scripts, "shipA1"), "\"T-MWA\"");
    EXPECT_EQ(KeyValue(scripts, "a1Pos"), "11");
    EXPECT_EQ(KeyValue(scripts, "shipSettings"), "4");
    EXPECT_EQ(KeyValue(game / "gvx.ini", "UIType"), "2");
    EXPECT_FALSE(FileExists(work / "QXData.dat")); // PLAY does not touch the library
}

TEST_F(EndToEnd, EscapeClosesAndSavesTheLibrary) {
    Start();
    HWND form = WaitForWindow(kFormCaption);
    ASSERT_NE(form, nullptr);
    PostMessageA(form, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(WaitForExit(), 0u);
    EXPECT_EQ(ReadFileBytes(work / "QXData.dat"), std::string("\0\0", 2));
}

TEST_F(EndToEnd, PlayWithoutAnOptionAsksAndStaysOpen) {
    Start();
    HWND form = WaitForWindow(kFormCaption);
    ASSERT_NE(form, nullptr);
    PostMessageA(GetDlgItem(form, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(AnswerMessageBox("No Option Selected!"),
              "You must select a setup option from the dialog!");
    EXPECT_EQ(KeyValue(game / "Assets\\Scripts\\scripts.ini", "shipSettings"), "0");
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 500), DWORD(WAIT_TIMEOUT));
    PostMessageA(GetDlgItem(form, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForExit(), 0u);
}

TEST_F(EndToEnd, TwoPlayersHandAGameSetOverByClipboardAndByFile) {
    const std::string scripts = game / "Assets\\Scripts\\scripts.ini";
    WriteFileBytes(scripts, "[Mul_Kestrine]\r\nGameSet=Shared Set\r\nshipA1=\"T-MWA\"\r\n"
                            "a1Pos=11\r\nshipSettings=4\r\n");
    WriteFileBytes(game / "gvx.ini", "[UI]\r\nUIType=2\r\n");
    PROCESS_INFORMATION host = Start();
    HWND hostForm = WaitForForm(host);
    ASSERT_NE(hostForm, nullptr);
    WriteFileBytes(scripts, "[Mul_Kestrine]\r\n"); // the other players' own game
    WriteFileBytes(game / "gvx.ini", "[UI]\r\nUIType=0\r\n");
    auto expectTheSet = [](HWND form) {
        EXPECT_EQ(Text(GetDlgItem(form, 1079)), "Shared Set");
        EXPECT_EQ(Text(GetDlgItem(form, 1000)), "Shared Set");
        EXPECT_EQ(Text(GetDlgItem(form, 1007)), "\"T-MWA\"");
        EXPECT_EQ(Text(GetDlgItem(form, 1047)), "R");
        EXPECT_EQ(SendMessageA(GetDlgItem(form, 1028), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendMessageA(GetDlgItem(form, 1030), CB_GETCURSEL, 0, 0), 2);
    };

    // By clipboard, through the system menu.
    DWORD_PTR ignored;
    SendMessageTimeoutA(hostForm, WM_SYSCOMMAND, 0x0020, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    PROCESS_INFORMATION player = Start();
    HWND playerForm = WaitForForm(player);
    ASSERT_NE(playerForm, nullptr);
    EXPECT_EQ(Text(GetDlgItem(playerForm, 1079)), "");
    SendMessageTimeoutA(playerForm, WM_SYSCOMMAND, 0x0030, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    expectTheSet(playerForm);

    // By file: the host exports through the standard save dialog; the file opens a new
    // Kestrine with the set, as a double-click on it does.
    const std::string file = work / "Shared Set.ini";
    PostMessageA(hostForm, WM_SYSCOMMAND, 0x0040, 0);
    HWND save = WaitForWindow("Export game set");
    ASSERT_NE(save, nullptr);
    Sleep(300);
    HWND name = GetDlgItem(save, 1148); // the file name box of the standard dialog
    if (HWND edit = FindWindowExA(name, nullptr, "Edit", nullptr))
        name = edit;
    SendMessageTimeoutA(name, WM_SETTEXT, 0, LPARAM(file.c_str()), SMTO_ABORTIFHUNG, 5000,
                        &ignored);
    PostMessageA(save, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 100 && !FileExists(file); ++i)
        Sleep(50);
    ASSERT_TRUE(FileExists(file));
    PROCESS_INFORMATION opened = Start("\"" + file + "\"");
    HWND openedForm = WaitForForm(opened);
    ASSERT_NE(openedForm, nullptr);
    Sleep(200);
    expectTheSet(openedForm);
}

} // namespace
