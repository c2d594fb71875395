#include "framework/ole/OleDropTarget.h"

#include "framework/windows/Wnd.h"

// The IDropTarget that OLE calls; it asks its owner what a drop would do.
class COleDropTarget::CTarget : public IDropTarget
{
public:
    explicit CTarget(COleDropTarget* pOwner) : m_cRef(1), m_pOwner(pOwner), m_pData(NULL) {}

    void Disconnect() { m_pOwner = NULL; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        *ppv = NULL;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDropTarget))
            return E_NOINTERFACE;
        *ppv = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_cRef); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG n = InterlockedDecrement(&m_cRef);
        if (n == 0)
            delete this;
        return (ULONG)n;
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                        DWORD* pdwEffect) override
    {
        SetData(pDataObj);
        return DragOver(grfKeyState, pt, pdwEffect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (pdwEffect == NULL)
            return E_INVALIDARG;
        DWORD dwEffect = m_pOwner != NULL ? m_pOwner->OnDragOver(m_pData, grfKeyState, pt)
                                          : DROPEFFECT_NONE;
        *pdwEffect &= dwEffect;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        SetData(NULL);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* pdwEffect) override
    {
        // Nothing is taken: the drop ends as a refused one.
        SetData(NULL);
        if (pdwEffect != NULL)
            *pdwEffect = DROPEFFECT_NONE;
        return S_OK;
    }

private:
    virtual ~CTarget() { SetData(NULL); }

    void SetData(IDataObject* pData)
    {
        if (pData != NULL)
            pData->AddRef();
        if (m_pData != NULL)
            m_pData->Release();
        m_pData = pData;
    }

    LONG m_cRef;
    COleDropTarget* m_pOwner;
    IDataObject* m_pData;
};

COleDropTarget::COleDropTarget() : m_pTarget(NULL), m_hWnd(NULL)
{
}

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
    if (hWnd == NULL || m_hWnd != NULL)
        return FALSE;
    m_pTarget = new CTarget(this);
    if (FAILED(::RegisterDragDrop(hWnd, m_pTarget)))
    {
        m_pTarget->Disconnect();
        m_pTarget->Release();
        m_pTarget = NULL;
        return FALSE;
    }
    m_hWnd = hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd != NULL)
        ::RevokeDragDrop(m_hWnd);
    m_hWnd = NULL;
    if (m_pTarget != NULL)
    {
        m_pTarget->Disconnect();
        m_pTarget->Release();
        m_pTarget = NULL;
    }
}

DWORD COleDropTarget::OnDragOver(IDataObject*, DWORD, POINTL)
{
    return DROPEFFECT_NONE;
}
