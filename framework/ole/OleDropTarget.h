// COleDropTarget: a window's OLE drop target.  Registered on a window, it
// answers drags over it; the base accepts no data, so every drag over the
// window shows that nothing can be dropped there.
#pragma once

#include <ole2.h>

class CWnd;

class COleDropTarget
{
public:
    COleDropTarget();
    virtual ~COleDropTarget();

    // Registers the target on pWnd's window; FALSE when OLE refuses.
    BOOL Register(CWnd* pWnd);
    // Withdraws the registration (done by the destructor too).
    void Revoke();
    BOOL IsRegistered() const { return m_hWnd != NULL; }

    // The effect a drop at the current point would have; the base allows
    // none.
    virtual DWORD OnDragOver(IDataObject* pDataObject, DWORD dwKeyState, POINTL pt);

private:
    class CTarget;
    CTarget* m_pTarget;
    HWND m_hWnd;
};
