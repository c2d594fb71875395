// Resource ids of the owner-drawn menu tests.
#pragma once

#define IDM_TEST_MENU 9100
#define IDT_TEST_FIRST 9401
#define IDT_TEST_SECOND 9402
#define IDT_TEST_NO_BITMAP 9403
#define IDT_TEST_MISSING 9499

#define ID_TEST_OPEN 9201
#define ID_TEST_SAVE 9202
#define ID_TEST_EXIT 9203
#define ID_TEST_FIRST 9210
#define ID_TEST_CUT 9301
#define ID_TEST_COPY 9302
#define ID_TEST_PASTE 9303
