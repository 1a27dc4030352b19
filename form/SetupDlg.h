// CSetupDlg: the fleet editor form.  It shows one game set — a title, 22 ship slots with a
// ship, a start position letter and an in-use check box each, the setup option and the AI
// difficulty — and moves it between its controls, the script settings record and the
// game-set library.
#pragma once

#include "framework/Dialog.h"
#include "framework/MessageMap.h"
#include "library/AutoCombo.h"
#include "library/GameSetLibrary.h"
#include "script/Slots.h"

#include <future>
#include <string>
#include <vector>

// Every text box of the form takes at most this many characters; longer texts from a file or
// a stored game set are cut to it where they enter the form.
constexpr size_t kMaxFormText = 255;
inline std::string FormText(const std::string& text) {
    return text.substr(0, kMaxFormText);
}

// The stored sets in the order the sorted title box keeps; false where the locale's sort keys
// and the box's own comparison disagree somewhere, and the box must sort them itself.
bool TitleListOrder(const GameSetMap& sets, std::vector<CShipData*>& order);

class CSetupDlg : public CDialog {
public:
    explicit CSetupDlg(HWND parent = nullptr);
    // Destroying the window while the whole form still exists lets its own clean-up run.
    ~CSetupDlg() override { DestroyWindow(); }

    // Start positions between the form's letters and the record's numbers.
    void LettersToPositions();
    void PositionsToLetters();

    // The fields, exchanged with the controls by DoDataExchange.
    CAutoCombo m_cbGameSet;
    int m_bSlot[kSlotCount];           // slot in use: 1 checked, 0 not
    std::string m_strShip[kSlotCount]; // ship designation, as typed
    std::string m_strPos[kSlotCount];  // start position letter, as the box holds it
    int m_bHostSelected;
    int m_bPlayerSelect;
    int m_nDifficulty;        // 0 CAPTAIN, 1 COMMODORE, 2 ADMIRAL, -1 none
    std::string m_strGameSet; // the label over the title box
    HICON m_hIcon;

    CGameSetLibrary m_mapGameSets;
    // The stored game sets as read beside the form's creation, in the title box's order.
    struct LibraryReading {
        LibraryLoadResult result = LibraryLoad::NoFile;
        std::vector<CShipData*> listOrder; // the records in the sorted box's own order
        bool inOrder = true; // false where the locale's sort keys and the box disagree
    };
    std::future<LibraryReading> m_libraryReading;
    std::vector<std::wstring> m_importFiles; // a shared game set to open once the form is shown
    bool m_bToldNotKept = false;             // the once-a-run notice that changes will not be kept
    HWND m_hCheckTips = nullptr;             // the tool tips of the check line and the marked boxes
    std::string m_strProblems;               // every problem, one a line, for the tips
    bool m_bMarked[2][kSlotCount] = {};      // [0] ship boxes, [1] position boxes with a problem

protected:
    bool OnInitDialog() override;
    void OnOK() override;     // PLAY
    void OnCancel() override; // CLOSE, Escape and the close box
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(int id, UINT code) override;
    bool OnSysCommand(UINT id, LPARAM param) override;
    bool OnPaint() override;
    HICON OnQueryDragIcon() override { return m_hIcon; }
    void OnDestroy() override;
    bool OnHelpInfo() override;                           // F1 opens the help topics, as HELP does
    HBRUSH OnCtlColorEdit(HDC dc, HWND control) override; // marks the boxes with a problem
    // The right-click menu, dropped files and the start-up import.
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

public: // the handlers, also driven directly by tests
    void OnSlotCheck(int slot);
    void OnHostSelected();
    void OnPlayerSelect();
    void OnShipChange(int slot);
    void OnPositionChange(int slot);
    void OnSelchangeGameSet();
    void OnSaveGameSet();
    void OnDeleteGameSet();
    void ClearForm();
    void OnViewMap();
    void OnHelpButton();
    void OnAboutButton();
    void OnShipEdit();
    // Handing a game set over: the system menu's and the right-click menu's commands.
    bool OnShareCommand(UINT command);
    void OnCopyGameSet();
    void OnPasteGameSet();
    void OnExportGameSet();
    void OnImportGameSet();
    // Imports the first file; more are refused with a word.
    void ImportGameSetFiles(const std::vector<std::wstring>& files);
    void ImportGameSetFile(const std::wstring& path);
    void ImportGameSetText(const std::string& text, const std::wstring& source);
    void ImportGameSetText(const std::wstring& text, const std::wstring& source);
    // The live check: what the game will not use, on the check line, the marks and the tips.
    void RefreshSetupCheck();
    void OnFixDesignations();

private:
    void AddAboutMenuEntry();
    void StartSetupCheck();
    bool OnSetupCheckTip(LPARAM notification);
    bool IsMarked(HWND control) const; // a ship or position box the check marked
    void AppendShareMenu(HMENU menu) const;
    void StartSharing();
    std::string GameSetTextOfForm();
    void RefuseImport(const std::string& source, const std::string& why);
    void RefuseImport(const std::wstring& source, const std::wstring& why);
    // Shows a game set (stored or shared) with the enabling rules its options call for.
    void ShowGameSet(const CShipData& record, const int* difficulty = nullptr);
    void LimitTextBoxes() const;
    DWORD ReadFormFromScripts(); // 0, or the platform's code
    void StartLibraryReading();
    LibraryReading TakeLibraryReading();
    void LoadGameSetLibrary(const LibraryLoadResult& result);
    void FillGameSetList(const LibraryReading& reading);
    void ListRecord(CShipData* record);
    void CopyRecordToForm(const CShipData& record);
    void CopyFormToRecord(CShipData& record, const std::string& title) const;
    void EnableForSelectedSet();
    void RefuseCommand(const std::string& why);
    void SaveGameSetLibrary();
    void TakeSaveResult(const LibrarySaveResult& result);
    // Before CLOSE or PLAY ends Kestrine; false when the user would rather keep the form open
    // than lose unsaved game sets.
    bool SaveGameSetLibraryBeforeLeaving();
    std::string SaveFailure(const LibrarySaveResult& result) const;
    void EnableSlot(int slot, bool ship, bool position) const;
    void EnablePlayerControls(int SlotInfo::*control, bool enable) const;

    static const CommandEntry<CSetupDlg> kMessageMap[];
};
