// Drives the real fleet editor form under Wine: a game folder and registry key of the test's
// own, the form created from its template, and a user's clicks and keys.
#pragma once

#include "form/SetupDlg.h"
#include "framework/App.h"
#include "resources/resource.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The bytes of a library file holding these game sets.
std::string LibraryStream(const GameSetMap& sets);
// The game sets `file` holds, as the next run reads them.
std::unique_ptr<CGameSetLibrary> ReadLibrary(const std::string& file);

class FormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Lays out scripts.ini (section lines) and opens the form on it, as a run started with
    // those files on its command line.
    void Open(const std::string& scripts = std::string(),
              const std::vector<std::wstring>& commandLineFiles = {});
    // Ends the form and forgets the boxes it showed, for the next Open; the files stay.
    void Restart() {
        dlg.reset();
        boxes.clear();
    }
    // The one box shown; a failure, and an empty call, when there was none or several.
    MessageBoxCall OneBox() const;
    std::string ScriptsIni() const { return game / "Assets\\Scripts\\scripts.ini"; }
    std::string GvxIni() const { return game / "gvx.ini"; }
    std::string LibraryFile() const { return work / "QXData.dat"; }
    void StoreLibraryFile(const GameSetMap& sets) const {
        WriteFileBytes(LibraryFile(), LibraryStream(sets));
    }

    HWND Item(int id) const { return dlg->GetDlgItem(id); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != 0; }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::string Text(int id) const { return WindowText(Item(id)); }
    int CurSel(int id) const { return int(SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }
    // Several controls at once: their texts joined by "|", or their states joined by "|",
    // each "C" when checked and "E" when enabled ("CE", "C", "E" or "").
    std::string Texts(std::initializer_list<int> ids) const;
    std::string States(std::initializer_list<int> ids) const;

    // A user's actions, through the form's own message path.
    void Click(int id);
    void KeyStroke(HWND target, WPARAM key, char character); // '\b' with VK_BACK, 0 for none
    void Type(int id, const std::string& keys); // letters and digits into an edit or a combo
    void Pick(int comboId, int index);          // a pick in the dropped list
    void Command(UINT id);                      // a system menu command
    void TypeTitle(const std::string& title) { SetWindowTextA(Item(IDC_GAMESET), title.c_str()); }
    // The titles the title box lists, each followed by "|".
    std::string Listed() const;
    void PickFromRightClickMenu(UINT command); // picked with the arrow keys and Enter
    HWND EditOf(int comboId) const;

    std::vector<MessageBoxCall> boxes;
    GameRegistry registry;
    TempFolder game;
    TempFolder work;
    std::unique_ptr<WorkingDirectory> cwd;
    std::unique_ptr<CSetupDlg> dlg;
};
