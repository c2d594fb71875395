// The sheet view's hooks into the cell commands and cell picking.  Until
// those parts are in, each does nothing.
#include "view/TallyformView.h"

void CTallyformView::OnCellProperties()
{
}

void CTallyformView::EditCellFormula(int)
{
}

CWnd* CTallyformView::GetCellPickDialog()
{
    return NULL;
}
