#include "form/SetupDlg.h"

#include "framework/AccessibleName.h"
#include "framework/App.h"
#include "framework/DataExchange.h"
#include "framework/ExceptionText.h"
#include "framework/File.h"
#include "framework/Shell.h"
#include "framework/StartupTimes.h"
#include "resources/resource.h"
#include "script/PositionCodec.h"
#include "script/ScriptSettings.h"

#include <exception>

namespace {

// Posted by start-up, so that what can wait runs once the form is shown: the check's tool
// tips, the screen readers' names and the start-up report.  Made before the form showed, the
// tips and names made an empty library's start 1.23x the bare form's instead of 1.09x
// (bench_startup, medians of 21 rounds, Wine 8 on 2 cores).
const UINT kFormShown = WM_APP + 1;
// Posted by start-up, so that a file named on the command line opens once the form is shown.
const UINT kImportStartupFile = WM_APP + 2;

// The AI slots in the order the form's exchange takes their position boxes.
const int kAiPositionExchangeOrder[] = {7, 8, 9, 10, 6, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};

std::string WithCode(const char* format, DWORD code) {
    char text[128];
    snprintf(text, sizeof text, format, int(code));
    return text;
}

} // namespace

const CommandEntry<CSetupDlg> CSetupDlg::kMessageMap[] = {
    OnFamily<CSetupDlg>(SlotOfCheck, BN_CLICKED, &CSetupDlg::OnSlotCheck),
    OnFamily<CSetupDlg>(SlotOfShip, EN_CHANGE, &CSetupDlg::OnShipChange),
    OnFamily<CSetupDlg>(SlotOfPosition, CBN_SELCHANGE, &CSetupDlg::OnPositionChange),
    OnControl<CSetupDlg>(IDC_GAMESET, CBN_SELCHANGE, &CSetupDlg::OnSelchangeGameSet),
    OnClicked<CSetupDlg>(IDC_HOST_SELECTED, &CSetupDlg::OnHostSelected),
    OnClicked<CSetupDlg>(IDC_PLAYER_SELECT, &CSetupDlg::OnPlayerSelect),
    OnClicked<CSetupDlg>(IDC_SAVE, &CSetupDlg::OnSaveGameSet),
    OnClicked<CSetupDlg>(IDC_DELETE, &CSetupDlg::OnDeleteGameSet),
    OnClicked<CSetupDlg>(IDC_VIEW_MAP, &CSetupDlg::OnViewMap),
    OnClicked<CSetupDlg>(IDC_SHIP_EDIT, &CSetupDlg::OnShipEdit),
    OnClicked<CSetupDlg>(IDC_HELP_BUTTON, &CSetupDlg::OnHelpButton),
    OnClicked<CSetupDlg>(IDC_ABOUT_BUTTON, &CSetupDlg::OnAboutButton),
};

CSetupDlg::CSetupDlg(HWND parent)
    : CDialog(IDD_SETUP, parent), m_bSlot{}, m_bHostSelected(0), m_bPlayerSelect(0),
      m_nDifficulty(-1),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))) {
    // A successful start disables every ship and position box first: they are made so.
    std::vector<int> slotBoxes;
    for (const SlotInfo& slot : kSlots) {
        slotBoxes.push_back(slot.shipId);
        slotBoxes.push_back(slot.posId);
    }
    CreateDisabled(std::move(slotBoxes));
    StartLibraryReading();
}

CSetupDlg::~CSetupDlg() {
    DestroyWindow();         // while the whole form still exists, so that its own clean-up runs
    WaitForLibraryReading(); // a form whose window was never created
}

bool CSetupDlg::OnCommand(int id, UINT code) {
    const bool handled =
        DispatchCommand(this, kMessageMap, id, code) || CDialog::OnCommand(id, code);
    RefreshSetupCheck(); // whatever the host typed, picked or ticked
    OnSlotBoxFocus(id, code);
    return handled;
}

void CSetupDlg::DoDataExchange(CDataExchange& dx) {
    DDX_Control(dx, IDC_GAMESET, m_cbGameSet);
    DDX_Control(dx, IDC_DIFFICULTY, m_cbDifficulty);
    DDX_Check(dx, kSlots[0].checkId, m_bSlot[0]);
    DDX_Text(dx, kSlots[0].shipId, m_strShip[0]);
    DDX_CBString(dx, kSlots[0].posId, m_strPos[0]);
    for (int slot : kAiPositionExchangeOrder)
        DDX_CBString(dx, kSlots[slot].posId, m_strPos[slot]);
    for (int slot = kPlayerSlotCount; slot < kSlotCount; ++slot)
        DDX_Check(dx, kSlots[slot].checkId, m_bSlot[slot]);
    DDX_Check(dx, IDC_HOST_SELECTED, m_bHostSelected);
    for (int slot = 1; slot < kPlayerSlotCount; ++slot)
        DDX_Check(dx, kSlots[slot].checkId, m_bSlot[slot]);
    DDX_Check(dx, IDC_PLAYER_SELECT, m_bPlayerSelect);
    for (int slot = kPlayerSlotCount; slot < kSlotCount; ++slot)
        DDX_Text(dx, kSlots[slot].shipId, m_strShip[slot]);
    for (int slot = 1; slot < kPlayerSlotCount; ++slot)
        DDX_Text(dx, kSlots[slot].shipId, m_strShip[slot]);
    for (int slot = 1; slot < kPlayerSlotCount; ++slot)
        DDX_CBString(dx, kSlots[slot].posId, m_strPos[slot]);
    DDX_CBIndex(dx, IDC_DIFFICULTY, m_nDifficulty);
    DDX_Text(dx, IDC_GAMESET_LABEL, m_strGameSet);
}

void CSetupDlg::EnableSlot(int slot, bool ship, bool position) const {
    EnableItem(kSlots[slot].shipId, ship);
    EnableItem(kSlots[slot].posId, position);
}

// --- Enabling rules --------------------------------------------------------------------------

// One kind of control (check box, ship box or position box) of each of P1 to P6.
void CSetupDlg::EnablePlayerControls(int SlotInfo::*control, bool enable) const {
    for (int slot = 0; slot < kPlayerSlotCount; ++slot)
        EnableItem(kSlots[slot].*control, enable);
}

void CSetupDlg::OnSlotCheck(int slot) {
    EnableSlot(slot, true, true);
    UpdateData(true);
    if (m_bSlot[slot] == 0) { // the click cleared the box: the slot's values go
        EnableSlot(slot, false, false);
        m_strShip[slot].clear();
        m_strPos[slot].clear();
        UpdateData(false);
    }
}

void CSetupDlg::OnHostSelected() {
    UpdateData(true);
    m_bHostSelected = 1;
    m_bPlayerSelect = 0;
    // The player ship boxes keep their state: a ship opens when its slot is checked.
    EnablePlayerControls(&SlotInfo::checkId, true);
    EnablePlayerControls(&SlotInfo::posId, true);
    theScriptSettings.SetFlag(kFlagHostSelected);
    UpdateData(false);
}

void CSetupDlg::OnPlayerSelect() {
    UpdateData(true);
    m_bPlayerSelect = 1;
    m_bHostSelected = 0;
    for (int slot = 0; slot < kPlayerSlotCount; ++slot) {
        m_bSlot[slot] = 0;
        m_strShip[slot].clear();
    }
    for (int slot = 0; slot < kPlayerSlotCount; ++slot) {
        if (m_strPos[slot].empty())
            m_strPos[slot] = kSlots[slot].defaultLetter;
    }
    EnablePlayerControls(&SlotInfo::shipId, false);
    EnablePlayerControls(&SlotInfo::checkId, false);
    EnablePlayerControls(&SlotInfo::posId, true);
    theScriptSettings.SetFlag(kFlagPlayerSelect);
    UpdateData(false);
}

void CSetupDlg::OnShipChange(int slot) {
    UpdateData(true);
    theScriptSettings.SetShip(slot, m_strShip[slot]);
}

// Letters become numbers only at PLAY; a pick just takes the form's values.
void CSetupDlg::OnPositionChange(int) {
    UpdateData(true);
}

// --- Start positions -------------------------------------------------------------------------

void CSetupDlg::PositionsToLetters() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        std::string letter = PositionToLetter(theScriptSettings.GetPos(slot));
        if (!letter.empty())
            m_strPos[slot] = letter;
    }
}

// --- Start-up and the window's life ----------------------------------------------------------

bool CSetupDlg::OnInitDialog() {
    MarkStartup("form created");
    CDialog::OnInitDialog();
    if (CWinApp* app = AfxGetApp())
        app->m_pMainWnd = m_hWnd;
    AddAboutMenuEntry();
    LimitTextBoxes();
    SendMessage(WM_SETICON, ICON_BIG, LPARAM(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, LPARAM(m_hIcon));
    MarkStartup("lists, menus and limits");

    unsigned long code = 0;
    if (!theScriptSettings.Load(&code)) {
        MarkStartup("settings files");
        for (int slot = 0; slot < kSlotCount; ++slot)
            EnableSlot(slot, true, true); // as the template has them
        // "scripts.ini" even where gvx.ini or the registry failed: the players know it so.
        MessageBox(WithCode("Error reading from scripts.ini; code %d.", code), nullptr, MB_OK);
        // The library lives in the working folder, not the game's: it serves this run all
        // the same, so that what SAVE and DELETE change is kept.
        AfterStartup();
        RefreshSetupCheck();
        return false;
    }
    MarkStartup("settings files");
    // The form's own reading of the title, ships and positions: a text only where the file
    // holds one.
    const PlayValues& read = theScriptSettings.Values();
    if (!read.title.empty())
        m_strGameSet = FormText(read.title);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!read.ships[slot].empty())
            m_strShip[slot] = FormText(read.ships[slot]);
    }
    PositionsToLetters();
    for (int slot = 0; slot < kSlotCount; ++slot)
        EnableSlot(slot, false, false);
    m_nDifficulty = theScriptSettings.GetDifficulty();
    m_bHostSelected = theScriptSettings.TestFlag(kFlagHostSelected) ? 1 : 0;
    m_bPlayerSelect = theScriptSettings.TestFlag(kFlagPlayerSelect) ? 1 : 0;
    UpdateData(false);

    if (m_bHostSelected) {
        theScriptSettings.SetFlag(kFlagHostSelected);
        OnHostSelected(); // clears PLAYER SELECT: both flags open as HOST SELECTED
    }
    if (m_bPlayerSelect) {
        theScriptSettings.SetFlag(kFlagPlayerSelect);
        OnPlayerSelect();
    }
    MarkStartup("form's own reading, exchange and rules");
    AfterStartup();
    RefreshSetupCheck();
    MarkStartup("check line");
    return true;
}

// What both ways through start-up end with: the library, the game's files on the check line,
// and what waits until the form is shown.
void CSetupDlg::AfterStartup() {
    TakeLibrary(WaitForLibraryReading());
    MarkStartup("title list");
    CheckGameFiles();
    PostMessage(m_hWnd, kFormShown, 0, 0);
    // Files may be dropped on the form (what DragAcceptFiles sets).
    SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE,
                      GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    if (!m_importFiles.empty())
        PostMessage(m_hWnd, kImportStartupFile, 0, 0);
}

bool CSetupDlg::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY:
        return OnSetupCheckTip(lParam);
    case WM_DRAWITEM:
        if (wParam != IDC_SETUP_CHECK)
            return false;
        DrawCheckLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return true;
    case WM_CONTEXTMENU:
        ShowShareMenu(lParam);
        break;
    case WM_DROPFILES:
        ImportGameSetFiles(DroppedFiles(reinterpret_cast<HDROP>(wParam)));
        break;
    case kImportStartupFile:
        ImportGameSetFiles(m_importFiles);
        break;
    case kFormShown:
        MarkStartup("form shown");
        ReportStartup();
        CreateCheckTips();
        NameControlsForReaders();
        return true;
    default:
        return false;
    }
    RefreshSetupCheck();
    return true;
}

// The profile writer counts lengths in 16 bits, and nobody types a 300-character ship: the
// boxes take what any file line and the game's script handle well.
void CSetupDlg::LimitTextBoxes() const {
    for (const SlotInfo& slot : kSlots) {
        ::SendMessageA(GetDlgItem(slot.shipId), EM_LIMITTEXT, kMaxFormText, 0);
        ::SendMessageA(GetDlgItem(slot.posId), CB_LIMITTEXT, kMaxFormText, 0);
    }
    ::SendMessageA(GetDlgItem(IDC_GAMESET), CB_LIMITTEXT, kMaxFormText, 0);
    ::SendMessageA(GetDlgItem(IDC_DIFFICULTY), CB_LIMITTEXT, kMaxFormText, 0);
}

// Names for screen readers where a box has no label of its own, and the problems of a marked
// box as its description.
void CSetupDlg::NameControlsForReaders() {
    for (const SlotInfo& slot : kSlots) {
        for (const auto& [id, what] : {std::make_pair(slot.shipId, " ship"),
                                       std::make_pair(slot.posId, " start position")}) {
            HWND box = GetDlgItem(id);
            const std::wstring name = WideText(std::string(slot.name) + what);
            SetAccessibleName(
                box, [name] { return name; }, [this, box] { return WideText(ProblemsOf(box)); });
        }
    }
    SetAccessibleName(GetDlgItem(IDC_GAMESET), L"Game set title");
    HWND difficulty = GetDlgItem(IDC_DIFFICULTY);
    SetAccessibleName(
        difficulty, [] { return std::wstring(L"AI difficulty"); },
        [this, difficulty] { return WideText(ProblemsOf(difficulty)); });
    SetAccessibleName(GetDlgItem(IDC_SETUP_CHECK), [this] {
        return L"Setup check: " + WideText(m_strCheckSummary + " Code " + m_strCode);
    });
}

void CSetupDlg::AddAboutMenuEntry() {
    HMENU menu = GetSystemMenu(m_hWnd, FALSE);
    if (menu == nullptr)
        return;
    char text[256];
    if (LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof text) > 0) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
    }
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendShareMenu(menu);
    AppendUndoMenu(menu, true);
}

// Ctrl+Z and Ctrl+Y anywhere but in a text box, which keeps them for its own typing; Shift+F10
// and the menu key open the form's menu from every box, text boxes included.
bool CSetupDlg::PreTranslateMessage(MSG* msg) {
    const bool menuKey =
        msg->wParam == VK_APPS || (msg->wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0);
    if (menuKey && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN)) {
        ShowShareMenu(-1);
        RefreshSetupCheck();
        return true;
    }
    if (menuKey && (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP))
        return true; // the key's release would open a text box's own menu too
    if (msg->message != WM_KEYDOWN || (msg->wParam != 'Z' && msg->wParam != 'Y') ||
        GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0)
        return false;
    if (IsTextBox(::GetFocus()))
        return false;
    if (msg->wParam == 'Z')
        OnUndoLibrary();
    else
        OnRedoLibrary();
    return true;
}

bool CSetupDlg::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) != IDM_ABOUTBOX) {
        const bool handled = OnShareCommand(id & 0xFFF0);
        RefreshSetupCheck();
        return handled;
    }
    OnAboutButton();
    return true;
}

bool CSetupDlg::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    if (!IsIconic(m_hWnd)) { // the form itself: the check's marks under the boxes
        PaintMarks(dc);
        EndPaint(m_hWnd, &paint);
        return true;
    }
    SendMessage(WM_ICONERASEBKGND, WPARAM(dc));
    int iconWidth = GetSystemMetrics(SM_CXICON);
    int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(m_hWnd, &client);
    int x = (client.right - client.left - iconWidth + 1) / 2;
    int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
    return true;
}

void CSetupDlg::OnCancel() {
    if (SaveGameSetLibraryBeforeLeaving())
        CDialog::OnCancel();
}

bool CSetupDlg::OnHelpInfo() {
    OnHelpButton();
    return true;
}

void CSetupDlg::OnDestroy() {
    // Kestrine's help is its own window, but the old help engine is told to close, as Windows
    // programs always did at shut-down.
    WinHelpA(m_hWnd, nullptr, HELP_QUIT, 0);
    WaitForLibraryReading(); // a form that never got as far as the library
    m_mapGameSets.Release();
}

// --- PLAY ------------------------------------------------------------------------------------

void CSetupDlg::OnOK() {
    UpdateData(true);
    // PLAY with an option ends Kestrine: game sets not yet on the disk go there first.
    if ((m_bHostSelected || m_bPlayerSelect) && m_mapGameSets.HasUnsavedChanges() &&
        !SaveGameSetLibraryBeforeLeaving())
        return;
    theScriptSettings.SetValues(ValuesOfForm()); // the title is the label's, not the title box's

    // Written first, before the option is asked for: a setup without an option still reaches
    // the game's files, as the game's players know it.
    CScriptSettings::SaveFailure failure;
    const bool saved = theScriptSettings.Save(&failure);
    CheckGameFiles(); // the line says what keeps PLAY from the game's files, or no longer
    if (!saved) {
        // "sripts.ini", misspelt: the game's players know the message by these words.
        MessageBox(WithCode(failure.atGameSettings ? "Error saving to gvx.ini; code %d."
                                                   : "Error saving to sripts.ini; code %d.",
                            failure.code),
                   nullptr, MB_OK);
        return;
    }
    if (theScriptSettings.GetFlags() == 0) {
        MessageBox("You must select a setup option from the dialog!", "No Option Selected!", MB_OK);
        return;
    }
    AfxMessageBox("Configuration Saved For Game Play!", MB_OK | MB_ICONINFORMATION);
    CDialog::OnOK();
}

// --- The game-set library --------------------------------------------------------------------

// The library is read, and its titles sorted, on a thread of its own while the window and its
// controls are created, which takes far longer: read on the form's thread, 10,000 sets showed
// the form 1.17x as late as an empty library instead of 1.05x (bench_startup, medians of 21
// rounds, Wine 8 on 2 cores).  The thread works on a library of its own, named here against
// the working folder, and hands it over whole; the form waits for it where it shows the
// library, and on every other way out.
void CSetupDlg::StartLibraryReading() {
    m_libraryReading = std::async(std::launch::async, [reading = LibraryReading()]() mutable {
        try {
            reading.result = reading.library.LoadGameSets();
            MarkStartup("library file read, on its own thread");
            reading.inOrder = TitleListOrder(reading.library.Sets(), reading.listOrder);
            MarkStartup("titles sorted, on the same thread");
        } catch (...) {
            // A library never read is never written over (see CGameSetLibrary).
            reading = LibraryReading();
            reading.result = LibraryLoad::ReadFailed;
            reading.result.reason = ExceptionText(std::current_exception());
        }
        return std::move(reading);
    });
}

CSetupDlg::LibraryReading CSetupDlg::WaitForLibraryReading() {
    return m_libraryReading.valid() ? m_libraryReading.get() : LibraryReading();
}

void CSetupDlg::TakeLibrary(LibraryReading reading) {
    m_mapGameSets = std::move(reading.library); // the records keep their addresses
    ReportLibraryLoad(reading.result);
    MarkStartup("library ready");
    FillGameSetList(reading);
}

void CSetupDlg::ReportLibraryLoad(const LibraryLoadResult& result) {
    const std::string library = "The game-set library " + m_mapGameSets.FullPath();
    if (result.status == LibraryLoad::Damaged && !result.keptAs.empty()) {
        const std::string kept = result.keptAs.substr(result.keptAs.find_last_of('\\') + 1);
        const std::string complete = std::to_string(result.complete);
        MessageBox(result.complete == 0
                       ? library + " is damaged; it was kept as " + kept +
                             " and Kestrine starts with an empty list."
                       : library + " is damaged after " + complete + " of its " +
                             std::to_string(result.count) + " game sets; those " + complete +
                             " are in the list, and the whole file was kept as " + kept + ".",
                   nullptr, MB_OK | MB_ICONWARNING);
    } else if (result.status == LibraryLoad::Busy) {
        MessageBox(library + " is in use by another program (error " +
                       std::to_string(result.error) +
                       ").\n\nKestrine starts with an empty title list and reads the library "
                       "again at the next SAVE, DELETE or CLOSE: the stored game sets then join "
                       "the list, and nothing saved in this window is lost.",
                   nullptr, MB_OK | MB_ICONINFORMATION);
    } else if (result.status == LibraryLoad::Damaged || result.status == LibraryLoad::ReadFailed) {
        MessageBox(
            library + " could not be read (" +
                (result.reason.empty() ? "error " + std::to_string(result.error) : result.reason) +
                ").\n\nIt will not be changed while Kestrine runs.",
            nullptr, MB_OK | MB_ICONWARNING);
    }
}

// Shows what a save brought: sets that another run stored join the title list, and a file
// found damaged on the disk was kept aside.
void CSetupDlg::TakeSaveResult(const LibrarySaveResult& result) {
    for (CShipData* record : result.addedSets)
        ListRecord(record);
    if (!result.damagedKeptAs.empty())
        MessageBox("The game-set library " + m_mapGameSets.FullPath() + " was found damaged (" +
                       result.damage + ").\n\nIt was kept unchanged as " + result.damagedKeptAs +
                       ", and the game sets of this window were saved in its place.",
                   nullptr, MB_OK | MB_ICONWARNING);
}

void CSetupDlg::SaveGameSetLibrary() {
    LibrarySaveResult result = m_mapGameSets.SaveGameSets();
    TakeSaveResult(result);
    if (result.status == LibrarySave::NotWritable && !m_bToldNotKept) {
        m_bToldNotKept = true; // once a run is enough
        MessageBox("Kestrine cannot write the game-set library " + m_mapGameSets.FullPath() + ": " +
                       m_mapGameSets.WhyNotWritable() +
                       ".\n\nChanges to the game sets will not be kept after Kestrine closes.",
                   nullptr, MB_OK | MB_ICONWARNING);
    } else if (result.status == LibrarySave::Failed) {
        MessageBox(SaveFailure(result) +
                       "\n\nThe change is kept: Kestrine writes it with the next SAVE, DELETE or "
                       "CLOSE.",
                   nullptr, MB_OK | MB_ICONERROR);
    }
}

bool CSetupDlg::SaveGameSetLibraryBeforeLeaving() {
    LibrarySaveResult result = m_mapGameSets.SaveGameSets();
    TakeSaveResult(result);
    if (result.status != LibrarySave::Failed)
        return true; // saved, or the user was told at the change that it would not be kept
    return MessageBox(SaveFailure(result) +
                          "\n\nClose Kestrine anyway? The game sets saved or deleted since "
                          "the last successful save will be lost.",
                      nullptr, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

std::string CSetupDlg::SaveFailure(const LibrarySaveResult& result) const {
    return "The game sets could not be saved to " + m_mapGameSets.FullPath() + ": " +
           ErrorText(result.error) + ". The file was left as it was.";
}
