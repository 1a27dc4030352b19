#include "support/FormHarness.h"

#include "script/ScriptSettings.h"

namespace {

// The program's application object stands in for the test: the form makes itself the main
// window, as kestrine.exe does.
CWinApp theTestApp;

} // namespace

std::string LibraryStream(const GameSetMap& sets) {
    std::vector<uint8_t> bytes;
    WriteLibraryStream(sets, bytes);
    return std::string(bytes.begin(), bytes.end());
}

std::unique_ptr<CGameSetLibrary> ReadLibrary(const std::string& file) {
    auto library = std::make_unique<CGameSetLibrary>(file);
    library->LoadGameSets();
    return library;
}

MessageBoxCall FormTest::OneBox() const {
    EXPECT_EQ(boxes.size(), 1u) << (boxes.empty() ? "" : boxes.back().text);
    return boxes.size() == 1 ? boxes[0] : MessageBoxCall{};
}

void FormTest::SetUp() {
    MakeGameFolders(game.Path());
    registry.SetDirectory(game.Path());
    cwd = std::make_unique<WorkingDirectory>(work.Path());
    theScriptSettings = CScriptSettings();
    SetMessageBoxHandler([this](const MessageBoxCall& call) {
        boxes.push_back(call);
        return IDOK;
    });
}

void FormTest::TearDown() {
    dlg.reset();
    SetMessageBoxHandler(nullptr);
    cwd.reset();
}

void FormTest::Open(const std::string& scripts, const std::vector<std::wstring>& commandLineFiles) {
    if (!scripts.empty())
        WriteFileBytes(ScriptsIni(), "[Mul_Kestrine]\r\n" + scripts);
    dlg = std::make_unique<CSetupDlg>();
    dlg->m_importFiles = commandLineFiles;
    ASSERT_TRUE(dlg->Create());
    dlg->PumpWaitingMessages();
}

void FormTest::Click(int id) {
    SendMessageA(Item(id), BM_CLICK, 0, 0);
    dlg->PumpWaitingMessages();
}

// One keystroke as the keyboard makes it: the key-down goes through the loop's
// pre-translation, what the translation made of the virtual key is dropped, and the
// character (none when 0) follows.
void FormTest::KeyStroke(HWND target, WPARAM key, char character) {
    PostMessageA(target, WM_KEYDOWN, key, 1);
    MSG msg;
    while (PeekMessageA(&msg, target, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE))
        dlg->PumpMessage(msg);
    while (PeekMessageA(&msg, target, WM_CHAR, WM_DEADCHAR, PM_REMOVE)) {
    }
    if (character != 0)
        PostMessageA(target, WM_CHAR, WPARAM(static_cast<unsigned char>(character)), 1);
    dlg->PumpWaitingMessages();
}

HWND FormTest::EditOf(int comboId) const {
    return FindWindowExA(Item(comboId), nullptr, "Edit", nullptr);
}

void FormTest::Type(int id, const std::string& keys) {
    HWND target = EditOf(id) ? EditOf(id) : Item(id);
    for (char c : keys)
        KeyStroke(target, WPARAM(toupper(static_cast<unsigned char>(c))), c);
}

void FormTest::Pick(int comboId, int index) {
    SendMessageA(Item(comboId), CB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(dlg->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                 LPARAM(Item(comboId)));
    dlg->PumpWaitingMessages();
}

void FormTest::Command(UINT id) {
    SendMessageA(dlg->GetSafeHwnd(), WM_SYSCOMMAND, id, 0);
    dlg->PumpWaitingMessages();
}

void FormTest::PickFromRightClickMenu(UINT command) {
    // The right-click menu holds the system menu's commands from Copy game set on; the arrow
    // keys pass over its separators.
    HMENU system = GetSystemMenu(dlg->GetSafeHwnd(), FALSE);
    int entry = -1, entries = -1;
    for (int i = 0; i < GetMenuItemCount(system); ++i) {
        const UINT id = GetMenuItemID(system, i);
        entries += id == IDM_COPY_GAMESET ? 1 : entries >= 0 && id != 0 ? 1 : 0;
        if (id == command)
            entry = entries;
    }
    ASSERT_GE(entry, 0) << command;
    for (int down = 0; down <= entry; ++down)
        PostMessageA(dlg->GetSafeHwnd(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(dlg->GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(dlg->GetSafeHwnd(), WM_CONTEXTMENU, WPARAM(dlg->GetSafeHwnd()), MAKELPARAM(5, 5));
    dlg->PumpWaitingMessages();
}

std::string FormTest::Listed() const {
    std::string titles;
    for (int i = 0; i < dlg->m_cbGameSet.GetCount(); ++i)
        titles += dlg->m_cbGameSet.GetLBText(i) + "|";
    return titles;
}

std::string FormTest::Texts(std::initializer_list<int> ids) const {
    std::string joined;
    for (const int* id = ids.begin(); id != ids.end(); ++id)
        joined += (id == ids.begin() ? "" : "|") + Text(*id);
    return joined;
}

std::string FormTest::States(std::initializer_list<int> ids) const {
    std::string joined;
    for (const int* id = ids.begin(); id != ids.end(); ++id)
        joined += std::string(id == ids.begin() ? "" : "|") + (Checked(*id) ? "C" : "") +
                  (Enabled(*id) ? "E" : "");
    return joined;
}
