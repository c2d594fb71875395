// CLineStyleCombo: the owner-drawn drop-down list of an edge's line style
// on the General page: items 0 to 4 ("(None)", thin, thick, dotted,
// dash-dot), each drawn as the line it stands for.
#pragma once

#include "framework/windows/ComboBox.h"

class CLineStyleCombo : public CComboBox
{
public:
    // Height of the items and of the selection field, in pixels.
    enum { ITEM_HEIGHT = 25 };

    // The five styles as items (item data only), a dropped width of 120,
    // the item height, and nStyle selected (no selection for -1).
    void FillStyles(int nStyle);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
};
