#include "windows/HelpDlg.h"

#include "framework/AccessibleName.h"
#include "framework/DataExchange.h"
#include "framework/MessageMap.h"
#include "resources/resource.h"

const CommandEntry<CHelpDlg> CHelpDlg::kMessageMap[1] = {
    OnControl<CHelpDlg>(IDC_TOPIC, CBN_SELCHANGE, &CHelpDlg::OnSelchangeTopic),
};

CHelpDlg::CHelpDlg(HWND parent) : CMappedDialog(IDD_HELP, parent) {}

void CHelpDlg::DoDataExchange(CDataExchange& dx) {
    DDX_Control(dx, IDC_TOPIC, m_cbTopic);
    DDX_Text(dx, IDC_TOPIC_TEXT, m_strTopicText);
}

bool CHelpDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    FillTopics();
    SetAccessibleName(GetDlgItem(IDC_TOPIC), L"Help topic"); // its label is the window's title
    return true;
}

void CHelpDlg::FillTopics() {
    for (const HelpTopic& topic : kHelpTopics)
        m_cbTopic.AddString(topic.title);
}

// Only a pick from the list gets here; completing typed text changes no body.
void CHelpDlg::OnSelchangeTopic() {
    UpdateData(true);
    const std::string title = m_cbTopic.GetLBText(m_cbTopic.GetCurSel());
    for (const HelpTopic& topic : kHelpTopics) {
        if (title == topic.title)
            m_strTopicText = topic.body;
    }
    UpdateData(false);
    NotifyNameChange(GetDlgItem(IDC_TOPIC_TEXT)); // a screen reader reads the new topic
}
