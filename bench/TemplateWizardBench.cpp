// Times what the Create Template wizard's Finish sets off: the default item
// template (title and key cells, the item grid, the footer) of 100 row items
// by 20 column items, built into a new document.
#include <stdio.h>

#include "bench/BenchClock.h"
#include "sheet/document/TallyformDoc.h"
#include "view/ItemSelection.h"

namespace
{
const int ROW_ITEMS = 100;
const int COL_ITEMS = 20;
const int RUNS = 10;
const double GOAL_MS = 200.0;

class CBenchDoc : public CTallyformDoc
{
public:
    CBenchDoc() { m_bAutoDelete = FALSE; }
};

// The entries as the item steps leave them in the document.
void ChooseItems(CSheet& sheet)
{
    sheet.m_lstWizRowItems.RemoveAll();
    sheet.m_lstWizColItems.RemoveAll();
    for (int i = 0; i < ROW_ITEMS; ++i)
    {
        CString strCode, strName;
        strCode.Format("R%04d", i);
        strName.Format("Row item number %d", i);
        sheet.m_lstWizRowItems.AddTail(FormatItemListEntry(strCode, strName));
    }
    for (int i = 0; i < COL_ITEMS; ++i)
    {
        CString strCode, strName;
        strCode.Format("C%02d", i);
        strName.Format("Column %d", i);
        sheet.m_lstWizColItems.AddTail(FormatItemListEntry(strCode, strName));
    }
}
}

int main()
{
    CNewTemplateFields fields;
    fields.strName = "Bench template";
    fields.strCode = "BENCH01";
    fields.bByItems = TRUE;
    fields.bItemsDown = TRUE;
    fields.nGroups = 1;
    INT_PTR nCells = 0;
    double dMs = BenchBestOf(RUNS, [&]() {
        CBenchDoc doc;
        ChooseItems(doc.m_sheet);
        doc.CreateTemplateFromWizard(fields);
        nCells = doc.m_sheet.m_cells.GetSize();
    });
    printf("%-52s %8.2f ms  (goal %.0f ms: %s)\n", "Finish: 100 x 20 item template built", dMs, GOAL_MS,
           dMs < GOAL_MS ? "met" : "missed");
    printf("%-52s %8d\n", "cells", (int)nCells);
    return dMs < GOAL_MS ? 0 : 1;
}
