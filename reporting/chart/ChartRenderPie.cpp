// The pie: one slice per series of the first row's values; negative and
// null values get no slice, and a pie whose values sum to nothing is an
// empty circle.
#include "reporting/chart/ChartRenderParts.h"

#include <math.h>

#include <algorithm>

void DrawPie(cairo_t* cr, const CChartModel& model, const RECT& rc)
{
    CChartSeries data(model);
    double dTotal = 0.0;
    for (int s = 0; s < data.nSeries; ++s)
        dTotal += std::max(0.0, data.Value(0, s));
    double cxRect = rc.right - rc.left, cyRect = rc.bottom - rc.top;
    double dRadius = std::min(cxRect, cyRect) / 2.0 * 0.85;
    double xCentre = rc.left + cxRect / 2.0, yCentre = rc.top + cyRect / 2.0;
    if (data.nCategories < 1 || dRadius < 2.0)
        return;
    cairo_set_line_width(cr, 1.0);
    if (dTotal > 0.0 && isfinite(dTotal))
    {
        // From twelve o'clock, clockwise.
        double dAngle = -M_PI / 2.0;
        for (int s = 0; s < data.nSeries; ++s)
        {
            double dValue = std::max(0.0, data.Value(0, s));
            if (dValue <= 0.0)
                continue;
            double dSweep = 2.0 * M_PI * dValue / dTotal;
            cairo_move_to(cr, xCentre, yCentre);
            cairo_arc(cr, xCentre, yCentre, dRadius, dAngle, dAngle + dSweep);
            cairo_close_path(cr);
            SetSourceColor(cr, ChartPaletteColor(s));
            cairo_fill(cr);
            dAngle += dSweep;
        }
    }
    SetSourceColor(cr, kChartInk);
    // A fresh path: the title's text leaves its end as the current point,
    // which an arc would join with a line.
    cairo_new_path(cr);
    cairo_arc(cr, xCentre, yCentre, dRadius, 0.0, 2.0 * M_PI);
    cairo_stroke(cr);
}
