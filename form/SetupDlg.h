// CSetupDlg: the fleet editor form.  It shows one game set — a title, 22 ship slots with a
// ship, a start position letter and an in-use check box each, the setup option and the AI
// difficulty — and moves it between its controls, the script settings record and the
// game-set library.
//
// The form is one class in several files, each with one part of its work; the declarations
// below are grouped by the file that implements them.
#pragma once

#include "framework/Dialog.h"
#include "framework/MessageMap.h"
#include "library/AutoCombo.h"
#include "library/GameSetLibrary.h"
#include "library/GameSetText.h"
#include "script/PlayValues.h"
#include "script/SetupCheck.h"
#include "script/Slots.h"

#include <future>
#include <map>
#include <string>
#include <vector>

// The colour of the check's marks: red, a light red on a dark scheme, or the system's text
// colour where neither would stand out.
COLORREF MarkColour();
// The colour of a marked box's text, against the boxes' own background.
COLORREF MarkedTextColour();

// The stored sets in the order the sorted title box keeps; false where the locale's sort keys
// and the box's own comparison disagree somewhere, and the box must sort them itself.
bool TitleListOrder(const GameSetMap& sets, std::vector<CShipData*>& order);

class CSetupDlg : public CDialog {
public:
    explicit CSetupDlg(HWND parent = nullptr);
    ~CSetupDlg() override;

    // --- SetupDlg.cpp: the fields, the enabling rules, start-up, PLAY, the library file ---
    // The record's start positions (numbers) into the form's letters.
    void PositionsToLetters();

    // The fields, exchanged with the controls by DoDataExchange.
    CAutoCombo m_cbGameSet;
    CAutoCombo m_cbDifficulty;         // typed text completes to a difficulty, as a title does
    int m_bSlot[kSlotCount];           // slot in use: 1 checked, 0 not
    std::string m_strShip[kSlotCount]; // ship designation, as typed
    std::string m_strPos[kSlotCount];  // start position letter, as the box holds it
    int m_bHostSelected;
    int m_bPlayerSelect;
    int m_nDifficulty;        // 0 CAPTAIN, 1 COMMODORE, 2 ADMIRAL, -1 none
    std::string m_strGameSet; // the label over the title box
    HICON m_hIcon;

    CGameSetLibrary m_mapGameSets;
    std::vector<std::wstring> m_importFiles; // a shared game set to open once the form is shown

    void OnSlotCheck(int slot);
    void OnHostSelected();
    void OnPlayerSelect();
    void OnShipChange(int slot);
    void OnPositionChange(int slot);

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
    bool OnHelpInfo() override; // F1 opens the help topics, as HELP does
    // The right-click menu, dropped files, the check's tips and the work after start-up.
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The library as read on a thread of its own beside the form's creation: the thread's own
    // library, handed over whole once it is done.
    struct LibraryReading {
        CGameSetLibrary library;
        LibraryLoadResult result = LibraryLoad::NoFile;
        std::vector<CShipData*> listOrder; // the records in the sorted box's own order
        bool inOrder = true; // false where the locale's sort keys and the box disagree
    };
    void StartLibraryReading();
    LibraryReading WaitForLibraryReading();
    void TakeLibrary(LibraryReading reading);
    void ReportLibraryLoad(const LibraryLoadResult& result);
    // The library, the game's files, and (once shown) drops, the command line's file, the tips.
    void AfterStartup();
    void AddAboutMenuEntry();
    void LimitTextBoxes() const;
    void EnableSlot(int slot, bool ship, bool position) const;
    void EnablePlayerControls(int SlotInfo::*control, bool enable) const;
    void SaveGameSetLibrary();
    void TakeSaveResult(const LibrarySaveResult& result);
    // Before CLOSE or PLAY ends Kestrine; false when the user would rather keep the form open
    // than lose unsaved game sets.
    bool SaveGameSetLibraryBeforeLeaving();
    std::string SaveFailure(const LibrarySaveResult& result) const;

    std::future<LibraryReading> m_libraryReading;
    bool m_bToldNotKept = false; // the once-a-run notice that changes will not be kept
    static const CommandEntry<CSetupDlg> kMessageMap[];

    // --- GameSetCommands.cpp: the title list, choosing a stored set, SAVE and DELETE, and
    // the copies between the form's fields and a game set ---
public:
    void OnSelchangeGameSet();
    void OnSaveGameSet();
    void OnDeleteGameSet();
    void ClearForm();

private:
    void FillGameSetList(const LibraryReading& reading);
    void ListRecord(CShipData* record);
    void CopyRecordToForm(const CShipData& record);
    void CopyFormToRecord(CShipData& record, const std::string& title) const;
    // The form's fields as what PLAY hands the game, and back (a slot is ticked where it names
    // a ship).
    PlayValues ValuesOfForm() const;
    void CopyValuesToForm(const PlayValues& values);
    // Shows a stored or a shared game set with the enabling rules its options call for.
    void ShowGameSet(const CShipData& record);
    void ShowGameSet(const GameSetRead& read);
    void EnableForSelectedSet();
    void RefuseCommand(const std::string& why);
    void ReadLibraryIfUnread();

    // --- LibraryUndo.cpp: undo and redo of SAVE and DELETE, newest first ---
public:
    void OnUndoLibrary();
    void OnRedoLibrary();

private:
    // The form as it stood when SAVE or DELETE was pressed.
    struct FormState {
        CShipData fields; // the label's title, ships, positions, ticks and options
        int difficulty = -1;
        std::string titleBox;
    };
    // One SAVE or DELETE: the stored set before and after it, and the form before it.
    struct LibraryEdit {
        const char* command; // "SAVE" or "DELETE"
        std::string title;
        CShipData before, after; // before is blank where the title was not stored
        FormState form;
    };
    FormState CurrentForm() const;
    void ShowForm(const FormState& form);
    // Notes a SAVE or DELETE of `title` that changed `before`, pressed on `form`.
    void NoteLibraryEdit(const char* command, const std::string& title, const CShipData& before,
                         const FormState& form);
    void StoreRecord(const std::string& title, const CShipData& record);
    void StepLibrary(bool undo);
    // The Undo and Redo entries of a menu, named after what they would undo or redo.
    void AppendUndoMenu(HMENU menu, bool systemMenu) const;
    void UpdateSystemUndoMenu() const;
    std::string UndoMenuText(bool redo, bool systemMenu) const;
    bool PreTranslateMessage(MSG* msg) override;

    std::vector<LibraryEdit> m_undo, m_redo;

    // --- GameSetSharing.cpp: handing a game set over (menus, clipboard, files, drops) ---
public:
    bool OnShareCommand(UINT command);
    void OnCopyGameSet();
    void OnPasteGameSet();
    void OnExportGameSet();
    void OnImportGameSet();
    // Imports the first file; more are refused with a word.
    void ImportGameSetFiles(const std::vector<std::wstring>& files);
    void ImportGameSetFile(const std::wstring& path);
    void ImportGameSetText(const std::wstring& text, const std::wstring& source);

private:
    void AppendShareMenu(HMENU menu) const;
    void ShowShareMenu(LPARAM at);
    // The set read, or the refusal `why` of the set from `source`.
    void ShowImported(const GameSetRead& read, const std::wstring& why, const std::wstring& source);
    void RefuseImport(const std::string& source, const std::string& why);
    void RefuseImport(const std::wstring& source, const std::wstring& why);

    // --- SetupCheckLine.cpp: the live check on the line, the marks and their tips, for the
    // mouse, the keyboard and screen readers ---
public:
    void RefreshSetupCheck();
    void OnFixDesignations();
    void OnShowSetupProblems();
    HWND CheckTips() const { return m_hCheckTips; }
    // The tool id of the tip shown under the focused box, beside the tips that follow the mouse.
    static constexpr UINT_PTR kFocusTip = 1;
    // The tool ids of the check line's two places: its problems and, at its end, the code.
    static constexpr UINT_PTR kLineTip = 2, kCodeTip = 3;
    // How many lines of text the check line grows to for the game's files.
    static constexpr int kMostCheckLines = 6;

protected:
    HBRUSH OnCtlColorEdit(HDC dc, HWND control) override; // marks the boxes with a problem

private:
    void CreateCheckTips();
    void NameControlsForReaders();
    bool OnSetupCheckTip(LPARAM notification);
    void OnSlotBoxFocus(int id, UINT code);
    void ShowFocusProblems(HWND box);
    // A box whose problems the check line and the tips follow: a slot's ship or position, or
    // the difficulty.
    static bool IsCheckedBox(int id);
    // The form's control that `control` is part of: itself, or the combo box of an edit field.
    HWND BoxOf(HWND control) const;
    // Every problem, those of `ofBox` first; empty where the box has none.
    std::string MarkedFirst(const std::string& ofBox) const;
    void CheckGameFiles();
    RECT MarkRect(HWND box, bool onScreen = false) const;
    void PaintMarks(HDC dc) const;
    void DrawCheckLine(const DRAWITEMSTRUCT& item);
    void FitCheckLine();
    std::string CodeText() const; // "Code 7KQ-2MX", as drawn

public:
    // The problems of a box the check marked, one a line; empty for any other control.
    const std::string& ProblemsOf(HWND control) const;
    // What the line says before the code, and the set's code ("7KQ-2MX"), as last checked.
    const std::string& CheckSummaryShown() const { return m_strCheckSummary; }
    const std::string& CodeShown() const { return m_strCode; }
    // Where the line shows the set's code, in the line's own coordinates, as last drawn.
    const RECT& CodePlace() const { return m_codeRect; }
    // The line's words as last drawn, a line of text each.
    const std::vector<std::string>& CheckLinesShown() const { return m_checkLines; }

private:
    HWND m_hCheckTips = nullptr;   // the tool tips of the check line and the marked boxes
    std::string m_strCheckSummary; // the line's words before the code
    std::string m_strCode;         // the set's code, drawn at the line's end
    std::string m_strProblems;     // every problem, one a line, for the tips
    std::map<int, std::string> m_boxProblems; // by the control id of each marked box
    std::string m_strFocusProblems;           // the tip under the focused box
    std::string m_strMouseProblems;           // the tip over a marked box
    std::vector<SetupProblem> m_gameProblems; // the game's files, checked at start-up and PLAY
    RECT m_codeRect{};
    std::vector<std::string> m_checkLines;
    int m_checkLineHeight = 0; // the line's height in the template: two lines of text

    // --- SideWindows.cpp: the buttons that open side windows or start the viewer ---
public:
    void OnViewMap();
    void OnHelpButton();
    void OnAboutButton();
    void OnShipEdit();
};
