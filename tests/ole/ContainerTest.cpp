// The designer embedded in a small container of our own: a template copied
// into the container's storage is loaded by the real program, started by
// COM as a local server, drawn, changed, saved into the storage through the
// container's site, and loaded again through OLE's default handler; it is
// activated in place in the container's window and opened in the
// designer's own window.
#include <functional>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/ole/ContainerFrame.h"
#include "tests/ole/ContainerSite.h"
#include "tests/ole/ServerClient.h"
#include "tests/sheet/SheetGrid.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/Screenshot.h"
#include "framework/docview/OleStreamFile.h"
#include "sheet/document/TallyformDoc.h"

#include <commctrl.h>

namespace
{

// The cell count of the template in an object's storage.
INT_PTR CellsInStorage(IStorage* pStorage)
{
    CTallyformDoc doc;
    doc.LoadFromStorage(pStorage);
    return doc.m_sheet.m_cells.GetSize();
}

// Dark pixels of the object's picture played into a 200 x 200 bitmap.
int DarkPixelsOfPicture(IDataObject* pData)
{
    FORMATETC format = { CF_METAFILEPICT, NULL, DVASPECT_CONTENT, -1, TYMED_MFPICT };
    STGMEDIUM medium = {};
    if (FAILED(pData->GetData(&format, &medium)))
        return -1;
    const int kSize = 200;
    HDC hScreen = GetDC(NULL);
    HDC hDC = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, kSize, kSize);
    ReleaseDC(NULL, hScreen);
    HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    RECT rc = { 0, 0, kSize, kSize };
    FillRect(hDC, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    METAFILEPICT* pPict = static_cast<METAFILEPICT*>(GlobalLock(medium.hMetaFilePict));
    SetMapMode(hDC, pPict->mm);
    SetViewportExtEx(hDC, kSize, kSize, NULL);
    PlayMetaFile(hDC, pPict->hMF);
    GlobalUnlock(medium.hMetaFilePict);
    SetMapMode(hDC, MM_TEXT);
    int nDark = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
        {
            COLORREF c = GetPixel(hDC, x, y);
            if (GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128)
                ++nDark;
        }
    SelectObject(hDC, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hDC);
    ReleaseStgMedium(&medium);
    return nDark;
}

// Serves this thread's windows (and the server's calls into the container)
// until bDone says so; FALSE after nTimeout ms.
BOOL PumpUntil(const std::function<BOOL()>& bDone, DWORD nTimeout = 15000)
{
    DWORD dwStart = GetTickCount();
    for (;;)
    {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (bDone())
            return TRUE;
        if (GetTickCount() - dwStart > nTimeout)
            return FALSE;
        Sleep(20);
    }
}

DWORD ProcessOf(HWND hWnd)
{
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    return dwPid;
}

// A window's rectangle in the coordinates of hWndTo.
RECT RectIn(HWND hWnd, HWND hWndTo)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    MapWindowPoints(NULL, hWndTo, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

struct ShownFrameSearch
{
    DWORD dwOwnPid;
    HWND hFound;
};

BOOL CALLBACK FindShownFrame(HWND hWnd, LPARAM lParam)
{
    ShownFrameSearch* pSearch = reinterpret_cast<ShownFrameSearch*>(lParam);
    char szTitle[64] = "";
    GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    if (ProcessOf(hWnd) != pSearch->dwOwnPid && strncmp(szTitle, "Tallyform", 9) == 0
        && GetMenu(hWnd) != NULL && IsWindowVisible(hWnd))
        pSearch->hFound = hWnd;
    return pSearch->hFound == NULL;
}

// The shown main window of a designer serving this program's objects.
// The window of the object's in-place frame; NULL when it has none.
HWND InPlaceWindow(IOleObject* pObject)
{
    CScopedInterface<IOleInPlaceObject> inPlace;
    HWND hWnd = NULL;
    if (SUCCEEDED(pObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace))))
        inPlace->GetWindow(&hWnd);
    return hWnd;
}

HWND FindShownServerFrame()
{
    ShownFrameSearch search = { GetCurrentProcessId(), NULL };
    EnumWindows(FindShownFrame, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

class ContainerTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        OleInitialize(NULL);
        s_bRegistered = oletest::RegisterDesigner();
    }
    static void TearDownTestSuite() { OleUninitialize(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_bRegistered) << "the designer did not run to register itself";
        ASSERT_EQ(S_OK, CLSIDFromProgID(L"Tallyform.Sheet", &m_clsid));
        CTallyformDoc doc;
        sheettest::MakeGrid(doc.m_sheet, 2, 3);
        m_strTemplate = m_folder.PathOf("Grid.kvm");
        doc.SaveToFile(m_strTemplate);
        m_strContainer = m_folder.PathOf("Container.stg");
    }

    // The container's file with the template copied into its "Sheet"
    // storage, marked as the designer's object.
    void EmbedTemplate()
    {
        CScopedInterface<IStorage> root, sheet, source;
        ASSERT_EQ(S_OK, StgCreateDocfile(CWidePath(m_strContainer),
                                         STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &root));
        ASSERT_EQ(S_OK, root->CreateStorage(L"Sheet", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                            0, 0, &sheet));
        ASSERT_EQ(S_OK, StgOpenStorage(CWidePath(m_strTemplate), NULL,
                                       STGM_READ | STGM_SHARE_DENY_WRITE, NULL, 0, &source));
        ASSERT_EQ(S_OK, source->CopyTo(0, NULL, NULL, sheet));
        ASSERT_EQ(S_OK, WriteClassStg(sheet, m_clsid));
        ASSERT_EQ(S_OK, sheet->Commit(STGC_DEFAULT));
        ASSERT_EQ(S_OK, root->Commit(STGC_DEFAULT));
    }

    // The designer's object straight from a new server, for pSite, loaded
    // from the storage.
    void LoadObject(oletest::CContainerSite* pSite, IStorage* pStorage, CScopedInterface<IOleObject>& object)
    {
        ASSERT_EQ(S_OK, CoCreateInstance(m_clsid, NULL, CLSCTX_LOCAL_SERVER, IID_IOleObject,
                                         reinterpret_cast<void**>(&object)));
        pSite->SetObject(object);
        ASSERT_EQ(S_OK, object->SetClientSite(pSite));
        CScopedInterface<IPersistStorage> persist;
        ASSERT_EQ(S_OK, object->QueryInterface(IID_IPersistStorage, reinterpret_cast<void**>(&persist)));
        ASSERT_EQ(S_OK, persist->Load(pStorage));
    }

    // A shown container frame of cx by cy whose site offers in-place
    // activation at rectPos in its document window, and the designer's
    // object loaded from the storage for that site.
    void LoadForInPlace(int cx, int cy, const RECT& rectPos, IStorage* pStorage,
                        oletest::CContainerFrame*& pFrame, oletest::CContainerSite*& pSite,
                        CScopedInterface<IOleObject>& object)
    {
        pFrame = new oletest::CContainerFrame;
        ASSERT_TRUE(pFrame->Create(cx, cy));
        pSite = new oletest::CContainerSite(pStorage);
        pSite->AllowInPlace(pFrame, pFrame->GetDocumentWindow(), rectPos);
        LoadObject(pSite, pStorage, object);
    }

    // The container's file with the template embedded, opened, and the
    // designer's object loaded for a frame of cx by cy whose site offers
    // in-place activation at rectPos.
    struct InPlaceSetup
    {
        CScopedInterface<IStorage> root, sheet;
        oletest::CContainerFrame* pFrame = NULL;
        oletest::CContainerSite* pSite = NULL;
        CScopedInterface<IOleObject> object;
    };
    void StartInPlace(int cx, int cy, const RECT& rectPos, InPlaceSetup& setup)
    {
        EmbedTemplate();
        OpenContainer(setup.root, setup.sheet);
        LoadForInPlace(cx, cy, rectPos, setup.sheet, setup.pFrame, setup.pSite, setup.object);
    }

    // The container's file with the template embedded, opened, and the
    // designer's object loaded from it for a plain site.
    void StartEmbedded(CScopedInterface<IStorage>& root, CScopedInterface<IStorage>& sheet,
                       oletest::CContainerSite*& pSite, CScopedInterface<IOleObject>& object)
    {
        EmbedTemplate();
        OpenContainer(root, sheet);
        pSite = new oletest::CContainerSite(sheet);
        LoadObject(pSite, sheet, object);
    }

    // Lets the object, its site and the container frame go.
    static void ReleaseInPlace(oletest::CContainerFrame* pFrame, oletest::CContainerSite* pSite,
                               CScopedInterface<IOleObject>& object)
    {
        object->SetClientSite(NULL);
        object.Release();
        pSite->Release();
        pFrame->Destroy();
        pFrame->Release();
    }

    // Opens the container's file and its "Sheet" storage.
    void OpenContainer(CScopedInterface<IStorage>& root, CScopedInterface<IStorage>& sheet)
    {
        ASSERT_EQ(S_OK, StgOpenStorage(CWidePath(m_strContainer), NULL,
                                       STGM_READWRITE | STGM_SHARE_EXCLUSIVE, NULL, 0, &root));
        ASSERT_EQ(S_OK, root->OpenStorage(L"Sheet", NULL, STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                          NULL, 0, &sheet));
    }

    static BOOL s_bRegistered;
    CLSID m_clsid;
    CScratchFolder m_folder;
    CString m_strTemplate;
    CString m_strContainer;
};

BOOL ContainerTest::s_bRegistered = FALSE;

TEST_F(ContainerTest, EmbeddedTemplateIsDrawnChangedSavedAndReloaded)
{
    {
        // The object straight from the running server, loaded from the
        // container's storage.
        CScopedInterface<IStorage> root, sheet;
        oletest::CContainerSite* pSite = NULL;
        CScopedInterface<IOleObject> object;
        StartEmbedded(root, sheet, pSite, object);
        if (HasFatalFailure())
            return;

        SIZEL size = { 0, 0 };
        EXPECT_EQ(S_OK, object->GetExtent(DVASPECT_CONTENT, &size));
        EXPECT_EQ(3000, size.cx);
        EXPECT_EQ(3000, size.cy);

        // The picture shows the grid's cell borders, not a blank box.
        CScopedInterface<IDataObject> data;
        ASSERT_EQ(S_OK, object->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&data)));
        EXPECT_GT(DarkPixelsOfPicture(data), 200);
        data.Release();

        // The same object answers automation: a row is added below A1.
        CScopedInterface<IDispatch> dispatch;
        ASSERT_EQ(S_OK, object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)));
        EXPECT_TRUE(oletest::CallMethod(dispatch, "AddRow"));
        dispatch.Release();

        // Closing saves the changed object through the site.
        EXPECT_EQ(S_OK, object->Close(OLECLOSE_SAVEIFDIRTY));
        EXPECT_EQ(1, pSite->SaveCount());
        object->SetClientSite(NULL);
        object.Release();
        pSite->Release();
        ASSERT_EQ(S_OK, root->Commit(STGC_DEFAULT));
    }
    EXPECT_TRUE(oletest::WaitForNoServer());

    // Loaded again through OLE's default handler and run, the object holds
    // the changed template and saves it back whole.
    CScopedInterface<IStorage> root, sheet;
    OpenContainer(root, sheet);
    EXPECT_EQ(9, CellsInStorage(sheet));
    oletest::CContainerSite* pSite = new oletest::CContainerSite(sheet);
    CScopedInterface<IOleObject> object;
    ASSERT_EQ(S_OK, OleLoad(sheet, IID_IOleObject, pSite, reinterpret_cast<void**>(&object)));
    pSite->SetObject(object);
    ASSERT_EQ(S_OK, OleRun(object));
    EXPECT_EQ(1u, oletest::FindServerProcesses().size());
    CScopedInterface<IDataObject> data;
    ASSERT_EQ(S_OK, object->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&data)));
    EXPECT_GT(DarkPixelsOfPicture(data), 200);
    data.Release();
    EXPECT_EQ(S_OK, pSite->SaveObject());
    EXPECT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
    object.Release();
    pSite->Release();
    EXPECT_EQ(9, CellsInStorage(sheet));
    EXPECT_TRUE(oletest::WaitForNoServer());
}

TEST_F(ContainerTest, TemplateActivatesInPlaceInTheContainersWindow)
{
    InPlaceSetup setup;
    const RECT rectPos = { 20, 20, 420, 320 };
    StartInPlace(800, 600, rectPos, setup);
    if (HasFatalFailure())
        return;
    CScopedInterface<IStorage>& root = setup.root;
    CScopedInterface<IStorage>& sheet = setup.sheet;
    oletest::CContainerFrame* pFrame = setup.pFrame;
    oletest::CContainerSite* pSite = setup.pSite;
    CScopedInterface<IOleObject>& object = setup.object;
    HWND hWndFrame = pFrame->GetFrameWindow();
    HWND hWndDoc = pFrame->GetDocumentWindow();

    RECT rectVerb = rectPos;
    ASSERT_EQ(S_OK, object->DoVerb(OLEIVERB_UIACTIVATE, NULL, pSite, 0, hWndDoc, &rectVerb));
    EXPECT_EQ(1, pSite->m_nInPlaceActivate);
    EXPECT_EQ(1, pSite->m_nUIActivate);
    EXPECT_EQ(1, pFrame->m_nActiveObjects);

    // The in-place frame: a window of the designer inside the container's
    // document window, over the object's rectangle with the resize bar's
    // border round it; the view fills the rectangle.
    HWND hWndInPlace = InPlaceWindow(object);
    ASSERT_NE((HWND)NULL, hWndInPlace);
    ASSERT_TRUE(IsChild(hWndDoc, hWndInPlace));
    const DWORD dwServer = ProcessOf(hWndInPlace);
    EXPECT_NE(GetCurrentProcessId(), dwServer);
    RECT rc = RectIn(hWndInPlace, hWndDoc);
    EXPECT_EQ(16, rc.left);
    EXPECT_EQ(16, rc.top);
    EXPECT_EQ(424, rc.right);
    EXPECT_EQ(324, rc.bottom);
    HWND hWndView = GetDlgItem(hWndInPlace, 0xE900);
    ASSERT_NE((HWND)NULL, hWndView);
    EXPECT_TRUE(IsWindowVisible(hWndView));
    rc = RectIn(hWndView, hWndDoc);
    EXPECT_TRUE(EqualRect(&rc, &rectPos));
    HWND hWndResize = GetDlgItem(hWndInPlace, 59395);
    ASSERT_NE((HWND)NULL, hWndResize);
    EXPECT_TRUE(IsWindowVisible(hWndResize));

    // The designer's toolbar sits on the container's frame in the border
    // it asked for, above the document window, with its five buttons.
    HWND hWndBar = GetDlgItem(hWndFrame, 59392);
    ASSERT_NE((HWND)NULL, hWndBar);
    EXPECT_EQ(dwServer, ProcessOf(hWndBar));
    EXPECT_TRUE(IsWindowVisible(hWndBar));
    EXPECT_EQ(5, (int)SendMessageA(hWndBar, TB_BUTTONCOUNT, 0, 0));
    EXPECT_EQ(0, (int)SendMessageA(hWndBar, TB_COMMANDTOINDEX, 57635, 0));
    EXPECT_EQ(1, (int)SendMessageA(hWndBar, TB_COMMANDTOINDEX, 57634, 0));
    EXPECT_EQ(2, (int)SendMessageA(hWndBar, TB_COMMANDTOINDEX, 57637, 0));
    EXPECT_EQ(4, (int)SendMessageA(hWndBar, TB_COMMANDTOINDEX, 57664, 0));
    // The designer's idle time updates the buttons from the sheet's
    // route: Paste follows the clipboard, About stays enabled.
    auto PasteEnabled = [&](BOOL bText) {
        ASSERT_TRUE(OpenClipboard(hWndFrame));
        EmptyClipboard();
        if (bText)
        {
            HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, 3);
            lstrcpyA(static_cast<LPSTR>(GlobalLock(hText)), "12");
            GlobalUnlock(hText);
            SetClipboardData(CF_TEXT, hText);
        }
        CloseClipboard();
        PostMessageA(hWndInPlace, WM_NULL, 0, 0);
        EXPECT_TRUE(PumpUntil([&] {
            return (SendMessageA(hWndBar, TB_ISBUTTONENABLED, 57637, 0) != 0) == bText;
        }, 5000)) << "Paste with text on the clipboard: " << bText;
    };
    PasteEnabled(FALSE);
    PasteEnabled(TRUE);
    EXPECT_NE(0, (int)SendMessageA(hWndBar, TB_ISBUTTONENABLED, 57664, 0));
    RECT rcBar = RectIn(hWndBar, hWndFrame);
    EXPECT_EQ(0, rcBar.top);
    EXPECT_GT(pFrame->m_border.top, 0);
    EXPECT_EQ(rcBar.bottom - rcBar.top, pFrame->m_border.top);
    EXPECT_EQ(pFrame->m_border.top, RectIn(hWndDoc, hWndFrame).top);
    PumpUntil([] { return FALSE; }, 500);
    SaveWindowScreenshot(hWndFrame, DESIGNER_SCREENSHOT_DIR "/inplace-active.bmp");

    // A toolbar button's command reaches the designer: About opens its box.
    PostMessageA(hWndBar, WM_COMMAND, MAKEWPARAM(57664, BN_CLICKED), reinterpret_cast<LPARAM>(hWndBar));
    HWND hWndAbout = NULL;
    EXPECT_TRUE(PumpUntil([&] {
        hWndAbout = FindWindowA(NULL, "About Marlune Tallyform");
        return hWndAbout != NULL;
    }));
    if (hWndAbout != NULL)
    {
        EXPECT_EQ(dwServer, ProcessOf(hWndAbout));
        PostMessageA(hWndAbout, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hWndAbout); }));
    }

    // Dragging the resize bar's bottom-right corner asks the container for
    // a larger rectangle.
    RECT rcResize;
    GetClientRect(hWndResize, &rcResize);
    PostMessageA(hWndResize, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcResize.right - 2, rcResize.bottom - 2));
    PostMessageA(hWndResize, WM_LBUTTONUP, 0, MAKELPARAM(rcResize.right + 28, rcResize.bottom + 18));
    EXPECT_TRUE(PumpUntil([&] { return pSite->m_nPosRectChanges == 1; }));
    const RECT rectAsked = { 20, 20, 450, 340 };
    EXPECT_TRUE(EqualRect(&pSite->m_rectAsked, &rectAsked));

    // Esc in the sheet leaves in-place activation: the frame and the
    // toolbar go, the container has its border back.
    // The keys go to the sheet once the user is back in it (the about box
    // took the focus away).
    SetForegroundWindow(hWndFrame);
    SetFocus(hWndView);
    EXPECT_EQ(hWndView, GetFocus());
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    // The site hears of the deactivation last, once the windows are gone.
    EXPECT_TRUE(PumpUntil([&] { return pSite->m_nInPlaceDeactivate == 1; }));
    EXPECT_FALSE(IsWindow(hWndInPlace));
    EXPECT_FALSE(IsWindow(hWndBar));
    EXPECT_EQ(1, pSite->m_nUIDeactivate);
    EXPECT_EQ(1, pSite->m_nInPlaceDeactivate);
    EXPECT_EQ(0, pFrame->m_border.top);
    EXPECT_EQ(NULL, pFrame->m_pActiveObject);
    EXPECT_EQ(pFrame->m_hMenuOwn, GetMenu(hWndFrame));

    // The container saves the object and finds the template whole.
    EXPECT_EQ(S_OK, pSite->SaveObject());
    EXPECT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
    ReleaseInPlace(pFrame, pSite, object);
    ASSERT_EQ(S_OK, root->Commit(STGC_DEFAULT));
    EXPECT_EQ(6, CellsInStorage(sheet));
    EXPECT_TRUE(oletest::WaitForNoServer());
}

TEST_F(ContainerTest, ClosingAnObjectActiveInPlaceDeactivatesItFirst)
{
    InPlaceSetup setup;
    RECT rectPos = { 10, 10, 310, 210 };
    StartInPlace(640, 480, rectPos, setup);
    if (HasFatalFailure())
        return;
    oletest::CContainerFrame* pFrame = setup.pFrame;
    oletest::CContainerSite* pSite = setup.pSite;
    CScopedInterface<IOleObject>& object = setup.object;
    ASSERT_EQ(S_OK, object->DoVerb(OLEIVERB_PRIMARY, NULL, pSite, 0, pFrame->GetDocumentWindow(), &rectPos));
    HWND hWndBar = GetDlgItem(pFrame->GetFrameWindow(), 59392);
    EXPECT_NE((HWND)NULL, hWndBar);

    EXPECT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
    EXPECT_FALSE(IsWindow(hWndBar));
    EXPECT_EQ(1, pSite->m_nUIDeactivate);
    EXPECT_EQ(1, pSite->m_nInPlaceDeactivate);
    EXPECT_EQ(0, pFrame->m_border.top);
    ReleaseInPlace(pFrame, pSite, object);
    EXPECT_TRUE(oletest::WaitForNoServer());
}

TEST_F(ContainerTest, ContainerOfDocumentsShowsTheTemplatesOneViewInItsSite)
{
    InPlaceSetup setup;
    const RECT rectPos = { 30, 30, 330, 230 };
    StartInPlace(640, 480, rectPos, setup);
    if (HasFatalFailure())
        return;
    oletest::CContainerFrame* pFrame = setup.pFrame;
    oletest::CContainerSite* pSite = setup.pSite;
    CScopedInterface<IOleObject>& object = setup.object;
    pSite->HostDocuments();
    HWND hWndDoc = pFrame->GetDocumentWindow();
    RECT rectVerb = rectPos;
    // Shown, the object asks the container to activate it as a document:
    // the container makes its view and shows it at the object rectangle.
    ASSERT_EQ(S_OK, object->DoVerb(OLEIVERB_SHOW, NULL, pSite, 0, hWndDoc, &rectVerb));
    EXPECT_EQ(1, pSite->m_nActivateMe);
    ASSERT_NE(nullptr, pSite->m_pView);
    IOleDocumentView* pView = pSite->m_pView;
    CScopedInterface<IUnknown> identity, document;
    ASSERT_EQ(S_OK, object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
    ASSERT_EQ(S_OK, pView->GetDocument(&document));
    EXPECT_EQ((IUnknown*)identity, (IUnknown*)document);
    RECT rc = {};
    EXPECT_EQ(S_OK, pView->GetRect(&rc));
    EXPECT_TRUE(EqualRect(&rc, &rectPos));
    CScopedInterface<IOleDocument> oleDocument;
    ASSERT_EQ(S_OK, object->QueryInterface(IID_IOleDocument, reinterpret_cast<void**>(&oleDocument)));
    CScopedInterface<IEnumOleDocumentViews> views;
    CScopedInterface<IOleDocumentView> oneView;
    EXPECT_EQ(S_OK, oleDocument->EnumViews(&views, &oneView));
    EXPECT_EQ(nullptr, (IEnumOleDocumentViews*)views);
    EXPECT_EQ(pView, (IOleDocumentView*)oneView);

    // The view is the sheet active in place in the site's window, with the
    // designer's toolbar on the container's frame.
    EXPECT_EQ(1, pSite->m_nInPlaceActivate);
    EXPECT_EQ(1, pSite->m_nUIActivate);
    HWND hWndInPlace = InPlaceWindow(object);
    ASSERT_NE((HWND)NULL, hWndInPlace);
    EXPECT_TRUE(IsChild(hWndDoc, hWndInPlace));
    EXPECT_NE(GetCurrentProcessId(), ProcessOf(hWndInPlace));
    HWND hWndView = GetDlgItem(hWndInPlace, 0xE900);
    ASSERT_NE((HWND)NULL, hWndView);
    rc = RectIn(hWndView, hWndDoc);
    EXPECT_TRUE(EqualRect(&rc, &rectPos));
    EXPECT_NE((HWND)NULL, GetDlgItem(pFrame->GetFrameWindow(), 59392));
    // A new view rectangle moves the sheet.
    RECT rectMoved = { 40, 50, 300, 250 };
    EXPECT_EQ(S_OK, pView->SetRect(&rectMoved));
    rc = RectIn(hWndView, hWndDoc);
    EXPECT_TRUE(EqualRect(&rc, &rectMoved));

    // Deactivated and closed, the view leaves the site as it was.
    EXPECT_EQ(S_OK, pView->UIActivate(FALSE));
    EXPECT_FALSE(IsWindow(hWndInPlace));
    EXPECT_EQ(1, pSite->m_nUIDeactivate);
    EXPECT_EQ(1, pSite->m_nInPlaceDeactivate);
    EXPECT_EQ(0, pFrame->m_border.top);
    EXPECT_EQ(S_OK, pView->CloseView(0));
    CScopedInterface<IOleInPlaceSite> viewSite;
    EXPECT_EQ(S_OK, pView->GetInPlaceSite(&viewSite));
    EXPECT_EQ(nullptr, (IOleInPlaceSite*)viewSite);
    pSite->m_pView = NULL;
    pView->Release();
    oleDocument.Release();
    oneView.Release();
    identity.Release();
    document.Release();
    EXPECT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
    ReleaseInPlace(pFrame, pSite, object);
    EXPECT_TRUE(oletest::WaitForNoServer());
}

TEST_F(ContainerTest, OpenVerbShowsTheTemplateInTheDesignerAndSavesItOnClose)
{
    CScopedInterface<IStorage> root, sheet;
    oletest::CContainerSite* pSite = NULL;
    CScopedInterface<IOleObject> object;
    StartEmbedded(root, sheet, pSite, object);
    if (HasFatalFailure())
        return;

    ASSERT_EQ(S_OK, object->DoVerb(OLEIVERB_OPEN, NULL, pSite, 0, NULL, NULL));
    EXPECT_EQ(1, pSite->m_nShown);
    EXPECT_EQ(0, pSite->m_nInPlaceActivate);
    HWND hWndMain = FindShownServerFrame();
    ASSERT_NE((HWND)NULL, hWndMain);

    // Changed, then closed by the user: the container gets the change.
    CScopedInterface<IDispatch> dispatch;
    ASSERT_EQ(S_OK, object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)));
    EXPECT_TRUE(oletest::CallMethod(dispatch, "AddRow"));
    dispatch.Release();
    PostMessageA(hWndMain, WM_COMMAND, 57602, 0);
    EXPECT_TRUE(PumpUntil([&] { return pSite->m_nHidden == 1; }));
    EXPECT_EQ(1, pSite->SaveCount());
    // The designer, started for the container, is out of sight again.
    EXPECT_FALSE(IsWindowVisible(hWndMain));

    object->SetClientSite(NULL);
    object.Release();
    pSite->Release();
    ASSERT_EQ(S_OK, root->Commit(STGC_DEFAULT));
    EXPECT_EQ(9, CellsInStorage(sheet));
    EXPECT_TRUE(oletest::WaitForNoServer());
}

} // namespace
