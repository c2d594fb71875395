// CDialogBar: a control bar made from a child dialog template.  It keeps
// the template's size across the bar and stretches along its side.
#pragma once

#include "framework/docview/ControlBar.h"

class CDialogBar : public CControlBar
{
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();

    // nStyle: the side (CBRS_TOP, CBRS_LEFT...) and bar styles; the
    // template must be a child dialog.
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // Sets the bar's controls from the target's update handlers.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    CSize m_sizeDefault;    // the template's size, with the bar's margins
};
