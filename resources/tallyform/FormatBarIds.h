// Resource and control ids of the designer's Format bar.
#pragma once

#define ID_FORMATBAR 33030
#define IDR_FORMATBAR 8
#define IDB_FONT_TYPES 204

#define IDC_FORMATBAR_FACE 32857
#define IDC_FORMATBAR_SIZE 32858
#define IDC_FORMATBAR_CELLTYPE 33004

// The colour buttons, each with a drop-down arrow, and their images.
#define ID_FORMAT_TEXT_COLOR 32859
#define ID_FORMAT_BACK_COLOR 32860
#define IMAGE_FORMAT_TEXT_COLOR 13
#define IMAGE_FORMAT_BACK_COLOR 14
