// The sheet view the designer's commands from its bars apply to.
#pragma once

class CMDIFrameWnd;
class CTallyformView;

// The sheet view of the frame's active MDI child; NULL without a frame,
// an active child or a sheet view in it.
CTallyformView* GetActiveSheetView(CMDIFrameWnd* pFrame);
