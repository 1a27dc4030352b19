#include "library/AutoCombo.h"

namespace {

// The edit field is read into this many bytes, so at most 126 characters take part.
const int kReadBuffer = 128;
const int kReadLimit = 127;

} // namespace

bool CAutoCombo::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN)
        m_bAutoComplete = (msg->wParam == VK_BACK || msg->wParam == VK_DELETE) ? 0 : 1;
    return CComboBox::PreTranslateMessage(msg);
}

bool CAutoCombo::OnReflectedCommand(UINT code) {
    if (code != CBN_EDITUPDATE)
        return false;
    OnEditUpdate();
    return true;
}

void CAutoCombo::OnEditUpdate() {
    if (!m_bAutoComplete)
        return;
    char buffer[kReadBuffer];
    int typed = GetWindowText(buffer, kReadLimit);
    if (typed < 0)
        typed = 0;
    buffer[typed] = '\0';
    int found = SelectString(-1, buffer);
    if (found == CB_ERR)
        return;
    SetCurSel(found);
    SetEditSel(typed, -1);
}
