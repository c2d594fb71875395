// Draws a chart model with cairo: title, legend, plot with axes, grid and
// category labels, or a pie.
#pragma once

#include "reporting/chart/ChartModel.h"

typedef struct _cairo cairo_t;

// Pixel rectangles of a chart's parts, y growing downward.
struct CChartLayout
{
    RECT rcTitle = {};
    RECT rcLegend = {};
    RECT rcPlot = {};
    BOOL bTitle = FALSE;
    BOOL bLegend = FALSE;
};

// The parts' places in a cx x cy pixel area; dpi turns the model's twips
// into pixels.  cr measures the legend's texts.
CChartLayout LayoutChart(cairo_t* cr, const CChartModel& model, int cx, int cy, int nDpiX, int nDpiY);

// Draws the whole chart over the cx x cy area at the origin of cr.
void RenderChart(cairo_t* cr, const CChartModel& model, int cx, int cy, int nDpiX, int nDpiY);

// The fill colour of category or series n (0-based): bars, slices, legend
// keys.
COLORREF ChartPaletteColor(int n);

// The colours the chart draws its frame in: the control's background, the
// axes and texts.
const COLORREF kChartBackground = RGB(255, 255, 255);
const COLORREF kChartInk = RGB(0, 0, 0);
