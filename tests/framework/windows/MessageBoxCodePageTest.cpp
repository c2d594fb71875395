#include "tests/support/Gtest.h"
#include "tests/support/Utf8.h"
#include "framework/core/MessageSink.h"
#include "framework/core/WideText.h"

#include <string>

namespace {

const char kCaption[] = "Code page box";

// Waits for the real message box, keeps the text it shows and answers No.
struct BoxReader
{
    WCHAR szText[256];
    BOOL bFound;
};

DWORD WINAPI ReadAndAnswer(LPVOID pParam)
{
    BoxReader* pReader = (BoxReader*)pParam;
    for (int i = 0; i < 500 && !pReader->bFound; ++i)
    {
        HWND hBox = ::FindWindowA("#32770", kCaption);
        if (hBox != NULL && ::GetDlgItemTextW(hBox, 0xFFFF, pReader->szText, 256) > 0)
        {
            pReader->bFound = TRUE;
            ::PostMessageA(hBox, WM_COMMAND, IDNO, 0);
            break;
        }
        ::Sleep(10);
    }
    return 0;
}

}

TEST(MessageBoxCodePage, RealBoxShowsTheCharactersOfTheTextsCodePage)
{
    // A code page 936 text with a full-width comma and question mark, on a
    // system whose code page is another.
    EXPECT_NE(936u, GetACP());
    const char text[] = "C:\\a.kvm already exsisted\xA3\xAC" "Overwrite\xA3\xBF";
    AFX_MESSAGE_SINK pfnSink = AfxSetMessageSink(NULL);
    AfxSetMessageCaption(kCaption);
    BoxReader reader = {};
    HANDLE hThread = ::CreateThread(NULL, 0, ReadAndAnswer, &reader, 0, NULL);
    int nAnswer = AfxMessageBoxCP(text, 936, MB_YESNO);
    ::WaitForSingleObject(hThread, 10000);
    ::CloseHandle(hThread);
    AfxSetMessageCaption(NULL);
    AfxSetMessageSink(pfnSink);

    ASSERT_TRUE(reader.bFound);
    EXPECT_EQ(IDNO, nAnswer);
    EXPECT_EQ("C:\\a.kvm already exsisted\uff0cOverwrite\uff1f", Utf8(reader.szText, lstrlenW(reader.szText)));
}

TEST(MessageBoxCodePage, PathsAreRecodedIntoTheMessagesCodePage)
{
    // A name of the system's code page (1252) keeps its letters in the
    // Chinese one: e acute and a grave exist in both.
    CString str = AfxRecodeText("r\xE9sum\xE9 \xE0.kvm", 936);
    CWideText text(str, str.GetLength(), 936);
    EXPECT_EQ("r\u00e9sum\u00e9 \u00e0.kvm", Utf8(text.GetString(), text.GetLength()));
    EXPECT_EQ("plain.kvm", std::string((LPCSTR)AfxRecodeText("plain.kvm", 936)));
}
