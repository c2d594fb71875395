// Ids of the frame tests' resources and commands.
#pragma once

#define IDR_ROUTING_FRAME 7201
#define IDR_MDI_FRAME 7202
#define IDR_NOTE_MENU 7203
#define IDR_MISSING 7299

#define ID_TEST_VIEW_CMD 7301
#define ID_TEST_DOC_CMD 7302
#define ID_TEST_FRAME_CMD 7303
#define ID_TEST_APP_CMD 7304
#define ID_TEST_SHARED_CMD 7305
#define ID_TEST_UNHANDLED_CMD 7306
