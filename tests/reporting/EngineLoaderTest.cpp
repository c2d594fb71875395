// The engine loader over stand-in engine libraries (bin/loader-probes): the
// loader's messages, which library serves which type, and when a library
// is unloaded.
#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"

#include "engines/common/EngineExports.h"
#include "reporting/EngineLoader.h"

namespace {

CString ProbeFolder(LPCSTR lpszName)
{
    char szPath[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strPath(szPath, (int)n);
    return strPath.Left(strPath.ReverseFind('\\')) + "\\loader-probes\\" + lpszName;
}

typedef LONG(__cdecl* PFN_LIVE_OBJECTS)();

// Objects alive in a loaded stand-in library.
LONG LiveObjects(HMODULE hModule)
{
    PFN_LIVE_OBJECTS pfn = reinterpret_cast<PFN_LIVE_OBJECTS>(
        reinterpret_cast<void (*)(void)>(GetProcAddress(hModule, "ProbeLiveObjects")));
    return pfn != NULL ? pfn() : -1;
}

BOOL IsLoaded(const CString& strFolder, LPCSTR lpszFile)
{
    return GetModuleHandleA(strFolder + "\\" + lpszFile) != NULL;
}

class EngineLoaderTest : public ::testing::Test
{
protected:
    EngineLoaderTest() : m_strFull(ProbeFolder("full")), m_strPartial(ProbeFolder("partial")) {}

    MessageBoxRecorder m_recorder;
    CString m_strFull;
    CString m_strPartial;
};

}

TEST_F(EngineLoaderTest, TypesWithoutLibraryOrOutOfRangeGiveTheirMessages)
{
    CEngineLoader loader(m_strFull);
    EXPECT_EQ(nullptr, loader.GetDatabase(8));
    EXPECT_EQ((std::vector<std::string>{"Failed to load DLL.", "Failed to load DLL!"}), m_recorder.Texts());
    EXPECT_TRUE(loader.m_bFoxProRequested);
    // The entry stays, unloaded, and the next request tries again.
    ASSERT_NE(nullptr, loader.m_pLibraries[ENGINE_LIBRARY_FOXPRO]);
    EXPECT_EQ(nullptr, loader.GetLibraryModule(ENGINE_LIBRARY_FOXPRO));
    m_recorder.Clear();
    EXPECT_EQ(nullptr, loader.GetDatabase(9));
    EXPECT_EQ(2u, m_recorder.Messages().size());

    m_recorder.Clear();
    EXPECT_EQ(nullptr, loader.GetDatabase(26));
    EXPECT_EQ((std::vector<std::string>{"Failed to load DLL.", "Failed to load DLL!"}), m_recorder.Texts());

    for (int nType : {30, -1, 40})
    {
        SCOPED_TRACE(nType);
        m_recorder.Clear();
        EXPECT_EQ(nullptr, loader.GetDatabase(nType));
        EXPECT_EQ((std::vector<std::string>{"Invalid data source type."}), m_recorder.Texts());
    }
}

TEST_F(EngineLoaderTest, LibraryFileMissingFromTheFolder)
{
    // A folder without engine libraries: the loader never falls back on the
    // search path, where the real libraries beside this program would be.
    CEngineLoader loader(ProbeFolder("none"));
    EXPECT_EQ(nullptr, loader.GetDatabase(1));
    EXPECT_EQ((std::vector<std::string>{"Failed to load DLL.", "Failed to load DLL!"}), m_recorder.Texts());
    EXPECT_EQ(nullptr, loader.GetDatabase(25));
    EXPECT_EQ(4u, m_recorder.Messages().size());
}

TEST_F(EngineLoaderTest, MissingExportsGiveTheirMessages)
{
    {
        CEngineLoader loader(m_strPartial);
        EXPECT_EQ(nullptr, loader.GetDatabase(1));
        EXPECT_EQ((std::vector<std::string>{"Cannt find function GetDatabase()!"}), m_recorder.Texts());
        // Loaded but holding nothing: unloaded with the loader.
        EXPECT_TRUE(IsLoaded(m_strPartial, "Brasslock.dll"));
    }
    EXPECT_FALSE(IsLoaded(m_strPartial, "Brasslock.dll"));

    m_recorder.Clear();
    CEngineLoader loader(m_strPartial);
    CKemDatabase* pDatabase = loader.GetDatabase(25);
    ASSERT_NE(nullptr, pDatabase);
    EXPECT_EQ(25, pDatabase->m_nType);
    EXPECT_EQ(nullptr, loader.GetRecordset(pDatabase));
    EXPECT_EQ((std::vector<std::string>{"Cannot find function GetRecordset()."}), m_recorder.Texts());

    // The report functions are missing too: 0 and no message.
    m_recorder.Clear();
    EXPECT_EQ(0, loader.LoadReportData(NULL, pDatabase, "ss_datalist"));
    EXPECT_EQ(0, loader.SaveReportData(NULL, pDatabase, "ss_datalist"));
    EXPECT_TRUE(m_recorder.Messages().empty());

    loader.ReleaseDatabase(pDatabase);
    EXPECT_FALSE(IsLoaded(m_strPartial, "Odbc.dll"));
    EXPECT_TRUE(m_recorder.Messages().empty());
}

TEST_F(EngineLoaderTest, EngineThatMakesNoDatabase)
{
    CEngineLoader loader(m_strFull);
    EXPECT_EQ(nullptr, loader.GetDatabase(5));
    EXPECT_EQ((std::vector<std::string>{"Failde to create Database instance."}), m_recorder.Texts());
    EXPECT_NE(nullptr, loader.GetLibraryModule(ENGINE_LIBRARY_DAO));
}

TEST_F(EngineLoaderTest, LibraryUnloadedWithItsLastDatabase)
{
    CEngineLoader loader(m_strFull);
    CKemDatabase* pFirst = loader.GetDatabase(0);
    CKemDatabase* pSecond = loader.GetDatabase(0);
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    HMODULE hDao = loader.GetLibraryModule(ENGINE_LIBRARY_DAO);
    EXPECT_EQ(2, LiveObjects(hDao));

    loader.ReleaseDatabase(pFirst);
    EXPECT_TRUE(IsLoaded(m_strFull, "Brasslock.dll"));
    EXPECT_EQ(1, LiveObjects(hDao));
    loader.ReleaseDatabase(pSecond);
    EXPECT_FALSE(IsLoaded(m_strFull, "Brasslock.dll"));
    EXPECT_EQ(nullptr, loader.m_pLibraries[ENGINE_LIBRARY_DAO]);
    EXPECT_TRUE(m_recorder.Messages().empty());

    // Loaded again at the next request.
    CKemDatabase* pAgain = loader.GetDatabase(1);
    ASSERT_NE(nullptr, pAgain);
    EXPECT_TRUE(IsLoaded(m_strFull, "Brasslock.dll"));
    loader.ReleaseDatabase(pAgain);
}

TEST_F(EngineLoaderTest, TwoLibrariesAreKeptApart)
{
    CEngineLoader loader(m_strFull);
    CKemDatabase* pOdbc = loader.GetDatabase(25);
    CKemDatabase* pDao = loader.GetDatabase(1);
    ASSERT_NE(nullptr, pOdbc);
    ASSERT_NE(nullptr, pDao);
    EXPECT_NE(loader.GetLibraryModule(ENGINE_LIBRARY_DAO), loader.GetLibraryModule(ENGINE_LIBRARY_ODBC));
    EXPECT_EQ(1, LiveObjects(loader.GetLibraryModule(ENGINE_LIBRARY_ODBC)));

    loader.ReleaseDatabase(pOdbc);
    EXPECT_FALSE(IsLoaded(m_strFull, "Odbc.dll"));
    EXPECT_TRUE(IsLoaded(m_strFull, "Brasslock.dll"));
    loader.ReleaseDatabase(pDao);
    EXPECT_FALSE(IsLoaded(m_strFull, "Brasslock.dll"));
}

TEST_F(EngineLoaderTest, DestructionReleasesWhatIsLeftOnce)
{
    {
        CEngineLoader loader(m_strFull);
        ASSERT_NE(nullptr, loader.GetDatabase(0));
        CKemDatabase* pOracle = loader.GetDatabase(27);
        ASSERT_NE(nullptr, pOracle);
        ASSERT_NE(nullptr, loader.GetRecordset(pOracle));
        EXPECT_EQ(2, LiveObjects(loader.GetLibraryModule(ENGINE_LIBRARY_ODBC)));
    }
    EXPECT_FALSE(IsLoaded(m_strFull, "Brasslock.dll"));
    EXPECT_FALSE(IsLoaded(m_strFull, "Odbc.dll"));
    EXPECT_TRUE(m_recorder.Messages().empty());
}

TEST_F(EngineLoaderTest, LibraryStaysWhileItsRecordsetsLive)
{
    CEngineLoader loader(m_strFull);
    CKemDatabase* pDatabase = loader.GetDatabase(25);
    ASSERT_NE(nullptr, pDatabase);
    CKemRecordset* pRecordset = loader.GetRecordset(pDatabase);
    ASSERT_NE(nullptr, pRecordset);
    EXPECT_EQ(pDatabase, pRecordset->m_pDatabase);

    loader.ReleaseDatabase(pDatabase);
    EXPECT_TRUE(IsLoaded(m_strFull, "Odbc.dll"));
    HMODULE hOdbc = loader.GetLibraryModule(ENGINE_LIBRARY_ODBC);
    EXPECT_EQ(1, LiveObjects(hOdbc));
    // Released through the library although its database is gone.
    loader.ReleaseRecordset(pRecordset);
    EXPECT_FALSE(IsLoaded(m_strFull, "Odbc.dll"));
    EXPECT_TRUE(m_recorder.Messages().empty());
}

TEST_F(EngineLoaderTest, ObjectsAreNeverReleasedTwice)
{
    CEngineLoader loader(m_strFull);
    CKemDatabase* pKeep = loader.GetDatabase(0);
    CKemDatabase* pDatabase = loader.GetDatabase(0);
    CKemRecordset* pRecordset = loader.GetRecordset(pDatabase);
    ASSERT_NE(nullptr, pRecordset);
    HMODULE hDao = loader.GetLibraryModule(ENGINE_LIBRARY_DAO);
    EXPECT_EQ(3, LiveObjects(hDao));

    loader.ReleaseRecordset(pRecordset);
    loader.ReleaseRecordset(pRecordset);
    loader.ReleaseDatabase(pDatabase);
    loader.ReleaseDatabase(pDatabase);
    EXPECT_EQ((std::vector<std::string>{"ERROR", "ERROR"}), m_recorder.Texts());
    EXPECT_EQ(1, LiveObjects(hDao));

    // Not the loader's objects, and NULL: nothing reaches a library.
    m_recorder.Clear();
    CKemDatabase stranger;
    loader.ReleaseDatabase(&stranger);
    loader.ReleaseDatabase(NULL);
    loader.ReleaseRecordset(NULL);
    EXPECT_EQ((std::vector<std::string>{"ERROR"}), m_recorder.Texts());
    EXPECT_EQ(1, LiveObjects(hDao));
    loader.ReleaseDatabase(pKeep);
}

TEST_F(EngineLoaderTest, ReportDataReachesTheLibraryOfTheDatabase)
{
    CEngineLoader loader(m_strFull);
    CKemDatabase* pDatabase = loader.GetDatabase(23);
    ASSERT_NE(nullptr, pDatabase);
    EXPECT_EQ(111, loader.LoadReportData(NULL, pDatabase, "ss_datalist"));
    EXPECT_EQ(211, loader.SaveReportData(NULL, pDatabase, "ss_datalist"));
    EXPECT_TRUE(m_recorder.Messages().empty());

    // A database whose type has no library, or whose library is not loaded.
    CKemDatabase stranger;
    stranger.m_nType = 31;
    EXPECT_EQ(0, loader.LoadReportData(NULL, &stranger, "ss_datalist"));
    EXPECT_EQ((std::vector<std::string>{"Invalid data source type.", "ERROR"}), m_recorder.Texts());
    m_recorder.Clear();
    stranger.m_nType = 25;
    EXPECT_EQ(0, loader.SaveReportData(NULL, &stranger, "ss_datalist"));
    EXPECT_EQ(nullptr, loader.GetRecordset(&stranger));
    EXPECT_EQ((std::vector<std::string>{"ERROR", "ERROR"}), m_recorder.Texts());
    loader.ReleaseDatabase(pDatabase);
}

TEST_F(EngineLoaderTest, EachLibraryFindsItsOwnModule)
{
    CEngineLoader loader(m_strFull);
    CKemDatabase* pDao = loader.GetDatabase(0);
    CKemDatabase* pOdbc = loader.GetDatabase(25);
    ASSERT_NE(nullptr, pDao);
    ASSERT_NE(nullptr, pOdbc);
    typedef HINSTANCE(__cdecl * PFN_MODULE)();
    for (int nIndex : {ENGINE_LIBRARY_DAO, ENGINE_LIBRARY_ODBC})
    {
        HMODULE hModule = loader.GetLibraryModule(nIndex);
        PFN_MODULE pfn = reinterpret_cast<PFN_MODULE>(
            reinterpret_cast<void (*)(void)>(GetProcAddress(hModule, "ProbeEngineModule")));
        ASSERT_NE(nullptr, pfn);
        EXPECT_EQ(hModule, pfn()) << nIndex;
    }
    loader.ReleaseDatabase(pDao);
    loader.ReleaseDatabase(pOdbc);
}

TEST_F(EngineLoaderTest, LibraryThatTakesNothingBackIsStillUnloaded)
{
    CString strFolder = ProbeFolder("noreleases");
    {
        CEngineLoader loader(strFolder);
        CKemDatabase* pDatabase = loader.GetDatabase(0);
        ASSERT_NE(nullptr, pDatabase);
        loader.ReleaseDatabase(pDatabase);
        EXPECT_EQ((std::vector<std::string>{"ERROR"}), m_recorder.Texts());
        EXPECT_TRUE(IsLoaded(strFolder, "Brasslock.dll"));
    }
    // The destructor gives up on what cannot be released and goes on.
    EXPECT_EQ((std::vector<std::string>{"ERROR", "ERROR"}), m_recorder.Texts());
    EXPECT_FALSE(IsLoaded(strFolder, "Brasslock.dll"));
}
