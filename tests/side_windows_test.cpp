// VIEW MAP and HELP on the real windows.
#include "resources/resource.h"
#include "support/FormHarness.h"
#include "windows/HelpDlg.h"
#include "windows/MapPositions.h"

#include <algorithm>
#include <functional>

namespace {

// Runs `inside` against each modal window the form opens, from inside its loop, and ends it.
class SideWindows : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        CDialog::SetModalObserver(
            [](CDialog& window, void* self) {
                auto* test = static_cast<SideWindows*>(self);
                test->seen += WindowText(window.GetSafeHwnd()) + "|" +
                              (IsWindowEnabled(test->dlg->GetSafeHwnd()) ? "form enabled\n" : "\n");
                if (test->inside)
                    test->inside(window);
                SendMessageA(window.GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0); // Escape
            },
            this);
        Open();
    }
    void TearDown() override {
        CDialog::SetModalObserver(nullptr, nullptr);
        FormTest::TearDown();
    }
    std::function<void(CDialog&)> inside;
    std::string seen; // caption of each window opened, and whether the form stayed enabled
};

TEST_F(SideWindows, MapShowsThePositionBoxesAsTheyStandAndChangesNothing) {
    Click(kSlots[6].checkId);
    Type(kSlots[6].posId, "q"); // typed, not picked
    SetWindowTextA(Item(kSlots[7].posId), "T");
    SetWindowTextA(Item(kSlots[1].posId), "T");  // two slots, one letter
    SetWindowTextA(Item(kSlots[21].posId), "Z"); // slot not ticked
    std::string shown;
    inside = [&](CDialog& map) {
        for (int slot = 0; slot < kSlotCount; ++slot)
            shown += WindowText(map.GetDlgItem(kSlots[slot].mapId)) + "|";
        SetWindowTextA(map.GetDlgItem(IDC_MAP_P1), "changed in the map");
    };
    Click(IDC_VIEW_MAP);
    EXPECT_EQ(seen, std::string(48, ' ') + "MAP POSITIONS|\n"); // modal: the form waits
    EXPECT_TRUE(IsWindowEnabled(dlg->GetSafeHwnd()));
    EXPECT_EQ(shown, "|T|||||q|T||||||||||||||Z|"); // P1..P6, A1..A8, B1..B8
    EXPECT_EQ(Text(kSlots[0].posId), "");
    EXPECT_EQ(theMapPositions.Get(0), "");
}

std::vector<HWND> g_namesChanged; // as a screen reader hears of them
TEST_F(SideWindows, HelpShowsEachTopicsBodyOnAPick) {
    HWINEVENTHOOK hook = SetWinEventHook(
        EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, GetModuleHandleA(nullptr),
        [](HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
            if (object == OBJID_CLIENT)
                g_namesChanged.push_back(window);
        },
        GetCurrentProcessId(), 0, WINEVENT_INCONTEXT);
    std::vector<std::string> titles, bodies;
    HWND topicText = nullptr;
    inside = [&](CDialog& window) {
        auto& help = static_cast<CHelpDlg&>(window);
        topicText = window.GetDlgItem(IDC_TOPIC_TEXT);
        bodies.push_back(WindowText(topicText));
        for (int i = 0; i < help.m_cbTopic.GetCount(); ++i) {
            titles.push_back(help.m_cbTopic.GetLBText(i));
            help.m_cbTopic.SetCurSel(i);
            SendMessageA(window.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_TOPIC, CBN_SELCHANGE),
                         LPARAM(help.m_cbTopic.GetSafeHwnd()));
            bodies.push_back(WindowText(window.GetDlgItem(IDC_TOPIC_TEXT)));
        }
    };
    Click(IDC_HELP_BUTTON);
    UnhookWinEvent(hook);
    EXPECT_EQ(std::count(g_namesChanged.begin(), g_namesChanged.end(), topicText), 19);
    ASSERT_EQ(titles.size(), 19u);
    EXPECT_EQ(bodies[0], ""); // nothing picked yet
    for (size_t i = 0; i < 19; ++i) {
        EXPECT_EQ(titles[i], kHelpTopics[i].title);
        EXPECT_EQ(bodies[i + 1], kHelpTopics[i].body) << kHelpTopics[i].title;
    }
    EXPECT_EQ(seen, "Kestrine ''HELP'' Dialog|\n");
}

} // namespace
