// One rectangular cell of a sheet, and the sheet's array of cells by value.
// The field order, widths and natural alignment of CCell are shared with the
// engine libraries, which read and write the data fields in place: this is
// the only declaration of the record.
#pragma once

#include <stddef.h>

#include "framework/core/Object.h"
#include "framework/core/String.h"
#include "framework/core/Array.h"

class CSheet;
class CArchive;

enum CellType
{
    CELL_NORMAL = 0,
    CELL_TEXT = 1,
    CELL_NUMERIC = 2,
    CELL_ORGAN = 3,
    CELL_ORGANCODE = 4,
    CELL_REPORTDATE = 5,
    CELL_FORMULA = 6,
    CELL_PICTURE = 7
};

// Horizontal (0..2) and vertical (3..5) alignment codes.
enum
{
    CELL_ALIGN_LEFT = 0,
    CELL_ALIGN_RIGHT = 1,
    CELL_ALIGN_MIDDLE = 2,
    CELL_ALIGN_TOP = 3,
    CELL_ALIGN_BOTTOM = 4,
    CELL_ALIGN_CENTER = 5
};

// Edge and diagonal line styles.
enum
{
    CELL_LINE_NONE = 0,
    CELL_LINE_THIN = 1,
    CELL_LINE_THICK = 2,
    CELL_LINE_DOT = 3,
    CELL_LINE_DASHDOT = 4
};

// Number formats of a numeric cell.
enum
{
    NUMFMT_GENERAL = 0,
    NUMFMT_THOUSANDS = 1,
    NUMFMT_SCIENTIFIC = 2,
    NUMFMT_PERCENT = 3,
    NUMFMT_PERMILLE = 4
};

#define CELL_CODE_LEN 9          // organization, row-item, column-item codes
#define CELL_PERIOD_LEN 14       // 13-digit period code and its terminator
#define CELL_PAYLOAD_SIZE 64

// Copies src into a fixed field of cap bytes: at most cap - 1 bytes, always
// terminated, the rest of the field zero-filled.  Returns FALSE when src was cut.
BOOL CopyCode(char* dst, size_t cap, LPCSTR src);

// TRUE when the two fonts are equal member for member, face names compared
// case-sensitively.
BOOL IsSameFont(const LOGFONTA& a, const LOGFONTA& b);

// Picture blocks are reference-counted (PictureBlock.h): copies and
// assignments add a reference, destruction, ResetContent and SetType release
// one; the array's raw moves of cells leave the counts as they are.
class CCell : public CObject
{
public:
    CCell();
    CCell(const CCell& other);
    CCell& operator=(const CCell& other);
    ~CCell() override;

    // Clears the content of the current type: value text, the whole payload,
    // then the type's defaults.  A picture's blocks are released first.
    void ResetContent();

    // Changes the type and resets the content for it; a picture cell gives up
    // its blocks.  Every type change goes through here.
    void SetType(int nType);

    void Serialize(CArchive& ar) override;
    void WriteAttributes(CArchive& ar) const;
    void ReadAttributes(CArchive& ar);

    // Header block size the writer stores: 40 plus the colour table of the
    // header's depth, never more than the block held.
    DWORD PictureHeaderStoreSize() const;
    // Pixel block size the writer stores: biSizeImage, never more than held.
    DWORD PictureBitsStoreSize() const;
    // TRUE when a picture cell holds a header with its whole colour table and
    // enough pixel rows for its width, height and depth.
    BOOL IsPictureValid() const;

    // The LOGFONT of DEFAULT_GUI_FONT under the installed face it draws
    // with, read once.
    static const LOGFONTA& DefaultFont();

public:
    CSheet* m_pSheet;
    CString m_strName;
    RECT m_rect;
    LONG m_nTabIndex;
    LONG m_nType;
    LONG m_nHAlign;
    LONG m_nVAlign;
    BYTE m_nLeftEdge;
    BYTE m_nRightEdge;
    BYTE m_nTopEdge;
    BYTE m_nBottomEdge;
    BYTE m_nDiagDown;
    BYTE m_nDiagUp;
    COLORREF m_crBack;
    LOGFONTA m_logFont;
    COLORREF m_crText;
    COLORREF m_crLeftEdge;
    COLORREF m_crRightEdge;
    COLORREF m_crTopEdge;
    COLORREF m_crBottomEdge;
    COLORREF m_crDiagDown;
    COLORREF m_crDiagUp;

    // The 64-byte type-specific payload.
    union
    {
        BYTE m_abPayload[CELL_PAYLOAD_SIZE];
        BYTE m_bDynamic;                            // type 1
        struct                                      // type 2
        {
            char m_szOrgCode[CELL_CODE_LEN];
            char m_szPeriodCode[CELL_PERIOD_LEN];
            char m_szRowItemCode[CELL_CODE_LEN];
            char m_szColItemCode[CELL_CODE_LEN];
            LONG m_nLine;
            LONG m_nValueType;
            LONG m_nCurType;
            LONG m_nNumberFormat;
            LONG m_nUnit;
        };
        struct                                      // type 5
        {
            char m_szDateCode[CELL_PERIOD_LEN];
            LONG m_nDateStyle;
        };
        struct                                      // type 7
        {
            HGLOBAL m_hDibInfo;
            HGLOBAL m_hDibBits;
            LONG m_bStretch;
        };
    };

    CString m_strValue;
    CString m_strFormula;
    CString m_strAnalysis;
    LONG m_nFormulaRefs;
    LONG m_nBalanceRefs;

private:
    void ReleasePictureRefs();
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#define CELL_PAYLOAD_OFFSET(m) (offsetof(CCell, m) - offsetof(CCell, m_abPayload))
static_assert(sizeof(((CCell*)0)->m_abPayload) == 64, "payload is 64 bytes");
static_assert(CELL_PAYLOAD_OFFSET(m_bDynamic) == 0, "dynamic flag first");
static_assert(CELL_PAYLOAD_OFFSET(m_szOrgCode) == 0, "org code at 0");
static_assert(CELL_PAYLOAD_OFFSET(m_szPeriodCode) == 9, "period code at 9");
static_assert(CELL_PAYLOAD_OFFSET(m_szRowItemCode) == 23, "row item at 23");
static_assert(CELL_PAYLOAD_OFFSET(m_szColItemCode) == 32, "column item at 32");
static_assert(CELL_PAYLOAD_OFFSET(m_nLine) == 44, "three filler bytes before the line");
static_assert(CELL_PAYLOAD_OFFSET(m_nValueType) == 48, "value type at 48");
static_assert(CELL_PAYLOAD_OFFSET(m_nCurType) == 52, "currency type at 52");
static_assert(CELL_PAYLOAD_OFFSET(m_nNumberFormat) == 56, "number format at 56");
static_assert(CELL_PAYLOAD_OFFSET(m_nUnit) == 60, "unit at 60");
static_assert(CELL_PAYLOAD_OFFSET(m_szDateCode) == 0, "date code at 0");
static_assert(CELL_PAYLOAD_OFFSET(m_nDateStyle) == 16, "date style at 16");
static_assert(CELL_PAYLOAD_OFFSET(m_hDibInfo) == 0, "header block first");
static_assert(CELL_PAYLOAD_OFFSET(m_hDibBits) == sizeof(void*), "pixel block second");
static_assert(offsetof(CCell, m_strValue) - offsetof(CCell, m_abPayload) == 64,
              "value text follows the payload");
static_assert(offsetof(CCell, m_pSheet) == sizeof(void*), "owner follows the vtable pointer");
static_assert(offsetof(CCell, m_rect) == offsetof(CCell, m_strName) + sizeof(CString),
              "rectangle follows the name");
static_assert(offsetof(CCell, m_crBack) == offsetof(CCell, m_nDiagUp) + 3, "natural alignment");
static_assert(sizeof(LOGFONTA) == 60, "ANSI LOGFONT");
#undef CELL_PAYLOAD_OFFSET
#pragma GCC diagnostic pop

// The sheet's cells by value; growing clears the new storage, then constructs.
class CCellArray : public CArray<CCell, CCell&>
{
public:
    // Exchanges the storage of two arrays; the cells keep their owners.
    void Swap(CCellArray& other)
    {
        Exchange(m_pData, other.m_pData);
        Exchange(m_nSize, other.m_nSize);
        Exchange(m_nMaxSize, other.m_nMaxSize);
        Exchange(m_nGrowBy, other.m_nGrowBy);
    }

private:
    template<class T>
    static void Exchange(T& a, T& b)
    {
        T t = a;
        a = b;
        b = t;
    }
};
