#include "shell/CellTypeComboBox.h"

IMPLEMENT_DYNAMIC(CCellTypeComboBox, CFormatBarCombo)

void CCellTypeComboBox::AddCellTypes()
{
    static const char* const kNames[] = {"Normal",     "Text",        "Data",    "Report Organ",
                                         "Organ Code", "Report Date", "Formula", "Picture"};
    for (const char* pszName : kNames)
        AddString(pszName);
}
