// VIEW MAP, HELP (and F1), ABOUT (button and system menu), VISIT and SHIP EDIT on the real
// windows.
#include "framework/Shell.h"
#include "resources/resource.h"
#include "support/FormHarness.h"
#include "windows/HelpDlg.h"
#include "windows/MapPositions.h"

#include <functional>

namespace {

const int kP1 = 0, kP2 = 1, kA1 = 6, kA2 = 7, kB8 = 21;

std::vector<std::string> g_shellCalls; // owner, verb, file, parameters, directory, show
HINSTANCE WINAPI RecordShellCall(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                 LPCSTR directory, INT show) {
    g_shellCalls.push_back(std::to_string(owner == nullptr) + verb + "|" + file + "|" +
                           std::to_string(parameters == nullptr && directory == nullptr) +
                           std::to_string(show));
    return reinterpret_cast<HINSTANCE>(42);
}

// Runs `inside` against each modal window the form opens, from inside its loop.
class SideWindows : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        g_shellCalls.clear();
        SetShellExecuteFunction(RecordShellCall);
        CDialog::SetModalObserver(
            [](CDialog& window, void* self) {
                auto* test = static_cast<SideWindows*>(self);
                ++test->opened;
                test->formDisabled = !IsWindowEnabled(test->dlg->GetSafeHwnd());
                test->caption = WindowText(window.GetSafeHwnd());
                if (test->inside)
                    test->inside(window);
            },
            this);
        Open();
    }
    void TearDown() override {
        CDialog::SetModalObserver(nullptr, nullptr);
        SetShellExecuteFunction(nullptr);
        FormTest::TearDown();
    }
    static void Press(CDialog& window, int id) {
        SendMessageA(window.GetDlgItem(id), BM_CLICK, 0, 0);
        window.PumpWaitingMessages();
    }

    std::function<void(CDialog&)> inside;
    int opened = 0;
    bool formDisabled = false;
    std::string caption;
};

TEST_F(SideWindows, MapShowsThePositionBoxesAsTheyStandAndChangesNothing) {
    Click(kSlots[kA1].checkId);
    Type(kSlots[kA1].posId, "q"); // typed, not picked
    SetWindowTextA(Item(kSlots[kA2].posId), "T");
    SetWindowTextA(Item(kSlots[kP2].posId), "T"); // two slots, one letter
    SetWindowTextA(Item(kSlots[kB8].posId), "Z"); // slot not ticked
    std::vector<std::string> shown;
    inside = [&](CDialog& map) {
        for (int slot = 0; slot < kSlotCount; ++slot)
            shown.push_back(WindowText(map.GetDlgItem(1037 + slot)));
        SetWindowTextA(map.GetDlgItem(1037), "changed in the map");
        PostMessageA(map.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
        map.PumpWaitingMessages();
    };
    Click(IDC_VIEW_MAP);
    ASSERT_EQ(opened, 1);
    EXPECT_TRUE(formDisabled); // modal: the form waits for it
    EXPECT_TRUE(IsWindowEnabled(dlg->GetSafeHwnd()));
    EXPECT_EQ(caption, std::string(48, ' ') + "MAP POSITIONS");
    std::vector<std::string> expected(kSlotCount);
    expected[kA1] = "q";
    expected[kA2] = expected[kP2] = "T";
    expected[kB8] = "Z";
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(Text(kSlots[kP1].posId), "");
    EXPECT_EQ(theMapPositions.Get(kP1), "");
}

TEST_F(SideWindows, HelpListsTheTopicsShowsEachBodyOnAPickAndOpensWithF1) {
    std::vector<std::string> titles, bodies;
    inside = [&](CDialog& window) {
        HWND topics = window.GetDlgItem(IDC_TOPIC);
        auto& help = static_cast<CHelpDlg&>(window);
        bodies.push_back(WindowText(window.GetDlgItem(IDC_TOPIC_TEXT)));
        for (int i = 0; i < help.m_cbTopic.GetCount(); ++i) {
            titles.push_back(help.m_cbTopic.GetLBText(i));
            SendMessageA(topics, CB_SETCURSEL, WPARAM(i), 0);
            SendMessageA(window.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_TOPIC, CBN_SELCHANGE),
                         LPARAM(topics));
            bodies.push_back(WindowText(window.GetDlgItem(IDC_TOPIC_TEXT)));
        }
        Press(window, IDCANCEL);
    };
    Click(IDC_HELP_BUTTON);
    ASSERT_EQ(titles.size(), 19u);
    EXPECT_EQ(bodies[0], ""); // nothing picked yet
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(titles[size_t(i)], kHelpTopics[i].title);
        EXPECT_EQ(bodies[size_t(i) + 1], kHelpTopics[i].body) << titles[size_t(i)];
    }
    EXPECT_EQ(titles[17], "TOPIC  ''Important Rules to Follow.''");

    inside = [&](CDialog& window) { Press(window, IDCANCEL); };
    PressKey(Item(kSlots[kP1].checkId), VK_F1);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(caption, "Kestrine ''HELP'' Dialog");
}

TEST_F(SideWindows, AboutFromTheButtonAndTheSystemMenuAndVisitKeepsItOpen) {
    std::vector<std::string> titles;
    bool openAfterVisit = false;
    inside = [&](CDialog& about) {
        titles.push_back(
            WindowText(GetWindow(GetWindow(about.GetSafeHwnd(), GW_CHILD), GW_HWNDNEXT)));
        Press(about, IDC_VISIT);
        openAfterVisit = !about.HasEnded() && IsWindowVisible(about.GetSafeHwnd());
        Press(about, IDOK);
    };
    Click(IDC_ABOUT_BUTTON);
    SendMessageA(dlg->GetSafeHwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    dlg->PumpWaitingMessages();
    ASSERT_EQ(opened, 2);
    EXPECT_EQ(caption, "About Kestrine");
    EXPECT_EQ(titles, std::vector<std::string>(2, "KESTRINE v2.A for Ostravane"));
    EXPECT_TRUE(openAfterVisit);
    ASSERT_EQ(g_shellCalls.size(), 2u);
    EXPECT_EQ(g_shellCalls[0], "1open|https://kestrine.example/|11");

    // SHIP EDIT starts another viewer by its bare name at every press.
    g_shellCalls.clear();
    Click(IDC_SHIP_EDIT);
    Click(IDC_SHIP_EDIT);
    EXPECT_EQ(g_shellCalls, std::vector<std::string>(2, "1open|RozeRavi39902v.exe|11"));
    SetShellExecuteFunction(nullptr); // the real shell; no viewer here: nothing is said
    Click(IDC_SHIP_EDIT);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(dlg->HasEnded());
}

} // namespace
