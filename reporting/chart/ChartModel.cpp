#include "reporting/chart/ChartModel.h"

CChartModel::CChartModel()
{
    m_title.bVisible = FALSE;
    m_wallBrush.nStyle = 0;
    m_baseBrush.crFill = RGB(192, 192, 192);
    m_axes[CHART_AXIS_X].gridPen.nStyle = 0;
    m_axes[CHART_AXIS_Y2].gridPen.nStyle = 0;
    m_axes[CHART_AXIS_Y].gridPen.crColor = RGB(192, 192, 192);
    m_axes[CHART_AXIS_Y2].bScaleHidden = TRUE;
    Resize(1, 1);
    InitializeLabels();
}

void CChartModel::Resize(int nRows, int nColumns)
{
    nRows = nRows < 0 ? 0 : nRows;
    nColumns = nColumns < 0 ? 0 : nColumns;
    std::vector<double> values((size_t)nRows * nColumns, 0.0);
    std::vector<BYTE> nulls((size_t)nRows * nColumns, 0);
    for (int r = 1; r <= nRows && r <= m_nRows; ++r)
        for (int c = 1; c <= nColumns && c <= m_nColumns; ++c)
        {
            size_t nNew = (size_t)(r - 1) * nColumns + (c - 1);
            values[nNew] = m_values[Index(r, c)];
            nulls[nNew] = m_nulls[Index(r, c)];
        }
    m_values.swap(values);
    m_nulls.swap(nulls);
    m_nRows = nRows;
    m_nColumns = nColumns;
    m_rowLabels.resize(nRows);
    m_columnLabels.resize(nColumns);
}

void CChartModel::SetRowCount(int nRows)
{
    Resize(nRows, m_nColumns);
}

void CChartModel::SetColumnCount(int nColumns)
{
    Resize(m_nRows, nColumns);
}

BOOL CChartModel::SetData(int nRow, int nColumn, double dValue, BOOL bNull)
{
    if (nRow < 1 || nRow > m_nRows || nColumn < 1 || nColumn > m_nColumns)
        return FALSE;
    m_values[Index(nRow, nColumn)] = dValue;
    m_nulls[Index(nRow, nColumn)] = bNull ? 1 : 0;
    return TRUE;
}

double CChartModel::Value(int nRow, int nColumn) const
{
    if (nRow < 1 || nRow > m_nRows || nColumn < 1 || nColumn > m_nColumns)
        return 0.0;
    return m_values[Index(nRow, nColumn)];
}

BOOL CChartModel::IsNull(int nRow, int nColumn) const
{
    if (nRow < 1 || nRow > m_nRows || nColumn < 1 || nColumn > m_nColumns)
        return TRUE;
    return m_nulls[Index(nRow, nColumn)] != 0;
}

void CChartModel::InitializeLabels()
{
    for (int r = 0; r < m_nRows; ++r)
        m_rowLabels[r].Format("R%d", r + 1);
    for (int c = 0; c < m_nColumns; ++c)
        m_columnLabels[c].Format("C%d", c + 1);
}

CString CChartModel::RowLabel(int nRow) const
{
    return nRow >= 1 && nRow <= m_nRows ? m_rowLabels[nRow - 1] : CString();
}

CString CChartModel::ColumnLabel(int nColumn) const
{
    return nColumn >= 1 && nColumn <= m_nColumns ? m_columnLabels[nColumn - 1] : CString();
}

BOOL CChartModel::SetRowLabel(int nRow, LPCSTR lpszLabel)
{
    if (nRow < 1 || nRow > m_nRows)
        return FALSE;
    m_rowLabels[nRow - 1] = lpszLabel;
    return TRUE;
}

BOOL CChartModel::SetColumnLabel(int nColumn, LPCSTR lpszLabel)
{
    if (nColumn < 1 || nColumn > m_nColumns)
        return FALSE;
    m_columnLabels[nColumn - 1] = lpszLabel;
    return TRUE;
}

void CChartModel::Changed()
{
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        ::InvalidateRect(m_hWnd, NULL, FALSE);
}
