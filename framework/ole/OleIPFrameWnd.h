// COleIPFrameWnd: the frame of a server document active in place.  It is
// a child of the container's in-place site window and holds the view; its
// control bars live on the container's frame window, in the border space
// the container grants; the menu it hands the container is the
// container's own menu groups merged with the frame's menu resource.
// Commands of its bars and menu come to it and take the frame's route.
#pragma once

#include <ole2.h>

#include "framework/docview/FrameWnd.h"

class COleServerDoc;

class COleIPFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(COleIPFrameWnd)
public:
    COleIPFrameWnd();
    ~COleIPFrameWnd() override;

    // Takes the container's frame, its document window (may be NULL) and
    // the frame information the site gave; the frame holds references.
    void SetContainer(IOleInPlaceFrame* lpFrame, IOleInPlaceUIWindow* lpDocFrame,
                      const OLEINPLACEFRAMEINFO& frameInfo);
    IOleInPlaceFrame* GetInPlaceFrame() const { return m_lpFrame; }

    // Makes the frame's bars on the container's frame window pWndFrame
    // (and document window pWndDoc, NULL when there is none); FALSE when
    // they cannot be made.
    virtual BOOL OnCreateControlBars(CWnd* pWndFrame, CWnd* pWndDoc);
    // The user interface on the container: bars in its border space, the
    // shared menu, the active object.  FALSE when the bars fail.
    BOOL ShowUserInterface(IOleInPlaceActiveObject* pActiveObject);
    // Gives the container its menu, border and active object back and
    // destroys the bars made on its windows.
    void HideUserInterface();
    // Asks the container's frame again for the bars' border space and puts
    // them there.
    void RepositionContainerBars();

    // The object's rectangle and the visible part of the site window, in
    // the site window's coordinates: the frame takes the object's place,
    // with the resize bar's border round it, clipped to what is visible.
    void RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect);
    // The resize bar was dragged to rectFrame (the site's coordinates):
    // the container hears of the object's new rectangle.
    void OnResizeBarTracked(const CRect& rectFrame);

    // The object's rectangle last set by the container.
    const CRect& GetPosRect() const { return m_rectPos; }

    // The frame sits in the container's window, not in a frame of the
    // program: after its own route its commands go to the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void RecalcLayout() override;

protected:
    // Puts a bar made on the container's frame into its border space.
    void AddContainerBar(CControlBar* pBar);
    COleServerDoc* GetServerDoc();
    // Merges the in-place menu with the container's groups; FALSE (the
    // container keeps its own menu) when the container cannot take it.
    BOOL BuildSharedMenu();
    void DestroySharedMenu();
    void ReleaseContainer();
    void OnDestroy();

    IOleInPlaceFrame* m_lpFrame;
    IOleInPlaceUIWindow* m_lpDocFrame;
    OLEINPLACEFRAMEINFO m_frameInfo;
    // The container's frame and document windows, known to the framework
    // while bars are made on them.
    CWnd m_wndContainerFrame;
    CWnd m_wndContainerDoc;
    CPtrList m_listContainerBars;
    BOOL m_bUIShown;
    HMENU m_hMenuInPlace;
    HMENU m_hMenuShared;
    HOLEMENU m_hOleMenu;
    OLEMENUGROUPWIDTHS m_menuWidths;
    CRect m_rectPos;

    DECLARE_MESSAGE_MAP()
};
