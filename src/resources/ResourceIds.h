#pragma once

// Every id the resource script defines and the code uses. Macros, so that the resource compiler
// reads them too. Control ids are unique within their dialog only.

// Icon and cursor
#define IDI_DOCTOR 128
#define IDR_HAND_CURSOR 1224

// Dialog templates
#define IDD_ABOUT 100
#define IDD_MAIN 102
#define IDD_HELP 130
#define IDD_REPORT 131

// Main window
#define IDC_REPORT_LOG 1000
#define IDC_STATUS_LINE 1002

// "Doctor's Report"
#define IDC_GENERATE_TRACE 1004
#define IDC_REPORT_WEB_LINK 1006
#define IDC_SUBMIT 1007
#define IDC_DIAGNOSIS_TEXT 1008
#define IDC_ADVICE_TEXT 1009
#define IDC_FINDINGS_LIST 1010
#define IDC_FINDING_FIX 1011

// Help
#define IDC_HELP_CONTACT_LINK 1005
#define IDC_HELP_TIPS_LINK 1006
#define IDC_HELP_HOME_LINK 1007

// About
#define IDC_ABOUT_WEB_LINK 1003

// String table: the system menu's About item and the prognosis texts
#define IDS_ABOUT_MENU 101
#define IDS_HEALTHY_DIAGNOSIS 102
#define IDS_HEALTHY_ADVICE 103
#define IDS_DAMAGED_DIAGNOSIS 108
#define IDS_DAMAGED_ADVICE 109
#define IDS_NOT_INSTALLED_DIAGNOSIS 112
#define IDS_NOT_INSTALLED_ADVICE 113
#define IDS_SYSTEM_COMPONENT_ADVICE 114
#define IDS_SYSTEM_COMPONENT_DIAGNOSIS 115
#define IDS_UNCONFIGURED_DIAGNOSIS 116
#define IDS_UNCONFIGURED_ADVICE 117
