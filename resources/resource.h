// Resource ids shared by the templates and the code.
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

// The 22 slots of the form, in slot order: the check box that puts a slot in use, its ship box
// and its start position box.
#define IDC_USE_P1 1035
#define IDC_SHIP_P1 1001
#define IDC_POS_P1 1033
#define IDC_USE_P2 1036
#define IDC_SHIP_P2 1002
#define IDC_POS_P2 1037
#define IDC_USE_P3 1038
#define IDC_SHIP_P3 1003
#define IDC_POS_P3 1039
#define IDC_USE_P4 1040
#define IDC_SHIP_P4 1004
#define IDC_POS_P4 1041
#define IDC_USE_P5 1042
#define IDC_SHIP_P5 1005
#define IDC_POS_P5 1043
#define IDC_USE_P6 1044
#define IDC_SHIP_P6 1006
#define IDC_POS_P6 1045
#define IDC_USE_A1 1046
#define IDC_SHIP_A1 1007
#define IDC_POS_A1 1047
#define IDC_USE_A2 1048
#define IDC_SHIP_A2 1008
#define IDC_POS_A2 1049
#define IDC_USE_A3 1050
#define IDC_SHIP_A3 1009
#define IDC_POS_A3 1056
#define IDC_USE_A4 1051
#define IDC_SHIP_A4 1010
#define IDC_POS_A4 1057
#define IDC_USE_A5 1052
#define IDC_SHIP_A5 1011
#define IDC_POS_A5 1058
#define IDC_USE_A6 1053
#define IDC_SHIP_A6 1012
#define IDC_POS_A6 1059
#define IDC_USE_A7 1054
#define IDC_SHIP_A7 1013
#define IDC_POS_A7 1060
#define IDC_USE_A8 1055
#define IDC_SHIP_A8 1014
#define IDC_POS_A8 1061
#define IDC_USE_B1 1062
#define IDC_SHIP_B1 1015
#define IDC_POS_B1 1063
#define IDC_USE_B2 1064
#define IDC_SHIP_B2 1016
#define IDC_POS_B2 1065
#define IDC_USE_B3 1066
#define IDC_SHIP_B3 1017
#define IDC_POS_B3 1072
#define IDC_USE_B4 1067
#define IDC_SHIP_B4 1018
#define IDC_POS_B4 1073
#define IDC_USE_B5 1068
#define IDC_SHIP_B5 1019
#define IDC_POS_B5 1074
#define IDC_USE_B6 1069
#define IDC_SHIP_B6 1020
#define IDC_POS_B6 1075
#define IDC_USE_B7 1070
#define IDC_SHIP_B7 1021
#define IDC_POS_B7 1076
#define IDC_USE_B8 1071
#define IDC_SHIP_B8 1022
#define IDC_POS_B8 1077

// The map window's summary box of each slot, in slot order.
#define IDC_MAP_P1 1037
#define IDC_MAP_P2 1038
#define IDC_MAP_P3 1039
#define IDC_MAP_P4 1040
#define IDC_MAP_P5 1041
#define IDC_MAP_P6 1042
#define IDC_MAP_A1 1043
#define IDC_MAP_A2 1044
#define IDC_MAP_A3 1045
#define IDC_MAP_A4 1046
#define IDC_MAP_A5 1047
#define IDC_MAP_A6 1048
#define IDC_MAP_A7 1049
#define IDC_MAP_A8 1050
#define IDC_MAP_B1 1051
#define IDC_MAP_B2 1052
#define IDC_MAP_B3 1053
#define IDC_MAP_B4 1054
#define IDC_MAP_B5 1055
#define IDC_MAP_B6 1056
#define IDC_MAP_B7 1057
#define IDC_MAP_B8 1058
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
#define IDM_SHOW_PROBLEMS 0x0070
#define IDS_SHOW_PROBLEMS 115
#define IDM_UNDO_LIBRARY 0x0080
#define IDM_REDO_LIBRARY 0x0090

#define IDC_VISIT 1080
#define IDC_TOPIC 1088
#define IDC_TOPIC_TEXT 1091
