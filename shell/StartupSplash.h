// CStartupSplash: the start-up picture, a borderless window centred on the
// screen that goes after 2,200 ms or at the first key or mouse press.
#pragma once

#include "framework/windows/GdiObject.h"
#include "framework/windows/Wnd.h"

class CStartupSplash : public CWnd
{
public:
    static void EnableSplash(BOOL bEnable = TRUE);
    // Shows the picture once, owned by pParentWnd's window; nothing when
    // the splash is not enabled or already shown.
    static void ShowSplash(CWnd* pParentWnd = NULL);
    // Closes the splash on a key or mouse-button press; TRUE when it did,
    // and the press is then not to be handled any further.
    static BOOL HideOnInput(const MSG* pMsg);
    // The splash now shown, or NULL.
    static CStartupSplash* GetShown() { return c_pSplashWnd; }

protected:
    CStartupSplash();
    ~CStartupSplash() override;

    BOOL Create(CWnd* pParentWnd);
    void HideSplash();
    void PostNcDestroy() override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);

    CBitmap m_bitmap;
    static BOOL c_bShowSplashWnd;
    static CStartupSplash* c_pSplashWnd;

    DECLARE_MESSAGE_MAP()
};
