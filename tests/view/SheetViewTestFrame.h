// The frame resource of the sheet view tests.
#pragma once

#define IDR_SHEETVIEW_TEST_FRAME 7401
