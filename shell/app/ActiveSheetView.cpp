#include "shell/app/ActiveSheetView.h"

#include "framework/docview/MDIWnd.h"
#include "view/TallyformView.h"

CTallyformView* GetActiveSheetView(CMDIFrameWnd* pFrame)
{
    CMDIChildWnd* pChild = pFrame != NULL ? pFrame->MDIGetActive() : NULL;
    return pChild != NULL ? dynamic_cast<CTallyformView*>(pChild->GetActiveView()) : NULL;
}
