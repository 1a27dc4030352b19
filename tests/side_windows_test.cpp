// VIEW MAP, HELP, ABOUT (button and system menu), VISIT and SHIP EDIT on the real windows.
#include "framework/Shell.h"
#include "resources/resource.h"
#include "support/FormHarness.h"
#include "windows/HelpDlg.h"
#include "windows/MapPositions.h"

#include <functional>

namespace {

const int kP1 = 0, kP2 = 1, kA1 = 6, kA2 = 7, kB8 = 21;

struct ShellCall {
    HWND owner;
    std::string verb, file;
    bool noParameters, noDirectory;
    int show;
};
std::vector<ShellCall> g_shellCalls;

HINSTANCE WINAPI RecordShellCall(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                 LPCSTR directory, INT show) {
    g_shellCalls.push_back({owner, verb ? verb : "", file ? file : "", parameters == nullptr,
                            directory == nullptr, show});
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
    static std::string ItemText(CDialog& window, int id) {
        return WindowText(window.GetDlgItem(id));
    }
    // The texts of the window's static controls, in template order.
    static std::vector<std::string> Statics(CDialog& window) {
        std::vector<std::string> texts;
        for (HWND child = GetWindow(window.GetSafeHwnd(), GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            char cls[16];
            GetClassNameA(child, cls, sizeof cls);
            if (std::string(cls) == "Static")
                texts.push_back(WindowText(child));
        }
        return texts;
    }
    static void Press(CDialog& window, int id) {
        SendMessageA(window.GetDlgItem(id), BM_CLICK, 0, 0);
        window.PumpWaitingMessages();
    }
    static void Escape(CDialog& window) {
        PostMessageA(window.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
        window.PumpWaitingMessages();
    }

    std::function<void(CDialog&)> inside;
    int opened = 0;
};

TEST_F(SideWindows, MapShowsThePositionBoxesAsTheyStand) {
    Click(kSlots[kA1].checkId);
    Type(kSlots[kA1].posId, "q"); // typed, not picked
    SetWindowTextA(Item(kSlots[kA2].posId), "T");
    SetWindowTextA(Item(kSlots[kP2].posId), "T"); // two slots, one letter
    SetWindowTextA(Item(kSlots[kB8].posId), "Z"); // slot not ticked
    std::vector<std::string> shown;
    std::string caption;
    bool formDisabled = false;
    inside = [&](CDialog& map) {
        formDisabled = !IsWindowEnabled(dlg->GetSafeHwnd());
        caption = WindowText(map.GetSafeHwnd());
        for (int slot = 0; slot < kSlotCount; ++slot)
            shown.push_back(ItemText(map, 1037 + slot));
        Press(map, IDOK);
    };
    Click(IDC_VIEW_MAP);
    ASSERT_EQ(opened, 1);
    EXPECT_TRUE(formDisabled); // modal: the form waits for it
    EXPECT_TRUE(IsWindowEnabled(dlg->GetSafeHwnd()));
    EXPECT_EQ(caption, std::string(48, ' ') + "MAP POSITIONS");
    ASSERT_EQ(shown.size(), size_t(kSlotCount));
    EXPECT_EQ(shown[kA1], "q");
    EXPECT_EQ(shown[kA2], "T");
    EXPECT_EQ(shown[kP2], "T");
    EXPECT_EQ(shown[kB8], "Z");
    EXPECT_EQ(shown[kP1], "");
    EXPECT_EQ(theMapPositions.Get(kA1), "q");
}

TEST_F(SideWindows, ClosingTheMapChangesNothing) {
    SetWindowTextA(Item(kSlots[kP1].posId), "H");
    for (bool byEscape : {false, true}) {
        inside = [&](CDialog& map) {
            SetWindowTextA(map.GetDlgItem(1037), "changed in the map"); // read-only to users
            if (byEscape)
                Escape(map);
            else
                Press(map, IDOK);
        };
        Click(IDC_VIEW_MAP);
        EXPECT_EQ(theMapPositions.Get(kP1), "H");
        EXPECT_EQ(dlg->m_strPos[kP1], "H");
        EXPECT_EQ(Text(kSlots[kP1].posId), "H");
    }
    EXPECT_EQ(opened, 2);
}

TEST_F(SideWindows, HelpListsTheTopicsAndShowsEachBodyOnAPick) {
    int count = -1, selected = 0;
    std::string firstBody = "unset", typed, bodyAfterTyping;
    std::vector<std::string> titles, bodies;
    inside = [&](CDialog& window) {
        HWND topics = window.GetDlgItem(IDC_TOPIC);
        count = int(SendMessageA(topics, CB_GETCOUNT, 0, 0));
        selected = int(SendMessageA(topics, CB_GETCURSEL, 0, 0));
        firstBody = ItemText(window, IDC_TOPIC_TEXT);
        auto& help = static_cast<CHelpDlg&>(window);
        for (int i = 0; i < count; ++i) {
            titles.push_back(help.m_cbTopic.GetLBText(i));
            SendMessageA(topics, CB_SETCURSEL, WPARAM(i), 0);
            SendMessageA(window.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_TOPIC, CBN_SELCHANGE),
                         LPARAM(topics));
            bodies.push_back(ItemText(window, IDC_TOPIC_TEXT));
        }
        SetWindowTextA(topics, "");
        TypeKeys(FindWindowExA(topics, nullptr, "Edit", nullptr), "button", &window);
        typed = WindowText(topics);
        bodyAfterTyping = ItemText(window, IDC_TOPIC_TEXT);
        Press(window, IDCANCEL);
    };
    Click(IDC_HELP_BUTTON);
    ASSERT_EQ(count, 19);
    EXPECT_EQ(selected, -1);
    EXPECT_EQ(firstBody, "");
    ASSERT_EQ(bodies.size(), 19u);
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(titles[size_t(i)], kHelpTopics[i].title);
        EXPECT_EQ(bodies[size_t(i)], kHelpTopics[i].body) << titles[size_t(i)];
    }
    EXPECT_EQ(titles[17], "TOPIC  ''Important Rules to Follow.''");
    EXPECT_EQ(bodies[15],
              "\n\nCloses the Kestrine Dialog.''What else do you think it would do?.''");
    EXPECT_EQ(bodies[4], "\n\nAdd ship destinations for AI 'A Team' Ships.\n\n i.e ''T-MWA'' <- "
                         "Will work.\n T-MWA <- Will not work.");
    EXPECT_EQ(typed, "Button - ''View Map''");
    EXPECT_EQ(bodyAfterTyping, bodies[18]); // completing is not picking

    std::string caption;
    inside = [&](CDialog& window) {
        caption = WindowText(window.GetSafeHwnd());
        Press(window, IDCANCEL);
    };
    PressKey(Item(kSlots[kP1].checkId), VK_F1);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(caption, "Kestrine ''HELP'' Dialog");
}

TEST_F(SideWindows, AboutFromTheButtonAndTheSystemMenuVisitStaysOpen) {
    std::vector<std::vector<std::string>> seen;
    std::vector<std::string> captions;
    bool openAfterVisit = false;
    inside = [&](CDialog& about) {
        captions.push_back(WindowText(about.GetSafeHwnd()));
        seen.push_back(Statics(about));
        Press(about, IDC_VISIT);
        openAfterVisit = !about.HasEnded() && IsWindowVisible(about.GetSafeHwnd());
        Press(about, IDOK);
    };
    Click(IDC_ABOUT_BUTTON);
    SendMessageA(dlg->GetSafeHwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    dlg->PumpWaitingMessages();
    ASSERT_EQ(opened, 2);
    EXPECT_EQ(captions[0], "About Kestrine");
    EXPECT_EQ(seen[0], seen[1]);
    ASSERT_GE(seen[0].size(), 2u);
    EXPECT_EQ(seen[0][1], "KESTRINE v2.A for Ostravane");
    EXPECT_TRUE(openAfterVisit);
    ASSERT_EQ(g_shellCalls.size(), 2u);
    EXPECT_EQ(g_shellCalls[0].owner, nullptr);
    EXPECT_EQ(g_shellCalls[0].verb, "open");
    EXPECT_EQ(g_shellCalls[0].file.rfind("https://", 0), 0u);
    EXPECT_TRUE(g_shellCalls[0].noParameters && g_shellCalls[0].noDirectory);
    EXPECT_EQ(g_shellCalls[0].show, SW_SHOWNORMAL);
}

TEST_F(SideWindows, ShipEditStartsTheViewerByItsBareName) {
    Click(IDC_SHIP_EDIT);
    Click(IDC_SHIP_EDIT);
    ASSERT_EQ(g_shellCalls.size(), 2u); // each press starts another viewer
    EXPECT_EQ(g_shellCalls[0].owner, nullptr);
    EXPECT_EQ(g_shellCalls[0].verb, "open");
    EXPECT_EQ(g_shellCalls[0].file, "RozeRavi39902v.exe");
    EXPECT_TRUE(g_shellCalls[0].noParameters && g_shellCalls[0].noDirectory);
    EXPECT_EQ(g_shellCalls[0].show, 1);
    EXPECT_EQ(opened, 0);
}

TEST_F(SideWindows, ShipEditWithoutTheViewerLeavesTheFormUsable) {
    SetShellExecuteFunction(nullptr); // the real shell; no viewer in the working folder
    Click(IDC_SHIP_EDIT);
    EXPECT_TRUE(boxes.empty());
    Click(kSlots[kA1].checkId);
    EXPECT_TRUE(Enabled(kSlots[kA1].shipId));
    EXPECT_FALSE(dlg->HasEnded());
}

} // namespace
