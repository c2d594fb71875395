#include "reporting/ChartDlg.h"

#include "framework/windows/Button.h"
#include "framework/windows/DataExchange.h"
#include "reporting/chart/ChartWnd.h"
#include "sheet/Cell.h"
#include "sheet/document/TallyformDoc.h"
#include "ChartIds.h"

#include <ctype.h>

namespace
{
// The list's entries, in their order: text and the control's chart type.
struct ChartTypeEntry
{
    LPCSTR lpszName;
    LONG nType;
};
const ChartTypeEntry kChartTypes[] = {
    { "Pie", 14 },         { "Column", 1 },       { "Line", 3 },
    { "Cylinder", 0 },     { "Area", 5 },         { "Stacked Area", 7 },
    { "3D Stacked Area", 6 },
};

const LONG kPieType = 14;
const int kMaxPoints = 32767;

// The 2-D types keep a strip at the right for the legend.
BOOL IsFlatType(LONG nType)
{
    return nType == 1 || nType == 3 || nType == 5 || nType == 7;
}

void SetColor(CChartPart& color, COLORREF cr)
{
    color.InvokeId5(GetRValue(cr), GetGValue(cr), GetBValue(cr));
}
} // namespace

BEGIN_MESSAGE_MAP(CChartDlg, CDialog)
    ON_LBN_SELCHANGE(IDC_CHART_TYPE, OnSelchangeType)
    ON_BN_CLICKED(IDC_CHART_GRID, OnGrid)
    ON_BN_CLICKED(IDC_CHART_LEGEND, OnLegend)
    ON_EN_KILLFOCUS(IDC_CHART_TITLE, OnKillfocusTitle)
END_MESSAGE_MAP()

CChartDlg::CChartDlg(CWnd* pParent) : CDialog(IDD_CHART, pParent), m_strTitle("Char01"), m_pDoc(NULL)
{
    // The template's chart control needs its window class.
    RegisterChartWindowClass();
}

double CChartDlg::LeadingInteger(LPCSTR lpszText)
{
    const char* p = lpszText;
    while (*p != '\0' && isspace((unsigned char)*p))
        ++p;
    double dSign = 1.0;
    if (*p == '+' || *p == '-')
        dSign = *p++ == '-' ? -1.0 : 1.0;
    // Digit by digit into a double: a long number neither wraps nor stops.
    double dValue = 0.0;
    for (; isdigit((unsigned char)*p); ++p)
        dValue = dValue * 10.0 + (*p - '0');
    return dSign * dValue;
}

void CChartDlg::CollectValues(const CCellArray& cells, const CUIntArray& selection,
                              CArray<CChartPoint, CChartPoint&>& points)
{
    points.RemoveAll();
    for (INT_PTR i = 0; i < selection.GetSize() && points.GetSize() < kMaxPoints; ++i)
    {
        UINT nIndex = selection[i];
        if (nIndex >= (UINT)cells.GetSize())
            continue;
        const CCell& cell = cells[nIndex];
        BOOL bNumber = cell.m_nType == CELL_NUMERIC && cell.m_nValueType == 0;
        if (!bNumber && cell.m_nType != CELL_FORMULA)
            continue;
        CChartPoint point;
        point.dValue = LeadingInteger(cell.m_strValue);
        CopyCode(point.szName, sizeof(point.szName), cell.m_strName);
        points.Add(point);
    }
}

void CChartDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CHART_TYPE, m_listType);
    DDX_Control(pDX, IDC_CHART_CONTROL, m_chart);
    DDX_Text(pDX, IDC_CHART_TITLE, m_strTitle);
}

BOOL CChartDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillTypeList();
    if (m_pDoc != NULL)
        CollectValues(m_pDoc->m_sheet.m_cells, m_pDoc->m_sheet.m_arrSel, m_arrValues);
    SetInitialAppearance();
    ShowGrid(FALSE);
    SetAxes();
    SetTitle();
    m_listType.SetCurSel(1);
    SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHART_TYPE, LBN_SELCHANGE), (LPARAM)m_listType.m_hWnd);
    return TRUE;
}

void CChartDlg::FillTypeList()
{
    for (int i = 0; i < (int)(sizeof(kChartTypes) / sizeof(kChartTypes[0])); ++i)
    {
        int nItem = m_listType.InsertString(i, kChartTypes[i].lpszName);
        m_listType.SetItemData(nItem, (DWORD_PTR)kChartTypes[i].nType);
    }
}

void CChartDlg::SetInitialAppearance()
{
    COLORREF crFace = ::GetSysColor(COLOR_BTNFACE), crGrey = ::GetSysColor(COLOR_GRAYTEXT);
    CChartPart plot = m_chart.GetPlot();
    CChartPart wallBrush = plot.GetId23().GetId2();
    wallBrush.PutId1Long(1);
    CChartPart wallColor = wallBrush.GetId2();
    SetColor(wallColor, crFace);
    CChartPart view = plot.GetId18();
    view.PutId2Float(0.0f);
    view.PutId1(89.0f);
    CChartPart base = plot.GetId19();
    CChartPart baseBrush = base.GetId2();
    baseBrush.PutId1Long(1);
    CChartPart baseColor = baseBrush.GetId2();
    SetColor(baseColor, crGrey);
    base.PutId1(20.0f);
    CChartPart light = plot.GetId27();
    light.PutId1(1.0f);
    light.PutId2Float(0.25f);
    light.PutId3Bool(TRUE);
}

void CChartDlg::SetAxes()
{
    CChartPart plot = m_chart.GetPlot();
    CChartPart tickY = plot.GetId31(1).GetId7();
    tickY.PutId1(2.0f);
    tickY.PutId2Long(2);
    CChartPart axisY2 = plot.GetId31(2);
    CChartPart tickY2 = axisY2.GetId7();
    tickY2.PutId1(0.0f);
    tickY2.PutId2Long(3);
    axisY2.GetId8().PutId1Bool(TRUE);
    plot.GetId31(0).GetId7().PutId2Long(0);
}

void CChartDlg::SetTitle()
{
    float fWidth = 0.0f, fHeight = 0.0f;
    ControlTwips(fWidth, fHeight);
    CChartPart title = m_chart.GetTitle();
    CChartPart location = title.GetId3();
    location.PutId3Long(8);
    location.PutId2Bool(TRUE);
    CChartPart rect = location.GetId1();
    rect.GetId1().InvokeId3(0.0f, fHeight * 0.8666667f);
    rect.GetId2().InvokeId3(fWidth, fHeight);
    title.PutId2(m_strTitle);
}

void CChartDlg::ControlTwips(float& fWidth, float& fHeight)
{
    CRect rc;
    m_chart.GetClientRect(&rc);
    CClientDC dc(NULL);
    fWidth = (float)rc.Width() * 1440.0f / (float)dc.GetDeviceCaps(LOGPIXELSX);
    fHeight = (float)rc.Height() * 1440.0f / (float)dc.GetDeviceCaps(LOGPIXELSY);
}

LONG CChartDlg::CurrentType() const
{
    int nSel = m_listType.GetCurSel();
    return nSel < 0 ? -1 : (LONG)m_listType.GetItemData(nSel);
}

void CChartDlg::OnSelchangeType()
{
    LONG nType = CurrentType();
    if (nType < 0)
        return;
    SetChartType(nType);
    LayoutPlot(nType);
}

void CChartDlg::SetChartType(LONG nType)
{
    m_chart.SetChartType(nType);
    if (nType > kPieType)
        return;
    short nPoints = (short)m_arrValues.GetSize();
    CChartDataGrid grid = m_chart.GetDataGrid();
    if (nType == kPieType)
    {
        grid.InvokeId15();
        grid.SetColumnCount(nPoints);
        grid.SetRowCount(1);
        m_chart.SetRow(1);
        m_chart.SetRowLabel("");
        for (short i = 1; i <= nPoints; ++i)
            grid.SetData(1, i, m_arrValues[i - 1].dValue, 0);
        for (short i = 1; i <= nPoints; ++i)
        {
            m_chart.SetColumn(i);
            m_chart.SetColumnLabel(m_arrValues[i - 1].szName);
        }
        return;
    }
    if (nType != 1 && nType != 3 && nType != 0 && nType != 5 && nType != 7 && nType != 6)
        return;
    grid.SetColumnCount(1);
    grid.SetRowCount(nPoints);
    grid.SetProperty3(6);
    for (short i = 1; i <= nPoints; ++i)
        grid.SetData(i, 1, m_arrValues[i - 1].dValue, 0);
    for (short i = 1; i <= nPoints; ++i)
    {
        m_chart.SetRow(i);
        m_chart.SetRowLabel(m_arrValues[i - 1].szName);
    }
}

void CChartDlg::LayoutPlot(LONG nType)
{
    float fWidth = 0.0f, fHeight = 0.0f;
    ControlTwips(fWidth, fHeight);
    BOOL bLegend = IsDlgButtonChecked(IDC_CHART_LEGEND) == BST_CHECKED;
    CChartPart plot = m_chart.GetPlot();
    plot.PutId12(FALSE);
    CChartPart rect = plot.GetId15();
    CChartPart legendLocation = m_chart.GetLegend().GetId1();
    legendLocation.PutId2Bool(FALSE);
    if (IsFlatType(nType))
    {
        rect.GetId1().InvokeId3(fWidth * 0.05f, fHeight * -0.1f);
        CChartPart max = rect.GetId2();
        if (bLegend)
        {
            legendLocation.PutId2Bool(TRUE);
            max.PutId1(fWidth * 0.8666667f);
        }
        else
            max.PutId1(fWidth * 0.93333334f);
        max.PutId2Float(fHeight * 0.93333334f);
    }
    else if (nType == 0 || nType == 6 || nType == kPieType)
    {
        if (nType == kPieType)
            rect.GetId1().InvokeId3(0.0f, fHeight * 0.06666667f);
        else
            rect.GetId1().InvokeId3(fWidth * -0.13333334f, 0.0f);
        legendLocation.PutId2Bool(bLegend);
        rect.GetId2().InvokeId3(fWidth, fHeight);
    }
}

void CChartDlg::ShowLegend(BOOL bShow)
{
    m_chart.GetLegend().GetId1().PutId2Bool(bShow);
    float fWidth = 0.0f, fHeight = 0.0f;
    ControlTwips(fWidth, fHeight);
    CChartPart plot = m_chart.GetPlot();
    plot.PutId12(FALSE);
    if (IsFlatType(CurrentType()))
        plot.GetId15().GetId2().PutId1(fWidth * (bShow ? 0.8666667f : 0.93333334f));
}

void CChartDlg::OnLegend()
{
    ShowLegend(IsDlgButtonChecked(IDC_CHART_LEGEND) == BST_CHECKED);
}

void CChartDlg::ShowGrid(BOOL bShow)
{
    COLORREF crPen = ::GetSysColor(bShow ? COLOR_GRAYTEXT : COLOR_BTNFACE);
    CChartPart plot = m_chart.GetPlot();
    const LONG axes[] = { 1, 2, 0 };
    for (LONG nAxis : axes)
    {
        CChartPart pen = plot.GetId31(nAxis).GetId5().GetId2();
        pen.PutId1Long(1);
        CChartPart color = pen.GetId4();
        SetColor(color, crPen);
        pen.PutId5(0.2f);
    }
}

void CChartDlg::OnGrid()
{
    ShowGrid(IsDlgButtonChecked(IDC_CHART_GRID) == BST_CHECKED);
}

void CChartDlg::OnKillfocusTitle()
{
    CString strText;
    GetDlgItemText(IDC_CHART_TITLE, strText);
    CChartPart title = m_chart.GetTitle();
    if (title.GetId2Text() != strText)
        title.PutId2(strText);
}

BOOL CChartDlg::PreTranslateMessage(MSG* pMsg)
{
    // Parts of the chart are not for picking.
    if ((pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_RBUTTONDOWN) &&
        m_chart.m_hWnd != NULL &&
        (pMsg->hwnd == m_chart.m_hWnd || ::IsChild(m_chart.m_hWnd, pMsg->hwnd)))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}
