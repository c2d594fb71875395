#include "shell/app/PlaceholderSheetView.h"

IMPLEMENT_DYNCREATE(CPlaceholderSheetView, CView)

void CPlaceholderSheetView::OnDraw(CDC*) {}
