// The cross-tab of a new analysis report: title, corner cells, row headers
// (one grid column per row dimension), column headers (one grid row per
// column dimension), one data cell per pair of headers and a closing cell.
#include "reporting/AnalysisCalc.h"

#include <vector>

#include "framework/core/MessageSink.h"
#include "sheet/TemplateBuilder.h"
#include "sheet/document/TallyformDoc.h"

const char kNoAnalysisDimension[] = "Rows and columns each need at least one analysis dimension.";

namespace
{
const char kEmptyDimension[] = "The analysis list of the dimension %s is empty.";
const char kAnalysisTitle[] = "AnalysisReport";

// One side of the cross-tab: its keywords with their entry counts, the
// header count of each level and the data rows or columns one header of
// the level covers.
struct CDimensionSide
{
    std::vector<CString> keywords;
    std::vector<int> counts;
    std::vector<int> headers;
    std::vector<int> spans;

    int Levels() const { return (int)keywords.size(); }
    int DataCount() const { return headers.empty() ? 0 : headers.back(); }
    int HeaderCells() const
    {
        int n = 0;
        for (int h : headers)
            n += h;
        return n;
    }
    // The formula term of level k for data row or column d.
    CString Term(int k, int d) const
    {
        CString strTerm;
        strTerm.Format("%s#%d", (LPCSTR)keywords[k], (d / spans[k]) % counts[k] + 1);
        return strTerm;
    }
};

const CStringList* ListOfDimension(const CSheet& sheet, const CString& strKeyword)
{
    if (strKeyword == "Organ")
        return &sheet.m_lstAnOrgans;
    if (strKeyword == "Time")
        return &sheet.m_lstAnTimes;
    if (strKeyword == "Property")
        return &sheet.m_lstAnProperties;
    if (strKeyword == "RowItem")
        return &sheet.m_lstAnRowItems;
    if (strKeyword == "ColItem")
        return &sheet.m_lstAnColItems;
    return NULL;
}

// FALSE (told) when a keyword is unknown or its list is empty.
BOOL MakeSide(const CSheet& sheet, const CStringList& dimensions, CDimensionSide& side)
{
    for (POSITION pos = dimensions.GetHeadPosition(); pos != NULL;)
    {
        CString strKeyword = dimensions.GetNext(pos);
        const CStringList* pList = ListOfDimension(sheet, strKeyword);
        if (pList == NULL || pList->GetCount() == 0)
        {
            CString strMessage;
            strMessage.Format(kEmptyDimension, (LPCSTR)strKeyword);
            AfxMessageBox(strMessage, MB_OK);
            return FALSE;
        }
        side.keywords.push_back(strKeyword);
        side.counts.push_back((int)pList->GetCount());
    }
    int nLevels = side.Levels();
    side.headers.resize(nLevels);
    side.spans.resize(nLevels);
    int nProduct = 1;
    for (int k = 0; k < nLevels; ++k)
        side.headers[k] = nProduct *= side.counts[k];
    int nSpan = 1;
    for (int k = nLevels - 1; k >= 0; --k)
    {
        side.spans[k] = nSpan;
        nSpan *= side.counts[k];
    }
    return TRUE;
}
} // namespace

BOOL CAnalysisCalc::GenerateAnalysisLayout()
{
    CSheet& sheet = m_pDoc->m_sheet;
    if (sheet.m_lstDimOuter.GetCount() == 0 || sheet.m_lstDimInner.GetCount() == 0)
    {
        AfxMessageBox(kNoAnalysisDimension, MB_OK);
        return FALSE;
    }
    CDimensionSide rows, cols;
    if (!MakeSide(sheet, sheet.m_lstDimOuter, rows) || !MakeSide(sheet, sheet.m_lstDimInner, cols))
        return FALSE;
    const int RD = rows.Levels(), CD = cols.Levels();
    const int NR = rows.DataCount(), NC = cols.DataCount();
    const int W = GRID_CELL_WIDTH, H = GRID_CELL_HEIGHT;

    sheet.DeleteAllUndoActions();
    sheet.RemoveAllCells();
    sheet.m_cells.SetSize((INT_PTR)rows.HeaderCells() + cols.HeaderCells() + RD * CD + NR * NC + 2);
    int n = 0;
    PlaceTitleCell(sheet, (RD + NC) * W);
    ++n;
    for (int i = 0; i < RD; ++i)
        for (int j = 0; j < CD; ++j)
            PlaceCell(sheet, n++, j + 1, i, CELL_NORMAL, i * W, (j + 2) * H, i * W + W, (j + 3) * H);
    for (int k = 0; k < RD; ++k)
    {
        for (int b = 0; b < rows.headers[k]; ++b)
        {
            int top = (rows.spans[k] * b + CD + 2) * H;
            PlaceCell(sheet, n, b + CD + 1, k, CELL_TEXT, k * W, top, k * W + W, top + rows.spans[k] * H);
            CCell& cell = sheet.m_cells[n++];
            cell.m_strAnalysis.Format("@%s#%d", (LPCSTR)rows.keywords[k], b % rows.counts[k] + 1);
            cell.m_strValue = ResolveReferenceLabel(cell.m_strAnalysis);
            if (b == rows.headers[k] - 1)
                cell.m_nBottomEdge = CELL_LINE_THIN;
        }
    }
    for (int k = 0; k < CD; ++k)
    {
        for (int b = 0; b < cols.headers[k]; ++b)
        {
            int left = (cols.spans[k] * b + RD) * W;
            PlaceCell(sheet, n, k + 1, RD + b, CELL_TEXT, left, (k + 2) * H, left + cols.spans[k] * W, (k + 3) * H);
            CCell& cell = sheet.m_cells[n++];
            cell.m_strAnalysis.Format("@%s#%d", (LPCSTR)cols.keywords[k], b % cols.counts[k] + 1);
            cell.m_strValue = ResolveReferenceLabel(cell.m_strAnalysis);
            if (b == cols.headers[k] - 1)
                cell.m_nRightEdge = CELL_LINE_THIN;
        }
    }
    for (int dr = 0; dr < NR; ++dr)
    {
        for (int dc = 0; dc < NC; ++dc)
        {
            int left = (RD + dc) * W, top = (dr + CD + 2) * H;
            PlaceCell(sheet, n, dr + CD + 1, RD + dc, CELL_NUMERIC, left, top, left + W, top + H);
            CCell& cell = sheet.m_cells[n++];
            if (dc == NC - 1)
                cell.m_nRightEdge = CELL_LINE_THIN;
            if (dr == NR - 1)
                cell.m_nBottomEdge = CELL_LINE_THIN;
            CString strFormula("@");
            for (int k = 0; k < RD; ++k)
                strFormula += rows.Term(k, dr) + "&";
            for (int k = 0; k < CD; ++k)
                strFormula += cols.Term(k, dc) + "&";
            cell.m_strAnalysis = strFormula.Left(strFormula.GetLength() - 1);
        }
    }
    int nTop = sheet.m_cells[n - 1].m_rect.bottom;
    PlaceCell(sheet, n, CD + NR + 1, 0, CELL_NORMAL, 1, nTop, (RD + NC) * W, nTop + H);
    sheet.m_cells[n].m_nLeftEdge = sheet.m_cells[n].m_nTopEdge = CELL_LINE_NONE;

    sheet.m_nHeaderBand = TITLE_CELL_HEIGHT;
    sheet.m_nTailBand = H;
    sheet.m_arrSel.RemoveAll();
    sheet.m_nCurCell = -1;
    SetRectEmpty(&sheet.m_rcBounds);
    sheet.UpdateBoundingRect();
    m_pDoc->SetModifiedFlag(TRUE);
    m_pDoc->SetTitle(kAnalysisTitle);
    m_pDoc->UpdateAllViews(NULL);
    return TRUE;
}
