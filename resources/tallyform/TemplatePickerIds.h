// Resource ids of the New Template sheet, the Select Template dialog and
// the template folder tree's menu and drag cursors.
#pragma once

#define IDR_FOLDER_TREE_MENU            17

#define IDD_NEW_TEMPLATE_GENERAL        330
#define IDD_NEW_TEMPLATE_SIMILAR        335
#define IDD_SELECT_TEMPLATE             472

#define IDC_CURSOR_DROP_NONE            475
#define IDC_CURSOR_DROP_NONE_COPY       476
#define IDC_CURSOR_DROP_COPY            477

#define IDC_NEW_TEMPLATE_KINDS          1173

#define ID_FOLDER_ADD_TYPE              33068
#define ID_FOLDER_DELETE                33069
#define ID_FOLDER_ADD_SUBTYPE           33070
#define ID_FOLDER_RENAME                33071
#define ID_FOLDER_PROPERTY              33072
#define ID_FOLDER_REFRESH               33073
