// Ids of the control bar tests' resources and commands.
#pragma once

#define IDR_BAR_FRAME 7400
#define IDR_TEST_BAR 7401
#define IDD_TEST_DIALOGBAR 7402
#define IDR_SHORT_BAR 7403

#define ID_BAR_OPEN 7411
#define ID_BAR_SAVE 7412
#define ID_BAR_BOLD 7413
#define ID_BAR_MODE 7414
#define ID_BAR_NOHANDLER 7415
#define ID_BAR_NOPROMPT 7416

#define IDC_BAR_FIELD 7421
