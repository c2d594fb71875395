// What the sheet view asks of the frames around it.  The main frame (zoom
// combo, tool bars) and the child frame (rulers) implement the parts they
// own; the view looks for this interface on its frames and does without it
// when a frame lacks it, so it works in any plain frame.
#pragma once

#include <windows.h>

class CSheetViewFrame
{
public:
    virtual ~CSheetViewFrame() = default;

    // Main frame: the zoom combo shows this text ("150%").
    virtual void SetZoomText(LPCSTR) {}
    // Main frame: shows or hides the Format and Table tool bars and sets
    // the check marks of their View > Toolbars items.
    virtual void ShowDesignToolBars(BOOL) {}
    // Main frame: Standard tool bar button 22 becomes command nID with
    // image nImage, keeping its drop-down style.
    virtual void SetModeButton(UINT, int) {}
    // Main frame: the colours last chosen in the Format bar's colour drop-downs.
    virtual COLORREF GetFontColor() { return RGB(0, 0, 0); }
    virtual COLORREF GetFillColor() { return RGB(255, 255, 255); }

    // Child frame: redraws the horizontal and/or vertical ruler.
    virtual void RedrawRulers(BOOL, BOOL) {}
    // Child frame: moves the rulers' cursor marks to a client point of the view.
    virtual void TrackRulerCursor(POINT) {}
};
