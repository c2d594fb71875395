#include "tests/support/Gtest.h"
#include "framework/core/File.h"
#include "framework/core/MemFile.h"

#include <string.h>
#include <string>
#include <vector>

namespace {

// A fresh temporary file name (GetTempFileNameA creates the file empty),
// removed again when the test ends.
struct TempFile
{
    char path[MAX_PATH];

    TempFile()
    {
        char dir[MAX_PATH];
        GetTempPathA(sizeof(dir), dir);
        GetTempFileNameA(dir, "cft", 0, path);
    }
    ~TempFile() { DeleteFileA(path); }
};

std::string TempFolder()
{
    char dir[MAX_PATH];
    GetTempPathA(sizeof(dir), dir);
    return dir;
}

void WriteBytes(LPCSTR path, const void* data, UINT n)
{
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(data, n);
    file.Close();
}

// Runs f and returns the cause of the CFileException it throws, or -1 when
// it throws none; the file name the exception carries lands in pName.
template <class F>
int FileCause(F f, CString* pName = NULL)
{
    try
    {
        f();
    }
    catch (CFileException* e)
    {
        int cause = e->m_cause;
        if (pName != NULL)
            *pName = e->m_strFileName;
        e->Delete();
        return cause;
    }
    return -1;
}

std::string MessageOf(const CException& e)
{
    char text[512];
    EXPECT_TRUE(e.GetErrorMessage(text, sizeof(text)));
    return text;
}

}

TEST(File, OpenOfAMissingFileFillsTheException)
{
    std::string path = TempFolder() + "cft-no-such-file.bin";
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, error.m_lOsError);
    EXPECT_STREQ(path.c_str(), error.m_strFileName);
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);

    std::string text = MessageOf(error);
    EXPECT_NE(std::string::npos, text.find(path)) << text;
    EXPECT_NE(std::string::npos, text.find("not found")) << text;

    // Without an exception object the failure is only the result.
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeRead));
}

TEST(File, CreatingInAMissingFolderIsABadPath)
{
    std::string path = TempFolder() + "cft-no-such-folder\\x.bin";
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, error.m_lOsError);
}

TEST(File, OpeningConstructorThrows)
{
    std::string path = TempFolder() + "cft-no-such-file.bin";
    CString name;
    EXPECT_EQ(CFileException::fileNotFound,
              FileCause([&] { CFile file(path.c_str(), CFile::modeRead); }, &name));
    EXPECT_STREQ(path.c_str(), name);
}

TEST(File, ReadComesBackShortAtTheEnd)
{
    TempFile tmp;
    WriteBytes(tmp.path, "0123456789", 10);

    CFile file(tmp.path, CFile::modeRead | CFile::typeBinary);
    char buf[16] = {};
    EXPECT_EQ(4u, file.Read(buf, 4));
    EXPECT_EQ(0, memcmp(buf, "0123", 4));
    EXPECT_EQ(6u, file.Read(buf, 8));
    EXPECT_EQ(0, memcmp(buf, "456789", 6));
    EXPECT_EQ(0u, file.Read(buf, 8));
    EXPECT_EQ(0u, file.Read(buf, 8));
    EXPECT_EQ(10u, file.GetPosition());
}

TEST(File, SeekFromEachOrigin)
{
    TempFile tmp;
    WriteBytes(tmp.path, "abcdefghij", 10);

    CFile file(tmp.path, CFile::modeRead);
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_EQ(6u, file.Seek(-4, CFile::end));
    char buf[8] = {};
    EXPECT_EQ(4u, file.Read(buf, 8));
    EXPECT_EQ(0, memcmp(buf, "ghij", 4));

    EXPECT_EQ(2u, file.Seek(2, CFile::begin));
    EXPECT_EQ(5u, file.Seek(3, CFile::current));
    EXPECT_EQ(1u, file.Read(buf, 1));
    EXPECT_EQ('f', buf[0]);

    EXPECT_EQ(10u, file.SeekToEnd());
    file.SeekToBegin();
    EXPECT_EQ(0u, file.GetPosition());

    // Before the start is refused and the position stays.
    EXPECT_EQ(3u, file.Seek(3, CFile::begin));
    EXPECT_EQ(CFileException::badSeek, FileCause([&] { file.Seek(-4, CFile::current); }));
    EXPECT_EQ(3u, file.GetPosition());
}

TEST(File, SetLengthCutsAndExtends)
{
    TempFile tmp;
    WriteBytes(tmp.path, "abcdefghij", 10);

    CFile file(tmp.path, CFile::modeReadWrite);
    file.SetLength(4);
    EXPECT_EQ(4u, file.GetLength());
    EXPECT_EQ(4u, file.GetPosition());
    file.SeekToBegin();
    char buf[16] = {};
    EXPECT_EQ(4u, file.Read(buf, sizeof(buf)));
    EXPECT_EQ(0, memcmp(buf, "abcd", 4));

    file.SetLength(12);
    EXPECT_EQ(12u, file.GetLength());
    file.Close();

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(tmp.path, status));
    EXPECT_EQ(12u, status.m_size);
}

TEST(File, CreateTruncatesUnlessNoTruncate)
{
    TempFile tmp;
    WriteBytes(tmp.path, "abcdef", 6);
    {
        CFile file(tmp.path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(6u, file.GetLength());
        EXPECT_EQ(0u, file.GetPosition());
    }
    {
        CFile file(tmp.path, CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(0u, file.GetLength());
    }
    // OPEN_ALWAYS also creates a file that is not there.
    DeleteFileA(tmp.path);
    CFile file(tmp.path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
    EXPECT_EQ(0u, file.GetLength());
}

TEST(File, WriteFailureThrows)
{
    TempFile tmp;
    WriteBytes(tmp.path, "abc", 3);
    CFile file(tmp.path, CFile::modeRead);
    CString name;
    EXPECT_EQ(CFileException::accessDenied, FileCause([&] { file.Write("x", 1); }, &name));
    EXPECT_STREQ(file.GetFilePath(), name);
    EXPECT_EQ(3u, file.GetLength());
}

TEST(File, NamesCloseAndAbort)
{
    TempFile tmp;
    CFile file;
    ASSERT_TRUE(file.Open(tmp.path, CFile::modeWrite));
    EXPECT_NE(CFile::hFileNull, file.m_hFile);
    EXPECT_EQ(0, file.GetFilePath().CompareNoCase(tmp.path));
    std::string path = tmp.path;
    std::string last = path.substr(path.find_last_of("\\/") + 1);
    EXPECT_STREQ(last.c_str(), file.GetFileName());

    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    EXPECT_TRUE(file.GetFilePath().IsEmpty());
    file.Close();
    file.Abort();

    // A closed or destroyed file leaves no handle behind to block an
    // exclusive open.
    {
        CFile scoped(tmp.path, CFile::modeRead | CFile::shareExclusive);
    }
    CFile exclusive(tmp.path, CFile::modeRead | CFile::shareExclusive);
    CFile second;
    CFileException error;
    EXPECT_FALSE(second.Open(tmp.path, CFile::modeRead | CFile::shareDenyNone, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
}

TEST(File, RemoveAndRename)
{
    std::string missing = TempFolder() + "cft-no-such-file.bin";
    CString name;
    EXPECT_EQ(CFileException::fileNotFound, FileCause([&] { CFile::Remove(missing.c_str()); }, &name));
    EXPECT_STREQ(missing.c_str(), name);
    EXPECT_EQ(CFileException::fileNotFound,
              FileCause([&] { CFile::Rename(missing.c_str(), (missing + ".new").c_str()); }, &name));
    EXPECT_STREQ(missing.c_str(), name);

    TempFile tmp;
    std::string renamed = std::string(tmp.path) + ".renamed";
    WriteBytes(tmp.path, "abc", 3);
    EXPECT_EQ(-1, FileCause([&] { CFile::Rename(tmp.path, renamed.c_str()); }));
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(tmp.path, status));
    ASSERT_TRUE(CFile::GetStatus(renamed.c_str(), status));
    EXPECT_EQ(3u, status.m_size);

    EXPECT_EQ(-1, FileCause([&] { CFile::Remove(renamed.c_str()); }));
    EXPECT_FALSE(CFile::GetStatus(renamed.c_str(), status));
}

TEST(File, GetStatusTellsFilesFoldersAndNothing)
{
    TempFile tmp;
    WriteBytes(tmp.path, "hello", 5);
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(tmp.path, status));
    EXPECT_EQ(5u, status.m_size);
    EXPECT_EQ(0, status.m_attribute & CFile::directory);
    EXPECT_EQ(0, lstrcmpiA(tmp.path, status.m_szFullName));
    EXPECT_TRUE(status.m_mtime.dwLowDateTime != 0 || status.m_mtime.dwHighDateTime != 0);

    ASSERT_TRUE(CFile::GetStatus(TempFolder().c_str(), status));
    EXPECT_NE(0, status.m_attribute & CFile::directory);

    std::string missing = TempFolder() + "cft-no-such-file.bin";
    EXPECT_FALSE(CFile::GetStatus(missing.c_str(), status));
    EXPECT_EQ('\0', status.m_szFullName[0]);
    EXPECT_FALSE(CFile::GetStatus("", status));
}

TEST(FileException, CausesAndMessages)
{
    EXPECT_EQ(CFileException::none, CFileException::OsErrorToException(NO_ERROR));
    EXPECT_EQ(CFileException::accessDenied, CFileException::OsErrorToException(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CFileException::diskFull, CFileException::OsErrorToException(ERROR_DISK_FULL));
    EXPECT_EQ(CFileException::sharingViolation,
              CFileException::OsErrorToException(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(CFileException::genericException, CFileException::OsErrorToException(ERROR_NOT_ENOUGH_MEMORY));

    // A failure that left no error code is still an error.
    EXPECT_EQ(CFileException::genericException, FileCause([] { CFileException::ThrowOsError(0, "a.bin"); }));
    EXPECT_EQ(CFileException::diskFull,
              FileCause([] { AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, "a.bin"); }));

    CFileException unnamed(CFileException::diskFull);
    EXPECT_EQ("The disk is full: an unnamed file could not be written.", MessageOf(unnamed));
    CFileException named(CFileException::accessDenied, ERROR_ACCESS_DENIED, "C:\\data\\x.kvt");
    EXPECT_EQ("Access to the file \"C:\\data\\x.kvt\" was denied.", MessageOf(named));
    CFileException leading(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "x.kvt");
    EXPECT_EQ("The file \"x.kvt\" was not found.", MessageOf(leading));

    char shortBuf[8];
    EXPECT_TRUE(named.GetErrorMessage(shortBuf, sizeof(shortBuf)));
    EXPECT_STREQ("Access ", shortBuf);
}

TEST(MemFile, WriteReadSeekAndGaps)
{
    CMemFile file(4);
    file.Write("abcdef", 6);
    EXPECT_EQ(6u, file.GetLength());
    EXPECT_EQ(6u, file.GetPosition());
    ASSERT_NE(nullptr, file.GetBufferPtr());
    EXPECT_EQ(0, memcmp(file.GetBufferPtr(), "abcdef", 6));

    EXPECT_EQ(2u, file.Seek(-4, CFile::end));
    char buf[16] = {};
    EXPECT_EQ(4u, file.Read(buf, sizeof(buf)));
    EXPECT_EQ(0, memcmp(buf, "cdef", 4));
    EXPECT_EQ(0u, file.Read(buf, sizeof(buf)));

    // Overwrite in the middle keeps the length.
    file.Seek(1, CFile::begin);
    file.Write("XY", 2);
    EXPECT_EQ(6u, file.GetLength());
    EXPECT_EQ(0, memcmp(file.GetBufferPtr(), "aXYdef", 6));

    // A write behind the end leaves zeros in the gap.
    EXPECT_EQ(3u, file.GetPosition());
    EXPECT_EQ(9u, file.Seek(3, CFile::end));
    file.Write("Z", 1);
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_EQ(0, memcmp(file.GetBufferPtr(), "aXYdef\0\0\0Z", 10));

    EXPECT_EQ(CFileException::badSeek, FileCause([&] { file.Seek(-11, CFile::end); }));
    EXPECT_EQ(10u, file.GetPosition());
}

TEST(MemFile, GrowsOverManyWritesAndSetLength)
{
    CMemFile file(16);
    for (int i = 0; i < 5000; ++i)
    {
        BYTE b = (BYTE)(i * 7);
        file.Write(&b, 1);
    }
    ASSERT_EQ(5000u, file.GetLength());
    bool same = true;
    for (int i = 0; i < 5000; ++i)
        same = same && file.GetBufferPtr()[i] == (BYTE)(i * 7);
    EXPECT_TRUE(same);

    file.SetLength(3);
    EXPECT_EQ(3u, file.GetLength());
    EXPECT_EQ(3u, file.GetPosition());
    file.SetLength(6);
    EXPECT_EQ(0, memcmp(file.GetBufferPtr(), "\x00\x07\x0E\0\0\0", 6));

    file.Close();
    EXPECT_EQ(0u, file.GetLength());
    EXPECT_EQ(0u, file.GetPosition());
}

TEST(MemFile, StartsAsACopyOfBytes)
{
    BYTE source[5] = {1, 2, 3, 4, 5};
    CMemFile file(source, sizeof(source));
    source[0] = 99;
    EXPECT_EQ(5u, file.GetLength());
    EXPECT_EQ(0u, file.GetPosition());
    BYTE buf[8] = {};
    EXPECT_EQ(5u, file.Read(buf, sizeof(buf)));
    EXPECT_EQ(1, buf[0]);
    EXPECT_EQ(5, buf[4]);
    file.SeekToEnd();
    file.Write("\x06", 1);
    EXPECT_EQ(6u, file.GetLength());
    EXPECT_EQ(6, file.GetBufferPtr()[5]);
}
