#include <deque>
#include <string.h>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/framework/crossmodule/CrossModuleProbe.h"

#include "framework/core/File.h"
#include "framework/core/OleVariant.h"

namespace {

// Loads the probe library from the test program's own folder, as the
// programs load their engine libraries.
class CrossModule : public testing::Test
{
protected:
    void SetUp() override
    {
        char szPath[MAX_PATH];
        DWORD n = GetModuleFileNameA(NULL, szPath, MAX_PATH);
        ASSERT_TRUE(n > 0 && n < MAX_PATH);
        char* pSlash = strrchr(szPath, '\\');
        ASSERT_NE(nullptr, pSlash);
        lstrcpynA(pSlash, "\\CrossModuleProbe.dll", (int)(szPath + MAX_PATH - pSlash));
        m_hModule = LoadLibraryA(szPath);
        ASSERT_NE(nullptr, m_hModule) << szPath << " error " << GetLastError();
    }

    void TearDown() override
    {
        if (m_hModule != NULL)
        {
            EXPECT_TRUE(FreeLibrary(m_hModule));
        }
    }

    template <typename PFN>
    PFN Proc(LPCSTR lpszName)
    {
        FARPROC pfn = GetProcAddress(m_hModule, lpszName);
        EXPECT_NE(nullptr, pfn) << lpszName;
        // Through the generic function type, which the compiler accepts as a cast.
        return reinterpret_cast<PFN>(reinterpret_cast<void (*)(void)>(pfn));
    }

    HMODULE m_hModule = NULL;
};

}

TEST_F(CrossModule, LibraryAssignsToTheProgramsStrings)
{
    auto pfnAssign = Proc<PFN_PROBE_ASSIGN_STRING>("ProbeAssignString");
    ASSERT_NE(nullptr, pfnAssign);

    CString str("short");
    const char kLong[] = "a text much longer than the buffer the program allocated for its string";
    pfnAssign(&str, kLong);
    EXPECT_STREQ(kLong, str);
    EXPECT_EQ((int)strlen(kLong), str.GetLength());
    // The program grows what the library allocated, and frees it.
    str += " and more";
    EXPECT_EQ((int)strlen(kLong) + 9, str.GetLength());

    pfnAssign(&str, "");
    EXPECT_TRUE(str.IsEmpty());
    EXPECT_STREQ("", str);
    str = "again";
    pfnAssign(&str, NULL);
    EXPECT_TRUE(str.IsEmpty());

    CString fresh;
    pfnAssign(&fresh, "into an empty string");
    EXPECT_STREQ("into an empty string", fresh);
}

TEST_F(CrossModule, LibraryAppendsToTheProgramsList)
{
    auto pfnAppend = Proc<PFN_PROBE_APPEND_TO_LIST>("ProbeAppendToList");
    ASSERT_NE(nullptr, pfnAppend);

    CStringList list;
    list.AddTail("first");
    pfnAppend(&list, "item", 25);
    ASSERT_EQ(26, list.GetCount());
    POSITION pos = list.GetHeadPosition();
    EXPECT_STREQ("first", list.GetNext(pos));
    for (int i = 0; i < 25; ++i)
    {
        CString strExpected;
        strExpected.Format("item%d", i);
        ASSERT_NE(nullptr, pos);
        EXPECT_STREQ(strExpected, list.GetNext(pos));
    }
    EXPECT_EQ(nullptr, pos);
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(CrossModule, ExceptionsThrownInTheLibraryAreCaughtHere)
{
    auto pfnThrow = Proc<PFN_PROBE_THROW_FILE_EXCEPTION>("ProbeThrowFileException");
    ASSERT_NE(nullptr, pfnThrow);
    bool bCaught = false;
    try
    {
        pfnThrow("C:\\missing\\report.kvm");
    }
    catch (CException* e)
    {
        bCaught = true;
        // The object carries the library's class records; they match by name.
        EXPECT_NE(RUNTIME_CLASS(CFileException), e->GetRuntimeClass());
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
        EXPECT_FALSE(e->IsKindOf(RUNTIME_CLASS(CMemoryException)));
        CFileException* pFileError = DYNAMIC_DOWNCAST(CFileException, e);
        ASSERT_NE(nullptr, pFileError);
        EXPECT_EQ(CFileException::fileNotFound, pFileError->m_cause);
        EXPECT_STREQ("C:\\missing\\report.kvm", pFileError->m_strFileName);
        char szMessage[512];
        EXPECT_TRUE(e->GetErrorMessage(szMessage, sizeof(szMessage)));
        EXPECT_NE(nullptr, strstr(szMessage, "report.kvm")) << szMessage;
        e->Delete();
    }
    EXPECT_TRUE(bCaught);
}

TEST_F(CrossModule, OleConversionsInTheLibraryReportTheirStatus)
{
    auto pfnToLong = Proc<PFN_PROBE_TEXT_TO_LONG>("ProbeTextToLong");
    ASSERT_NE(nullptr, pfnToLong);
    EXPECT_EQ(-4321, pfnToLong("-4321"));
    bool bCaught = false;
    try
    {
        pfnToLong("not a number");
    }
    catch (CException* e)
    {
        bCaught = true;
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(COleException)));
        EXPECT_EQ(DISP_E_TYPEMISMATCH, static_cast<COleException*>(e)->m_sc);
        e->Delete();
    }
    EXPECT_TRUE(bCaught);

    auto pfnMake = Proc<PFN_PROBE_MAKE_ANSI_VARIANT>("ProbeMakeAnsiVariant");
    ASSERT_NE(nullptr, pfnMake);
    const char kText[] = "Code \xC4\xD6 7";
    VARIANT var;
    VariantInit(&var);
    pfnMake(&var, kText);
    ASSERT_EQ(VT_BSTR, V_VT(&var));
    ASSERT_EQ((UINT)strlen(kText), SysStringByteLen(V_BSTR(&var)));
    EXPECT_EQ(0, memcmp(kText, V_BSTR(&var), strlen(kText)));
    COleVariant owned;
    owned.Attach(var);
    EXPECT_TRUE(owned == COleVariant(kText, VT_BSTRT));
}

TEST_F(CrossModule, LibraryMessageBoxesReachTheProgramsSink)
{
    auto pfnShow = Proc<PFN_PROBE_SHOW_MESSAGE>("ProbeShowMessage");
    ASSERT_NE(nullptr, pfnShow);
    MessageBoxRecorder recorder;
    recorder.QueueAnswer(IDNO);
    EXPECT_EQ(IDNO, pfnShow("Overwrite the stored value?"));
    EXPECT_EQ(IDYES, pfnShow("Second question"));
    ASSERT_EQ(2u, recorder.Messages().size());
    EXPECT_EQ("Overwrite the stored value?", recorder.Messages()[0].text);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), recorder.Messages()[0].type);
    EXPECT_EQ("Second question", recorder.LastText());
}
