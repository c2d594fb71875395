// Ids of the BIFF records that the workbook files' readers and writers
// meet.  Ids that differ between the versions come in pairs: BIFF2, later.
// Free of the framework: the native workbook reader checks records by them.
#pragma once

#include <stdint.h>

const uint16_t BIFF2_BOF = 0x0009, BIFF3_BOF = 0x0209, BIFF4_BOF = 0x0409, BIFF5_BOF = 0x0809;
const uint16_t BIFF2_DIMENSIONS = 0x0000, BIFF3_DIMENSIONS = 0x0200;
const uint16_t BIFF2_NUMBER = 0x0003, BIFF3_NUMBER = 0x0203;
const uint16_t BIFF2_BLANK = 0x0001, BIFF2_INTEGER = 0x0002, BIFF2_BOOLERR = 0x0005, BIFF2_XF = 0x0043;
const uint16_t BIFF2_LABEL = 0x0004, BIFF3_LABEL = 0x0204, BIFF8_LABELSST = 0x00FD;
const uint16_t BIFF2_FONT = 0x0031, BIFF3_FONT = 0x0231, BIFF5_FONT = 0x0031;
const uint16_t BIFF2_FORMAT = 0x001E, BIFF4_FORMAT = 0x041E;
const uint16_t BIFF3_XF = 0x0243, BIFF4_XF = 0x0443, BIFF5_XF = 0x00E0;
const uint16_t BIFF_EOF = 0x000A, BIFF_CODEPAGE = 0x0042, BIFF_WINDOW1 = 0x003D, BIFF_WINDOW2 = 0x023E;
const uint16_t BIFF_STYLE = 0x0293, BIFF_BOUNDSHEET = 0x0085, BIFF_FILEPASS = 0x002F;
const uint16_t BIFF_SST = 0x00FC, BIFF_CONTINUE = 0x003C, BIFF_EXTSST = 0x00FF;
// Cell records besides NUMBER and LABEL (BIFF3 on).
const uint16_t BIFF_RK = 0x027E, BIFF_BLANK = 0x0201, BIFF_BOOLERR = 0x0205, BIFF_FORMULA = 0x0006;
const uint16_t BIFF_RSTRING = 0x00D6, BIFF_MULBLANK = 0x00BE, BIFF_MULRK = 0x00BD;
const uint16_t BIFF3_FORMULA = 0x0206, BIFF4_FORMULA = 0x0406, BIFF_STRING = 0x0207, BIFF_ROW = 0x0208;
// A sheet's stream positions of its row blocks.
const uint16_t BIFF_INDEX = 0x020B;
// A sheet's column widths, row heights and window.
const uint16_t BIFF_DEFAULTROWHEIGHT = 0x0225, BIFF_GCW = 0x00AB, BIFF_DEFCOLWIDTH = 0x0055;
const uint16_t BIFF_STANDARDWIDTH = 0x0099, BIFF_COLINFO = 0x007D, BIFF_SCL = 0x00A0, BIFF_PANE = 0x0041;
const uint16_t BIFF2_COLWIDTH = 0x0024;

// The kinds of substream a BOF record opens.
const uint16_t BOF_GLOBALS = 0x0005, BOF_WORKSHEET = 0x0010;
const uint16_t BOF_VB_MODULE = 0x0006, BOF_CHART = 0x0020, BOF_MACRO_SHEET = 0x0040;
