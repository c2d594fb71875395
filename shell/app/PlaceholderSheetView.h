// CPlaceholderSheetView: a blank view that stands in the document template
// until the sheet view is part of the program.
#pragma once

#include "framework/docview/View.h"

class CPlaceholderSheetView : public CView
{
    DECLARE_DYNCREATE(CPlaceholderSheetView)
public:
    void OnDraw(CDC* pDC) override;
};
