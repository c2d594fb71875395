// What the chart renderer's files share: the data as categories and
// series, text and colour helpers, and the drawing of each part.
#pragma once

#include "reporting/chart/ChartRender.h"

#include <cairo.h>

// The grid read as the chart draws it: rows are categories, columns are
// series; a single series gives each category its own colour.
struct CChartSeries
{
    explicit CChartSeries(const CChartModel& model);
    int nCategories;
    int nSeries;
    // Finite values, clamped to a range whose sums stay finite; a null
    // point is 0.
    double Value(int nCategory, int nSerie) const;
    BOOL ByCategory() const { return nSeries == 1; }
    COLORREF Color(int nCategory, int nSerie) const
    {
        return ChartPaletteColor(ByCategory() ? nCategory : nSerie);
    }

private:
    const CChartModel& m_model;
};

void SetSourceColor(cairo_t* cr, COLORREF cr0);
// A colour lighter (fFactor > 1) or darker (< 1).
COLORREF ShadeColor(COLORREF crColor, double fFactor);
// The chart's font at a pixel size.
void SelectChartFont(cairo_t* cr, double dSize, BOOL bBold = FALSE);
double TextWidth(cairo_t* cr, LPCSTR lpszText);
// Text centred on x with its middle at y.
void DrawTextCentered(cairo_t* cr, LPCSTR lpszText, double x, double y);
// Text ending at x with its middle at y.
void DrawTextRight(cairo_t* cr, LPCSTR lpszText, double x, double y);
void FillRect(cairo_t* cr, double x, double y, double cx, double cy, COLORREF crFill);

// The legend's entries: the categories of a single series (and of a pie's
// slices), else the series.
int LegendCount(const CChartModel& model);
CString LegendText(const CChartModel& model, int n);

void DrawLegend(cairo_t* cr, const CChartModel& model, const RECT& rc);
void DrawPie(cairo_t* cr, const CChartModel& model, const RECT& rc);
// Column, cylinder, line, area and the two step charts.
void DrawAxisChart(cairo_t* cr, const CChartModel& model, const RECT& rc);
