// Resource ids shared by the templates and the code.  The 22 slots' control ids live in the
// slot table (script/Slots.cpp).
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_SETUP 102
#define IDR_MAINFRAME 128
#define IDD_MAP 130
#define IDB_MAP 131
#define IDB_BANNER 132
#define IDD_HELP 134

#define IDC_GAMESET 1000
#define IDC_SAVE 1023
#define IDC_DELETE 1024
#define IDC_HELP_BUTTON 1025
#define IDC_ABOUT_BUTTON 1027
#define IDC_HOST_SELECTED 1028
#define IDC_PLAYER_SELECT 1029
#define IDC_DIFFICULTY 1030
#define IDC_VIEW_MAP 1031
#define IDC_SHIP_EDIT 1034
#define IDC_GAMESET_LABEL 1079
// The live check of the setup under the form.
#define IDC_SETUP_CHECK 1100

#define IDM_ABOUTBOX 0x0010
// Handing a game set to other players: system menu and right-click menu commands, and the
// texts of their entries.
#define IDM_COPY_GAMESET 0x0020
#define IDM_PASTE_GAMESET 0x0030
#define IDM_EXPORT_GAMESET 0x0040
#define IDM_IMPORT_GAMESET 0x0050
#define IDS_COPY_GAMESET 110
#define IDS_PASTE_GAMESET 111
#define IDS_EXPORT_GAMESET 112
#define IDS_IMPORT_GAMESET 113
// Mending ship designations, in the same menus.
#define IDM_FIX_DESIGNATIONS 0x0060
#define IDS_FIX_DESIGNATIONS 114

#define IDC_VISIT 1080
#define IDC_TOPIC 1088
#define IDC_TOPIC_TEXT 1091
