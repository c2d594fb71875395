// Ids of the application tests' resources: a main frame with the
// recent-file placeholder and a note template with its child-frame menu.
#pragma once

#define IDR_APP_MAIN 7401
#define IDR_APP_NOTE 7402

#define ID_TEST_NOTE_CMD 7410
#define ID_TEST_APP_EXIT 7411
