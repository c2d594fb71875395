// The framework's own command ids, the ones its handlers and the programs'
// menus share.  Only #defines, so resource scripts can include it.
#pragma once

#define ID_FILE_NEW 57600           // 0xE100
#define ID_FILE_OPEN 57601
#define ID_FILE_CLOSE 57602
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_PAGE_SETUP 57605
#define ID_FILE_PRINT_SETUP 57606
#define ID_FILE_PRINT 57607
#define ID_FILE_PRINT_DIRECT 57608
#define ID_FILE_PRINT_PREVIEW 57609
#define ID_FILE_SEND_MAIL 57612

// The recent-file entries of the File menu; the first is also the
// placeholder item the menu resource carries.
#define ID_FILE_MRU_FILE1 57616     // 0xE110
#define ID_FILE_MRU_FILE16 57631

#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_HELP_FINDER 57667
#define ID_CONTEXT_HELP 57669
#define ID_HELP 57670

// The frame's bar toggles: each command is the id of the bar it shows or
// hides.
#define ID_VIEW_TOOLBAR 59392       // 0xE800
#define ID_VIEW_STATUS_BAR 59393
