// Windowless geometry behind the sheet view's mouse: which cell holds a
// point, which cells move with a dragged border, the range the border may
// take, snapping to cell edges, and applying the drag.  All in sheet units.
#pragma once

#include "sheet/Sheet.h"

// The first cell in array order whose rectangle holds the point (right
// and bottom edges excluded), or -1.
int HitTestCell(const CSheet& sheet, int x, int y);

// The range a dragged border may take.
struct CBorderDragRange
{
    int nMin;
    int nMax;
};

// For a press on the border at (x, y) of the sheet's border class
// (HIT_VERTICAL_BORDER or HIT_HORIZONTAL_BORDER): fills the sheet's border
// lists and move kind (1 the selected segment, 2 the whole line, -1
// refused) and returns the range the border may be dragged within.
CBorderDragRange CollectBorderCells(CSheet& sheet, int x, int y);

// Moves *pPoint onto the first cell edge within nTolerance: the left or
// right edge of a cell whose vertical span holds the point (bHorizontal
// FALSE), or its top or bottom edge (bHorizontal TRUE).  Points with x or
// y below 6 are never moved.  TRUE when it snapped.
BOOL SnapToCellEdge(const CSheet& sheet, POINT* pPoint, BOOL bHorizontal, int nTolerance);

// Applies the collected drag with the border now at nPos (x for a
// vertical border, y for a horizontal one).  FALSE, changing nothing, when
// the drag was refused, has no cell on its near side or moved less than 2
// units.  A segment move recomputes the sheet's extent; a whole-line move
// sets its right (or bottom) to the farthest cell edge.
BOOL CanApplyBorderMove(const CSheet& sheet, int nPos);
void ApplyBorderMove(CSheet& sheet, int nPos);
