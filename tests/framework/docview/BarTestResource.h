// Ids of the control bar tests' resources and commands.
#pragma once

#define IDR_BAR_FRAME 7600
#define IDR_TEST_BAR 7601
#define IDD_TEST_DIALOGBAR 7602
#define IDR_SHORT_BAR 7603

#define ID_BAR_OPEN 7611
#define ID_BAR_SAVE 7612
#define ID_BAR_BOLD 7613
#define ID_BAR_MODE 7614
#define ID_BAR_NOHANDLER 7615
#define ID_BAR_NOPROMPT 7616

#define IDC_BAR_FIELD 7621
