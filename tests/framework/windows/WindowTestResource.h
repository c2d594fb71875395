// Ids of the window tests' dialog template and menu.
#pragma once

#define IDD_DATA_EXCHANGE 100

#define IDC_NAME 1001
#define IDC_COUNT 1002
#define IDC_VALUE 1003
#define IDC_ENABLED 1004
#define IDC_RADIO_FIRST 1005
#define IDC_RADIO_SECOND 1006
#define IDC_RADIO_THIRD 1007
#define IDC_KIND 1008
#define IDC_ITEMS 1009
#define IDC_AFTER_RADIOS 1010

#define IDM_TEST_MENU 200
#define IDM_OPEN 40301
#define IDM_CLOSE 40302
#define IDM_CUT 40303

#define IDD_PAGE_NAME 300
#define IDD_PAGE_COUNT 301
#define IDD_TAHOMA_NAME 302
#define IDC_PAGE_TEXT 3001
#define IDC_PAGE_NUMBER 3002
