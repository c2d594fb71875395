// Command, string, menu and cursor ids of the sheet view.
#pragma once

// View > Mode
#define ID_VIEW_MODE_CELLNAME           33017
#define ID_VIEW_MODE_NORMAL             33018
#define ID_VIEW_MODE_CELLTYPE           33019
#define ID_VIEW_MODE_TABINDEX           33020
#define ID_VIEW_MODE_ITEM               33021
#define ID_VIEW_MODE_COLITEM            33022
// View > Scale
#define ID_VIEW_SCALE_25                33023
#define ID_VIEW_SCALE_50                33024
#define ID_VIEW_SCALE_75                33025
#define ID_VIEW_SCALE_100               33026
#define ID_VIEW_SCALE_150               33027
#define ID_VIEW_SCALE_200               33028
#define ID_VIEW_SCALE_CUSTOM            33029
#define ID_VIEW_CELL_BORDER             33055
#define ID_VIEW_DESIGN_MODE             33006
#define ID_VIEW_RUN_MODE                33007
#define ID_CANCEL_EDIT_SRVR             33003
#define ID_DATA_VERIFY                  32830
#define ID_FILE_PROPERTIES              32820

// Context menu commands
#define ID_CELL_PROPERTY                32861
#define ID_CELL_FORMULA                 32862
#define ID_SETUP_ROW_ITEM               33047
#define ID_SETUP_COLUMN_ITEM            33049
#define ID_ALIGN_LEFT                   32839
#define ID_ALIGN_RIGHT                  32840
#define ID_ALIGN_MIDDLE                 32841
#define ID_ALIGN_TOP                    32842
#define ID_ALIGN_BOTTOM                 32843
#define ID_ALIGN_CENTER                 32844
#define ID_CELL_BACKGROUND_COLOR        32845
#define ID_CELL_FONT                    32846
// Format bar buttons (the colour buttons' ids are in FormatBarIds.h)
#define ID_FORMAT_BOLD                  32854
#define ID_FORMAT_UNDERLINE             32855
#define ID_FORMAT_ITALIC                32856
#define ID_TABLE_ADD_ROW                32804
#define ID_TABLE_DELETE_ROW             32805
#define ID_TABLE_ADD_COLUMN             32806
#define ID_TABLE_DELETE_COLUMN          32807
#define ID_TABLE_SELECT_ROW             32808
#define ID_TABLE_SELECT_COLUMN          32809
#define ID_TABLE_MERGE_CELLS            32810
#define ID_TABLE_SPLIT_CELL             32811
#define ID_TABLE_BALANCE_FORMULA        32814
#define ID_TABLE_ARRANGE_TAB_INDEX      32819
// The Table bar's diagonal lines: bottom-left to top-right, top-left to
// bottom-right
#define ID_DIAGONAL_DOWN                33063
#define ID_DIAGONAL_UP                  33064

// Edit menu
#define ID_EDIT_CLEAR                   57632
#define ID_EDIT_COPY                    57634
#define ID_EDIT_CUT                     57635
#define ID_EDIT_FIND                    57636
#define ID_EDIT_PASTE                   57637
#define ID_EDIT_REPLACE                 57641
#define ID_EDIT_SELECT_ALL              57642
#define ID_EDIT_UNDO                    57643
#define ID_EDIT_REDO                    57644
#define ID_EDIT_FIND_NEXT               33005

// Page breaks and printing
#define ID_VIEW_SHOW_PAGE_BREAK         33015
#define ID_VIEW_SET_PAGE_BREAK          33050

// The Page Setup dialog of the layout mode
#define IDD_PAGE_SETUP                  325
#define IDC_LAYOUT_GENERAL              1115
#define IDC_LAYOUT_OPTIMIZE             1116
#define IDC_LAYOUT_MANUAL               1117

// Strings
#define IDS_ZOOM_RANGE                  426
#define IDS_ZOOM_MAX                    427
#define IDS_PAGE_NO_ROOM                481
#define IDS_CANNOT_REDO                 422
#define IDS_REDO                        423
#define IDS_UNDO                        424
#define IDS_CANNOT_UNDO                 425

// The design-mode context menu (its first submenu)
#define IDR_SHEET_CONTEXT_MENU          478

// Cursors
#define IDC_CURSOR_PICK_CELL            1034
#define IDC_CURSOR_MOVE_VERTICAL        1170
#define IDC_CURSOR_MOVE_HORIZONTAL      1171

// The ruler bars of the child frame: dialog templates and bar ids
#define IDD_HORZ_RULER                  326
#define IDD_VERT_RULER                  327

// The in-place cell editor is the view's child with this id.
#define IDC_CELL_EDITOR                 1164

// Sent to a cell-picking dialog with the release point in client units.
#define WM_PICKCELL                     0x0464

// Commands whose enabling the view decides (the data-file commands are
// in DocumentIds.h)
#define ID_DATA_CLEAR                   33034
#define ID_DATA_CHART_ANALYSIS          32835
#define ID_FILE_NEW_TEMPLATE            57600
#define ID_FILE_SAVE_TEMPLATE           57603
#define ID_FILE_SAVE_TEMPLATE_AS        57604
// View > Toolbars > Table and Format serve design mode only (the main
// frame toggles them)
#define ID_VIEW_TABLE_BAR               33009
#define ID_VIEW_FORMAT_BAR              33011

// The Format bar, a child of the main frame
#define IDC_FORMAT_BAR                  33030
