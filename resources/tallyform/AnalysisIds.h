// Resource ids of the Data Gather dialog, the analysis wizard's steps and
// the change-parameters dialog.
#pragma once

#define IDD_DATA_GATHER                 328
#define IDD_AN_SELECT_DIM               487
#define IDD_AN_SELECT_PROP              488
#define IDD_AN_SELECT_ORGAN             489
#define IDD_AN_SELECT_TIME              490
#define IDD_AN_CHANGE_PARA              492

// Data Gather
#define IDC_GATHER_TIME_ALL             1068
#define IDC_GATHER_TIME_STAND           1070
#define IDC_GATHER_TIME_BETWEEN         1072
#define IDC_GATHER_PROPERTIES           1098
#define IDC_GATHER_ADD                  1099
#define IDC_GATHER_REMOVE               1100
#define IDC_GATHER_ADD_ALL              1101
#define IDC_GATHER_REMOVE_ALL           1102
#define IDC_GATHER_REPORTS              1166
#define IDC_GATHER_SELECTED             1167
#define IDC_GATHER_TIME_CHOICE          1185
#define IDC_GATHER_STAND_FRAME          1186
#define IDC_GATHER_FROM_FRAME           1188
#define IDC_GATHER_TO_FRAME             1189
#define IDC_GATHER_STAND_FIELD          1191
#define IDC_GATHER_FROM_FIELD           1192
#define IDC_GATHER_TO_FIELD             1193

// Dimension step
#define IDC_AN_KIND_ORGANS              1062
#define IDC_AN_KIND_PROPERTIES          1063
#define IDC_AN_DIM_TO_COLUMNS           1267
#define IDC_AN_DIM_COLUMNS              1268
#define IDC_AN_DIM_ROWS                 1269
#define IDC_AN_DIM_TO_ROWS              1270

// Property step
#define IDC_AN_PROP_TYPE                1271
#define IDC_AN_PROP_LIST                1272
#define IDC_AN_PROP_SELECTED            1273
#define IDC_AN_PROP_ADD                 1274
#define IDC_AN_PROP_REMOVE              1275

// Organization step
#define IDC_AN_ORGAN_LIST               1276
#define IDC_AN_ORGAN_SELECTED           1277
#define IDC_AN_ORGAN_ADD                1278
#define IDC_AN_ORGAN_REMOVE             1279

// Time step
#define IDC_AN_TIME_ADD                 1086
#define IDC_AN_TIME_REMOVE              1087
#define IDC_AN_TIME_TYPE                1258
#define IDC_AN_TIME_TO_FIELD            1259
#define IDC_AN_TIME_FROM_FIELD          1261
#define IDC_AN_TIME_FROM_FRAME          1280
#define IDC_AN_TIME_SELECTED            1281
#define IDC_AN_TIME_TO_FRAME            1282
