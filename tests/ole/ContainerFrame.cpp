#include "tests/ole/ContainerFrame.h"

namespace oletest
{

namespace
{

const char kFrameClass[] = "OleTestContainerFrame";
const char kDocumentClass[] = "OleTestContainerDocument";

void RegisterClasses()
{
    static BOOL s_bRegistered = FALSE;
    if (s_bRegistered)
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.hCursor = ::LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kFrameClass;
    ::RegisterClassA(&wc);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kDocumentClass;
    ::RegisterClassA(&wc);
    s_bRegistered = TRUE;
}

} // namespace

CContainerFrame::CContainerFrame() : m_cRef(1), m_hWndFrame(NULL), m_hWndDoc(NULL)
{
}

CContainerFrame::~CContainerFrame()
{
    Destroy();
    if (m_pActiveObject != NULL)
        m_pActiveObject->Release();
}

BOOL CContainerFrame::Create(int cx, int cy)
{
    RegisterClasses();
    m_hMenuOwn = ::CreateMenu();
    ::AppendMenuA(m_hMenuOwn, MF_STRING, 1, "&File");
    m_hWndFrame = ::CreateWindowExA(0, kFrameClass, "Container", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                    0, 0, cx, cy, NULL, m_hMenuOwn, ::GetModuleHandleA(NULL), NULL);
    if (m_hWndFrame == NULL)
        return FALSE;
    m_hWndDoc = ::CreateWindowExA(0, kDocumentClass, NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                  0, 0, 0, 0, m_hWndFrame, NULL, ::GetModuleHandleA(NULL), NULL);
    if (m_hWndDoc == NULL)
        return FALSE;
    PlaceDocument();
    ::ShowWindow(m_hWndFrame, SW_SHOW);
    ::UpdateWindow(m_hWndFrame);
    return TRUE;
}

void CContainerFrame::Destroy()
{
    if (m_hWndFrame != NULL)
        ::DestroyWindow(m_hWndFrame);
    m_hWndFrame = m_hWndDoc = NULL;
}

void CContainerFrame::PlaceDocument()
{
    RECT rc;
    ::GetClientRect(m_hWndFrame, &rc);
    ::MoveWindow(m_hWndDoc, rc.left + m_border.left, rc.top + m_border.top,
                 rc.right - rc.left - m_border.left - m_border.right,
                 rc.bottom - rc.top - m_border.top - m_border.bottom, TRUE);
}

HRESULT STDMETHODCALLTYPE CContainerFrame::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    *ppv = NULL;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleWindow)
        || IsEqualIID(riid, IID_IOleInPlaceUIWindow) || IsEqualIID(riid, IID_IOleInPlaceFrame))
        *ppv = static_cast<IOleInPlaceFrame*>(this);
    if (*ppv == NULL)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE CContainerFrame::AddRef()
{
    return InterlockedIncrement(&m_cRef);
}

ULONG STDMETHODCALLTYPE CContainerFrame::Release()
{
    LONG n = InterlockedDecrement(&m_cRef);
    if (n == 0)
        delete this;
    return (ULONG)n;
}

HRESULT STDMETHODCALLTYPE CContainerFrame::GetWindow(HWND* phwnd)
{
    if (phwnd == NULL)
        return E_POINTER;
    *phwnd = m_hWndFrame;
    return m_hWndFrame != NULL ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE CContainerFrame::GetBorder(LPRECT lprectBorder)
{
    if (lprectBorder == NULL)
        return E_POINTER;
    ::GetClientRect(m_hWndFrame, lprectBorder);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CContainerFrame::RequestBorderSpace(LPCBORDERWIDTHS pborderwidths)
{
    // Up to a quarter of the frame on each side.
    RECT rc;
    ::GetClientRect(m_hWndFrame, &rc);
    if (pborderwidths != NULL
        && (pborderwidths->top + pborderwidths->bottom > (rc.bottom - rc.top) / 4
            || pborderwidths->left + pborderwidths->right > (rc.right - rc.left) / 4))
        return INPLACE_E_NOTOOLSPACE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CContainerFrame::SetBorderSpace(LPCBORDERWIDTHS pborderwidths)
{
    BORDERWIDTHS none = { 0, 0, 0, 0 };
    m_border = pborderwidths != NULL ? *pborderwidths : none;
    PlaceDocument();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CContainerFrame::SetActiveObject(IOleInPlaceActiveObject* pActiveObject,
                                                           LPCOLESTR)
{
    if (pActiveObject != NULL)
    {
        pActiveObject->AddRef();
        ++m_nActiveObjects;
    }
    else
        ++m_nActiveObjectsGone;
    if (m_pActiveObject != NULL)
        m_pActiveObject->Release();
    m_pActiveObject = pActiveObject;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CContainerFrame::InsertMenus(HMENU hmenuShared, LPOLEMENUGROUPWIDTHS lpMenuWidths)
{
    if (lpMenuWidths == NULL)
        return E_INVALIDARG;
    // The container's file group; the menu may belong to another process,
    // which the window system may refuse.
    if (!::InsertMenuA(hmenuShared, 0, MF_BYPOSITION | MF_STRING, 1, "&File"))
        return E_FAIL;
    lpMenuWidths->width[0] = 1;
    lpMenuWidths->width[2] = 0;
    lpMenuWidths->width[4] = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CContainerFrame::SetMenu(HMENU hmenuShared, HOLEMENU holemenu, HWND hwndActiveObject)
{
    HMENU hMenu = hmenuShared != NULL ? hmenuShared : m_hMenuOwn;
    if (!::SetMenu(m_hWndFrame, hMenu))
        return E_FAIL;
    return ::OleSetMenuDescriptor(hmenuShared != NULL ? holemenu : NULL, m_hWndFrame,
                                  hmenuShared != NULL ? hwndActiveObject : NULL, NULL, NULL);
}

HRESULT STDMETHODCALLTYPE CContainerFrame::RemoveMenus(HMENU hmenuShared)
{
    ::RemoveMenu(hmenuShared, 0, MF_BYPOSITION);
    return S_OK;
}

} // namespace oletest
