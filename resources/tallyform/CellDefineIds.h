// Resource ids of the cell definition sheet: the General and Cell Format
// pages and the Cell Format page's child dialogs of each cell type.
#pragma once

#define IDD_CELL_NUMERIC                302
#define IDD_CELL_TEXT                   303
#define IDD_CELL_FORMULA                305
#define IDD_CELL_PICTURE                306
#define IDD_CELL_DATE                   308
#define IDD_DEF_VISUAL                  323
#define IDD_DEF_CELLDATA                324

// General page
#define IDC_DEF_NAME                    1004
#define IDC_DEF_TABINDEX                1005
#define IDC_DEF_FONT                    1036
#define IDC_DEF_BACKCOLOR               1037
#define IDC_DEF_LEFT_COLOR              1038
#define IDC_DEF_TOP_COLOR               1039
#define IDC_DEF_RIGHT_COLOR             1040
#define IDC_DEF_BOTTOM_COLOR            1041
#define IDC_DEF_UPDIAG_COLOR            1042
#define IDC_DEF_DOWNDIAG_COLOR          1043
#define IDC_DEF_LEFT_STYLE              1044
#define IDC_DEF_TOP_STYLE               1045
#define IDC_DEF_RIGHT_STYLE             1046
#define IDC_DEF_BOTTOM_STYLE            1047
#define IDC_DEF_UPDIAG_STYLE            1048
#define IDC_DEF_DOWNDIAG_STYLE          1049
#define IDC_DEF_ALIGN_LEFT              1103
#define IDC_DEF_ALIGN_MIDDLE            1104
#define IDC_DEF_ALIGN_RIGHT             1105
#define IDC_DEF_ALIGN_TOP               1106
#define IDC_DEF_ALIGN_CENTER            1107
#define IDC_DEF_ALIGN_BOTTOM            1108
#define IDC_DEF_LEFT_ICON               1109
#define IDC_DEF_TOP_ICON                1110
#define IDC_DEF_RIGHT_ICON              1111
#define IDC_DEF_BOTTOM_ICON             1112
#define IDC_DEF_UPDIAG_ICON             1113
#define IDC_DEF_DOWNDIAG_ICON           1114

// Cell Format page
#define IDC_CELLDATA_TYPES              1252
#define IDC_CELLDATA_DETAIL             1253

// Numeric
#define IDC_NUMERIC_ROWITEM_EDIT        1016
#define IDC_NUMERIC_COLITEM_EDIT        1017
#define IDC_NUMERIC_COLITEM             1095
#define IDC_NUMERIC_ROWITEM             1096
#define IDC_NUMERIC_CURRENCY            1123
#define IDC_NUMERIC_UNIT                1124
#define IDC_NUMERIC_TYPE                1125
#define IDC_NUMERIC_FORMAT              1127
// Numeric and Text
#define IDC_CELL_ANALYSIS_EDIT          1286
#define IDC_CELL_ANALYSIS               1287
// Text
#define IDC_TEXT_EDIT                   1015
#define IDC_TEXT_STATIC                 1060
#define IDC_TEXT_DYNAMIC                1061
#define IDC_TEXT_FROM_COLITEM           1093
#define IDC_TEXT_FROM_ROWITEM           1094
// Formula
#define IDC_FORMULA_EDIT                1018
#define IDC_FORMULA_EXPLAIN             1092
#define IDC_FORMULA_NOTE                1136
// Report Date
#define IDC_DATE_CHINESE                1220
#define IDC_DATE_DEFAULT                1222
#define IDC_DATE_SAMPLE                 1224
// Picture
#define IDC_PICTURE_FILE                1001
#define IDC_PICTURE_FIT                 1033
#define IDC_PICTURE_BROWSE              1091
#define IDC_PICTURE_CLEAR               1217

// Alignment button pictures, released (UP) and pressed (DOWN); HMIDDLE is
// the horizontal middle (Align Center), VCENTER the vertical centre (Align
// Middle)
#define IDB_ALIGN_LEFT_DOWN             205
#define IDB_ALIGN_VCENTER_UP            206
#define IDB_ALIGN_RIGHT_UP              207
#define IDB_ALIGN_LEFT_UP               208
#define IDB_ALIGN_VCENTER_DOWN          209
#define IDB_ALIGN_RIGHT_DOWN            210
#define IDB_ALIGN_TOP_DOWN              211
#define IDB_ALIGN_TOP_UP                212
#define IDB_ALIGN_BOTTOM_DOWN           213
#define IDB_ALIGN_BOTTOM_UP             214
#define IDB_ALIGN_HMIDDLE_DOWN          215
#define IDB_ALIGN_HMIDDLE_UP            216
// Edge icons: left, top, right, bottom, up diagonal, down diagonal
#define IDB_EDGE_LEFT                   217
#define IDB_EDGE_TOP                    218
#define IDB_EDGE_RIGHT                  219
#define IDB_EDGE_BOTTOM                 220
#define IDB_EDGE_UPDIAG                 221
#define IDB_EDGE_DOWNDIAG               222

// Strings
#define IDS_TIP_ALIGN_LEFT              453
#define IDS_TIP_EDGE_DOWNDIAG           464
#define IDS_CELL_NAME_EXISTED           465
#define IDS_CELL_TABINDEX_EXISTED       466
#define IDS_DATE_SAMPLE_CHINESE         470
#define IDS_DATE_SAMPLE_DEFAULT         471
