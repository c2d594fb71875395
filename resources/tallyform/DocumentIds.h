// Command and string ids of the designer's document.
#pragma once

// Commands
#define ID_FILE_SAVE_DATA_TO_FILE       32826
#define ID_FILE_SAVE_DATA_TO_DATABASE   32827
#define ID_FILE_LOAD_DATA_FROM_FILE     32828
#define ID_FILE_LOAD_DATA_FROM_DATABASE 32829
#define ID_CELL_TEXT                    32848
#define ID_CELL_ORGAN                   32849
#define ID_CELL_ORGANCODE               32850
#define ID_CELL_DATETIME                32851
#define ID_CELL_NUMERIC                 32852
#define ID_CELL_CALCULATE               32853
#define ID_DATA_SUM_FROM_DATABASES      33031
#define ID_CELL_PICTURE                 33033
#define ID_TABLE_VERIFY                 33046
#define ID_DATA_SUM_FROM_FILES          33056
#define ID_DATA_BATCH_IMPORT            33058
#define ID_FILE_SAVE_TO_PDF             33082
#define ID_ANALYSIS                     33086
#define ID_ANALYSIS_CHANGE_ORGANS       33093
#define ID_ANALYSIS_CHANGE_PROPERTIES   33094
#define ID_ANALYSIS_CHANGE_TIMES        33095
#define ID_ANALYSIS_CHANGE_ROW_ITEMS    33096
#define ID_ANALYSIS_CHANGE_COL_ITEMS    33097
// The editor's menu carries the same analysis commands under ids of its own.
#define ID_EDITOR_ANALYSIS                      33076
#define ID_EDITOR_ANALYSIS_CHANGE_ORGANS        33077
#define ID_EDITOR_ANALYSIS_CHANGE_PROPERTIES    33078
#define ID_EDITOR_ANALYSIS_CHANGE_TIMES         33079
#define ID_EDITOR_ANALYSIS_CHANGE_ROW_ITEMS     33080
#define ID_EDITOR_ANALYSIS_CHANGE_COL_ITEMS     33081
// The editor's Excel workbook exchange.
#define ID_DATA_IMPORT_EXCEL                    33098
#define ID_DATA_EXPORT_EXCEL                    33099

// The view's in-place cell editor
#define IDC_CELL_EDITOR                 1164

// Strings
#define IDS_READ_TEMPLATE_ERROR         400

// Sum data files dialog
#define IDD_SUM_FILES                   310
#define IDC_SUM_ADD_FILES               1239
#define IDC_SUM_DELETE                  1240
#define IDC_SUM_CLEAR                   1241
#define IDC_SUM_FILE_LIST               1242
