// Resource and control ids, shared by the .rc files and the code.
#pragma once

// Icons, bitmaps and strings.
#define IDI_VELOCINE 128
#define IDB_MODEM_PORT_SPEEDS 142
#define IDS_ABOUTBOX 101
#define IDS_WIZARD_CAPTION 103

// System menu command that opens the About box.
#define IDM_ABOUTBOX 0x0010

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_MAIN 102
#define IDD_ALERT 149

// About box.
#define IDC_ABOUT_COPYRIGHT 1000
#define IDC_ABOUT_FILEVERSION 1001
#define IDC_ABOUT_VERSION_LABEL 1090

// Main window.
#define IDC_MAIN_SET 1005
#define IDC_MAIN_INTRODUCTION 1007
#define IDC_MAIN_LINK 1027
#define IDC_MAIN_SKIN 1028
#define IDC_MAIN_SPLASH 1031
#define IDC_MAIN_LANGUAGE_LABEL 1039
#define IDC_MAIN_LANGUAGE 1044
#define IDC_MAIN_RESET 1058
#define IDC_MAIN_HINT 1060

// Alert box: OK is IDOK (1), No is IDCANCEL (2), Yes is 3.
#define IDC_ALERT_YES 3
#define IDC_ALERT_TEXT 1030
