// Ids of the progress dialog and the start-up splash.
#pragma once

#define IDD_PERCENT_PROGRESS 12
#define IDS_PROGRESS_CAPTION 13
#define IDC_PROGRESS_BAR 15
#define IDC_PROGRESS_TEXT 16
#define IDB_STARTUP_SPLASH 19
#define IDS_SUMMING_DATA 33065
#define IDS_COMPUTING_CELLS 33066
