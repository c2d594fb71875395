// Resource and control ids of the designer's Format bar.
#pragma once

#define ID_FORMATBAR 33030
#define IDR_FORMATBAR 8
#define IDB_FONT_TYPES 204

#define IDC_FORMATBAR_FACE 32857
#define IDC_FORMATBAR_SIZE 32858
#define IDC_FORMATBAR_CELLTYPE 33004
