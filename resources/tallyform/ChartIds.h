// Resource ids of the chart dialog.
#pragma once

#define IDD_CHART                       307

#define IDC_CHART_GRID                  1212
#define IDC_CHART_LEGEND                1213
#define IDC_CHART_CONTROL               1214
#define IDC_CHART_TYPE                  1215
#define IDC_CHART_TITLE                 1216
