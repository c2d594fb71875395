// The sheet view's hooks into the cell definition sheet and page breaks.
// Until those parts are in, each does nothing.
#include "view/TallyformView.h"

void CTallyformView::OnCellProperties()
{
}

void CTallyformView::DrawPageBreaks(CDC*)
{
}

void CTallyformView::OnPageBreakMouseMove(UINT, CPoint)
{
    Default();
}

void CTallyformView::OnPageBreakButtonDown(CPoint)
{
}

void CTallyformView::OnPageBreakButtonUp(CPoint)
{
}
