// Start-up, CLOSE and PLAY of the real form, in process, against real files under Wine.
#include "resources/resource.h"
#include "script/ScriptSettings.h"
#include "support/FormHarness.h"

namespace {

const SlotInfo &P1 = kSlots[0], &P2 = kSlots[1], &A1 = kSlots[6], &A2 = kSlots[7], &B1 = kSlots[14],
               &B8 = kSlots[21];

class StartUp : public FormTest {
protected:
    std::string Key(const std::string& key) const { return KeyValue(ScriptsIni(), key); }
};

TEST_F(StartUp, WithoutTheGameKeyReportsTheCodeAndStillKeepsTheLibrary) {
    GameRegistry::RemoveAll();
    Open();
    EXPECT_EQ(OneBox().text, "Error reading from scripts.ini; code 2.");
    EXPECT_EQ(OneBox().caption, "test_startup_play"); // the application's name
    EXPECT_EQ(OneBox().style, UINT(MB_OK));
    EXPECT_TRUE(Enabled(A1.shipId)); // as the template has it
    SetWindowTextA(Item(IDC_GAMESET), "Kept without the game");
    Click(IDC_SAVE);
    Click(IDOK);
    EXPECT_EQ(boxes.back().text, "Error saving to sripts.ini; code 2.");
    EXPECT_FALSE(dlg->HasEnded());
    Click(IDCANCEL);
    EXPECT_TRUE(dlg->HasEnded());
    dlg.reset();
    Open(); // the next run, without the game again, lists it
    EXPECT_EQ(dlg->m_cbGameSet.GetLBText(0), "Kept without the game");

    for (const char* kept : {"QXData.dat.bad", "QXData.dat.bad2"}) { // damaged: set aside
        dlg.reset();
        WriteFileBytes(LibraryFile(), kept);
        boxes.clear();
        Open();
        EXPECT_NE(boxes.back().text.find(kept), std::string::npos) << boxes.back().text;
        EXPECT_EQ(ReadFileBytes(work / kept), kept);
    }
}

TEST_F(StartUp, PlayWritesTheFormAsItStandsAndAsksForAMissingOption) {
    const std::string quoted = "\"" + std::string(100, 'w') + "\"";
    Open("GameSet=\"Shown\"\r\nshipA2=" + quoted + "\r\n");
    SetWindowTextA(Item(IDC_GAMESET), "Typed Title"); // a title to store under, not to play
    Click(IDOK);                                      // no option: written first, then asked for
    EXPECT_EQ(Key("GameSet"), "\"Shown\"");
    EXPECT_EQ(Key("shipA2"), quoted);
    EXPECT_EQ(Key("shipSettings"), "0");
    EXPECT_EQ(KeyValue(GvxIni(), "UIType"), "0");
    EXPECT_EQ(OneBox().caption, "No Option Selected!");
    EXPECT_EQ(OneBox().text, "You must select a setup option from the dialog!");
    EXPECT_EQ(OneBox().style, UINT(MB_OK));
    EXPECT_FALSE(dlg->HasEnded());

    Click(IDC_HOST_SELECTED);
    boxes.clear();
    Click(IDOK);
    EXPECT_EQ(OneBox().text, "Configuration Saved For Game Play!");
    EXPECT_EQ(OneBox().style, UINT(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(dlg->Result(), IDOK);
}

} // namespace
