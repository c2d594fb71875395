#include "reporting/chart/ChartRenderParts.h"

#include <math.h>

#include <algorithm>

namespace
{
// Values beyond this are drawn at it: sums of a few thousand stay finite.
const double kValueLimit = 1e300;
const double kFontSize = 11.0;
const double kTitleFontSize = 13.0;
const int kLegendKey = 10;
const int kLegendGap = 4;

const COLORREF kPalette[] = {
    RGB(31, 119, 180), RGB(255, 127, 14), RGB(44, 160, 44), RGB(214, 39, 40),
    RGB(148, 103, 189), RGB(140, 86, 75), RGB(227, 119, 194), RGB(23, 190, 207),
    RGB(188, 189, 34), RGB(96, 96, 160), RGB(0, 96, 80), RGB(176, 128, 0),
};

LONG TwipsToPixels(float fTwips, int nDpi)
{
    return (LONG)lround((double)fTwips * nDpi / 1440.0);
}

// A location rectangle of the model in pixels, y growing downward.
RECT ToPixels(const CChartRect& rect, int cy, int nDpiX, int nDpiY)
{
    RECT rc;
    rc.left = TwipsToPixels(rect.min.x, nDpiX);
    rc.right = TwipsToPixels(rect.max.x, nDpiX);
    rc.top = cy - TwipsToPixels(rect.max.y, nDpiY);
    rc.bottom = cy - TwipsToPixels(rect.min.y, nDpiY);
    if (rc.left > rc.right)
        std::swap(rc.left, rc.right);
    if (rc.top > rc.bottom)
        std::swap(rc.top, rc.bottom);
    return rc;
}

void Clip(RECT& rc, int cx, int cy)
{
    rc.left = std::max<LONG>(0, std::min<LONG>(rc.left, cx));
    rc.right = std::max<LONG>(rc.left, std::min<LONG>(rc.right, cx));
    rc.top = std::max<LONG>(0, std::min<LONG>(rc.top, cy));
    rc.bottom = std::max<LONG>(rc.top, std::min<LONG>(rc.bottom, cy));
}

BOOL Overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
} // namespace

CChartSeries::CChartSeries(const CChartModel& model)
    : nCategories(model.RowCount()), nSeries(model.ColumnCount()), m_model(model)
{
}

double CChartSeries::Value(int nCategory, int nSerie) const
{
    if (m_model.IsNull(nCategory + 1, nSerie + 1))
        return 0.0;
    double d = m_model.Value(nCategory + 1, nSerie + 1);
    if (isnan(d))
        return 0.0;
    return std::max(-kValueLimit, std::min(kValueLimit, d));
}

namespace
{
// A colour of hue 0-360 degrees, saturation and lightness 0-1.
COLORREF HslColor(double dHue, double dSaturation, double dLightness)
{
    double c = (1.0 - fabs(2.0 * dLightness - 1.0)) * dSaturation;
    double h = dHue / 60.0;
    double x = c * (1.0 - fabs(fmod(h, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    if (h < 1)
        r = c, g = x;
    else if (h < 2)
        r = x, g = c;
    else if (h < 3)
        g = c, b = x;
    else if (h < 4)
        g = x, b = c;
    else if (h < 5)
        r = x, b = c;
    else
        r = c, b = x;
    double m = dLightness - c / 2.0;
    return RGB((BYTE)lround((r + m) * 255), (BYTE)lround((g + m) * 255), (BYTE)lround((b + m) * 255));
}
} // namespace

COLORREF ChartPaletteColor(int n)
{
    const int nCount = (int)(sizeof(kPalette) / sizeof(kPalette[0]));
    n = std::max(0, n);
    if (n < nCount)
        return kPalette[n];
    // Past the fixed colours every point still gets one of its own: hues a
    // golden angle apart, in three lightnesses taken in turn.
    const double dGoldenAngle = 137.50776405;
    const double kLightness[] = { 0.38, 0.55, 0.70 };
    double dHue = fmod(n * dGoldenAngle, 360.0);
    return HslColor(dHue, 0.65, kLightness[(n / nCount) % 3]);
}

void SetSourceColor(cairo_t* cr, COLORREF crColor)
{
    cairo_set_source_rgb(cr, GetRValue(crColor) / 255.0, GetGValue(crColor) / 255.0,
                         GetBValue(crColor) / 255.0);
}

COLORREF ShadeColor(COLORREF crColor, double fFactor)
{
    auto shade = [fFactor](int c) {
        double d = fFactor >= 1.0 ? c + (255 - c) * (fFactor - 1.0) : c * fFactor;
        return (BYTE)std::max(0.0, std::min(255.0, d));
    };
    return RGB(shade(GetRValue(crColor)), shade(GetGValue(crColor)), shade(GetBValue(crColor)));
}

void SelectChartFont(cairo_t* cr, double dSize, BOOL bBold)
{
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bBold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, dSize);
}

double TextWidth(cairo_t* cr, LPCSTR lpszText)
{
    cairo_text_extents_t extents;
    cairo_text_extents(cr, lpszText, &extents);
    return extents.x_advance;
}

namespace
{
void DrawTextAt(cairo_t* cr, LPCSTR lpszText, double x, double y)
{
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    cairo_move_to(cr, x, y + (font.ascent - font.descent) / 2.0);
    cairo_show_text(cr, lpszText);
}
} // namespace

void DrawTextCentered(cairo_t* cr, LPCSTR lpszText, double x, double y)
{
    DrawTextAt(cr, lpszText, x - TextWidth(cr, lpszText) / 2.0, y);
}

void DrawTextRight(cairo_t* cr, LPCSTR lpszText, double x, double y)
{
    DrawTextAt(cr, lpszText, x - TextWidth(cr, lpszText), y);
}

void FillRect(cairo_t* cr, double x, double y, double cx, double cy, COLORREF crFill)
{
    SetSourceColor(cr, crFill);
    cairo_rectangle(cr, x, y, cx, cy);
    cairo_fill(cr);
}

int LegendCount(const CChartModel& model)
{
    if (model.m_nChartType != CHART_2D_PIE && model.ColumnCount() == 1)
        return model.RowCount();
    return model.ColumnCount();
}

CString LegendText(const CChartModel& model, int n)
{
    if (model.m_nChartType != CHART_2D_PIE && model.ColumnCount() == 1)
        return model.RowLabel(n + 1);
    return model.ColumnLabel(n + 1);
}

CChartLayout LayoutChart(cairo_t* cr, const CChartModel& model, int cx, int cy, int nDpiX, int nDpiY)
{
    CChartLayout layout;
    RECT rcAll = { 0, 0, cx, cy };
    layout.bTitle = model.m_title.bVisible && !model.m_strTitle.IsEmpty();
    if (layout.bTitle)
    {
        if (model.m_title.nType == 8)
            layout.rcTitle = ToPixels(model.m_title.rect, cy, nDpiX, nDpiY);
        else
            layout.rcTitle = { 0, 0, cx, cy * 2 / 15 };
        Clip(layout.rcTitle, cx, cy);
    }

    layout.rcPlot = model.m_bAutoLayout ? rcAll : ToPixels(model.m_plotRect, cy, nDpiX, nDpiY);
    Clip(layout.rcPlot, cx, cy);
    // The title keeps its strip: the plot gives way on that side.
    if (layout.bTitle && Overlap(layout.rcTitle, layout.rcPlot))
    {
        if (layout.rcTitle.top + layout.rcTitle.bottom < layout.rcPlot.top + layout.rcPlot.bottom)
            layout.rcPlot.top = layout.rcTitle.bottom;
        else
            layout.rcPlot.bottom = layout.rcTitle.top;
    }

    int nEntries = LegendCount(model);
    layout.bLegend = model.m_legend.bVisible && nEntries > 0;
    if (layout.bLegend)
    {
        SelectChartFont(cr, kFontSize);
        double dWidest = 0.0;
        for (int i = 0; i < nEntries; ++i)
            dWidest = std::max(dWidest, TextWidth(cr, LegendText(model, i)));
        LONG nWidth = (LONG)ceil(dWidest) + kLegendKey + 3 * kLegendGap;
        nWidth = std::min<LONG>(nWidth, cx / 3);
        LONG nLine = (LONG)kFontSize + kLegendGap;
        LONG nHeight = std::min<LONG>(nEntries * nLine + 2 * kLegendGap,
                                      layout.rcPlot.bottom - layout.rcPlot.top);
        LONG nMiddle = (layout.rcPlot.top + layout.rcPlot.bottom) / 2;
        layout.rcLegend = { cx - nWidth - kLegendGap, nMiddle - nHeight / 2, cx - kLegendGap,
                            nMiddle - nHeight / 2 + nHeight };
        if (layout.rcPlot.right > layout.rcLegend.left - kLegendGap)
            layout.rcPlot.right = std::max<LONG>(layout.rcPlot.left, layout.rcLegend.left - kLegendGap);
    }
    return layout;
}

void DrawLegend(cairo_t* cr, const CChartModel& model, const RECT& rc)
{
    SetSourceColor(cr, kChartInk);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, rc.left + 0.5, rc.top + 0.5, rc.right - rc.left - 1, rc.bottom - rc.top - 1);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_rectangle(cr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    cairo_clip(cr);
    SelectChartFont(cr, kFontSize);
    LONG nLine = (LONG)kFontSize + kLegendGap;
    int nEntries = LegendCount(model);
    for (int i = 0; i < nEntries; ++i)
    {
        double y = rc.top + kLegendGap + i * nLine;
        if (y + nLine > rc.bottom)
            break;
        FillRect(cr, rc.left + kLegendGap, y + (nLine - kLegendKey) / 2.0, kLegendKey, kLegendKey,
                 ChartPaletteColor(i));
        SetSourceColor(cr, kChartInk);
        double x = rc.left + 2 * kLegendGap + kLegendKey;
        cairo_font_extents_t font;
        cairo_font_extents(cr, &font);
        cairo_move_to(cr, x, y + nLine / 2.0 + (font.ascent - font.descent) / 2.0);
        cairo_show_text(cr, LegendText(model, i));
    }
    cairo_restore(cr);
}

void RenderChart(cairo_t* cr, const CChartModel& model, int cx, int cy, int nDpiX, int nDpiY)
{
    cairo_save(cr);
    FillRect(cr, 0, 0, cx, cy, kChartBackground);
    CChartLayout layout = LayoutChart(cr, model, cx, cy, nDpiX, nDpiY);
    if (layout.bTitle)
    {
        SelectChartFont(cr, kTitleFontSize, TRUE);
        SetSourceColor(cr, kChartInk);
        DrawTextCentered(cr, model.m_strTitle, (layout.rcTitle.left + layout.rcTitle.right) / 2.0,
                         (layout.rcTitle.top + layout.rcTitle.bottom) / 2.0);
    }
    const RECT& rc = layout.rcPlot;
    if (rc.right - rc.left > 8 && rc.bottom - rc.top > 8)
    {
        if (model.m_nChartType == CHART_2D_PIE)
            DrawPie(cr, model, rc);
        else if (model.m_nChartType == CHART_3D_BAR || model.m_nChartType == CHART_2D_BAR ||
                 model.m_nChartType == CHART_2D_LINE || model.m_nChartType == CHART_2D_AREA ||
                 model.m_nChartType == CHART_3D_STACKED_AREA ||
                 model.m_nChartType == CHART_2D_STACKED_AREA)
            DrawAxisChart(cr, model, rc);
    }
    if (layout.bLegend)
        DrawLegend(cr, model, layout.rcLegend);
    cairo_restore(cr);
}
