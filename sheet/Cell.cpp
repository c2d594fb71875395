#include "sheet/Cell.h"

#include <string.h>

#include <string>

#include "framework/core/Archive.h"
#include "framework/windows/FontFace.h"
#include "sheet/PictureBlock.h"
#include "sheet/Sheet.h"

namespace
{

// Largest picture block a template may carry; anything bigger is corrupt.
const DWORD kMaxPictureBlock = 256u * 1024u * 1024u;

// Templates of this version and below carry no analysis formulas.
const WORD kLastVersionWithoutAnalysis = 0x0200;

void ReadExact(CArchive& ar, void* pBuf, UINT nCount)
{
    if (nCount != 0 && ar.Read(pBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

// Refuses a count that is larger than what is left of the archive.
void CheckAvailable(CArchive& ar, ULONGLONG nCount)
{
    ULONGLONG nLeft = ar.GetBytesRemaining();
    if (nLeft != (ULONGLONG)-1 && nCount > nLeft)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

void WriteCountedString(CArchive& ar, const CString& str)
{
    LONG nLength = str.GetLength();
    ar << nLength;
    if (nLength > 0)
        ar.Write((LPCSTR)str, (UINT)nLength);
}

// A 32-bit count and that many bytes; a count of 0 or less leaves str as it is.
void ReadCountedString(CArchive& ar, CString& str)
{
    LONG nLength = 0;
    ar >> nLength;
    if (nLength <= 0)
        return;
    CheckAvailable(ar, (ULONGLONG)nLength);
    // Read in pieces so a corrupt count from a stream that cannot tell its
    // length costs no more memory than the stream holds.
    std::string text;
    char chunk[4096];
    UINT nLeft = (UINT)nLength;
    while (nLeft > 0)
    {
        UINT nPart = nLeft < sizeof(chunk) ? nLeft : (UINT)sizeof(chunk);
        ReadExact(ar, chunk, nPart);
        text.append(chunk, nPart);
        nLeft -= nPart;
    }
    str = CString(text.data(), (int)text.size());
}

void ReadFixed(CArchive& ar, char* pField, UINT cb)
{
    ReadExact(ar, pField, cb);
    pField[cb - 1] = '\0';
}

HGLOBAL ReadPictureBlock(CArchive& ar)
{
    LONG nSize = 0;
    ar >> nSize;
    if (nSize <= 0)
        return NULL;
    if ((DWORD)nSize > kMaxPictureBlock)
        AfxThrowArchiveException(CArchiveException::badIndex);
    CheckAvailable(ar, (ULONGLONG)nSize);
    HGLOBAL hBlock = PictureBlockAlloc((SIZE_T)nSize);
    if (hBlock == NULL)
        AfxThrowMemoryException();
    if (ar.Read(hBlock, (UINT)nSize) != (UINT)nSize)
    {
        PictureBlockRelease(hBlock);
        AfxThrowArchiveException(CArchiveException::endOfFile);
    }
    return hBlock;
}

// Colour-table bytes a stored header carries after its 40 bytes, by depth
// planes x bit count: none for 24, else 4 << (depth mod 32).
ULONGLONG StoredColorTableSize(const BITMAPINFOHEADER& bih)
{
    unsigned int nDepth = (unsigned int)bih.biPlanes * (unsigned int)bih.biBitCount;
    if (nDepth == 24)
        return 0;
    return 4ull << (nDepth % 32);
}

WORD SheetVersion(const CSheet* pSheet)
{
    return pSheet != NULL ? pSheet->m_wVersion : (WORD)SHEET_VERSION;
}

} // namespace

BOOL CopyCode(char* dst, size_t cap, LPCSTR src)
{
    if (dst == NULL || cap == 0)
        return FALSE;
    size_t nLength = 0;
    if (src != NULL)
        while (nLength < cap && src[nLength] != '\0')
            ++nLength;
    BOOL bFits = nLength < cap;
    if (!bFits)
        nLength = cap - 1;
    memcpy(dst, src, nLength);
    memset(dst + nLength, 0, cap - nLength);
    return bFits;
}

BOOL IsSameFont(const LOGFONTA& a, const LOGFONTA& b)
{
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth
        && a.lfEscapement == b.lfEscapement && a.lfOrientation == b.lfOrientation
        && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic
        && a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut
        && a.lfCharSet == b.lfCharSet && a.lfOutPrecision == b.lfOutPrecision
        && a.lfClipPrecision == b.lfClipPrecision && a.lfQuality == b.lfQuality
        && a.lfPitchAndFamily == b.lfPitchAndFamily
        && strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

const LOGFONTA& CCell::DefaultFont()
{
    static LOGFONTA s_lf;
    static bool s_bRead = false;
    if (!s_bRead)
    {
        memset(&s_lf, 0, sizeof(s_lf));
        HGDIOBJ hFont = GetStockObject(DEFAULT_GUI_FONT);
        if (hFont == NULL || GetObjectA(hFont, sizeof(s_lf), &s_lf) != (int)sizeof(s_lf))
            memset(&s_lf, 0, sizeof(s_lf));
        // The stock font's face is a substitute name: cells carry the face
        // behind it, which the font dialog and the face combo know.
        AfxResolveFontFace(s_lf);
        s_bRead = true;
    }
    return s_lf;
}

CCell::CCell()
    : m_pSheet(NULL), m_nTabIndex(0), m_nType(CELL_NORMAL),
      m_nHAlign(CELL_ALIGN_MIDDLE), m_nVAlign(CELL_ALIGN_CENTER),
      m_nLeftEdge(CELL_LINE_THIN), m_nRightEdge(CELL_LINE_NONE),
      m_nTopEdge(CELL_LINE_THIN), m_nBottomEdge(CELL_LINE_NONE),
      m_nDiagDown(CELL_LINE_NONE), m_nDiagUp(CELL_LINE_NONE),
      m_crBack(RGB(255, 255, 255)), m_logFont(DefaultFont()),
      m_crText(0), m_crLeftEdge(0), m_crRightEdge(0), m_crTopEdge(0),
      m_crBottomEdge(0), m_crDiagDown(0), m_crDiagUp(0),
      m_nFormulaRefs(0), m_nBalanceRefs(0)
{
    SetRectEmpty(&m_rect);
    memset(m_abPayload, 0, sizeof(m_abPayload));
    ResetContent();
}

CCell::CCell(const CCell& other)
    : CObject(), m_pSheet(NULL), m_nType(CELL_NORMAL)
{
    memset(m_abPayload, 0, sizeof(m_abPayload));
    *this = other;
}

CCell& CCell::operator=(const CCell& other)
{
    if (this == &other)
        return *this;
    // Take the new references before dropping the old ones: both cells may
    // already share the blocks.
    if (other.m_nType == CELL_PICTURE)
    {
        PictureBlockAddRef(other.m_hDibInfo);
        PictureBlockAddRef(other.m_hDibBits);
    }
    if (m_nType == CELL_PICTURE)
        ReleasePictureRefs();

    m_strName = other.m_strName;
    m_rect = other.m_rect;
    m_nTabIndex = other.m_nTabIndex;
    m_nType = other.m_nType;
    m_nHAlign = other.m_nHAlign;
    m_nVAlign = other.m_nVAlign;
    m_nLeftEdge = other.m_nLeftEdge;
    m_nRightEdge = other.m_nRightEdge;
    m_nTopEdge = other.m_nTopEdge;
    m_nBottomEdge = other.m_nBottomEdge;
    m_nDiagDown = other.m_nDiagDown;
    m_nDiagUp = other.m_nDiagUp;
    m_crBack = other.m_crBack;
    m_logFont = other.m_logFont;
    m_crText = other.m_crText;
    m_crLeftEdge = other.m_crLeftEdge;
    m_crRightEdge = other.m_crRightEdge;
    m_crTopEdge = other.m_crTopEdge;
    m_crBottomEdge = other.m_crBottomEdge;
    m_crDiagDown = other.m_crDiagDown;
    m_crDiagUp = other.m_crDiagUp;
    memcpy(m_abPayload, other.m_abPayload, sizeof(m_abPayload));
    m_strValue = other.m_strValue;
    m_strFormula = other.m_strFormula;
    m_strAnalysis = other.m_strAnalysis;
    m_nFormulaRefs = other.m_nFormulaRefs;
    m_nBalanceRefs = other.m_nBalanceRefs;
    return *this;
}

CCell::~CCell()
{
    if (m_nType == CELL_PICTURE)
        ReleasePictureRefs();
}

void CCell::ReleasePictureRefs()
{
    HGLOBAL hInfo = m_hDibInfo;
    HGLOBAL hBits = m_hDibBits;
    m_hDibInfo = NULL;
    m_hDibBits = NULL;
    PictureBlockRelease(hInfo);
    PictureBlockRelease(hBits);
}

void CCell::ResetContent()
{
    m_strValue.Empty();
    if (m_nType == CELL_PICTURE)
        ReleasePictureRefs();
    // Every byte goes, so nothing of an earlier type survives a type change.
    memset(m_abPayload, 0, sizeof(m_abPayload));
    switch (m_nType)
    {
    case CELL_NUMERIC:
        CopyCode(m_szOrgCode, sizeof(m_szOrgCode), "========");
        break;
    case CELL_REPORTDATE:
        m_nDateStyle = 1;
        break;
    default:
        break;
    }
}

void CCell::SetType(int nType)
{
    if (m_nType == CELL_PICTURE)
        ReleasePictureRefs();
    m_nType = nType;
    ResetContent();
}

DWORD CCell::PictureHeaderStoreSize() const
{
    if (m_nType != CELL_PICTURE)
        return 0;
    SIZE_T cbHeld = PictureBlockSize(m_hDibInfo);
    if (cbHeld < sizeof(BITMAPINFOHEADER))
        return (DWORD)cbHeld;
    const BITMAPINFOHEADER* pbih = (const BITMAPINFOHEADER*)m_hDibInfo;
    ULONGLONG cbRule = sizeof(BITMAPINFOHEADER) + StoredColorTableSize(*pbih);
    return (DWORD)(cbRule < cbHeld ? cbRule : cbHeld);
}

DWORD CCell::PictureBitsStoreSize() const
{
    if (m_nType != CELL_PICTURE)
        return 0;
    SIZE_T cbHeld = PictureBlockSize(m_hDibBits);
    if (PictureBlockSize(m_hDibInfo) < sizeof(BITMAPINFOHEADER))
        return (DWORD)cbHeld;
    DWORD cbImage = ((const BITMAPINFOHEADER*)m_hDibInfo)->biSizeImage;
    // A header without its image size still has its pixels kept.
    if (cbImage == 0 || cbImage > cbHeld)
        return (DWORD)cbHeld;
    return cbImage;
}

BOOL CCell::IsPictureValid() const
{
    if (m_nType != CELL_PICTURE)
        return FALSE;
    SIZE_T cbInfo = PictureBlockSize(m_hDibInfo);
    if (cbInfo < sizeof(BITMAPINFOHEADER))
        return FALSE;
    const BITMAPINFOHEADER& bih = *(const BITMAPINFOHEADER*)m_hDibInfo;
    if (bih.biSize < sizeof(BITMAPINFOHEADER) || bih.biPlanes != 1 || bih.biWidth <= 0
        || bih.biHeight == 0 || bih.biWidth > 0x10000 || bih.biHeight > 0x10000
        || bih.biHeight < -0x10000)
        return FALSE;
    ULONGLONG cbColors = 0;
    switch (bih.biBitCount)
    {
    case 1:
    case 4:
    case 8:
        cbColors = 4ull * (bih.biClrUsed != 0 ? bih.biClrUsed : (1u << bih.biBitCount));
        break;
    case 16:
    case 32:
        cbColors = bih.biCompression == BI_BITFIELDS ? 12 : 0;
        break;
    case 24:
        break;
    default:
        return FALSE;
    }
    if (cbInfo < bih.biSize + cbColors)
        return FALSE;
    ULONGLONG nStride = (((ULONGLONG)bih.biWidth * bih.biBitCount + 31) / 32) * 4;
    ULONGLONG nRows = bih.biHeight < 0 ? (ULONGLONG)(-(LONGLONG)bih.biHeight) : (ULONGLONG)bih.biHeight;
    return PictureBlockSize(m_hDibBits) >= nStride * nRows;
}

void CCell::WriteAttributes(CArchive& ar) const
{
    const COLORREF* const apColors[7] = {
        &m_crText, &m_crLeftEdge, &m_crRightEdge, &m_crTopEdge,
        &m_crBottomEdge, &m_crDiagDown, &m_crDiagUp };
    BYTE bFlags = 0;
    if (!IsSameFont(m_logFont, DefaultFont()))
        bFlags |= 0x01;
    for (int i = 0; i < 7; ++i)
        if (*apColors[i] != 0)
            bFlags |= (BYTE)(0x02 << i);

    ar << bFlags;
    if (bFlags & 0x01)
        ar.Write(&m_logFont, sizeof(m_logFont));
    for (int i = 0; i < 7; ++i)
        if (bFlags & (0x02 << i))
            ar << (DWORD)*apColors[i];

    ar << (LONG)m_rect.left << (LONG)m_rect.top << (LONG)m_rect.right << (LONG)m_rect.bottom;
    ar << m_nTabIndex << m_nType << m_nHAlign << m_nVAlign;
    ar << m_nLeftEdge << m_nRightEdge << m_nTopEdge << m_nBottomEdge << m_nDiagDown << m_nDiagUp;
    ar << (DWORD)m_crBack;
}

void CCell::ReadAttributes(CArchive& ar)
{
    COLORREF* const apColors[7] = {
        &m_crText, &m_crLeftEdge, &m_crRightEdge, &m_crTopEdge,
        &m_crBottomEdge, &m_crDiagDown, &m_crDiagUp };
    BYTE bFlags = 0;
    ar >> bFlags;
    if (bFlags & 0x01)
    {
        LOGFONTA lf;
        ReadExact(ar, &lf, sizeof(lf));
        lf.lfFaceName[LF_FACESIZE - 1] = '\0';
        m_logFont = lf;
    }
    for (int i = 0; i < 7; ++i)
        if (bFlags & (0x02 << i))
        {
            DWORD cr = 0;
            ar >> cr;
            *apColors[i] = cr;
        }

    LONG anRect[4];
    for (LONG& n : anRect)
        ar >> n;
    LONG nTabIndex, nType, nHAlign, nVAlign;
    ar >> nTabIndex >> nType >> nHAlign >> nVAlign;
    BYTE abEdges[6];
    for (BYTE& b : abEdges)
        ar >> b;
    DWORD crBack = 0;
    ar >> crBack;

    SetRect(&m_rect, anRect[0], anRect[1], anRect[2], anRect[3]);
    m_nTabIndex = nTabIndex;
    if (m_nType == CELL_PICTURE)
        ReleasePictureRefs();
    m_nType = nType;
    m_nHAlign = nHAlign;
    m_nVAlign = nVAlign;
    m_nLeftEdge = abEdges[0];
    m_nRightEdge = abEdges[1];
    m_nTopEdge = abEdges[2];
    m_nBottomEdge = abEdges[3];
    m_nDiagDown = abEdges[4];
    m_nDiagUp = abEdges[5];
    m_crBack = crBack;
}

void CCell::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        WriteCountedString(ar, m_strName);
        WriteAttributes(ar);
        switch (m_nType)
        {
        case CELL_TEXT:
            ar << m_bDynamic;
            if (m_bDynamic == 0)
            {
                WriteCountedString(ar, m_strValue);
                WriteCountedString(ar, m_strAnalysis);
            }
            break;
        case CELL_NUMERIC:
        {
            static const BYTE abFiller[3] = { 0, 0, 0 };
            ar.Write(m_szOrgCode, sizeof(m_szOrgCode));
            ar.Write(m_szPeriodCode, sizeof(m_szPeriodCode));
            ar.Write(m_szRowItemCode, sizeof(m_szRowItemCode));
            ar.Write(m_szColItemCode, sizeof(m_szColItemCode));
            ar.Write(abFiller, sizeof(abFiller));
            ar << m_nLine << m_nValueType << m_nCurType << m_nNumberFormat << m_nUnit;
            ar << m_nFormulaRefs << m_nBalanceRefs;
            WriteCountedString(ar, m_strAnalysis);
            break;
        }
        case CELL_REPORTDATE:
            ar << m_nDateStyle;
            break;
        case CELL_FORMULA:
            WriteCountedString(ar, m_strFormula);
            ar << m_nFormulaRefs << m_nBalanceRefs;
            break;
        case CELL_PICTURE:
        {
            DWORD cbInfo = PictureHeaderStoreSize();
            ar << cbInfo;
            if (cbInfo != 0)
                ar.Write(m_hDibInfo, cbInfo);
            DWORD cbBits = PictureBitsStoreSize();
            ar << cbBits;
            if (cbBits != 0)
                ar.Write(m_hDibBits, cbBits);
            ar << m_bStretch;
            break;
        }
        default:
            break;
        }
        return;
    }

    ReadCountedString(ar, m_strName);
    ReadAttributes(ar);
    // The payload of a loaded cell starts from its type's defaults; a
    // numeric cell's figure and a report date's code are not stored.
    ResetContent();
    BOOL bHasAnalysis = SheetVersion(m_pSheet) > kLastVersionWithoutAnalysis;
    switch (m_nType)
    {
    case CELL_TEXT:
        ar >> m_bDynamic;
        if (m_bDynamic == 0)
        {
            ReadCountedString(ar, m_strValue);
            if (bHasAnalysis)
                ReadCountedString(ar, m_strAnalysis);
        }
        break;
    case CELL_NUMERIC:
    {
        BYTE abFiller[3];
        ReadFixed(ar, m_szOrgCode, sizeof(m_szOrgCode));
        ReadFixed(ar, m_szPeriodCode, sizeof(m_szPeriodCode));
        ReadFixed(ar, m_szRowItemCode, sizeof(m_szRowItemCode));
        ReadFixed(ar, m_szColItemCode, sizeof(m_szColItemCode));
        ReadExact(ar, abFiller, sizeof(abFiller));
        ar >> m_nLine >> m_nValueType >> m_nCurType >> m_nNumberFormat >> m_nUnit;
        ar >> m_nFormulaRefs >> m_nBalanceRefs;
        if (bHasAnalysis)
            ReadCountedString(ar, m_strAnalysis);
        break;
    }
    case CELL_REPORTDATE:
        memset(m_szDateCode, 0, sizeof(m_szDateCode));
        ar >> m_nDateStyle;
        break;
    case CELL_FORMULA:
        ReadCountedString(ar, m_strFormula);
        ar >> m_nFormulaRefs >> m_nBalanceRefs;
        break;
    case CELL_PICTURE:
        // Each block is owned by the cell as soon as it is read, so a
        // failure further on releases it with the cell.
        m_hDibInfo = ReadPictureBlock(ar);
        m_hDibBits = ReadPictureBlock(ar);
        ar >> m_bStretch;
        break;
    default:
        break;
    }
}
