// CAutoCombo: a drop-down combo box that completes typed text from its list.  As soon as the
// typed text begins a list item, the edit field shows the whole item with the added part
// highlighted, so the next typed character replaces it.  Backspace and Delete switch
// completion off until the next other key.  Completion selects the item without the
// selection-change notification, so it never acts as a pick from the list.
#pragma once

#include "framework/ComboBox.h"

class CAutoCombo : public CComboBox {
public:
    bool PreTranslateMessage(MSG* msg) override;
    bool OnReflectedCommand(UINT code) override;
    void OnEditUpdate();

    // The verdict of the last key-down: 1 completes, 0 leaves the text as typed.  Text that
    // changes before any key (a paste with the mouse) is completed.
    int m_bAutoComplete = 1;
};
