// The run-mode order in which the in-place editor travels over a sheet:
// the tab order for Tab and Enter, and the cells that take data entry for
// the arrow keys.  Built from the sheet on the switch to run mode.
#pragma once

#include <vector>

#include "sheet/Sheet.h"

// TRUE when the cell takes data entry in run mode: a numeric cell whose
// value type is not 2, a dynamic Text cell, a report-date cell, and the
// organization name and code cells while the organizations can be listed.
BOOL IsEntryCell(const CCell& cell, BOOL bOrganOpen);

class CCellTabOrder
{
public:
    CCellTabOrder();

    // Every cell: those with a tab index by ascending index (equal indices
    // in array order), then those without one in array order; and the
    // entry cells in array order, less those the database computes.
    void Build(const CSheet& sheet, BOOL bOrganOpen);
    void Clear();

    const std::vector<int>& Order() const { return m_order; }
    // How many leading entries of Order() have a tab index.
    int TabbedCount() const { return m_nTabbed; }
    const std::vector<int>& EntryCells() const { return m_entryCells; }

    // The cell Tab or Enter moves to from nCell: the next entry cell after
    // nCell's place among the cells with a tab index, wrapping to the
    // first; each cell tested again with bOrganOpen.  -1 when nCell has no
    // tab index or is not in the order, or when the order no longer fits
    // the sheet.
    int NextCell(const CSheet& sheet, int nCell, BOOL bOrganOpen) const;
    // The first entry cell of the whole order, or -1.
    int FirstEntryCell(const CSheet& sheet, BOOL bOrganOpen) const;
    // The nearest entry cell in the direction of an arrow key (VK_LEFT,
    // VK_UP, VK_RIGHT, VK_DOWN), or -1.
    int FindCellInDirection(const CSheet& sheet, int nCell, int nKey) const;

private:
    std::vector<int> m_order;
    int m_nTabbed;
    std::vector<int> m_entryCells;
};
