// The monthly template the data-entry road tests fill in the running
// designer.
#pragma once

#include "sheet/Sheet.h"

// Labels on top, the three key cells (period, organization code and name),
// two figures of row item R1 (columns C1, C2) with their sum, a figure of
// R2 (C1) and two more calculate cells: C3 = A3+B3, B4 = A3-B3, C4 = C3*A4.
// Entry cells carry tab indices 1..6 in the order they are filled.
void MakeEntryTemplate(CSheet& sheet);
// Makes that template and saves it as a template file; FALSE when the
// save failed.
BOOL SaveEntryTemplate(const CString& strPath);
