#include "engines/dao/ReportingNames.h"

namespace
{

struct CReportingTable
{
    LPCSTR lpszName;
    std::vector<LPCSTR> columns;
    // The columns that hold codes and names, always texts.
    std::vector<LPCSTR> textColumns;
};

const std::vector<CReportingTable>& ReportingTables()
{
    static const std::vector<CReportingTable> kTables{
        {"ss_datalist",
         {"FD_Time", "FD_OrgCode", "FD_RowItemCode", "FD_ColItemCode", "FD_Line", "FD_CurType", "FD_Value"},
         {"FD_Time", "FD_OrgCode", "FD_RowItemCode", "FD_ColItemCode"}},
        {"ss_Organ", {"FD_Code", "FD_Name", "FD_SearchCode"}, {"FD_Code", "FD_Name", "FD_SearchCode"}},
        {"ss_Attribute",
         {"FD_AttrTypeCode", "FD_AttrTypeName", "FD_ValCode", "FD_ValName"},
         {"FD_AttrTypeName", "FD_ValName"}},
        {"ss_OrgAttr", {"FD_OrgCode", "FD_AttrTypeCode", "FD_ValCode"}, {"FD_OrgCode"}},
        {"ss_item", {"FD_Code", "FD_Name", "FD_SearchCode", "FD_Type"}, {"FD_Code", "FD_Name", "FD_SearchCode"}},
        {"ss_colitem", {"FD_Code", "FD_Name", "FD_SearchCode"}, {"FD_Code", "FD_Name", "FD_SearchCode"}},
        {"ss_reportlog",
         {"FD_TemplateCode", "FD_OrgCode", "FD_ReportType", "FD_StartDate", "FD_EndDate"},
         {"FD_TemplateCode", "FD_OrgCode", "FD_StartDate", "FD_EndDate"}},
    };
    return kTables;
}

BOOL BeginsWith(LPCSTR lpszFull, const CString& strStart)
{
    return !strStart.IsEmpty() && CString(lpszFull).Left(strStart.GetLength()).CompareNoCase(strStart) == 0;
}

const CReportingTable* FindTable(const CString& strName)
{
    for (const CReportingTable& table : ReportingTables())
        if (strName.CompareNoCase(table.lpszName) == 0)
            return &table;
    return NULL;
}

BOOL Holds(const std::vector<CString>& columns, LPCSTR lpszName)
{
    for (const CString& strColumn : columns)
        if (strColumn.CompareNoCase(lpszName) == 0)
            return TRUE;
    return FALSE;
}

} // namespace

CString FullReportingTableName(const CString& strName)
{
    const CReportingTable* pFound = NULL;
    for (const CReportingTable& table : ReportingTables())
    {
        if (strName.CompareNoCase(table.lpszName) == 0)
            return table.lpszName;
        if (BeginsWith(table.lpszName, strName))
        {
            if (pFound != NULL)
                return strName;
            pFound = &table;
        }
    }
    return pFound != NULL ? CString(pFound->lpszName) : strName;
}

void RestoreReportingColumns(const CString& strTable, std::vector<CString>& columns)
{
    const CReportingTable* pTable = FindTable(strTable);
    if (pTable == NULL)
        return;
    for (size_t i = 0; i < columns.size(); ++i)
    {
        if (Holds(std::vector<CString>(pTable->columns.begin(), pTable->columns.end()), columns[i]))
            continue;
        LPCSTR lpszChosen = NULL;
        int nCandidates = 0;
        for (LPCSTR lpszColumn : pTable->columns)
            if (BeginsWith(lpszColumn, columns[i]) && !Holds(columns, lpszColumn))
            {
                ++nCandidates;
                lpszChosen = lpszColumn;
            }
        if (i < pTable->columns.size() && BeginsWith(pTable->columns[i], columns[i]) && !Holds(columns, pTable->columns[i]))
            columns[i] = pTable->columns[i];
        else if (nCandidates == 1)
            columns[i] = lpszChosen;
    }
}

CString MissingReportingTable(const std::vector<CString>& tables)
{
    for (const CReportingTable& table : ReportingTables())
        if (!Holds(tables, table.lpszName))
            return table.lpszName;
    return CString();
}

CString MissingReportingColumn(const CString& strTable, const std::vector<CString>& columns)
{
    const CReportingTable* pTable = FindTable(strTable);
    if (pTable != NULL)
        for (LPCSTR lpszColumn : pTable->columns)
            if (!Holds(columns, lpszColumn))
                return lpszColumn;
    return CString();
}

BOOL IsReportingTextColumn(const CString& strTable, const CString& strColumn)
{
    const CReportingTable* pTable = FindTable(FullReportingTableName(strTable));
    if (pTable == NULL)
        return FALSE;
    for (LPCSTR lpszColumn : pTable->textColumns)
        if (strColumn.CompareNoCase(lpszColumn) == 0)
            return TRUE;
    return FALSE;
}
