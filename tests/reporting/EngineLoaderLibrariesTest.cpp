// The engine loader with the delivered engine libraries beside the program:
// a reporting database made from the shipped schema, reached through them.
#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"

#include "engines/common/EngineExports.h"
#include "engines/common/EngineResources.h"
#include "reporting/EngineLoader.h"
#include "tests/reporting/ReportingDatabase.h"

namespace {

BOOL LibraryBesideProgram(const CEngineLoader& loader, int nIndex)
{
    return GetFileAttributesA(loader.GetLibraryFolder() + "\\" + EngineLibraryFileName(nIndex))
           != INVALID_FILE_ATTRIBUTES;
}

// Rows of a query through an engine recordset; -1 when it does not open.
long CountRows(CEngineLoader& loader, CKemDatabase* pDatabase, LPCSTR lpszSQL)
{
    CKemRecordset* pRecordset = loader.GetRecordset(pDatabase);
    if (pRecordset == NULL)
        return -1;
    long nRows = -1;
    try
    {
        pRecordset->Open(lpszSQL, TRUE);
        if (pRecordset->IsOpen())
        {
            nRows = 0;
            while (!pRecordset->IsEOF())
            {
                ++nRows;
                pRecordset->MoveNext();
            }
            pRecordset->Close();
        }
    }
    catch (CException* e)
    {
        ADD_FAILURE() << "database exception";
        e->Delete();
    }
    loader.ReleaseRecordset(pRecordset);
    return nRows;
}

}

TEST(EngineLoaderLibraries, AccessDatabaseThroughTheDaoLibrary)
{
    MessageBoxRecorder recorder;
    CReportingTestFolder folder;
    CString strPath = folder.MakeDatabase("reporting.mdb", TRUE);
    CEngineLoader loader;
    ASSERT_TRUE(LibraryBesideProgram(loader, ENGINE_LIBRARY_DAO));

    CKemDatabase* pDatabase = loader.GetDatabase(1);
    ASSERT_NE(nullptr, pDatabase);
    EXPECT_EQ(1, pDatabase->m_nType);
    pDatabase->m_strDatabase = strPath;
    pDatabase->Reopen(FALSE);
    ASSERT_TRUE(pDatabase->IsOpen());
    EXPECT_EQ(4, CountRows(loader, pDatabase, "select FD_Code,FD_SearchCode,FD_Name from ss_Organ"));
    EXPECT_EQ(1, CountRows(loader, pDatabase, "Select FD_Name From ss_item Where FD_Code='R001'"));
    EXPECT_EQ(0, CountRows(loader, pDatabase, "Select * From ss_datalist"));

    // A recordset outliving its database keeps the library loaded.
    CKemRecordset* pRecordset = loader.GetRecordset(pDatabase);
    ASSERT_NE(nullptr, pRecordset);
    pDatabase->Close();
    loader.ReleaseDatabase(pDatabase);
    EXPECT_NE(nullptr, loader.GetLibraryModule(ENGINE_LIBRARY_DAO));
    loader.ReleaseRecordset(pRecordset);
    EXPECT_EQ(nullptr, loader.GetLibraryModule(ENGINE_LIBRARY_DAO));
    EXPECT_TRUE(recorder.Messages().empty()) << recorder.LastText();
}

TEST(EngineLoaderLibraries, OdbcDatabaseThroughTheOdbcLibrary)
{
    MessageBoxRecorder recorder;
    CEngineLoader loader;
    if (!LibraryBesideProgram(loader, ENGINE_LIBRARY_ODBC))
        GTEST_SKIP() << "Odbc.dll is not built in this tree";
    CKemDatabase* pDatabase = loader.GetDatabase(25);
    ASSERT_NE(nullptr, pDatabase);
    EXPECT_EQ(25, pDatabase->m_nType);
    EXPECT_NE(loader.GetLibraryModule(ENGINE_LIBRARY_ODBC), loader.GetLibraryModule(ENGINE_LIBRARY_DAO));
    loader.ReleaseDatabase(pDatabase);
    EXPECT_EQ(nullptr, loader.GetLibraryModule(ENGINE_LIBRARY_ODBC));
    EXPECT_TRUE(recorder.Messages().empty()) << recorder.LastText();
}

TEST(EngineLoaderLibraries, EachLibraryHoldsItsOwnDialogs)
{
    CEngineLoader loader;
    struct
    {
        int nLibrary;
        UINT nProgress;
        UINT nBitmap;
    } libraries[] = {{ENGINE_LIBRARY_DAO, IDD_BRASSLOCK_PROGRESS, IDB_BRASSLOCK_WARNING},
                     {ENGINE_LIBRARY_ODBC, IDD_ODBC_PROGRESS, IDB_ODBC_WARNING}};
    for (const auto& library : libraries)
    {
        SCOPED_TRACE(library.nLibrary);
        if (!LibraryBesideProgram(loader, library.nLibrary))
            GTEST_SKIP() << EngineLibraryFileName(library.nLibrary) << " is not built in this tree";
        HMODULE hModule = LoadLibraryA(loader.GetLibraryFolder() + "\\" + EngineLibraryFileName(library.nLibrary));
        ASSERT_NE(nullptr, hModule);
        EXPECT_NE(nullptr, FindResourceA(hModule, MAKEINTRESOURCEA(IDD_UPDATE_CONFIRM), (LPCSTR)RT_DIALOG));
        EXPECT_NE(nullptr, FindResourceA(hModule, MAKEINTRESOURCEA(library.nProgress), (LPCSTR)RT_DIALOG));
        EXPECT_NE(nullptr, FindResourceA(hModule, MAKEINTRESOURCEA(library.nBitmap), (LPCSTR)RT_BITMAP));
        FreeLibrary(hModule);
    }
}
