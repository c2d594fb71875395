// What the view bench programs share: a template document that the program
// owns on its stack (closing its views leaves it alive), and the bench frame
// that shows it in a sheet view.
#pragma once

#include <stdio.h>

#include "framework/docview/FrameWnd.h"
#include "sheet/document/TallyformDoc.h"
#include "view/TallyformView.h"
#include "bench/SheetViewBenchFrame.h"

class CBenchDoc : public CTallyformDoc
{
public:
    CBenchDoc() { m_bAutoDelete = FALSE; }
};

// The bench frame with a sheet view of doc; NULL, after saying so, when the
// window cannot be made.
inline CFrameWnd* OpenBenchViewFrame(CTallyformDoc& doc)
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTallyformView);
    context.m_pCurrentDoc = &doc;
    CFrameWnd* pFrame = new CFrameWnd;
    if (!pFrame->LoadFrame(IDR_SHEETVIEW_BENCH_FRAME, WS_OVERLAPPEDWINDOW, NULL, &context))
    {
        printf("no frame window\n");
        delete pFrame;
        return NULL;
    }
    return pFrame;
}
