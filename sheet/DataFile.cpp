// The standard headers come first: windows.h defines min and max macros.
#include <stdlib.h>
#include <string.h>

#include <string>
#include <unordered_map>

#include "sheet/DataFile.h"

#include "framework/core/Archive.h"
#include "framework/core/MemFile.h"

namespace
{

// Larger files are not data files this program writes.
const ULONGLONG kMaxDataFile = 256u * 1024u * 1024u;

void WriteText(CArchive& ar, const CString& str)
{
    DWORD nLength = (DWORD)str.GetLength();
    ar << nLength;
    if (nLength > 0)
        ar.Write((LPCSTR)str, nLength);
}

// A length-prefixed text of at most nMax bytes that the rest of the file
// holds; FALSE otherwise.
BOOL ReadText(CArchive& ar, CString& str, ULONGLONG nMax)
{
    DWORD nLength = 0;
    ar >> nLength;
    ULONGLONG nLeft = ar.GetBytesRemaining();
    if (nLength > nMax || nLength > nLeft)
        return FALSE;
    std::string bytes(nLength, '\0');
    if (nLength > 0 && ar.Read(&bytes[0], nLength) != nLength)
        return FALSE;
    str = CString(bytes.data(), (int)nLength);
    return TRUE;
}

BOOL ReadFixed(CArchive& ar, char* pField, UINT cb)
{
    if (ar.Read(pField, cb) != cb)
        return FALSE;
    pField[cb - 1] = '\0';
    return TRUE;
}

// Bytes still to read, of a file whose length the archive knows.
ULONGLONG Left(CArchive& ar)
{
    return ar.GetBytesRemaining();
}

BOOL ParseRecord(CArchive& ar, CDataRecord& record)
{
    DWORD nType = 0;
    ar >> nType;
    if (nType != CELL_TEXT && nType != CELL_NUMERIC)
        return FALSE;
    record.m_nType = (LONG)nType;
    if (!ReadText(ar, record.m_strName, Left(ar)))
        return FALSE;
    if (nType == CELL_NUMERIC
        && (!ReadFixed(ar, record.m_szRowItemCode, sizeof(record.m_szRowItemCode))
            || !ReadFixed(ar, record.m_szColItemCode, sizeof(record.m_szColItemCode))))
        return FALSE;
    return ReadText(ar, record.m_strValue, Left(ar));
}

BOOL Parse(CArchive& ar, ULONGLONG nTotal, CDataFile& data)
{
    ar >> data.m_wMagic;
    if (data.m_wMagic != DATAFILE_TEMPORARY && data.m_wMagic != DATAFILE_SHARED)
        return FALSE;
    if (data.IsShared())
    {
        if (!ReadFixed(ar, data.m_szOrgCode, sizeof(data.m_szOrgCode))
            || !ReadText(ar, data.m_strOrgName, Left(ar)))
            return FALSE;
        ar >> data.m_dwNumeralStyle;
        if (!ReadText(ar, data.m_strPeriodCode, DATAFILE_PERIOD_MAX))
            return FALSE;
    }
    if (!ReadFixed(ar, data.m_szTemplateCode, sizeof(data.m_szTemplateCode))
        || !ReadText(ar, data.m_strTitle, SHEET_TITLE_LEN - 1))
        return FALSE;

    ULONGLONG nFirstRecord = nTotal - Left(ar);
    while (Left(ar) > sizeof(DWORD))
    {
        CDataRecord record;
        if (!ParseRecord(ar, record))
            return FALSE;
        data.m_records.push_back(record);
    }
    if (Left(ar) != sizeof(DWORD))
        return FALSE;
    DWORD dwOffset = 0;
    ar >> dwOffset;
    return dwOffset == nFirstRecord;
}

// The cells by name, the first of each name as FindCellByName finds it.
class CCellNameIndex
{
public:
    explicit CCellNameIndex(CSheet& sheet) : m_sheet(sheet)
    {
        for (INT_PTR i = sheet.m_cells.GetSize() - 1; i >= 0; --i)
        {
            const CString& name = sheet.m_cells[i].m_strName;
            m_index[std::string((LPCSTR)name, (size_t)name.GetLength())] = i;
        }
    }

    CCell* Find(const CString& name) const
    {
        auto it = m_index.find(std::string((LPCSTR)name, (size_t)name.GetLength()));
        return it == m_index.end() ? NULL : &m_sheet.m_cells[it->second];
    }

private:
    CSheet& m_sheet;
    std::unordered_map<std::string, INT_PTR> m_index;
};

BOOL IsSavedCell(const CCell& cell)
{
    if (cell.m_nType == CELL_TEXT)
        return cell.m_bDynamic != 0;
    return cell.m_nType == CELL_NUMERIC && (cell.m_nValueType == 0 || cell.m_nValueType == 1);
}

} // namespace

CDataRecord::CDataRecord() : m_nType(CELL_TEXT)
{
    memset(m_szRowItemCode, 0, sizeof(m_szRowItemCode));
    memset(m_szColItemCode, 0, sizeof(m_szColItemCode));
}

CDataFile::CDataFile(WORD wMagic) : m_wMagic(wMagic), m_dwNumeralStyle(1)
{
    memset(m_szOrgCode, 0, sizeof(m_szOrgCode));
    memset(m_szTemplateCode, 0, sizeof(m_szTemplateCode));
}

void CDataFile::CollectFromSheet(const CSheet& sheet)
{
    CopyCode(m_szTemplateCode, sizeof(m_szTemplateCode), sheet.m_szCode);
    m_strTitle = sheet.m_szTitle;
    m_records.clear();
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        const CCell& cell = sheet.m_cells[i];
        if (!IsSavedCell(cell))
            continue;
        CDataRecord record;
        record.m_nType = cell.m_nType;
        record.m_strName = cell.m_strName;
        record.m_strValue = cell.m_strValue;
        if (cell.m_nType == CELL_NUMERIC)
        {
            CopyCode(record.m_szRowItemCode, sizeof(record.m_szRowItemCode), cell.m_szRowItemCode);
            CopyCode(record.m_szColItemCode, sizeof(record.m_szColItemCode), cell.m_szColItemCode);
        }
        m_records.push_back(record);
    }
}

void CDataFile::SetReportInformation(LPCSTR pszOrgCode, LPCSTR pszOrgName, DWORD dwNumeralStyle,
                                     LPCSTR pszPeriodCode)
{
    CopyCode(m_szOrgCode, sizeof(m_szOrgCode), pszOrgCode);
    m_strOrgName = pszOrgName;
    m_dwNumeralStyle = dwNumeralStyle;
    m_strPeriodCode = CString(pszPeriodCode).Left(DATAFILE_PERIOD_MAX);
}

void CDataFile::Write(CFile& file) const
{
    CMemFile mem(64 * 1024);
    {
        CArchive ar(&mem, CArchive::store);
        ar << m_wMagic;
        if (IsShared())
        {
            ar.Write(m_szOrgCode, sizeof(m_szOrgCode));
            WriteText(ar, m_strOrgName);
            ar << m_dwNumeralStyle;
            WriteText(ar, m_strPeriodCode.Left(DATAFILE_PERIOD_MAX));
        }
        ar.Write(m_szTemplateCode, sizeof(m_szTemplateCode));
        WriteText(ar, CString(m_strTitle).Left(SHEET_TITLE_LEN - 1));
        ar.Flush();
        DWORD dwFirstRecord = (DWORD)mem.GetPosition();
        for (const CDataRecord& record : m_records)
        {
            ar << (DWORD)record.m_nType;
            WriteText(ar, record.m_strName);
            if (record.m_nType == CELL_NUMERIC)
            {
                ar.Write(record.m_szRowItemCode, sizeof(record.m_szRowItemCode));
                ar.Write(record.m_szColItemCode, sizeof(record.m_szColItemCode));
            }
            WriteText(ar, record.m_strValue);
        }
        ar << dwFirstRecord;
        ar.Close();
    }
    file.Write(mem.GetBufferPtr(), (UINT)mem.GetLength());
}

BOOL CDataFile::Read(CFile& file)
{
    // Read whole first: the parser asks for the bytes left after every
    // field, which a memory file answers without a system call.
    file.SeekToBegin();
    ULONGLONG nTotal = file.GetLength();
    if (nTotal > kMaxDataFile)
        return FALSE;
    std::string bytes((size_t)nTotal, '\0');
    if (nTotal > 0 && file.Read(&bytes[0], (UINT)nTotal) != (UINT)nTotal)
        return FALSE;
    CMemFile mem(bytes.data(), (UINT)nTotal);
    CDataFile data(0);
    try
    {
        CArchive ar(&mem, CArchive::load | CArchive::bNoFlushOnDelete, 64 * 1024);
        BOOL bParsed = Parse(ar, nTotal, data);
        ar.Abort();
        if (!bParsed)
            return FALSE;
    }
    catch (CArchiveException* e)
    {
        e->Delete();
        return FALSE;
    }
    *this = data;
    return TRUE;
}

BOOL IsReportDataCell(const CCell& cell)
{
    switch (cell.m_nType)
    {
    case CELL_NUMERIC:
    case CELL_FORMULA:
    case CELL_ORGAN:
    case CELL_ORGANCODE:
    case CELL_REPORTDATE:
        return TRUE;
    case CELL_TEXT:
        return cell.m_bDynamic != 0;
    default:
        return FALSE;
    }
}

BOOL ClearSheetData(CSheet& sheet, BOOL bKeyCells)
{
    BOOL bCleared = FALSE;
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
    {
        CCell& cell = sheet.m_cells[i];
        switch (cell.m_nType)
        {
        case CELL_NUMERIC:
        case CELL_FORMULA:
            cell.m_strValue.Empty();
            bCleared = TRUE;
            break;
        case CELL_TEXT:
            if (cell.m_bDynamic != 0)
            {
                cell.m_strValue.Empty();
                bCleared = TRUE;
            }
            break;
        case CELL_ORGAN:
        case CELL_ORGANCODE:
            if (bKeyCells)
            {
                cell.m_strValue.Empty();
                bCleared = TRUE;
            }
            break;
        case CELL_REPORTDATE:
            if (bKeyCells)
            {
                memset(cell.m_szDateCode, 0, sizeof(cell.m_szDateCode));
                bCleared = TRUE;
            }
            break;
        default:
            break;
        }
    }
    return bCleared;
}

void ApplyDataFile(CSheet& sheet, const CDataFile& data)
{
    if (data.IsShared())
    {
        BOOL bOrgCode = FALSE, bOrgName = FALSE;
        for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        {
            CCell& cell = sheet.m_cells[i];
            if (cell.m_nType == CELL_ORGANCODE && !bOrgCode)
            {
                cell.m_strValue = data.m_szOrgCode;
                bOrgCode = TRUE;
            }
            else if (cell.m_nType == CELL_ORGAN && !bOrgName && !data.m_strOrgName.IsEmpty())
            {
                cell.m_strValue = data.m_strOrgName;
                bOrgName = TRUE;
            }
            else if (cell.m_nType == CELL_REPORTDATE && !data.m_strPeriodCode.IsEmpty())
            {
                CopyCode(cell.m_szDateCode, sizeof(cell.m_szDateCode), data.m_strPeriodCode);
                cell.m_nDateStyle = (LONG)data.m_dwNumeralStyle;
            }
        }
    }

    CCellNameIndex index(sheet);
    for (const CDataRecord& record : data.m_records)
    {
        CCell* pCell = index.Find(record.m_strName);
        if (pCell == NULL || pCell->m_nType != record.m_nType)
            continue;
        if (record.m_nType == CELL_TEXT)
        {
            pCell->m_strValue = record.m_strValue;
            continue;
        }
        CopyCode(pCell->m_szRowItemCode, sizeof(pCell->m_szRowItemCode), record.m_szRowItemCode);
        CopyCode(pCell->m_szColItemCode, sizeof(pCell->m_szColItemCode), record.m_szColItemCode);
        if (!record.m_strValue.IsEmpty())
            pCell->m_strValue = record.m_strValue;
        if (data.IsShared())
        {
            CopyCode(pCell->m_szOrgCode, sizeof(pCell->m_szOrgCode), data.m_szOrgCode);
            CopyCode(pCell->m_szPeriodCode, sizeof(pCell->m_szPeriodCode), data.m_strPeriodCode);
        }
    }
}

int DescribeItemCodeChanges(CSheet& sheet, const CDataFile& data, CString& strFirst)
{
    CCellNameIndex index(sheet);
    int nChanged = 0;
    for (const CDataRecord& record : data.m_records)
    {
        if (record.m_nType != CELL_NUMERIC)
            continue;
        const CCell* pCell = index.Find(record.m_strName);
        if (pCell == NULL || pCell->m_nType != CELL_NUMERIC)
            continue;
        CString strRow(pCell->m_szRowItemCode, (int)strnlen(pCell->m_szRowItemCode, CELL_CODE_LEN));
        CString strCol(pCell->m_szColItemCode, (int)strnlen(pCell->m_szColItemCode, CELL_CODE_LEN));
        if (strRow == record.m_szRowItemCode && strCol == record.m_szColItemCode)
            continue;
        if (nChanged++ == 0)
            strFirst.Format("%s: %s/%s becomes %s/%s", (LPCSTR)record.m_strName, (LPCSTR)strRow, (LPCSTR)strCol,
                            record.m_szRowItemCode, record.m_szColItemCode);
    }
    return nChanged;
}

void AddDataFileValues(CSheet& sheet, const CDataFile& data)
{
    CCellNameIndex index(sheet);
    for (const CDataRecord& record : data.m_records)
    {
        if (record.m_nType != CELL_NUMERIC || record.m_strValue.IsEmpty())
            continue;
        CCell* pCell = index.Find(record.m_strName);
        if (pCell == NULL || pCell->m_nType != CELL_NUMERIC || pCell->m_nValueType != 0)
            continue;
        pCell->m_strValue.Format("%.4f", atof(pCell->m_strValue) + atof(record.m_strValue));
    }
}
