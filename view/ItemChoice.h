// A row or column item chosen in the Find Item dialog, for the cell
// definition sheet's Numeric and Text dialogs.
#pragma once

#include "framework/core/String.h"

// Runs Find Item over nTable (1 row items, 2 column items) from "%"; TRUE
// with the chosen item's code and name after OK.
BOOL ChooseItem(int nTable, CString& strCode, CString& strName);
// TRUE when the code fits a cell's item field; else the user is told: cut
// short it would name another item.
BOOL FitsItemField(const CString& strCode);
