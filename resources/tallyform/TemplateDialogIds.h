// Resource ids of the Set Report Information and Save Template dialogs.
#pragma once

#define IDD_REPORT_INFO                 309
#define IDD_SAVE_TEMPLATE               473

#define IDC_ORGAN_CODE                  1232
#define IDC_ORGAN_NAME                  1234
#define IDC_PERIOD_PLACE                1235
#define IDC_PERIOD_FIELD                1236
#define IDC_ORGAN_BROWSE                1237
#define IDC_TEMPLATE_NAME               1243
#define IDC_TEMPLATE_LIST               1244
#define IDC_TEMPLATE_FOLDERS            1245
