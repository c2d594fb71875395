// Resource ids of the sheet view's command dialogs: Split Cell, Set
// Display Scale, Balance Formula and Formula Explain.
#pragma once

#define IDD_DISPLAY_SCALE               301
#define IDD_SPLIT_CELL                  321
#define IDD_BALANCE_FORMULA             322
#define IDD_FORMULA_EXPLAIN             334

// Split Cell
#define IDC_SPLIT_ROWS                  1002
#define IDC_SPLIT_COLUMNS               1003
#define IDC_SPLIT_MERGE_FIRST           1035
// Set Display Scale
#define IDC_SCALE_SPIN                  1118
#define IDC_SCALE_EDIT                  1119
// Balance Formula
#define IDC_BALANCE_EDIT                1018
#define IDC_BALANCE_LIST                1083
#define IDC_BALANCE_ADD                 1086
#define IDC_BALANCE_DELETE              1087
#define IDC_BALANCE_CLEAR               1088
#define IDC_BALANCE_MODIFY              1090
// Formula Explain
#define IDC_EXPLAIN_NOTE                1218
#define IDC_EXPLAIN_PLUS                1219
#define IDC_EXPLAIN_MINUS               1221
#define IDC_EXPLAIN_TIMES               1223
#define IDC_EXPLAIN_DIVIDE              1225
#define IDC_EXPLAIN_OPEN                1227
#define IDC_EXPLAIN_CLOSE               1229
#define IDC_EXPLAIN_FORMULA             1231
#define IDC_EXPLAIN_EXPLAIN             1233

// Pictures of the Formula Explain buttons: + - * / ( ) OK Cancel
#define IDB_EXPLAIN_PLUS                223
#define IDB_EXPLAIN_MINUS               225
#define IDB_EXPLAIN_TIMES               226
#define IDB_EXPLAIN_DIVIDE              227
#define IDB_EXPLAIN_OPEN                228
#define IDB_EXPLAIN_CLOSE               229
#define IDB_EXPLAIN_OK                  230
#define IDB_EXPLAIN_CANCEL              231
