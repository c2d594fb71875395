// Resource ids of the engine libraries' own dialogs and pictures.  Each
// library holds its own copy, loaded from its own module.
#pragma once

// Dialog templates.
#define IDD_UPDATE_CONFIRM 104
#define IDD_BRASSLOCK_PROGRESS 5000
#define IDD_ODBC_PROGRESS 8000

// Warning pictures of the overwrite question.
#define IDB_BRASSLOCK_WARNING 129
#define IDB_ODBC_WARNING 9005

// Progress dialog controls.
#define IDC_ENGINE_PROGRESS_BAR 1003
#define IDC_ENGINE_PROGRESS_PERCENT 1004

// Overwrite question controls.
#define IDC_CONFIRM_PICTURE 1000
#define IDC_CONFIRM_TO_ALL 1001
#define IDC_CONFIRM_UPDATE 1002
#define IDC_CONFIRM_CANCEL 1003
#define IDC_CONFIRM_WARNING 1004
#define IDC_CONFIRM_REPORT_DATE 9001
#define IDC_CONFIRM_ORGAN 9002
#define IDC_CONFIRM_COL_ITEM 9003
#define IDC_CONFIRM_ROW_ITEM 9004
#define IDC_CONFIRM_LINE 9005
#define IDC_CONFIRM_OLD_DATA 9006
#define IDC_CONFIRM_CURRENT_DATA 9007
