// Reading the printer named by a DEVNAMES block, as the print and page
// set-up dialogs return it.
#pragma once

#include "framework/core/String.h"

enum DevNamesField
{
    DEVNAMES_DRIVER,
    DEVNAMES_DEVICE,
    DEVNAMES_OUTPUT
};

// One of the block's names; empty when there is no block.
CString AfxGetDevNamesField(HGLOBAL hDevNames, DevNamesField nField);
// A DC of the printer named, with the settings of hDevMode (may be NULL);
// NULL when there is no such printer.
HDC AfxCreateDCFromDevNames(HGLOBAL hDevNames, HGLOBAL hDevMode);
// A new movable block with the bytes of hBlock; NULL for NULL or when
// memory runs out.  The caller frees it.
HGLOBAL AfxCopyGlobalBlock(HGLOBAL hBlock);
