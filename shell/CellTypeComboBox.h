// CCellTypeComboBox: the Format bar's list of the eight cell types, whose
// item index is the cell type code.
#pragma once

#include "shell/FormatBarCombo.h"

class CCellTypeComboBox : public CFormatBarCombo
{
    DECLARE_DYNAMIC(CCellTypeComboBox)
public:
    // Adds the type names in code order.
    void AddCellTypes();
};
