// The 40 named colours of the colour popup, in grid order (8 a row).
#pragma once

#include <windows.h>

struct ColourTableEntry
{
    COLORREF crColour;
    const char* pszName;
};

const int COLOUR_TABLE_SIZE = 40;
extern const ColourTableEntry g_colourTable[COLOUR_TABLE_SIZE];
