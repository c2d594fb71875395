// The framework's own command ids, the ones its handlers and the programs'
// menus share.  Only #defines, so resource scripts can include it.
#pragma once

#define ID_FILE_NEW 57600           // 0xE100
#define ID_FILE_PRINT_DIRECT 57608

// The recent-file entries of the File menu; the first is also the
// placeholder item the menu resource carries.
#define ID_FILE_MRU_FILE1 57616     // 0xE110
#define ID_FILE_MRU_FILE16 57631
