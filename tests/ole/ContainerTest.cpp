// The designer embedded in a small container of our own: a template copied
// into the container's storage is loaded by the real program, started by
// COM as a local server, drawn, changed, saved into the storage through the
// container's site, and loaded again through OLE's default handler.
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/ole/ContainerSite.h"
#include "tests/ole/ServerClient.h"
#include "tests/sheet/SheetGrid.h"
#include "tests/support/ScratchFolder.h"
#include "framework/docview/OleStreamFile.h"
#include "sheet/document/TallyformDoc.h"

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
    EmbedTemplate();
    {
        // The object straight from the running server, loaded from the
        // container's storage.
        CScopedInterface<IStorage> root, sheet;
        OpenContainer(root, sheet);
        oletest::CContainerSite* pSite = new oletest::CContainerSite(sheet);
        CScopedInterface<IOleObject> object;
        ASSERT_EQ(S_OK, CoCreateInstance(m_clsid, NULL, CLSCTX_LOCAL_SERVER, IID_IOleObject,
                                         reinterpret_cast<void**>(&object)));
        pSite->SetObject(object);
        ASSERT_EQ(S_OK, object->SetClientSite(pSite));
        CScopedInterface<IPersistStorage> persist;
        ASSERT_EQ(S_OK, object->QueryInterface(IID_IPersistStorage, reinterpret_cast<void**>(&persist)));
        ASSERT_EQ(S_OK, persist->Load(sheet));
        persist.Release();

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

} // namespace
