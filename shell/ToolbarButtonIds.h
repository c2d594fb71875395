// The command ids of a toolbar resource (RT_TOOLBAR) in button order, and
// the image index a command's button has in the toolbar's bitmap.
#pragma once

#include "framework/core/Array.h"

// FALSE when the resource is missing or malformed; separators read as 0.
BOOL ReadToolbarButtonIds(HINSTANCE hInstance, UINT nToolbarID, CUIntArray& rIds);
// Separators take no image, so buttons count up from 0 skipping them; -1
// when nID is not on the toolbar.
int ToolbarButtonImageIndex(const CUIntArray& ids, UINT nID);
