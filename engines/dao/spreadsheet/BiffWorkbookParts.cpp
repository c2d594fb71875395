#include "engines/dao/spreadsheet/BiffWorkbookParts.h"

#include <algorithm>

#include "engines/dao/spreadsheet/BiffRecordIds.h"
#include "engines/dao/spreadsheet/BiffRecordReader.h"
#include "engines/dao/spreadsheet/MemoryLockBytes.h"
#include "engines/dao/spreadsheet/SheetFileIo.h"
#include "framework/docview/OleStreamFile.h"
#include "framework/docview/ScopedInterface.h"

namespace
{

// Code page numbers Excel writes for the Windows code page 1252.
const WORD CODEPAGE_EXCEL_1252 = 32769;
const WORD CODEPAGE_EXCEL_MAC = 32768;
const UINT CP_MAC_ROMAN = 10000;

// The segments of the shared string table (the SST record's data and each
// CONTINUE record's after it), read as one run of bytes in which a
// string's characters, where a segment ends among them, go on after a
// byte of flags.
class CSstSegments
{
public:
    void Add(const BYTE* p, size_t n) { m_segments.push_back({p, n}); }

    BOOL ReadBytes(size_t n, std::vector<BYTE>& bytes)
    {
        while (n > 0)
        {
            if (!NextSegmentIfDone())
                return FALSE;
            const CSegment& segment = m_segments[m_nSegment];
            size_t nPart = std::min(n, segment.nSize - m_nAt);
            bytes.insert(bytes.end(), segment.p + m_nAt, segment.p + m_nAt + nPart);
            m_nAt += nPart;
            n -= nPart;
        }
        return TRUE;
    }

    BOOL ReadChars(size_t nChars, BOOL bWide, std::vector<WCHAR>& text)
    {
        while (nChars > 0)
        {
            if (m_nAt >= m_segments[m_nSegment].nSize)
            {
                if (++m_nSegment >= m_segments.size() || m_segments[m_nSegment].nSize == 0)
                    return FALSE;
                bWide = (m_segments[m_nSegment].p[0] & 0x01) != 0;
                m_nAt = 1;
            }
            const CSegment& segment = m_segments[m_nSegment];
            const size_t nSize = bWide ? 2 : 1;
            size_t nPart = std::min(nChars, (segment.nSize - m_nAt) / nSize);
            if (nPart == 0)
                return FALSE;  // a character cut in two
            for (size_t i = 0; i < nPart; ++i, m_nAt += nSize)
                text.push_back(bWide ? (WCHAR)(segment.p[m_nAt] | segment.p[m_nAt + 1] << 8) : segment.p[m_nAt]);
            nChars -= nPart;
        }
        return TRUE;
    }

    DWORD ReadNumber(size_t nBytes, BOOL& bOk)
    {
        std::vector<BYTE> bytes;
        bOk = bOk && ReadBytes(nBytes, bytes);
        DWORD n = 0;
        for (size_t i = bytes.size(); bOk && i > 0; --i)
            n = n << 8 | bytes[i - 1];
        return n;
    }

private:
    struct CSegment
    {
        const BYTE* p;
        size_t nSize;
    };

    BOOL NextSegmentIfDone()
    {
        while (m_nSegment < m_segments.size() && m_nAt >= m_segments[m_nSegment].nSize)
        {
            ++m_nSegment;
            m_nAt = 0;
        }
        return m_nSegment < m_segments.size();
    }

    std::vector<CSegment> m_segments;
    size_t m_nSegment = 0;
    size_t m_nAt = 0;
};

BOOL ReadSharedStrings(CSstSegments& segments, std::vector<CBiffSharedString>& strings)
{
    BOOL bOk = TRUE;
    segments.ReadNumber(4, bOk);  // uses by cells, counted again when written
    const DWORD nCount = segments.ReadNumber(4, bOk);
    for (DWORD i = 0; i < nCount && bOk; ++i)
    {
        CBiffSharedString string;
        const size_t nChars = segments.ReadNumber(2, bOk);
        const BYTE bFlags = (BYTE)segments.ReadNumber(1, bOk);
        if (bFlags & 0x08)
            string.nRuns = (WORD)segments.ReadNumber(2, bOk);
        if (bFlags & 0x04)
            string.nExtSize = segments.ReadNumber(4, bOk);
        bOk = bOk && segments.ReadChars(nChars, (bFlags & 0x01) != 0, string.text)
              && segments.ReadBytes(4 * (size_t)string.nRuns + string.nExtSize, string.tail);
        strings.push_back(std::move(string));
    }
    return bOk;
}

UINT WindowsCodePage(WORD wExcelCodePage)
{
    if (wExcelCodePage == CODEPAGE_EXCEL_1252)
        return 1252;
    return wExcelCodePage == CODEPAGE_EXCEL_MAC ? CP_MAC_ROMAN : wExcelCodePage;
}

} // namespace

BOOL CBiffWorkbookParts::Read(const CString& strPath, int nVersion)
{
    m_nVersion = nVersion;
    return (nVersion == 5 || nVersion == 8) && ReadStream(strPath) && ParseGlobals();
}

// The workbook stream of the compound file: "Workbook" in Excel 97,
// "Book" before (some programs name an older one "Workbook" too).
BOOL CBiffWorkbookParts::ReadStream(const CString& strPath)
{
    CMemoryLockBytes bytes;
    CString strError;
    if (!ReadSheetFile(strPath, bytes.GetBytes(), strError))
        return FALSE;
    CScopedInterface<IStorage> storage;
    CScopedInterface<IStream> book;
    if (FAILED(StgOpenStorageOnILockBytes(&bytes, NULL, STGM_READ | STGM_SHARE_EXCLUSIVE, NULL, 0, &storage)))
        return FALSE;
    const DWORD dwMode = STGM_READ | STGM_SHARE_EXCLUSIVE;
    if (FAILED(storage->OpenStream(CWidePath(m_nVersion == 8 ? "Workbook" : "Book"), NULL, dwMode, 0, &book))
        && FAILED(storage->OpenStream(CWidePath("Workbook"), NULL, dwMode, 0, &book)))
        return FALSE;
    STATSTG stat;
    if (FAILED(book->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart > bytes.GetBytes().size())
        return FALSE;
    m_stream.resize((size_t)stat.cbSize.QuadPart);
    ULONG nRead = 0;
    return SUCCEEDED(book->Read(m_stream.data(), (ULONG)m_stream.size(), &nRead)) && nRead == m_stream.size();
}

BOOL CBiffWorkbookParts::ParseGlobals()
{
    CBiffRecordReader reader(m_stream.data(), m_stream.size());
    if (!reader.Next() || reader.GetId() != BIFF5_BOF || reader.DataWord(2) != BOF_GLOBALS)
        return FALSE;
    CSstSegments sst;
    BOOL bSst = FALSE;
    WORD wLastId = 0;
    BOOL bEnded = FALSE;
    while (!bEnded && reader.Next())
    {
        const WORD wId = reader.GetId();
        if (wId == BIFF_EOF)
        {
            m_nGlobalsEnd = reader.GetStart();
            bEnded = TRUE;
        }
        else if (wId == BIFF_FILEPASS)
            return FALSE;
        else if (wId == BIFF_BOUNDSHEET)
        {
            CBiffSheetPart sheet;
            sheet.nBoundSheet = reader.GetStart();
            sheet.nStart = reader.DataDWord(0);
            m_sheets.push_back(sheet);
        }
        else if (wId == BIFF5_XF)
        {
            ++m_nXfs;
            m_nLastXf = reader.GetStart();
        }
        else if (wId == BIFF_CODEPAGE)
            m_nCodePage = WindowsCodePage(reader.DataWord(0));
        else if (wId == BIFF_SST || (wId == BIFF_CONTINUE && wLastId == BIFF_SST))
        {
            sst.Add(reader.GetData(), reader.GetLength());
            bSst = TRUE;
        }
        if (wId != BIFF_CONTINUE)
            wLastId = wId;
    }
    // A cell format is added after the last one for the rebuilt sheets.
    if (!bEnded || m_sheets.empty() || m_nXfs == 0)
        return FALSE;
    if (bSst && !ReadSharedStrings(sst, m_strings))
        return FALSE;
    if (m_nVersion == 5 && (m_nCodePage == 0 || !IsValidCodePage(m_nCodePage)))
        return FALSE;
    for (CBiffSheetPart& sheet : m_sheets)
        if (!FindSheetEnd(sheet))
            return FALSE;
    return TRUE;
}

// A sheet's substream ends at the EOF that closes its BOF: an embedded
// chart is a substream of its own inside it.
BOOL CBiffWorkbookParts::FindSheetEnd(CBiffSheetPart& sheet) const
{
    if (sheet.nStart <= m_nGlobalsEnd || sheet.nStart >= m_stream.size())
        return FALSE;
    CBiffRecordReader reader(m_stream.data(), m_stream.size(), sheet.nStart);
    int nDepth = 0;
    while (reader.Next())
    {
        if (reader.GetId() == BIFF5_BOF)
            ++nDepth;
        else if (nDepth == 0)
            return FALSE;
        else if (reader.GetId() == BIFF_EOF && --nDepth == 0)
        {
            sheet.nEnd = reader.GetEnd();
            return TRUE;
        }
    }
    return FALSE;
}
