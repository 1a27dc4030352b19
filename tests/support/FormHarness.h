// Drives the real fleet editor form under Wine: a game folder and registry key of the test's
// own, the form created from its template, and a user's clicks and keys.
#pragma once

#include "form/SetupDlg.h"
#include "framework/App.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The form with a record of every notification that reached its message map.
class TestSetupDlg : public CSetupDlg {
public:
    std::vector<std::pair<int, UINT>> notifications;

protected:
    bool OnCommand(int id, UINT code) override {
        notifications.emplace_back(id, code);
        return CSetupDlg::OnCommand(id, code);
    }
};

class FormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Lays out scripts.ini (section lines) and opens the form on it.
    void Open(const std::string& scripts = std::string());
    void WriteScripts(const std::string& lines);
    std::string ScriptsIni() const { return game / "Assets\\Scripts\\scripts.ini"; }
    std::string GvxIni() const { return game / "gvx.ini"; }
    std::string LibraryFile() const { return work / "QXData.dat"; }

    HWND Item(int id) const { return dlg->GetDlgItem(id); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != 0; }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::string Text(int id) const { return WindowText(Item(id)); }
    int CurSel(int id) const { return int(SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }

    // A user's actions, through the form's own message path.
    void Click(int id);
    // Letters and digits, as typed, through the message path of `loop` (the form's by default).
    void TypeKeys(HWND target, const std::string& keys, CDialog* loop = nullptr);
    void PressKey(HWND target, WPARAM key);     // VK_BACK, VK_DELETE, ...
    void Type(int id, const std::string& keys); // into an edit or a combo's edit
    void Pick(int comboId, int index);          // a pick in the dropped list
    HWND EditOf(int comboId) const;
    void KeyStroke(HWND target, WPARAM key, char character, CDialog& loop);

    std::vector<MessageBoxCall> boxes;
    GameRegistry registry;
    TempFolder game;
    TempFolder work;
    std::unique_ptr<WorkingDirectory> cwd;
    std::unique_ptr<TestSetupDlg> dlg;
};
