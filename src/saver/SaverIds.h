#pragma once
// Resource numbers of the screensaver window, shared by its resource script and its code.

#define IDI_SCREENSAVER 128

// Screensaver window
#define IDD_SCREENSAVER 102
#define IDC_SAVER_OK 1047
#define IDC_SAVER_CANCEL 1048

// Popup menu of the show in Program mode
#define IDR_SAVER_MENU 147
#define ID_PROGRAM_SETTING 32776
#define ID_PROGRAM_EXIT 32777
