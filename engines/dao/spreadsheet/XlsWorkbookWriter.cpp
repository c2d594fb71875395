#include "engines/dao/spreadsheet/XlsWorkbookFile.h"

#include "engines/dao/SourceNumbers.h"
#include "engines/dao/spreadsheet/BiffWorkbookBuilder.h"
#include "engines/dao/spreadsheet/BiffWorkbookParts.h"
#include "engines/dao/spreadsheet/MemoryLockBytes.h"
#include "engines/dao/spreadsheet/SheetFileIo.h"
#include "framework/core/WideText.h"
#include "framework/db/DBText.h"
#include "framework/docview/OleStreamFile.h"
#include "framework/docview/ScopedInterface.h"

namespace
{

const size_t BIFF5_MAX_ROWS = 16384;
const size_t BIFF8_MAX_ROWS = 65536;
const size_t MAX_COLUMNS = 256;
const int MAX_SHEET_NAME = 31;
const char SHEET_NAME_BANNED[] = ":\\/?*[]";
// A smaller stream would go into the compound file's short-stream area,
// where some readers do not look for the workbook.
const size_t MIN_WORKBOOK_STREAM = 4096;

BOOL IsWritableVersion(int nVersion)
{
    return nVersion == 2 || nVersion == 3 || nVersion == 4 || nVersion == 5 || nVersion == 8;
}

LPCSTR VersionName(int nVersion)
{
    switch (nVersion)
    {
    case 2: return "Excel 2.1";
    case 3: return "Excel 3.0";
    case 4: return "Excel 4.0";
    case 5: return "Excel 5.0";
    default: return "Excel 97";
    }
}

// A table name (UTF-8, as a sheet names it) for a message.
CString Shown(const CString& strName)
{
    return DBTextFromDriver(strName);
}

// Why a table's field names or values, written as texts, do not fit a
// cell of the version; "" when they do.
CString TextMisfit(const CSourceTable& table, const CBiffWorkbookBuilder::CSheetFacts& facts, int nVersion)
{
    const int nMax = CBiffWorkbookBuilder::MaxCellText(nVersion);
    CString strMisfit;
    for (const CString& strColumn : table.m_columns)
    {
        if (CBiffWorkbookBuilder::IsLongerThanCell(strColumn, nVersion))
        {
            strMisfit.Format("the name of a field of table '%s' has more than the %d characters written to an %s cell",
                             (LPCSTR)Shown(table.m_strName), nMax, VersionName(nVersion));
            return strMisfit;
        }
    }
    if (facts.bLongText)
        strMisfit.Format("a value of table '%s' has more than the %d characters written to an %s cell",
                         (LPCSTR)Shown(table.m_strName), nMax, VersionName(nVersion));
    return strMisfit;
}

// Judged by characters of the UTF-8 name.
BOOL HoldsBannedSheetNameCharacter(const CString& strName)
{
    const CWideText wide(strName, strName.GetLength(), CP_UTF8);
    for (int i = 0; i < wide.GetLength(); ++i)
    {
        const WCHAR ch = wide.GetString()[i];
        if (ch != 0 && ch < 0x80 && strchr(SHEET_NAME_BANNED, (char)ch) != NULL)
            return TRUE;
    }
    return FALSE;
}

CString SheetNameMisfit(const std::vector<CSourceTable>& tables, size_t nTable, int nVersion)
{
    const CString& strName = tables[nTable].m_strName;
    const int nLength = CWideText(strName, strName.GetLength(), CP_UTF8).GetLength();
    // Up to Excel 5.0 a name is of the workbook's code page, the system's.
    CString strBytes;
    BOOL bInexact = FALSE;
    if (nVersion < 8)
        DBTextFromDriver(strName, strName.GetLength(), strBytes, CP_ACP, &bInexact);
    CString strMisfit;
    if (bInexact)
        strMisfit.Format("the sheet name '%s' has characters that code page %u lacks", (LPCSTR)Shown(strName),
                         GetACP());
    else if (strName.IsEmpty() || nLength > MAX_SHEET_NAME)
        strMisfit.Format("a sheet name has 1 to %d characters, '%s' does not fit", MAX_SHEET_NAME,
                         (LPCSTR)Shown(strName));
    else if (HoldsBannedSheetNameCharacter(strName))
        strMisfit.Format("the sheet name '%s' holds one of the characters %s", (LPCSTR)Shown(strName),
                         SHEET_NAME_BANNED);
    for (size_t i = 0; i < nTable && strMisfit.IsEmpty(); ++i)
    {
        if (tables[i].m_strName.CompareNoCase(strName) == 0)
            strMisfit.Format("two tables are named '%s'", (LPCSTR)Shown(strName));
    }
    return strMisfit;
}

// Why no workbook of the version can hold the tables, whatever their
// rows; "" when one can.
CString WorkbookMisfit(const std::vector<CSourceTable>& tables, int nVersion)
{
    CString strMisfit;
    if (!IsWritableVersion(nVersion))
    {
        strMisfit.Format("no Excel file of BIFF version %d can be written", nVersion);
        return strMisfit;
    }
    if (tables.empty())
        return "there is no table to write";
    if (nVersion <= 4 && tables.size() > 1)
        strMisfit.Format("an %s file holds one worksheet, not %u", VersionName(nVersion), (unsigned)tables.size());
    return strMisfit;
}

// Why the tables, whose rows the builder wrote, do not fit the version; ""
// when they do.
CString SheetsMisfit(const std::vector<CSourceTable>& tables, const CBiffWorkbookBuilder& builder, int nVersion)
{
    const size_t nMaxRows = nVersion == 8 ? BIFF8_MAX_ROWS : BIFF5_MAX_ROWS;
    const std::vector<CBiffWorkbookBuilder::CSheetFacts>& facts = builder.GetFacts();
    CString strMisfit;
    for (size_t i = 0; i < tables.size() && i < facts.size() && strMisfit.IsEmpty(); ++i)
    {
        const CSourceTable& table = tables[i];
        // A sheet copied from the workbook read fits as it did there.
        if (facts[i].bKept)
            continue;
        if (facts[i].nRows + 1 > nMaxRows)
            strMisfit.Format("table '%s' has %u rows, and an %s worksheet holds %u below the row of field names",
                             (LPCSTR)Shown(table.m_strName), (unsigned)facts[i].nRows, VersionName(nVersion),
                             (unsigned)nMaxRows - 1);
        else if (table.m_columns.size() > MAX_COLUMNS)
            strMisfit.Format("table '%s' has %u fields, and an %s worksheet holds %u columns",
                             (LPCSTR)Shown(table.m_strName), (unsigned)table.m_columns.size(), VersionName(nVersion),
                             (unsigned)MAX_COLUMNS);
        else if (nVersion >= 5 && !builder.IsBuiltOnRead())
            strMisfit = SheetNameMisfit(tables, i, nVersion);
        if (strMisfit.IsEmpty())
            strMisfit = TextMisfit(table, facts[i], nVersion);
    }
    return strMisfit;
}

// Builds the workbook of the tables in the version; FALSE with why it
// cannot be written ("Cannot write ...").
BOOL BuildWorkbook(const CString& strPath, const std::vector<CSourceTable>& tables, CBiffWorkbookBuilder& builder,
                   int nVersion, CString& strError)
{
    CString strMisfit = WorkbookMisfit(tables, nVersion);
    if (strMisfit.IsEmpty() && !builder.Build(tables, strMisfit))
        strMisfit = "its rows cannot be read: " + strMisfit;
    if (strMisfit.IsEmpty())
        strMisfit = SheetsMisfit(tables, builder, nVersion);
    if (strMisfit.IsEmpty())
        return TRUE;
    strError.Format("Cannot write %s: %s.", (LPCSTR)strPath, (LPCSTR)strMisfit);
    return FALSE;
}

// The compound file holding the workbook stream, made in memory through
// the system's structured storage; the file itself is then written whole,
// so that its failures are told as for any other file.  FALSE when the
// storage cannot be made (it fails only for want of memory).
BOOL BuildCompoundFile(LPCSTR lpszStreamName, const std::vector<BYTE>& stream, std::vector<BYTE>& file)
{
    CMemoryLockBytes bytes;
    {
        CScopedInterface<IStorage> storage;
        CScopedInterface<IStream> contents;
        ULONG nWritten = 0;
        if (FAILED(StgCreateDocfileOnILockBytes(&bytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                                &storage)) ||
            FAILED(storage->CreateStream(CWidePath(lpszStreamName), STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE,
                                         0, 0, &contents)) ||
            FAILED(contents->Write(stream.data(), (ULONG)stream.size(), &nWritten)) || nWritten != stream.size())
            return FALSE;
        contents.Release();
        if (FAILED(storage->Commit(STGC_DEFAULT)))
            return FALSE;
    }
    file.swap(bytes.GetBytes());
    return TRUE;
}

// Writes the workbook the builder holds, in the version it was built in.
BOOL WriteBuiltWorkbook(const CString& strPath, CBiffWorkbookBuilder& builder, int nBiffVersion, CString& strError)
{
    std::vector<BYTE>& bytes = builder.GetBytes();
    if (nBiffVersion <= 4)
        return WriteSheetFile(strPath, bytes, strError);
    if (bytes.size() < MIN_WORKBOOK_STREAM)
        bytes.resize(MIN_WORKBOOK_STREAM);
    std::vector<BYTE> file;
    if (!BuildCompoundFile(nBiffVersion == 8 ? "Workbook" : "Book", bytes, file))
    {
        strError = "There is not enough memory to write " + strPath + ".";
        return FALSE;
    }
    return WriteSheetFile(strPath, file, strError);
}

} // namespace

BOOL WriteXlsWorkbook(const CString& strPath, const std::vector<CSourceTable>& tables, int nBiffVersion,
                      CString& strError)
{
    CBiffWorkbookBuilder builder(nBiffVersion);
    return BuildWorkbook(strPath, tables, builder, nBiffVersion, strError)
           && WriteBuiltWorkbook(strPath, builder, nBiffVersion, strError);
}

BOOL WriteXlsWorkbookAsRead(const CString& strPath, const std::vector<CSourceTable>& tables, int nReadVersion,
                            const CString& strReadFrom, CString& strError)
{
    // A workbook that cannot be walked is written as the tables alone.
    CBiffWorkbookParts read;
    const BOOL bBuildOnRead = !strReadFrom.IsEmpty() && read.Read(strReadFrom, nReadVersion);
    // Whether the tables fit is known once they are built: a fit is
    // written as built, a misfit built again as Excel 97.
    if (nReadVersion != 8)
    {
        CBiffWorkbookBuilder builder(nReadVersion);
        if (bBuildOnRead)
            builder.KeepFrom(read);
        CString strMisfit;
        if (BuildWorkbook(strPath, tables, builder, nReadVersion, strMisfit))
            return WriteBuiltWorkbook(strPath, builder, nReadVersion, strError);
    }
    CBiffWorkbookBuilder builder(8);
    if (bBuildOnRead)
        builder.KeepFrom(read);
    return BuildWorkbook(strPath, tables, builder, 8, strError) && WriteBuiltWorkbook(strPath, builder, 8, strError);
}
