// The framework's own command ids, the ones its handlers and the programs'
// menus share.  Only #defines, so resource scripts can include it.
#pragma once

#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108

// The recent-file entries of the File menu; the first is also the
// placeholder item the menu resource carries.
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_FILE16 0xE11F
