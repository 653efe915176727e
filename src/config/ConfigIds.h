/* Resource and control numbers of the settings dialog, its pages and the About box: shared by the
   resource script (so plain #defines only) and the code. */
#ifndef QM_CONFIG_IDS_H
#define QM_CONFIG_IDS_H

/* Templates, menu, bitmaps, icon, string */
#define IDD_SCREENSAVER_CONFIG 129
#define IDR_CONFIG_MENU 132
#define IDB_CHECKED 135
#define IDB_PARTLY_CHECKED 136
#define IDB_UNCHECKED 137
#define IDD_TAB_SETTING 139
#define IDD_TAB_TRANSITIONS 140
#define IDD_TAB_PUBLISHER 141
#define IDD_TAB_DESCRIPTION 142
#define IDD_ABOUTBOX 143
#define IDI_ABOUT 145
#define IDS_ABOUTBOX 2

/* Commands */
#define IDM_ABOUTBOX 16
#define ID_FILE_SAVE 57603
#define ID_VISIT_WEBSITE 32773

/* Settings dialog */
#define IDC_DIALOG_PICTURE 3316
#define IDC_PAGE_TABS 3317
#define IDC_PAGE_OK 1011

/* Setting page */
#define IDC_ANY_EVENT 1001
#define IDC_MOUSE_MOVE 1017
#define IDC_MOUSE_LEFT_CLICK 1002
#define IDC_MOUSE_RIGHT_CLICK 1018
#define IDC_MOUSE_DOUBLE_CLICK 1019
#define IDC_ESC_KEY 1020
#define IDC_ENTER_KEY 1021
#define IDC_SPECIFIED_KEY 1022
#define IDC_KEY_LABEL 1046
#define IDC_KEY_TEXT 1023
#define IDC_MOUSE_THRESHOLD 1024
#define IDC_MUTE 1025
#define IDC_TIME_LIMIT 1026
#define IDC_MINUTES_TEXT 1027
#define IDC_MINUTES_SPIN 1028
#define IDC_MONITOR 1050

/* Transitions page */
#define IDC_USE_OWN_TRANSITIONS 1029
#define IDC_RANDOM_TRANSITIONS 1038
#define IDC_SELECT_ALL 1032
#define IDC_CLEAR_ALL 1034
#define IDC_SPEED 1033
#define IDC_EFFECT_LIST 998

/* Publisher and Description pages */
#define IDC_PUBLISHER_AUTHOR 1039
#define IDC_PUBLISHER_DESCRIPTION 1035
#define IDC_DESCRIPTION 1036
#define IDC_HOME_PAGE_LINK 1990
#define IDC_EMAIL_LINK 1991

/* About box */
#define IDC_ABOUT_ICON 1040
#define IDC_ABOUT_NAME 1042
#define IDC_ABOUT_VERSION 1043
#define IDC_ABOUT_COPYRIGHT 1044
#define IDC_ABOUT_MEMORY 1045

#endif
