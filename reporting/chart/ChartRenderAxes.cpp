// The charts over a value axis: columns, cylinders, lines, and areas flat
// and extruded.  Categories run along the bottom, values
// up the left; the value axis always takes in zero.
#include "reporting/chart/ChartRenderParts.h"

#include <math.h>
#include <stdio.h>

#include <algorithm>
#include <vector>

namespace
{
const double kFontSize = 11.0;
const int kMaxTicks = 6;

// A value axis from lo to hi in steps that are 1, 2 or 5 times a power of ten.
struct ValueScale
{
    double lo = 0.0;
    double hi = 1.0;
    double step = 0.2;

    ValueScale(double dMin, double dMax)
    {
        dMin = std::min(0.0, dMin);
        dMax = std::max(0.0, dMax);
        if (!(dMax > dMin))
            dMax = dMin + 1.0;
        double dRaw = (dMax - dMin) / kMaxTicks;
        double dMagnitude = pow(10.0, floor(log10(dRaw)));
        step = dMagnitude;
        for (double f : { 1.0, 2.0, 5.0, 10.0 })
            if (f * dMagnitude >= dRaw)
            {
                step = f * dMagnitude;
                break;
            }
        lo = floor(dMin / step) * step;
        hi = ceil(dMax / step) * step;
        // Beyond the largest doubles the rounding overflows: keep the data's own range.
        if (!isfinite(lo) || !isfinite(hi) || !isfinite(step) || hi <= lo)
        {
            lo = dMin;
            hi = dMax;
            step = (dMax - dMin) / kMaxTicks;
        }
    }
    int Steps() const { return std::min(4 * kMaxTicks, (int)lround((hi - lo) / step)); }
};

// Places of one chart: the inner rectangle and its depth for 3-D types.
struct Frame
{
    double left, top, right, bottom;
    double depth;
    ValueScale scale;
    int nCategories;

    double Y(double v) const
    {
        double d = (v - scale.lo) / (scale.hi - scale.lo);
        return bottom - std::max(-0.05, std::min(1.05, d)) * (bottom - top);
    }
    double Slot() const { return (right - left) / std::max(1, nCategories); }
    double SlotLeft(int i) const { return left + i * Slot(); }
};

BOOL IsThreeD(LONG nType)
{
    return nType == CHART_3D_BAR || nType == CHART_3D_STACKED_AREA;
}

BOOL IsStacked(LONG nType)
{
    return nType == CHART_2D_AREA || nType == CHART_2D_STACKED_AREA || nType == CHART_3D_STACKED_AREA;
}

CString AxisLabel(double v, double step)
{
    char sz[64];
    if (fabs(v) < step * 1e-9)
        v = 0.0;
    if (fabs(v) >= 1e7 || (fabs(v) > 0 && fabs(v) < 1e-4))
        snprintf(sz, sizeof(sz), "%.3g", v);
    else
        snprintf(sz, sizeof(sz), "%.10g", v);
    return sz;
}

// The lowest and highest bar ends, sums of a stack for the stacked types.
void ValueRange(const CChartSeries& data, BOOL bStacked, double& dMin, double& dMax)
{
    dMin = 0.0;
    dMax = 0.0;
    for (int c = 0; c < data.nCategories; ++c)
    {
        double dUp = 0.0, dDown = 0.0;
        for (int s = 0; s < data.nSeries; ++s)
        {
            double v = data.Value(c, s);
            if (bStacked)
                (v >= 0 ? dUp : dDown) += v;
            else
            {
                dUp = std::max(dUp, v);
                dDown = std::min(dDown, v);
            }
        }
        dMax = std::max(dMax, dUp);
        dMin = std::min(dMin, dDown);
    }
}

void Line(cairo_t* cr, double x0, double y0, double x1, double y1)
{
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
}

// The face drawn back by the depth d from the edge (x0, y0)-(x1, y1).
void FillFace(cairo_t* cr, double x0, double y0, double x1, double y1, double d, COLORREF crFill)
{
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x0 + d, y0 - d);
    cairo_line_to(cr, x1 + d, y1 - d);
    cairo_line_to(cr, x1, y1);
    cairo_close_path(cr);
    SetSourceColor(cr, crFill);
    cairo_fill(cr);
}

void DrawGridAndAxes(cairo_t* cr, const CChartModel& model, const Frame& f)
{
    const double d = f.depth;
    if (model.m_wallBrush.nStyle != 0)
    {
        SetSourceColor(cr, model.m_wallBrush.crFill);
        cairo_rectangle(cr, f.left + d, f.top - d, f.right - f.left, f.bottom - f.top);
        cairo_fill(cr);
        // The side wall of a 3-D chart, under the grid's slanted ends.
        if (d > 0)
            FillFace(cr, f.left, f.bottom, f.left, f.top, d, model.m_wallBrush.crFill);
    }
    if (d > 0 && model.m_baseBrush.nStyle != 0)
    {
        // The floor under the 3-D chart, seen from above.
        FillFace(cr, f.left, f.bottom, f.right, f.bottom, d, model.m_baseBrush.crFill);
    }
    const CChartPen& gridY = model.m_axes[CHART_AXIS_Y].gridPen;
    if (gridY.nStyle != 0)
    {
        SetSourceColor(cr, gridY.crColor);
        cairo_set_line_width(cr, 1.0);
        for (int i = 1; i <= f.scale.Steps(); ++i)
        {
            double v = f.scale.lo + i * f.scale.step;
            double y = floor(f.Y(v) - d) + 0.5;
            Line(cr, f.left + d, y, f.right + d, y);
            if (d > 0)
                Line(cr, f.left, y + d, f.left + d, y);
        }
    }
    const CChartPen& gridX = model.m_axes[CHART_AXIS_X].gridPen;
    if (gridX.nStyle != 0)
    {
        SetSourceColor(cr, gridX.crColor);
        cairo_set_line_width(cr, 1.0);
        for (int i = 1; i < f.nCategories; ++i)
        {
            double x = floor(f.SlotLeft(i) + d) + 0.5;
            Line(cr, x, f.top - d, x, f.bottom - d);
        }
    }

    SetSourceColor(cr, kChartInk);
    cairo_set_line_width(cr, 1.0);
    double xAxis = floor(f.left) + 0.5;
    Line(cr, xAxis, f.top, xAxis, f.bottom);
    double yZero = floor(f.Y(0.0)) + 0.5;
    Line(cr, f.left, yZero, f.right, yZero);

    // Ticks and labels of the value axis.
    const CChartAxis& axisY = model.m_axes[CHART_AXIS_Y];
    SelectChartFont(cr, kFontSize);
    double dTick = axisY.nTickStyle == 0 ? 0.0 : std::max(2.0, (double)axisY.fTickLength * 1.5);
    for (int i = 0; i <= f.scale.Steps(); ++i)
    {
        double v = f.scale.lo + i * f.scale.step;
        double y = floor(f.Y(v)) + 0.5;
        if (dTick > 0)
            Line(cr, xAxis - dTick, y, xAxis, y);
        DrawTextRight(cr, AxisLabel(v, f.scale.step), xAxis - dTick - 3, y);
    }

    // Category labels, every n-th one when they would run into each other.
    double dWidest = 1.0;
    for (int i = 0; i < f.nCategories; ++i)
        dWidest = std::max(dWidest, TextWidth(cr, model.RowLabel(i + 1)));
    int nEvery = std::max(1, (int)ceil((dWidest + 4) / std::max(1.0, f.Slot())));
    for (int i = 0; i < f.nCategories; i += nEvery)
        DrawTextCentered(cr, model.RowLabel(i + 1), f.SlotLeft(i) + f.Slot() / 2, f.bottom + kFontSize);
}

void DrawBars(cairo_t* cr, const CChartSeries& data, const Frame& f)
{
    double dGroup = f.Slot() * 0.7;
    double dBar = dGroup / std::max(1, data.nSeries);
    for (int c = 0; c < data.nCategories; ++c)
        for (int s = 0; s < data.nSeries; ++s)
        {
            double x = f.SlotLeft(c) + f.Slot() * 0.15 + s * dBar;
            double y0 = f.Y(0.0), y1 = f.Y(data.Value(c, s));
            FillRect(cr, x, std::min(y0, y1), dBar, fabs(y1 - y0), data.Color(c, s));
        }
}

// Upright cylinders standing in the middle of the chart's depth.
void DrawCylinders(cairo_t* cr, const CChartSeries& data, const Frame& f)
{
    double dGroup = f.Slot() * 0.7;
    double dBar = dGroup / std::max(1, data.nSeries);
    double dShift = f.depth / 2;
    double ry = std::max(1.0, dBar * 0.15);
    for (int c = 0; c < data.nCategories; ++c)
        for (int s = 0; s < data.nSeries; ++s)
        {
            double x = f.SlotLeft(c) + f.Slot() * 0.15 + s * dBar + dShift;
            double y0 = f.Y(0.0) - dShift, y1 = f.Y(data.Value(c, s)) - dShift;
            double yTop = std::min(y0, y1), yBottom = std::max(y0, y1);
            COLORREF crColor = data.Color(c, s);
            cairo_pattern_t* pBody = cairo_pattern_create_linear(x, 0, x + dBar, 0);
            COLORREF crDark = ShadeColor(crColor, 0.65), crLight = ShadeColor(crColor, 1.35);
            cairo_pattern_add_color_stop_rgb(pBody, 0.0, GetRValue(crDark) / 255.0,
                                             GetGValue(crDark) / 255.0, GetBValue(crDark) / 255.0);
            cairo_pattern_add_color_stop_rgb(pBody, 0.4, GetRValue(crLight) / 255.0,
                                             GetGValue(crLight) / 255.0, GetBValue(crLight) / 255.0);
            cairo_pattern_add_color_stop_rgb(pBody, 1.0, GetRValue(crDark) / 255.0,
                                             GetGValue(crDark) / 255.0, GetBValue(crDark) / 255.0);
            cairo_save(cr);
            cairo_translate(cr, x + dBar / 2, yBottom);
            cairo_scale(cr, dBar / 2, ry);
            cairo_arc(cr, 0, 0, 1, 0, M_PI);
            cairo_restore(cr);
            cairo_line_to(cr, x, yTop);
            cairo_line_to(cr, x + dBar, yTop);
            cairo_close_path(cr);
            cairo_set_source(cr, pBody);
            cairo_fill(cr);
            cairo_pattern_destroy(pBody);
            cairo_save(cr);
            cairo_translate(cr, x + dBar / 2, yTop);
            cairo_scale(cr, dBar / 2, ry);
            cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(cr);
            SetSourceColor(cr, crColor);
            cairo_fill(cr);
        }
}

void DrawLines(cairo_t* cr, const CChartSeries& data, const Frame& f)
{
    cairo_set_line_width(cr, 2.0);
    for (int s = 0; s < data.nSeries; ++s)
    {
        for (int c = 0; c < data.nCategories; ++c)
        {
            double x = f.SlotLeft(c) + f.Slot() / 2, y = f.Y(data.Value(c, s));
            if (c == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        SetSourceColor(cr, ChartPaletteColor(s));
        cairo_stroke(cr);
    }
}

// Point markers in each point's colour: the keys of the legend.
void DrawMarkers(cairo_t* cr, const CChartSeries& data, const Frame& f, const std::vector<double>& tops)
{
    for (int s = 0; s < data.nSeries; ++s)
        for (int c = 0; c < data.nCategories; ++c)
        {
            double x = f.SlotLeft(c) + f.Slot() / 2, y = f.Y(tops[(size_t)s * data.nCategories + c]);
            cairo_rectangle(cr, x - 3, y - 3, 6, 6);
            SetSourceColor(cr, data.Color(c, s));
            cairo_fill_preserve(cr);
            SetSourceColor(cr, kChartInk);
            cairo_set_line_width(cr, 1.0);
            cairo_stroke(cr);
        }
}

// Stacked ends of each point, series by series: positive values stack up
// from zero, negative ones down.
void Stack(const CChartSeries& data, std::vector<double>& bases, std::vector<double>& tops)
{
    bases.assign((size_t)data.nSeries * data.nCategories, 0.0);
    tops = bases;
    for (int c = 0; c < data.nCategories; ++c)
    {
        double dUp = 0.0, dDown = 0.0;
        for (int s = 0; s < data.nSeries; ++s)
        {
            double v = data.Value(c, s);
            double& dEnd = v >= 0 ? dUp : dDown;
            bases[(size_t)s * data.nCategories + c] = dEnd;
            dEnd += v;
            tops[(size_t)s * data.nCategories + c] = dEnd;
        }
    }
}

// Each series stacked on the ones before it; with depth, the top of each
// stretch between two points and the last point's side show as faces.
void DrawAreas(cairo_t* cr, const CChartSeries& data, const Frame& f)
{
    std::vector<double> bases, tops;
    Stack(data, bases, tops);
    const double d = f.depth;
    auto x = [&](int c) { return f.SlotLeft(c) + f.Slot() / 2; };
    for (int s = 0; s < data.nSeries; ++s)
    {
        const size_t n0 = (size_t)s * data.nCategories;
        const COLORREF crFront = ShadeColor(ChartPaletteColor(s), 1.3);
        if (d > 0 && data.nCategories > 0)
        {
            for (int c = 0; c + 1 < data.nCategories; ++c)
                FillFace(cr, x(c), f.Y(tops[n0 + c]), x(c + 1), f.Y(tops[n0 + c + 1]), d,
                         ShadeColor(crFront, 1.25));
            const int nLast = data.nCategories - 1;
            FillFace(cr, x(nLast), f.Y(bases[n0 + nLast]), x(nLast), f.Y(tops[n0 + nLast]), d,
                     ShadeColor(crFront, 0.75));
        }
        for (int c = 0; c < data.nCategories; ++c)
        {
            if (c == 0)
                cairo_move_to(cr, x(c), f.Y(tops[n0]));
            else
                cairo_line_to(cr, x(c), f.Y(tops[n0 + c]));
        }
        for (int c = data.nCategories - 1; c >= 0; --c)
            cairo_line_to(cr, x(c), f.Y(bases[n0 + c]));
        cairo_close_path(cr);
        SetSourceColor(cr, crFront);
        cairo_fill(cr);
    }
    DrawMarkers(cr, data, f, tops);
}
} // namespace

void DrawAxisChart(cairo_t* cr, const CChartModel& model, const RECT& rc)
{
    CChartSeries data(model);
    const LONG nType = model.m_nChartType;
    double dMin = 0.0, dMax = 0.0;
    ValueRange(data, IsStacked(nType), dMin, dMax);

    Frame f{ 0, 0, 0, 0, 0, ValueScale(dMin, dMax), data.nCategories };
    SelectChartFont(cr, kFontSize);
    double dLabels = std::max(TextWidth(cr, AxisLabel(f.scale.lo, f.scale.step)),
                              TextWidth(cr, AxisLabel(f.scale.hi, f.scale.step)));
    f.left = rc.left + dLabels + 12;
    f.right = rc.right - 8;
    f.top = rc.top + 8;
    f.bottom = rc.bottom - kFontSize - 10;
    if (IsThreeD(nType))
    {
        f.depth = std::min(f.right - f.left, f.bottom - f.top) * 0.08;
        f.right -= f.depth;
        f.top += f.depth;
    }
    if (f.right - f.left < 4 || f.bottom - f.top < 4)
        return;

    DrawGridAndAxes(cr, model, f);
    cairo_save(cr);
    cairo_rectangle(cr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    cairo_clip(cr);
    switch (nType)
    {
    case CHART_2D_BAR:
        DrawBars(cr, data, f);
        break;
    case CHART_3D_BAR:
        DrawCylinders(cr, data, f);
        break;
    case CHART_2D_LINE:
    {
        DrawLines(cr, data, f);
        std::vector<double> tops;
        for (int s = 0; s < data.nSeries; ++s)
            for (int c = 0; c < data.nCategories; ++c)
                tops.push_back(data.Value(c, s));
        DrawMarkers(cr, data, f, tops);
        break;
    }
    default:
        DrawAreas(cr, data, f);
        break;
    }
    cairo_restore(cr);
}
