#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/framework/docview/TestDocuments.h"

#include "framework/core/Archive.h"
#include "framework/docview/OleStreamFile.h"
#include "framework/docview/ScopedInterface.h"

namespace
{
// The bytes of the "Contents" stream of a compound file.
std::string ReadContentsStream(const CString& strPath)
{
    CScopedInterface<IStorage> storage;
    storage.Attach(COleDocument::OpenStorageFile(strPath));
    COleStreamFile stream;
    if (!stream.OpenStream(storage, "Contents", STGM_READ | STGM_SHARE_EXCLUSIVE))
        return std::string();
    std::string bytes((size_t)stream.GetLength(), '\0');
    UINT nRead = stream.Read(&bytes[0], (UINT)bytes.size());
    bytes.resize(nRead);
    return bytes;
}
}

TEST(CompoundFile, RoundTripThroughTheContentsStream)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CString strPath = folder.PathOf("note.nte");
    SaveNoteFile(strPath, TRUE, "first line", 1234567);

    EXPECT_TRUE(COleDocument::IsStorageFile(strPath));
    // The stream holds exactly the archive: length-prefixed text, then the int.
    std::string expected = std::string("\x0a", 1) + "first line" + std::string("\x87\xd6\x12\x00", 4);
    EXPECT_EQ(expected, ReadContentsStream(strPath));

    CNoteDoc loaded;
    loaded.EnableCompoundFile();
    loaded.m_strText = "old";
    ASSERT_TRUE(loaded.OnOpenDocument(strPath));
    EXPECT_STREQ("first line", (LPCSTR)loaded.m_strText);
    EXPECT_EQ(1234567, loaded.m_nNumber);
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_TRUE(recorder.Messages().empty());
    // Only the saved file is left: no temporary file stays behind.
    EXPECT_EQ(1u, folder.FileNames().size());
}

TEST(CompoundFile, SavingAgainReplacesTheFile)
{
    CScratchFolder folder;
    CString strPath = folder.PathOf("note.nte");
    SaveNoteFile(strPath, TRUE, "a much longer first version of the text", 1);
    SaveNoteFile(strPath, TRUE, "short", 2);
    CNoteDoc loaded;
    loaded.EnableCompoundFile();
    ASSERT_TRUE(loaded.OnOpenDocument(strPath));
    EXPECT_STREQ("short", (LPCSTR)loaded.m_strText);
    EXPECT_EQ(2, loaded.m_nNumber);
    EXPECT_EQ(1u, folder.FileNames().size());
}

TEST(CompoundFile, PlainFileIsReadAsTheContentsAndLeftUnchanged)
{
    CScratchFolder folder;
    CString strPath = folder.PathOf("plain.nte");
    std::string bytes = std::string("\x03", 1) + "abc" + std::string("\x05\x00\x00\x00", 4);
    WriteWholeFile(strPath, bytes);

    CNoteDoc loaded;
    loaded.EnableCompoundFile();
    ASSERT_TRUE(loaded.OnOpenDocument(strPath));
    EXPECT_STREQ("abc", (LPCSTR)loaded.m_strText);
    EXPECT_EQ(5, loaded.m_nNumber);
    EXPECT_EQ(bytes, ReadWholeFile(strPath));
}

TEST(CompoundFile, DamagedFilesFailToOpenWithAMessage)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CString strPath = folder.PathOf("note.nte");
    SaveNoteFile(strPath, TRUE, "some text", 7);
    std::string whole = ReadWholeFile(strPath);
    ASSERT_GT(whole.size(), 512u);

    struct Case { const char* what; std::string bytes; };
    std::vector<Case> cases = {
        {"header only", whole.substr(0, 512)},
        {"cut in half", whole.substr(0, whole.size() / 2)},
        {"empty file", std::string()},
        {"archive cut inside the number", std::string("\x03", 1) + "abc" + std::string("\x05\x00", 2)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        recorder.Clear();
        CString strDamaged = folder.PathOf("damaged.nte");
        WriteWholeFile(strDamaged, c.bytes);
        CNoteDoc doc;
        doc.EnableCompoundFile();
        EXPECT_FALSE(doc.OnOpenDocument(strDamaged));
        EXPECT_EQ(1u, recorder.Messages().size());
        // A failed open leaves no half-loaded data behind.
        EXPECT_TRUE(doc.m_strText.IsEmpty());
    }
}

TEST(CompoundFile, StorageWithoutContentsStreamFailsToOpen)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CString strPath = folder.PathOf("other.nte");
    {
        CScopedInterface<IStorage> storage;
        ASSERT_EQ(S_OK, StgCreateDocfile(CWidePath(strPath),
                                         STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                         &storage));
    }
    CNoteDoc doc;
    doc.EnableCompoundFile();
    EXPECT_FALSE(doc.OnOpenDocument(strPath));
    EXPECT_EQ(1u, recorder.Messages().size());
}

TEST(SafeSave, SaveThatFailsMidwayLeavesTheOldFile)
{
    for (BOOL bCompound : {TRUE, FALSE})
    {
        SCOPED_TRACE(bCompound ? "compound file" : "plain file");
        MessageBoxRecorder recorder;
        CScratchFolder folder;
        CString strPath = folder.PathOf("note.nte");
        SaveNoteFile(strPath, bCompound, "the good version", 42);
        std::string before = ReadWholeFile(strPath);

        CNoteDoc doc;
        doc.EnableCompoundFile(bCompound);
        doc.m_strText = "the new version that never gets finished";
        doc.m_bFailMidway = TRUE;
        doc.SetModifiedFlag(TRUE);
        EXPECT_FALSE(doc.OnSaveDocument(strPath));
        EXPECT_EQ(1u, recorder.Messages().size());
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(before, ReadWholeFile(strPath));
        EXPECT_EQ(std::vector<std::string>{"note.nte"}, folder.FileNames());
    }
}

TEST(SafeSave, FailedFirstSaveCreatesNoFile)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CNoteDoc doc;
    doc.EnableCompoundFile();
    doc.m_bFailMidway = TRUE;
    EXPECT_FALSE(doc.DoSave(folder.PathOf("new.nte")));
    EXPECT_TRUE(folder.FileNames().empty());
    EXPECT_TRUE(doc.GetPathName().IsEmpty());
}

TEST(SafeSave, MissingFileOrFolderIsReported)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CNoteDoc doc;
    doc.EnableCompoundFile();
    EXPECT_FALSE(doc.OnOpenDocument(folder.PathOf("absent.nte")));
    EXPECT_EQ(1u, recorder.Messages().size());
    EXPECT_FALSE(doc.OnSaveDocument(folder.PathOf("no such folder\\note.nte")));
    EXPECT_EQ(2u, recorder.Messages().size());
    EXPECT_TRUE(folder.FileNames().empty());
}

TEST(SafeSave, PlainFormRoundTrip)
{
    CScratchFolder folder;
    CString strPath = folder.PathOf("plain.nte");
    SaveNoteFile(strPath, FALSE, "plain", -5);
    EXPECT_FALSE(COleDocument::IsStorageFile(strPath));
    EXPECT_EQ(std::string("\x05", 1) + "plain" + std::string("\xfb\xff\xff\xff", 4),
              ReadWholeFile(strPath));
    CNoteDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(strPath));
    EXPECT_STREQ("plain", (LPCSTR)loaded.m_strText);
    EXPECT_EQ(-5, loaded.m_nNumber);
}
