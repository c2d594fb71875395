// Where View > Cell Border draws its dotted guides: along the parts of the
// cells' right and bottom sides on which no border lies, drawn by the cell
// itself or by a cell on the other side of the line, so that a guide never
// stands beside a real border and hides it.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "sheet/Sheet.h"

class CBorderGuides
{
public:
    // From, to along a side, the end excluded.
    typedef std::pair<LONG, LONG> Span;

    explicit CBorderGuides(const CSheet& sheet);

    // The parts of the cell's right side (bRight) or bottom side that take
    // a guide, in order; none where the cell draws its own edge.
    std::vector<Span> GuideSpans(const CCell& cell, BOOL bRight) const;

private:
    typedef std::map<LONG, std::vector<Span>> LineMap;

    static void Merge(LineMap& lines);

    // By the line's coordinate (x of a vertical line, y of a horizontal
    // one): the parts of it that some cell's border covers, merged.
    LineMap m_vertical;
    LineMap m_horizontal;
};
