#include "sheet/TemplateStream.h"

#include <string.h>

#include "sheet/Sheet.h"

namespace
{

// The fewest bytes one stored cell takes: name length, flags byte,
// rectangle, four words, six style bytes and the background colour.
const ULONGLONG kMinCellRecord = 4 + 1 + 16 + 16 + 6 + 4;

const LONG kMaxTitle = SHEET_TITLE_LEN - 1;
const LONG kMaxCompany = SHEET_COMPANY_LEN - 1;
const LONG kMaxDesigner = SHEET_DESIGNER_LEN - 1;

void ReadExact(CArchive& ar, void* pBuf, UINT nCount)
{
    if (nCount != 0 && ar.Read(pBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

void WriteText(CArchive& ar, const char* pszField, LONG nMax)
{
    LONG nLength = (LONG)strnlen(pszField, (size_t)nMax);
    ar << nLength;
    if (nLength > 0)
        ar.Write(pszField, (UINT)nLength);
}

// FALSE when the stored length is outside 0..nMax.
BOOL ReadText(CArchive& ar, char* pszField, LONG nMax)
{
    LONG nLength = 0;
    ar >> nLength;
    if (nLength < 0 || nLength > nMax)
        return FALSE;
    memset(pszField, 0, (size_t)nMax + 1);
    ReadExact(ar, pszField, (UINT)nLength);
    return TRUE;
}

void ReadFixed(CArchive& ar, char* pField, UINT cb)
{
    ReadExact(ar, pField, cb);
    pField[cb - 1] = '\0';
}

// A plain word of the tolerant tail: TRUE and the value only when all of
// its bytes arrived.
template<class T>
BOOL ReadTolerant(CArchive& ar, T& value)
{
    BYTE ab[sizeof(T)];
    if (ar.Read(ab, sizeof(T)) != sizeof(T))
        return FALSE;
    ULONGLONG v = 0;
    for (int i = (int)sizeof(T) - 1; i >= 0; --i)
        v = (v << 8) | ab[i];
    value = (T)v;
    return TRUE;
}

// Every field the stream carries except the cells.
void CopyStoredFields(CSheet& dst, const CSheet& src)
{
    dst.m_wMagic = src.m_wMagic;
    dst.m_wVersion = src.m_wVersion;
    dst.m_nKind = src.m_nKind;
    dst.m_nReportType = src.m_nReportType;
    memcpy(dst.m_szTitle, src.m_szTitle, sizeof(dst.m_szTitle));
    memcpy(dst.m_szCode, src.m_szCode, sizeof(dst.m_szCode));
    memcpy(dst.m_szVersion, src.m_szVersion, sizeof(dst.m_szVersion));
    memcpy(dst.m_szDesignDate, src.m_szDesignDate, sizeof(dst.m_szDesignDate));
    memcpy(dst.m_szDesignCompany, src.m_szDesignCompany, sizeof(dst.m_szDesignCompany));
    memcpy(dst.m_szCompanyCode, src.m_szCompanyCode, sizeof(dst.m_szCompanyCode));
    memcpy(dst.m_szDesigner, src.m_szDesigner, sizeof(dst.m_szDesigner));
    dst.m_nHeaderWord1 = src.m_nHeaderWord1;
    dst.m_nHeaderWord2 = src.m_nHeaderWord2;
    dst.m_nCellCount = src.m_nCellCount;

    CopyStringList(dst.m_lstCarried, src.m_lstCarried);
    CopyStringList(dst.m_lstBalance, src.m_lstBalance);

    dst.m_nPageLayout = src.m_nPageLayout;
    dst.m_arrBreaksA.Copy(src.m_arrBreaksA);
    dst.m_arrBreaksB.Copy(src.m_arrBreaksB);
    dst.m_dwPageSetting1 = src.m_dwPageSetting1;
    dst.m_dwPageSetting2 = src.m_dwPageSetting2;
    dst.m_wPageSetting3 = src.m_wPageSetting3;
    dst.m_dwMarginLeft = src.m_dwMarginLeft;
    dst.m_dwMarginRight = src.m_dwMarginRight;
    dst.m_dwMarginTop = src.m_dwMarginTop;
    dst.m_dwMarginBottom = src.m_dwMarginBottom;
    dst.m_nHeaderBand = src.m_nHeaderBand;
    dst.m_nTailBand = src.m_nTailBand;

    dst.m_bAnalysisFlag = src.m_bAnalysisFlag;
    dst.m_nAnAttrType = src.m_nAnAttrType;
    CopyStringList(dst.m_lstAnOrgans, src.m_lstAnOrgans);
    CopyStringList(dst.m_lstAnProperties, src.m_lstAnProperties);
    CopyStringList(dst.m_lstAnTimes, src.m_lstAnTimes);
    CopyStringList(dst.m_lstAnRowItems, src.m_lstAnRowItems);
    CopyStringList(dst.m_lstAnColItems, src.m_lstAnColItems);
    CopyStringList(dst.m_lstDimOuter, src.m_lstDimOuter);
    CopyStringList(dst.m_lstDimInner, src.m_lstDimInner);
}

CStringList* AnalysisLists(CSheet& sheet, int n)
{
    CStringList* const apLists[7] = {
        &sheet.m_lstAnOrgans, &sheet.m_lstAnProperties, &sheet.m_lstAnTimes,
        &sheet.m_lstAnRowItems, &sheet.m_lstAnColItems, &sheet.m_lstDimOuter,
        &sheet.m_lstDimInner };
    return apLists[n];
}

// Reads everything after the header into the scratch sheet.
void ReadBody(CArchive& ar, CSheet& scratch, LONG nCount)
{
    ULONGLONG nLeft = ar.GetBytesRemaining();
    if (nLeft != (ULONGLONG)-1 && (ULONGLONG)nCount > nLeft / kMinCellRecord)
        AfxThrowArchiveException(TEMPLATE_BAD_HEADER);
    scratch.m_cells.SetSize(nCount);
    for (LONG i = 0; i < nCount; ++i)
    {
        CCell& cell = scratch.m_cells[i];
        cell.m_pSheet = &scratch;
        cell.Serialize(ar);
    }

    scratch.m_lstCarried.Serialize(ar);
    scratch.m_lstBalance.Serialize(ar);
    ReadTrailer(ar, scratch);

    LONG nBand = 0;
    if (ReadTolerant(ar, nBand))
    {
        scratch.m_nHeaderBand = nBand;
        if (ReadTolerant(ar, nBand))
            scratch.m_nTailBand = nBand;
    }

    if (scratch.m_nKind == SHEET_KIND_ANALYSIS)
    {
        ar >> scratch.m_bAnalysisFlag;
        ar >> scratch.m_nAnAttrType;
        for (int n = 0; n < 7; ++n)
            AnalysisLists(scratch, n)->Serialize(ar);
    }
}

} // namespace

void WriteSheetHeader(CArchive& ar, CSheet& sheet)
{
    sheet.m_nCellCount = (LONG)sheet.m_cells.GetSize();
    sheet.m_wMagic = SHEET_MAGIC;
    sheet.m_wVersion = SHEET_VERSION;
    ar << sheet.m_wMagic << sheet.m_wVersion << sheet.m_nKind << sheet.m_nReportType;
    WriteText(ar, sheet.m_szTitle, kMaxTitle);
    ar.Write(sheet.m_szCode, sizeof(sheet.m_szCode));
    ar.Write(sheet.m_szVersion, sizeof(sheet.m_szVersion));
    ar.Write(sheet.m_szDesignDate, sizeof(sheet.m_szDesignDate));
    WriteText(ar, sheet.m_szDesignCompany, kMaxCompany);
    ar.Write(sheet.m_szCompanyCode, sizeof(sheet.m_szCompanyCode));
    WriteText(ar, sheet.m_szDesigner, kMaxDesigner);
    ar << sheet.m_nHeaderWord1 << sheet.m_nHeaderWord2 << sheet.m_nCellCount;
}

void WriteTrailer(CArchive& ar, const CSheet& sheet)
{
    ar << sheet.m_nPageLayout;
    const_cast<CDWordArray&>(sheet.m_arrBreaksA).Serialize(ar);
    const_cast<CDWordArray&>(sheet.m_arrBreaksB).Serialize(ar);
    ar << sheet.m_dwPageSetting1 << sheet.m_dwPageSetting2 << sheet.m_wPageSetting3;
    ar << sheet.m_dwMarginLeft << sheet.m_dwMarginRight << sheet.m_dwMarginTop
       << sheet.m_dwMarginBottom;
}

void WriteTemplateStream(CArchive& ar, CSheet& sheet)
{
    WriteSheetHeader(ar, sheet);
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        sheet.m_cells[i].Serialize(ar);
    sheet.m_lstCarried.Serialize(ar);
    sheet.m_lstBalance.Serialize(ar);
    WriteTrailer(ar, sheet);
    ar << sheet.m_nHeaderBand << sheet.m_nTailBand;
    if (sheet.m_nKind == SHEET_KIND_ANALYSIS)
    {
        ar << sheet.m_bAnalysisFlag << sheet.m_nAnAttrType;
        for (int n = 0; n < 7; ++n)
            AnalysisLists(sheet, n)->Serialize(ar);
    }
    ar.Flush();
}

LONG ReadSheetHeader(CArchive& ar, CSheet& sheet)
{
    ar >> sheet.m_wMagic >> sheet.m_wVersion >> sheet.m_nKind >> sheet.m_nReportType;
    if (sheet.m_wMagic != SHEET_MAGIC)
        return -1;
    if (!ReadText(ar, sheet.m_szTitle, kMaxTitle))
        return -1;
    ReadFixed(ar, sheet.m_szCode, sizeof(sheet.m_szCode));
    ReadFixed(ar, sheet.m_szVersion, sizeof(sheet.m_szVersion));
    ReadFixed(ar, sheet.m_szDesignDate, sizeof(sheet.m_szDesignDate));
    if (!ReadText(ar, sheet.m_szDesignCompany, kMaxCompany))
        return -1;
    ReadFixed(ar, sheet.m_szCompanyCode, sizeof(sheet.m_szCompanyCode));
    if (!ReadText(ar, sheet.m_szDesigner, kMaxDesigner))
        return -1;
    ar >> sheet.m_nHeaderWord1 >> sheet.m_nHeaderWord2 >> sheet.m_nCellCount;
    return sheet.m_nCellCount;
}

void ReadTrailer(CArchive& ar, CSheet& sheet)
{
    if (!ReadTolerant(ar, sheet.m_nPageLayout))
        return;
    sheet.m_arrBreaksA.Serialize(ar);
    sheet.m_arrBreaksB.Serialize(ar);
    if (!ReadTolerant(ar, sheet.m_dwPageSetting1) || !ReadTolerant(ar, sheet.m_dwPageSetting2)
        || !ReadTolerant(ar, sheet.m_wPageSetting3) || !ReadTolerant(ar, sheet.m_dwMarginLeft)
        || !ReadTolerant(ar, sheet.m_dwMarginRight) || !ReadTolerant(ar, sheet.m_dwMarginTop))
        return;
    ReadTolerant(ar, sheet.m_dwMarginBottom);
}

void ReadTemplateStream(CArchive& ar, CSheet& sheet)
{
    CSheet scratch;
    CopyStoredFields(scratch, sheet);

    LONG nCount = ReadSheetHeader(ar, scratch);
    if (nCount < 0)
        AfxThrowArchiveException(TEMPLATE_BAD_HEADER);
    ReadBody(ar, scratch, nCount);

    // Everything was read: nothing below can fail.
    sheet.DeleteAllUndoActions();
    CopyStoredFields(sheet, scratch);
    sheet.m_cells.Swap(scratch.m_cells);
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        sheet.m_cells[i].m_pSheet = &sheet;
    sheet.m_cellsAux.RemoveAll();
    sheet.m_arrSel.RemoveAll();
    sheet.m_nCurCell = -1;
    if (sheet.m_cells.GetSize() > 0)
    {
        sheet.m_arrSel.Add(0);
        sheet.m_nCurCell = 0;
    }
    SetRectEmpty(&sheet.m_rcBounds);
    sheet.UpdateBoundingRect();
    ar.Flush();
}
