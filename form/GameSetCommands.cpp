// The game-set commands of the form: the title list, choosing a stored set, SAVE and DELETE.
// They work on the form's fields and the library only; a chosen set reaches the game when
// PLAY copies the form into the script settings.
#include "form/SetupDlg.h"

#include "resources/resource.h"
#include "script/PositionCodec.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

const char kNoTitle[] = "Type a title for the game set first.";

// Titles as a sorted list box compares them: by the user's locale, ignoring letter case.
int CompareTitles(const std::string& a, const std::string& b) {
    return CompareStringA(GetUserDefaultLCID(), NORM_IGNORECASE, a.c_str(), int(a.size()),
                          b.c_str(), int(b.size())) -
           CSTR_EQUAL;
}

std::string SortKeyOf(const std::string& title) {
    const LCID locale = GetUserDefaultLCID();
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    int size = LCMapStringA(locale, flags, title.c_str(), int(title.size()), nullptr, 0);
    std::string key(size_t(std::max(size, 0)), '\0');
    if (size > 0)
        LCMapStringA(locale, flags, title.c_str(), int(title.size()), &key[0], size);
    return key;
}

} // namespace

// The stored sets in the order the sorted title box keeps: by the locale's sort keys, as the
// box compares titles, ignoring case.  False where that order and the box's own comparison
// disagree somewhere.
bool TitleListOrder(const GameSetMap& sets, std::vector<CShipData*>& order) {
    std::vector<std::pair<std::string, CShipData*>> items;
    items.reserve(sets.size());
    for (const auto& entry : sets) {
        // The item shows the record's own title: a deleted set is an empty line.
        CShipData* record = entry.second.get();
        items.emplace_back(SortKeyOf(record->m_strTitle), record);
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    order.clear();
    for (const auto& item : items)
        order.push_back(item.second);
    return std::is_sorted(order.begin(), order.end(), [](CShipData* a, CShipData* b) {
        return CompareTitles(a->m_strTitle, b->m_strTitle) < 0;
    });
}

// The list of a stored library is put in at once, in the box's own order, at the end of the
// list, with the box's drawing off.  Adding the titles one by one costs the box a search and
// a move of its whole list each time: 10,000 sets then showed the form 1.57x as late as an
// empty library instead of 1.05x (bench_startup, medians of 21 rounds, Wine 8 on 2 cores).
void CSetupDlg::FillGameSetList(const LibraryReading& reading) {
    m_cbGameSet.SendMessage(WM_SETREDRAW, FALSE);
    m_cbGameSet.InitStorage(reading.listOrder.size());
    for (CShipData* record : reading.listOrder) {
        if (!reading.inOrder) { // the box sorts each title itself
            ListRecord(record);
            continue;
        }
        const int index = m_cbGameSet.InsertString(-1, record->m_strTitle);
        if (index >= 0)
            m_cbGameSet.SetItemDataPtr(index, record);
    }
    m_cbGameSet.SendMessage(WM_SETREDRAW, TRUE);
}

// One stored set into the sorted title box, at the place the box finds for it.
void CSetupDlg::ListRecord(CShipData* record) {
    const int index = m_cbGameSet.AddString(record->m_strTitle);
    if (index >= 0)
        m_cbGameSet.SetItemDataPtr(index, record);
}

void CSetupDlg::CopyRecordToForm(const CShipData& record) {
    // A shared library may hold texts of any length: they are cut to what the boxes take.
    m_strGameSet = FormText(record.m_strGameSet);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        m_strShip[slot] = FormText(record.m_strShip[slot]);
        m_strPos[slot] = FormText(record.m_strPos[slot]);
        m_bSlot[slot] = record.m_bSlot[slot];
    }
    m_bHostSelected = record.m_bHostSelected;
    m_bPlayerSelect = record.m_bPlayerSelect;
}

// The fields go the way a stored set goes, so that a set shows, plays and exports alike.
PlayValues CSetupDlg::ValuesOfForm() const {
    CShipData fields;
    CopyFormToRecord(fields, m_strGameSet);
    return PlayValuesOf(fields, m_nDifficulty);
}

void CSetupDlg::CopyValuesToForm(const PlayValues& values) {
    const PlayValues shown = AsTheFormShows(values);
    m_strGameSet = shown.title;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        m_strShip[slot] = shown.ships[slot];
        m_strPos[slot] = PositionToLetter(shown.positions[slot]);
        m_bSlot[slot] = shown.ships[slot].empty() ? 0 : 1;
    }
    m_bHostSelected = shown.flags == FlagValue(kFlagHostSelected) ? 1 : 0;
    m_bPlayerSelect = shown.flags == FlagValue(kFlagPlayerSelect) ? 1 : 0;
    m_nDifficulty = shown.difficulty;
}

void CSetupDlg::CopyFormToRecord(CShipData& record, const std::string& title) const {
    record.m_strTitle = record.m_strGameSet = title;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        record.m_strShip[slot] = m_strShip[slot];
        record.m_strPos[slot] = m_strPos[slot];
        record.m_bSlot[slot] = m_bSlot[slot];
    }
    record.m_bHostSelected = m_bHostSelected;
    record.m_bPlayerSelect = m_bPlayerSelect;
}

// The enabled state that a chosen set's flags call for; flags are tested for exactly 1 and
// exactly 0, so other values leave their controls as they are.
void CSetupDlg::EnableForSelectedSet() {
    for (int slot = 0; slot < kPlayerSlotCount; ++slot) {
        if (m_bHostSelected == 1) {
            EnableItem(kSlots[slot].checkId, true);
            EnableItem(kSlots[slot].posId, true);
        } else if (m_bHostSelected == 0) {
            EnableItem(kSlots[slot].shipId, false);
            EnableItem(kSlots[slot].checkId, false);
            EnableItem(kSlots[slot].posId, true);
        }
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (m_bSlot[slot] == 1)
            EnableSlot(slot, true, true);
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (m_bSlot[slot] != 0)
            continue;
        EnableItem(kSlots[slot].shipId, false);
        if (!IsPlayerSlot(slot))
            EnableItem(kSlots[slot].posId, false);
    }
}

void CSetupDlg::OnSelchangeGameSet() {
    int selected = m_cbGameSet.GetCurSel();
    if (selected < 0)
        return;
    const CShipData* record = static_cast<const CShipData*>(m_cbGameSet.GetItemDataPtr(selected));
    if (record == nullptr)
        return;
    ShowGameSet(*record);
}

void CSetupDlg::ShowGameSet(const CShipData& record) {
    // The controls are read first so that the difficulty on screen, which a stored game set
    // does not hold, survives the write below; everything else comes from the record.
    UpdateData(true);
    CopyRecordToForm(record);
    EnableForSelectedSet();
    UpdateData(false); // no change handler runs: the script settings stay as they are
}

void CSetupDlg::ShowGameSet(const GameSetRead& read) {
    UpdateData(true); // a set without a difficulty keeps the one on screen
    CopyValuesToForm(read.WithDifficulty(m_nDifficulty));
    EnableForSelectedSet();
    UpdateData(false);
}

// Nothing to store or delete: the user is told what is missing, and the composed fleet and
// the library file stay as they are.
void CSetupDlg::RefuseCommand(const std::string& why) {
    MessageBox(why, nullptr, MB_OK | MB_ICONWARNING);
    SetFocus(m_cbGameSet.GetSafeHwnd());
}

// A library that another program held at start-up is read now, so that its sets are there to
// be saved over or deleted.
void CSetupDlg::ReadLibraryIfUnread() {
    if (m_mapGameSets.IsUnread())
        TakeSaveResult(m_mapGameSets.SaveGameSets()); // nothing of this run to write yet
}

void CSetupDlg::OnSaveGameSet() {
    UpdateData(true);
    ReadLibraryIfUnread();
    const std::string title = m_cbGameSet.GetWindowText(); // as typed or completed, untrimmed
    if (title.empty()) {
        RefuseCommand(kNoTitle);
        return;
    }
    const FormState pressed = CurrentForm();
    CShipData* record = m_mapGameSets.Find(title);
    const CShipData before = record != nullptr ? *record : CShipData();
    if (record == nullptr) {
        int index = m_cbGameSet.AddString(title);
        if (index >= 0) {
            record = m_mapGameSets.Add(title);
            m_cbGameSet.SetItemDataPtr(index, record);
        }
    }
    if (record != nullptr) {
        CopyFormToRecord(*record, title); // an existing set keeps its list item
        m_mapGameSets.NoteChange(title);
        NoteLibraryEdit("SAVE", title, before, pressed);
    }
    SaveGameSetLibrary();
    ClearForm();
}

void CSetupDlg::OnDeleteGameSet() {
    UpdateData(true);
    ReadLibraryIfUnread();
    const std::string title = m_cbGameSet.GetWindowText();
    if (title.empty()) {
        RefuseCommand(kNoTitle);
        return;
    }
    CShipData* record = m_mapGameSets.Find(title);
    if (record == nullptr) {
        RefuseCommand("No stored game set is titled \"" + title + "\".");
        return;
    }
    // The set is blanked, keeping its key and its list item, so every item still shows the
    // record it refers to.
    const FormState pressed = CurrentForm();
    const CShipData before = *record;
    record->Blank();
    m_mapGameSets.NoteChange(title);
    NoteLibraryEdit("DELETE", title, before, pressed);
    SaveGameSetLibrary();
    ClearForm();
}

void CSetupDlg::ClearForm() {
    m_cbGameSet.SetCurSel(-1);
    m_strGameSet = "GAME SET";
    for (int slot = 0; slot < kSlotCount; ++slot) {
        m_strShip[slot].clear();
        m_strPos[slot].clear();
        m_bSlot[slot] = 0;
    }
    m_bHostSelected = 0;
    m_bPlayerSelect = 0;
    UpdateData(false); // the enabled states stay as they are
    SetFocus(m_cbGameSet.GetSafeHwnd());
}
