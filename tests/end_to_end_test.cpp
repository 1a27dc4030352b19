// kestrine.exe as players meet it: separate processes under Wine, with the registry and the
// game's files laid out by the test, driven through window messages.
#include "resources/resource.h"
#include "support/WinTestSupport.h"
#include "version.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <dlgs.h>

#include <vector>

namespace {

std::string Text(HWND hwnd) {
    char text[512] = {};
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, LPARAM(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam = 0) {
    DWORD_PTR ignored;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &ignored);
}

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        MakeGameFolders(game.Path());
        registry.SetDirectory(game.Path());
    }
    void TearDown() override {
        for (PROCESS_INFORMATION& started : processes) {
            TerminateProcess(started.hProcess, 1); // those still running
            CloseHandle(started.hProcess);
            CloseHandle(started.hThread);
        }
    }

    // Starts kestrine.exe in the work folder and waits for its form.
    HWND Start(const std::string& arguments = std::string()) {
        std::string exe = "Z:" KESTRINE_EXE;
        for (char& c : exe)
            c = c == '/' ? '\\' : c;
        std::string command = "\"" + exe + "\" " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        processes.emplace_back();
        EXPECT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   work.Path().c_str(), &startup, &processes.back()));
        return WaitForWindow(KESTRINE_FORM_CAPTION, processes.back().dwProcessId);
    }

    // A visible top-level dialog window with this caption (of this process).
    static HWND WaitForWindow(const char* caption, DWORD process = 0) {
        for (int i = 0; i < 300; ++i) {
            HWND window = nullptr;
            while ((window = FindWindowExA(nullptr, window, "#32770", caption)) != nullptr) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if ((process == 0 || owner == process) && IsWindowVisible(window)) {
                    Sleep(200);
                    return window;
                }
            }
            Sleep(50);
        }
        ADD_FAILURE() << "no window '" << caption << "'";
        return nullptr;
    }

    GameRegistry registry;
    TempFolder game, work;
    std::vector<PROCESS_INFORMATION> processes;
};

TEST_F(EndToEnd, PlayersHandAGameSetOverByClipboardAndByFileAndPlayIt) {
    const std::string scripts = game / "Assets\\Scripts\\scripts.ini";
    WriteFileBytes(scripts, "[Mul_Kestrine]\r\nGameSet=Shared Set\r\nshipA1=\"T-MWA\"\r\n"
                            "a1Pos=11\r\nshipSettings=4\r\n");
    WriteFileBytes(game / "gvx.ini", "[UI]\r\nUIType=2\r\n");
    HWND host = Start();
    ASSERT_NE(host, nullptr);
    WriteFileBytes(scripts, "[Mul_Kestrine]\r\n"); // the other players' own game
    WriteFileBytes(game / "gvx.ini", "[UI]\r\nUIType=0\r\n");
    auto expectTheSet = [](HWND form) {
        EXPECT_EQ(Text(GetDlgItem(form, IDC_GAMESET_LABEL)), "Shared Set");
        EXPECT_EQ(Text(GetDlgItem(form, IDC_GAMESET)), "Shared Set");
        EXPECT_EQ(Text(GetDlgItem(form, IDC_SHIP_A1)), "\"T-MWA\"");
        EXPECT_EQ(Text(GetDlgItem(form, IDC_POS_A1)), "R");
        EXPECT_EQ(SendMessageA(GetDlgItem(form, IDC_HOST_SELECTED), BM_GETCHECK, 0, 0),
                  BST_CHECKED);
        EXPECT_EQ(SendMessageA(GetDlgItem(form, IDC_DIFFICULTY), CB_GETCURSEL, 0, 0), 2);
    };

    // By clipboard, through the system menu.
    Send(host, WM_SYSCOMMAND, 0x0020);
    HWND player = Start();
    ASSERT_NE(player, nullptr);
    Send(player, WM_SYSCOMMAND, 0x0030);
    expectTheSet(player);

    // By file: the host exports through the standard save dialog; the file opens a new
    // Kestrine with the set, as a double-click on it does.
    const std::string file = work / "Shared Set.ini";
    PostMessageA(host, WM_SYSCOMMAND, 0x0040, 0);
    HWND save = WaitForWindow("Export game set");
    ASSERT_NE(save, nullptr);
    HWND name = GetDlgItem(save, cmb13); // the file name box of the standard dialog
    if (HWND edit = FindWindowExA(name, nullptr, "Edit", nullptr))
        name = edit;
    Send(name, WM_SETTEXT, 0, LPARAM(file.c_str()));
    PostMessageA(save, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 100 && !FileExists(file); ++i)
        Sleep(50);
    HWND opened = Start("\"" + file + "\"");
    ASSERT_NE(opened, nullptr);
    expectTheSet(opened);

    // PLAY hands it to the game and ends that Kestrine.
    PostMessageA(GetDlgItem(opened, IDOK), BM_CLICK, 0, 0);
    HWND box = WaitForWindow("kestrine");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), "Configuration Saved For Game Play!");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForSingleObject(processes.back().hProcess, 15000), WAIT_OBJECT_0);
    EXPECT_EQ(KeyValue(scripts, "shipA1"), "\"T-MWA\"");
    EXPECT_EQ(KeyValue(game / "gvx.ini", "UIType"), "2");
}

} // namespace
