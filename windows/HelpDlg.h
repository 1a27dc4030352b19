// CHelpDlg: the help topics, one picked at a time from an auto-completing list.
#pragma once

#include "framework/Dialog.h"
#include "library/AutoCombo.h"

#include <string>

struct HelpTopic {
    const char* title;
    const char* body;
};
constexpr int kHelpTopicCount = 19;
extern const HelpTopic kHelpTopics[kHelpTopicCount];

class CHelpDlg : public CDialog {
public:
    explicit CHelpDlg(HWND parent = nullptr);

    void FillTopics();
    void OnSelchangeTopic();

    CAutoCombo m_cbTopic;
    std::string m_strTopicText;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(int id, UINT code) override;
};
