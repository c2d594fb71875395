// The state of one chart control: its type, data grid and labels, and the
// plot, axes, legend and title settings that its automation objects set.
// The renderer draws from it; nothing here knows windows or automation.
#pragma once

#include "framework/core/String.h"

// After the framework: windows.h must come before the C++ library here.
#include <vector>

// Chart type numbers of the control.
enum
{
    CHART_3D_BAR = 0,
    CHART_2D_BAR = 1,
    CHART_2D_LINE = 3,
    CHART_2D_AREA = 5,
    CHART_3D_STACKED_AREA = 6,
    CHART_2D_STACKED_AREA = 7,
    CHART_2D_PIE = 14
};

// Axes by the plot's axis number.
enum
{
    CHART_AXIS_X = 0,
    CHART_AXIS_Y = 1,
    CHART_AXIS_Y2 = 2,
    CHART_AXIS_COUNT = 3
};

// A point of a location rectangle, in twips from the control's bottom-left
// corner (y grows upward).
struct CChartCoor
{
    float x = 0.0f;
    float y = 0.0f;
};

struct CChartRect
{
    CChartCoor min;
    CChartCoor max;
};

// Where a legend or title sits; type 8 is a custom rectangle.
struct CChartLocation
{
    BOOL bVisible = TRUE;
    LONG nType = 0;
    CChartRect rect;
};

// Style 0 draws nothing, 1 solid.  Width in points.
struct CChartPen
{
    LONG nStyle = 1;
    COLORREF crColor = RGB(0, 0, 0);
    float fWidth = 1.0f;
};

// Style 0 leaves the area unfilled, 1 fills it solid.
struct CChartBrush
{
    LONG nStyle = 1;
    COLORREF crFill = RGB(255, 255, 255);
};

struct CChartAxis
{
    CChartPen gridPen;
    float fTickLength = 3.0f;
    LONG nTickStyle = 1;
    BOOL bScaleHidden = FALSE;
};

class CChartModel
{
public:
    CChartModel();

    // The data grid: rows are categories, columns are series.  Growing keeps
    // the values that stay inside, new points are 0 and not null.
    void SetRowCount(int nRows);
    void SetColumnCount(int nColumns);
    int RowCount() const { return m_nRows; }
    int ColumnCount() const { return m_nColumns; }
    // 1-based; FALSE outside the grid.
    BOOL SetData(int nRow, int nColumn, double dValue, BOOL bNull);
    double Value(int nRow, int nColumn) const;
    BOOL IsNull(int nRow, int nColumn) const;
    // Default labels "R1", "R2"... and "C1", "C2"...
    void InitializeLabels();
    // 1-based; an index outside the grid gives "" (get) or FALSE (set).
    CString RowLabel(int nRow) const;
    CString ColumnLabel(int nColumn) const;
    BOOL SetRowLabel(int nRow, LPCSTR lpszLabel);
    BOOL SetColumnLabel(int nColumn, LPCSTR lpszLabel);

    // The window shown the chart: it is redrawn after each change.
    void Changed();
    HWND m_hWnd = NULL;

    LONG m_nChartType = CHART_2D_BAR;
    // The control's current row and column, 1-based.
    int m_nRow = 1;
    int m_nColumn = 1;
    int m_nRowLabelCount = 1;

    CString m_strTitle;
    CChartLocation m_title;
    CChartLocation m_legend;

    // The plot: without automatic layout m_plotRect places it.
    BOOL m_bAutoLayout = TRUE;
    CChartRect m_plotRect;
    float m_fRotation = 30.0f;
    float m_fElevation = 20.0f;
    float m_fBaseHeight = 0.0f;
    CChartBrush m_baseBrush;
    float m_fWallWidth = 0.0f;
    CChartBrush m_wallBrush;
    float m_fAmbientIntensity = 0.5f;
    float m_fEdgeIntensity = 0.5f;
    BOOL m_bEdgeVisible = FALSE;
    CChartAxis m_axes[CHART_AXIS_COUNT];

private:
    int Index(int nRow, int nColumn) const { return (nRow - 1) * m_nColumns + (nColumn - 1); }
    void Resize(int nRows, int nColumns);

    int m_nRows = 0;
    int m_nColumns = 0;
    std::vector<double> m_values;
    std::vector<BYTE> m_nulls;
    std::vector<CString> m_rowLabels;
    std::vector<CString> m_columnLabels;
};
