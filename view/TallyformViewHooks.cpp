// The sheet view's hook into the cell definition sheet.  Until that part is
// in, it does nothing.
#include "view/TallyformView.h"

void CTallyformView::OnCellProperties()
{
}
