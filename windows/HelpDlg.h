// CHelpDlg: the help topics, one picked at a time from an auto-completing list.
#pragma once

#include "framework/MessageMap.h"
#include "library/AutoCombo.h"

#include <string>

struct HelpTopic {
    const char* title;
    const char* body;
};
constexpr int kHelpTopicCount = 19;
extern const HelpTopic kHelpTopics[kHelpTopicCount];

class CHelpDlg : public CMappedDialog<CHelpDlg> {
public:
    explicit CHelpDlg(HWND parent = nullptr);

    void FillTopics();
    void OnSelchangeTopic();

    CAutoCombo m_cbTopic;
    std::string m_strTopicText;

    static const CommandEntry<CHelpDlg> kMessageMap[1];

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
};
