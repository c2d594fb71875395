// Before the Windows headers, whose min and max macros it cannot take.
#include <algorithm>

#include "sheet/BorderGuides.h"

CBorderGuides::CBorderGuides(const CSheet& sheet)
{
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        const CCell& cell = sheet.m_cells[i];
        const RECT& rc = cell.m_rect;
        // Each edge is keyed by the line it stands on, whichever side of
        // the line its units are drawn.
        if (cell.m_nLeftEdge != CELL_LINE_NONE)
            m_vertical[rc.left].push_back(Span(rc.top, rc.bottom));
        if (cell.m_nRightEdge != CELL_LINE_NONE)
            m_vertical[rc.right].push_back(Span(rc.top, rc.bottom));
        if (cell.m_nTopEdge != CELL_LINE_NONE)
            m_horizontal[rc.top].push_back(Span(rc.left, rc.right));
        if (cell.m_nBottomEdge != CELL_LINE_NONE)
            m_horizontal[rc.bottom].push_back(Span(rc.left, rc.right));
    }
    Merge(m_vertical);
    Merge(m_horizontal);
}

void CBorderGuides::Merge(LineMap& lines)
{
    for (auto& line : lines)
    {
        std::vector<Span>& spans = line.second;
        std::sort(spans.begin(), spans.end());
        std::vector<Span> merged;
        for (const Span& span : spans)
        {
            if (!merged.empty() && span.first <= merged.back().second)
                merged.back().second = (std::max)(merged.back().second, span.second);
            else
                merged.push_back(span);
        }
        spans.swap(merged);
    }
}

std::vector<CBorderGuides::Span> CBorderGuides::GuideSpans(const CCell& cell, BOOL bRight) const
{
    std::vector<Span> gaps;
    if ((bRight ? cell.m_nRightEdge : cell.m_nBottomEdge) != CELL_LINE_NONE)
        return gaps;
    const RECT& rc = cell.m_rect;
    const LineMap& lines = bRight ? m_vertical : m_horizontal;
    LONG nFrom = bRight ? rc.top : rc.left;
    const LONG nTo = bRight ? rc.bottom : rc.right;
    LineMap::const_iterator line = lines.find(bRight ? rc.right : rc.bottom);
    if (line != lines.end())
    {
        for (const Span& covered : line->second)
        {
            if (covered.second <= nFrom)
                continue;
            if (covered.first >= nTo)
                break;
            if (covered.first > nFrom)
                gaps.push_back(Span(nFrom, covered.first));
            nFrom = (std::max)(nFrom, covered.second);
        }
    }
    if (nFrom < nTo)
        gaps.push_back(Span(nFrom, nTo));
    return gaps;
}
