// Resource ids of the designer's application object, frames and the
// connect database dialog.
#pragma once

// Frames, menus and accelerators
#define IDR_SERVER_INPLACE              2
#define IDR_SERVER_EMBEDDED             3
#define IDR_MAINFRAME                   4
#define IDR_TALLYFORM_TEMPLATE          5
#define IDR_TABLE_BAR                   6
#define IDR_FULL_SCREEN_BAR             7
#define IDR_FORMAT_BAR                  8
#define IDR_MODE_MENU                   10
#define IDR_DATA_BAR                    11

// Strings
#define IDS_OLE_INIT_FAILED             1
#define IDS_HELP_FILE                   419
#define IDS_EDITOR_HELP_FILE            401

// About dialog
#define IDD_ABOUTBOX                    300
#define IDC_ABOUT_ICON                  1238

// Connect database dialog
#define IDD_CONNECT_DATABASE            311
#define IDC_CONNECT_DATABASE_NAME       1004
#define IDC_CONNECT_PASSWORD            1019
#define IDC_CONNECT_DATABASE_BROWSE     1097
#define IDC_CONNECT_TYPE                1128
#define IDC_CONNECT_SERVER              1129
#define IDC_CONNECT_SERVER_BROWSE       1132
#define IDC_CONNECT_USER                1143
#define IDC_CONNECT_ON_STARTUP          1150

// Commands of the application and the frames
#define ID_SETUP_ORGANIZATIONS          32832
#define ID_SETUP_ROW_ITEMS              32833
#define ID_SETUP_COLUMN_ITEMS           32834
#define ID_SETUP_ORGAN_PROPERTIES       32836
#define ID_DATABASE_CONNECT             32837
#define ID_DATABASE_DISCONNECT          32838
#define ID_VIEW_DESIGN_MODE             33006
#define ID_VIEW_RUN_MODE                33007
#define ID_VIEW_TOOLBAR_NORMAL          33008
#define ID_VIEW_TOOLBAR_TABLE           33009
#define ID_VIEW_TOOLBAR_DATA            33010
#define ID_VIEW_TOOLBAR_FORMAT          33011
#define ID_VIEW_ZOOM_COMBO              33013
#define ID_VIEW_SHOW_RULERS             33014
#define ID_VIEW_FULL_SCREEN             33016
