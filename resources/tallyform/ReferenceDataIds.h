// Resource ids of the reference-data dialogs: Find Item, the row and column
// item dialogs, organization properties, organizations and the selection by
// organization properties.
#pragma once

#define IDB_CHECK_STATES                224

#define IDD_FIND_ITEM                   318
#define IDD_ORGAN_PROPERTIES            320
#define IDD_ROW_ITEM                    331
#define IDD_ORGANIZATION                332
#define IDD_COLUMN_ITEM                 336
#define IDD_ORGAN_PROPERTY_TREE         337

#define IDC_FIND_BY_CODE                1064
#define IDC_FIND_BY_NAME                1065
#define IDC_FIND_BY_SEARCH_CODE         1066
#define IDC_FIND_LIST                   1145
#define IDC_FIND_TEXT                   32803

#define IDC_ROW_ITEM_ADD                1174
#define IDC_ROW_ITEM_DELETE             1175
#define IDC_ROW_ITEM_MODIFY             1176
#define IDC_ROW_ITEM_FIND               1177
#define IDC_ROW_ITEM_PREVIOUS           1178
#define IDC_ROW_ITEM_NEXT               1179
#define IDC_ROW_ITEM_CODE               1181
#define IDC_ROW_ITEM_NAME               1182
#define IDC_ROW_ITEM_SEARCH_CODE        1183
#define IDC_ROW_ITEM_TYPE               1184

#define IDC_COL_ITEM_PREVIOUS           1194
#define IDC_COL_ITEM_NEXT               1195
#define IDC_COL_ITEM_FIND               1196
#define IDC_COL_ITEM_CODE               1197
#define IDC_COL_ITEM_NAME               1198
#define IDC_COL_ITEM_ADD                1199
#define IDC_COL_ITEM_DELETE             1200
#define IDC_COL_ITEM_MODIFY             1201
#define IDC_COL_ITEM_SEARCH_CODE        1202

#define IDC_PROP_TYPE                   1153
#define IDC_PROP_VALUE_ADD              1154
#define IDC_PROP_VALUE_DELETE           1155
#define IDC_PROP_VALUE_CLEAR            1156
#define IDC_PROP_VALUE_INSERT           1157
#define IDC_PROP_TYPE_ADD               1159
#define IDC_PROP_VALUE_LIST             1160
#define IDC_PROP_TYPE_DELETE            1161
#define IDC_PROP_TYPE_CLEAR             1162
#define IDC_PROP_VALUE                  1163

#define IDC_PROP_SELECT_TREE            1172

#define IDC_ORGAN_EDIT_NAME             1131
#define IDC_ORGAN_EDIT_SEARCH_CODE      1134
#define IDC_ORGAN_EXIT                  1203
#define IDC_ORGAN_FIND                  1204
#define IDC_ORGAN_NEXT                  1205
#define IDC_ORGAN_PREVIOUS              1206
#define IDC_ORGAN_MODIFY                1207
#define IDC_ORGAN_DELETE                1208
#define IDC_ORGAN_ADD                   1209
#define IDC_ORGAN_EDIT_CODE             1210
#define IDC_ORGAN_PROPERTY_TREE         1211
