// Data exchange between a dialog's fields and its controls: each DDX_ function serves both
// directions, reading the control when dx.m_bSaveAndValidate is set, writing it otherwise.
#pragma once

#include <string>

class CDialog;
class CWnd;

class CDataExchange {
public:
    CDataExchange(CDialog& dialog, bool saveAndValidate)
        : m_pDlgWnd(&dialog), m_bSaveAndValidate(saveAndValidate) {}
    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;
};

// The whole text of an edit box or a static text.
void DDX_Text(CDataExchange& dx, int id, std::string& value);
// A check box: 1 checked, 0 unchecked.
void DDX_Check(CDataExchange& dx, int id, int& value);
// A combo box's text.  Reading takes the edit field; writing selects the first list entry
// that begins with the text, ignoring case, or else puts the text itself into the edit field.
void DDX_CBString(CDataExchange& dx, int id, std::string& value);
// A combo box's entry: the one whose text the box shows, picked or typed in any case, -1 for
// none; writing -1 or an index outside the list leaves no entry selected.
void DDX_CBIndex(CDataExchange& dx, int id, int& index);
// Attaches the wrapper to the control on the first exchange; no value travels.
void DDX_Control(CDataExchange& dx, int id, CWnd& control);
