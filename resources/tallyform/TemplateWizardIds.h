// Resource ids of the Create Template wizard, its step pages, the item
// steps and the Template Properties dialog.
#pragma once

#define IDB_WIZARD_STEP1                200
#define IDB_WIZARD_STEP2                201
#define IDB_WIZARD_STEP3                202
#define IDB_WIZARD_STEP4                203

#define IDD_CREATE_TEMPLATE             312
#define IDD_TEMPLATE_INFO               313
#define IDD_TEMPLATE_LAYOUT             315
#define IDD_SELECT_ROW_ITEMS            316
#define IDD_SELECT_COL_ITEMS            317
#define IDD_TEMPLATE_PROPERTIES         319

#define IDS_WIZARD_STEP1                408
#define IDS_WIZARD_STEP2                409
#define IDS_WIZARD_STEP3                410
#define IDS_WIZARD_STEP4                411
#define IDS_TEMPLATE_KIND_FORM          413
#define IDS_TEMPLATE_KIND_COUNT         414

// Wizard frame
#define IDC_WIZARD_NEXT                 1120
#define IDC_WIZARD_FRAME                1130
#define IDC_WIZARD_STEP_PICTURE         1151
#define IDC_WIZARD_PREVIOUS             33000

// Template attributes (the first step and the properties dialog)
#define IDC_TEMPLATE_ATTR_NAME          1006
#define IDC_TEMPLATE_ATTR_CODE          1007
#define IDC_TEMPLATE_ATTR_VERSION       1008
#define IDC_TEMPLATE_ATTR_ORGAN_CODE    1009
#define IDC_TEMPLATE_ATTR_DESIGNER      1010
#define IDC_TEMPLATE_ATTR_ORGAN         1011
#define IDC_TEMPLATE_ATTR_DATE          1012
#define IDC_TEMPLATE_ATTR_TYPE          1126

// Rows and columns step
#define IDC_LAYOUT_ROWS                 1002
#define IDC_LAYOUT_ITEMS_AS_ROWS        1058
#define IDC_LAYOUT_ITEMS_AS_COLUMNS     1059
#define IDC_LAYOUT_BY_ITEMS             1135
#define IDC_LAYOUT_COLUMNS              1141
#define IDC_LAYOUT_SPLIT_COLUMNS        1228
#define IDC_LAYOUT_SPLIT_NUMBER         1230

// Item steps
#define IDC_ITEMS_BY_NAME               1137
#define IDC_ITEMS_BY_SEARCH_CODE        1138
#define IDC_ITEMS_BY_CODE               1139
#define IDC_ITEMS_SEARCH                1226
#define IDC_ITEMS_ADD                   1086
#define IDC_ITEMS_REMOVE                1089
#define IDC_ROW_ITEMS_SELECTED          1084
#define IDC_ROW_ITEMS_LIST              1085
#define IDC_COL_ITEMS_LIST              1144
#define IDC_COL_ITEMS_SELECTED          1146

// Template properties counts
#define IDC_PROPS_NORMAL_COUNT          1074
#define IDC_PROPS_TEXT_COUNT            1075
#define IDC_PROPS_ORGAN_NAME_COUNT      1076
#define IDC_PROPS_DATE_COUNT            1077
#define IDC_PROPS_DATA_COUNT            1078
#define IDC_PROPS_FORMULA_COUNT         1079
#define IDC_PROPS_ORGAN_CODE_COUNT      1080
#define IDC_PROPS_TOTAL_COUNT           1081
#define IDC_PROPS_KIND                  1082
