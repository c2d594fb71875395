// The standard headers come first: windows.h defines min and max macros.
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SmallDisk.h"
#include "tests/sheet/SheetTestGrid.h"
#include "tests/sheet/TemplateFileFixtures.h"
#include "tests/sheet/document/TestTallyformDoc.h"

#include "sheet/DataFile.h"
#include "sheet/document/SumFilesDlg.h"

using namespace filetest;

namespace
{

std::string ToString(const Bytes& b)
{
    return std::string(b.begin(), b.end());
}

// A small template: a grid with a dynamic text cell and numeric cells.
void MakeFormSheet(CSheet& sheet)
{
    sheettest::MakeGrid(sheet, 2, 3);
    strcpy(sheet.m_szCode, "FORM0001");
    strcpy(sheet.m_szTitle, "Form");
    sheet.m_cells[1].m_bDynamic = 1;
    sheet.m_cells[1].m_strValue = "typed";
    for (int i : { 3, 4, 5 })
    {
        sheet.m_cells[i].SetType(CELL_NUMERIC);
        sheet.m_cells[i].m_strValue = "";
    }
    sheet.m_cells[4].m_strValue = "1.5";
    sheet.m_cells[2].SetType(CELL_ORGANCODE);
    sheet.m_cells[0].SetType(CELL_REPORTDATE);
}

struct DocState
{
    sheettest::SheetSnap snap;
    Bytes stored;
    BOOL bModified;
};

DocState Capture(CTallyformDoc& doc)
{
    DocState s;
    s.snap = sheettest::Snapshot(doc.m_sheet);
    s.stored = StoreTemplate(doc.m_sheet);
    s.bModified = doc.IsModified();
    return s;
}

void ExpectUnchanged(const DocState& before, CTallyformDoc& doc)
{
    DocState after = Capture(doc);
    sheettest::ExpectSameSheet(before.snap, after.snap);
    EXPECT_EQ(before.stored, after.stored);
    EXPECT_EQ(before.bModified, after.bModified);
}

Bytes DataBytes(const CSheet& sheet, WORD wKind, const char* pszOrg = "ORG1")
{
    CDataFile data(wKind);
    data.CollectFromSheet(sheet);
    data.SetReportInformation(pszOrg, "Org one", 1, "2026000000000");
    CMemFile file;
    data.Write(file);
    return Bytes(file.GetBufferPtr(), file.GetBufferPtr() + file.GetLength());
}

} // namespace

// ---------------------------------------------------------- template files

TEST(DocTemplateFile, SaveAndOpenRoundTripThroughACompoundFile)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CString strPath = folder.PathOf("rich.kvm");
    CTestTallyformDoc doc;
    MakeRichSheet(doc.m_sheet, 2);
    ASSERT_TRUE(doc.DoSave(strPath, TRUE));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_STREQ(strPath, doc.GetPathName());
    EXPECT_TRUE(COleDocument::IsStorageFile(strPath));

    CTestTallyformDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(strPath));
    ExpectSameTemplate(doc.m_sheet, opened.m_sheet);

    CTestTallyformDoc copy;
    ASSERT_TRUE(copy.LoadTemplateFile(strPath));
    EXPECT_TRUE(copy.IsModified());
    EXPECT_TRUE(copy.GetPathName().IsEmpty());
    ExpectSameTemplate(doc.m_sheet, copy.m_sheet);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST(DocTemplateFile, DamagedFilesGiveTheMessageAndLeaveTheOpenTemplate)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CSheet source;
    AddCell(source, "A1", CELL_TEXT, 0, 0);
    source.m_cells[0].m_strValue = "Label";
    AddCell(source, "B1", CELL_NUMERIC, 80, 0);
    source.m_nKind = 2;                          // every byte matters
    Bytes full = StoreTemplate(source);
    CString strPath = folder.PathOf("damaged.kvm");

    CTestTallyformDoc doc;
    MakeFormSheet(doc.m_sheet);
    doc.SetModifiedFlag(FALSE);
    DocState before = Capture(doc);
    for (size_t n = 0; n < full.size(); n += (n < 120 ? 1 : 3))
    {
        SCOPED_TRACE(n);
        WriteWholeFile(strPath, ToString(Bytes(full.begin(), full.begin() + n)));
        recorder.Clear();
        EXPECT_FALSE(doc.LoadTemplateFile(strPath));
        ASSERT_EQ(1u, recorder.Messages().size());
        EXPECT_EQ("Read Template File Error", recorder.LastText());
        ExpectUnchanged(before, doc);
    }
    // A flipped title length.
    Bytes flipped = full;
    flipped[12] = 0xFF;
    WriteWholeFile(strPath, ToString(flipped));
    recorder.Clear();
    EXPECT_FALSE(doc.LoadTemplateFile(strPath));
    EXPECT_EQ("Read Template File Error", recorder.LastText());
    ExpectUnchanged(before, doc);
    // The whole stream as a plain file loads.
    WriteWholeFile(strPath, ToString(full));
    EXPECT_TRUE(doc.LoadTemplateFile(strPath));
    EXPECT_EQ(2, doc.m_sheet.m_cells.GetSize());
}

// ------------------------------------------------------------------ saving

TEST(DocSave, ProposedNameAskedAgainForBadNamesAndOverwriteAsked)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CString strFolder = folder.GetPath() + "\\";
    CTestTallyformDoc doc;
    MakeFormSheet(doc.m_sheet);
    doc.SetTitle("Monthly report.kvm");
    doc.m_saveAnswers.push_back({ TRUE, strFolder, "" });
    doc.m_saveAnswers.push_back({ TRUE, strFolder, "bad:name" });
    doc.m_saveAnswers.push_back({ TRUE, strFolder, "Monthly" });
    ASSERT_TRUE(doc.DoSave(NULL, TRUE));
    ASSERT_EQ(3u, doc.m_proposedNames.size());
    EXPECT_EQ("Monthly", doc.m_proposedNames[0]);
    EXPECT_EQ(2u, recorder.Messages().size()) << "one message per refused name";
    CString strPath = strFolder + "Monthly.kvm";
    EXPECT_STREQ(strPath, doc.GetPathName());
    std::string saved = ReadWholeFile(strPath);
    ASSERT_FALSE(saved.empty());

    // Saving again over it: No leaves the file, Yes replaces it.
    doc.m_sheet.m_cells[0].m_strName = "Z9";
    recorder.Clear();
    recorder.QueueAnswer(IDNO);
    doc.m_saveAnswers.push_back({ TRUE, strFolder, "Monthly" });
    EXPECT_FALSE(doc.DoSave(NULL, TRUE));
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ(std::string((LPCSTR)strPath) + " already exsisted\xA3\xAC" "Overwrite?",
              recorder.LastText());
    EXPECT_EQ(saved, ReadWholeFile(strPath));
    recorder.QueueAnswer(IDYES);
    doc.m_saveAnswers.push_back({ TRUE, strFolder, "Monthly" });
    EXPECT_TRUE(doc.DoSave(NULL, TRUE));
    EXPECT_NE(saved, ReadWholeFile(strPath));
    // Cancel ends with FALSE; a title with a space proposes what is before it.
    doc.SetTitle("Two words");
    doc.m_saveAnswers.push_back({ FALSE, "", "" });
    EXPECT_FALSE(doc.DoSave(NULL, TRUE));
    EXPECT_EQ("Two", doc.m_proposedNames.back());
    // Only the template and nothing half-written is left in the folder.
    EXPECT_EQ(std::vector<std::string>{ "Monthly.kvm" }, folder.FileNames());
}

TEST(DocSave, FailedSaveLeavesTheOldFile)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CString strPath = folder.PathOf("kept.kvm");
    CTestTallyformDoc doc;
    MakeFormSheet(doc.m_sheet);
    ASSERT_TRUE(doc.DoSave(strPath, TRUE));
    std::string saved = ReadWholeFile(strPath);
    // A folder that does not exist cannot take the file.
    CString strMissing = folder.PathOf("no such folder\\x.kvm");
    EXPECT_FALSE(doc.DoSave(strMissing, TRUE));
    EXPECT_FALSE(recorder.Messages().empty());
    EXPECT_STREQ(strPath, doc.GetPathName());
    EXPECT_EQ(saved, ReadWholeFile(strPath));
}

// ------------------------------------------------------------- file faults

namespace
{
// The one message of a failed save or open: it names the file and says why.
void ExpectFaultMessage(const MessageBoxRecorder& recorder, LPCSTR lpszFirstLine, LPCSTR lpszCause)
{
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ(std::string(lpszFirstLine) + "\n" + lpszCause, recorder.LastText());
}

std::string SaveFailure(LPCSTR lpszPath)
{
    return std::string("Failed to save document ") + lpszPath + ".";
}
} // namespace

TEST(DocFileFaults, AFullDiskIsToldByNameAndTheOldTemplateStaysWithNothingLeftBeside)
{
    CSmallDisk disk(256);
    if (!disk.IsMounted())
        GTEST_SKIP() << "mounting a small file system needs root";
    MessageBoxRecorder recorder;
    CString strPath = disk.PathOf("Monthly.kvm");
    CTestTallyformDoc doc;
    MakeFormSheet(doc.m_sheet);
    ASSERT_TRUE(doc.DoSave(strPath, TRUE));
    std::string saved = ReadWholeFile(strPath);
    // A template many times the disk's size.
    sheettest::MakeGrid(doc.m_sheet, 120, 120);
    EXPECT_FALSE(doc.DoSave(strPath, TRUE));
    ExpectFaultMessage(recorder, SaveFailure(strPath).c_str(),
                       "The disk is full. Make room on it, or save the file on another disk.");
    EXPECT_EQ(saved, ReadWholeFile(strPath));
    // A data file on the disk filled up: named, and why.
    HANDLE hFiller = CreateFileA(disk.PathOf("filler"), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFiller);
    const std::string chunk(4096, 'x');
    DWORD dwWritten = 0;
    while (WriteFile(hFiller, chunk.data(), (DWORD)chunk.size(), &dwWritten, NULL) && dwWritten == chunk.size())
        continue;
    CloseHandle(hFiller);
    CString strData = disk.PathOf("Monthly.kvt");
    EXPECT_FALSE(doc.SaveDataFile(strData, DATAFILE_TEMPORARY));
    EXPECT_EQ("Create File " + std::string((LPCSTR)strData) +
              " Error\nThe disk is full. Make room on it, or save the file on another disk.", recorder.LastText());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strData));
    CString strFolder = strPath.Left(strPath.ReverseFind('\\'));
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA(strFolder + "\\*.tmp", &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFind) << "left beside it: " << found.cFileName;
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
}

TEST(DocFileFaults, AFolderThatCannotBeWrittenIsToldByName)
{
    CSmallDisk disk(1024);
    if (!disk.IsMounted())
        GTEST_SKIP() << "mounting a small file system needs root";
    CTestTallyformDoc doc;
    MakeFormSheet(doc.m_sheet);
    CString strOld = disk.PathOf("Old.kvm");
    ASSERT_TRUE(doc.DoSave(strOld, TRUE));
    std::string saved = ReadWholeFile(strOld);
    ASSERT_TRUE(disk.MakeReadOnly());
    MessageBoxRecorder recorder;
    for (CString strPath : {disk.PathOf("New.kvm"), strOld})
    {
        SCOPED_TRACE((LPCSTR)strPath);
        recorder.Clear();
        EXPECT_FALSE(doc.DoSave(strPath, TRUE));
        ExpectFaultMessage(recorder, SaveFailure(strPath).c_str(),
                           "You have no permission to write the file in its folder. Save it in another folder.");
    }
    CString strData = disk.PathOf("New.kvt");
    EXPECT_FALSE(doc.SaveDataFile(strData, DATAFILE_TEMPORARY));
    EXPECT_EQ("Create File " + std::string((LPCSTR)strData) +
              " Error\nYou have no permission to write the file in its folder. Save it in another folder.",
              recorder.LastText());
    EXPECT_EQ(saved, ReadWholeFile(strOld));
}

TEST(DocFileFaults, AReadOnlyTemplateIsNeitherReplacedNorMadeWritable)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CString strFolder = folder.GetPath() + "\\";
    CString strPath = strFolder + "Monthly.kvm";
    CTestTallyformDoc doc;
    MakeFormSheet(doc.m_sheet);
    ASSERT_TRUE(doc.DoSave(strPath, TRUE));
    std::string saved = ReadWholeFile(strPath);
    ASSERT_TRUE(SetFileAttributesA(strPath, FILE_ATTRIBUTE_READONLY));
    doc.m_sheet.m_cells[0].m_strName = "Z9";

    // Save As onto it: told, and asked for another name.
    doc.m_saveAnswers.push_back({TRUE, strFolder, "Monthly"});
    doc.m_saveAnswers.push_back({FALSE, "", ""});
    EXPECT_FALSE(doc.DoSave(NULL, TRUE));
    EXPECT_EQ(2u, doc.m_proposedNames.size());
    EXPECT_EQ(std::vector<std::string>{std::string((LPCSTR)strPath) +
                                       " is read-only and stays as it is.\nSave the template under another name."},
              std::vector<std::string>{recorder.LastText()});
    // Save onto its own path.
    recorder.Clear();
    EXPECT_FALSE(doc.DoSave(strPath, TRUE));
    ExpectFaultMessage(recorder, SaveFailure(strPath).c_str(),
                       "The file is read-only and was left as it is. Save under another name.");
    EXPECT_EQ(saved, ReadWholeFile(strPath));
    EXPECT_NE(0u, GetFileAttributesA(strPath) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
}

TEST(DocFileFaults, ACompoundFileCutShortIsCalledNoTemplateOrDamaged)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    std::string whole;
    {
        CTestTallyformDoc doc;
        MakeRichSheet(doc.m_sheet, 0);
        ASSERT_TRUE(doc.DoSave(folder.PathOf("whole.kvm"), TRUE));
        whole = ReadWholeFile(folder.PathOf("whole.kvm"));
    }
    ASSERT_GT(whole.size(), 2048u);
    for (size_t nCut : {0, 100, 512, 1000, 1536})
    {
        SCOPED_TRACE(nCut);
        CString strPath = folder.PathOf(("cut-" + std::to_string(nCut) + ".kvm").c_str());
        WriteWholeFile(strPath, whole.substr(0, nCut));
        recorder.Clear();
        CTestTallyformDoc opened;
        EXPECT_FALSE(opened.OnOpenDocument(strPath));
        if (recorder.Messages().size() == 1 && recorder.LastText() == "Read Template File Error")
            continue;
        ExpectFaultMessage(recorder, (std::string("Failed to open document ") + (LPCSTR)strPath + ".").c_str(),
                           "It is not a template, or it is damaged.");
    }
}

// -------------------------------------------------------------- data files

TEST(DocDataFile, SaveBothKindsAndLoadBack)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CTestTallyformDoc doc;
    MakeFormSheet(doc.m_sheet);
    doc.m_sheet.m_cells[2].m_strValue = "OC7";

    // A temporary file under another typed extension gets .kvt behind it.
    doc.m_strFilePath = folder.PathOf("data.txt");
    doc.m_nFilter = DATAFILTER_SAVE_TEMPORARY;
    doc.OnSaveDataToFile();
    EXPECT_TRUE(doc.m_reportShown.empty());
    EXPECT_FALSE(ReadWholeFile(folder.PathOf("data.txt.kvt")).empty());

    doc.m_strFilePath = folder.PathOf("shared.KVS");
    doc.m_nFilter = DATAFILTER_SAVE_SHARED;
    doc.m_reportAnswer.strOrgCode = "ORG5";
    doc.m_reportAnswer.strOrgName = "Fifth";
    // A period of the template's type (a year).
    doc.m_reportAnswer.strPeriod = "2026000000000";
    doc.OnSaveDataToFile();
    ASSERT_EQ(1u, doc.m_reportShown.size());
    EXPECT_STREQ("OC7", doc.m_reportShown[0].strOrgCode);
    ASSERT_FALSE(ReadWholeFile(folder.PathOf("shared.KVS")).empty());
    EXPECT_TRUE(recorder.Messages().empty());

    CTestTallyformDoc target;
    MakeFormSheet(target.m_sheet);
    target.m_sheet.m_cells[4].m_strValue = "99";
    target.m_sheet.m_cells[1].m_strValue = "";
    target.m_strFilePath = folder.PathOf("shared.KVS");
    target.m_nFilter = DATAFILTER_OPEN_SHARED;
    target.OnLoadDataFromFile();
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_STREQ("1.5", target.m_sheet.m_cells[4].m_strValue);
    EXPECT_STREQ("typed", target.m_sheet.m_cells[1].m_strValue);
    EXPECT_STREQ("ORG5", target.m_sheet.m_cells[2].m_strValue);
    EXPECT_STREQ("2026000000000", target.m_sheet.m_cells[0].m_szDateCode);
    EXPECT_STREQ("ORG5", target.m_sheet.m_cells[4].m_szOrgCode);
}

TEST(DocDataFile, CancelAndWriteFailuresLeaveTheExistingFile)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CString strPath = folder.PathOf("old.kvs");
    WriteWholeFile(strPath, "old contents");
    CTestTallyformDoc doc;
    MakeFormSheet(doc.m_sheet);
    doc.m_strFilePath = strPath;
    doc.m_nFilter = DATAFILTER_SAVE_SHARED;
    doc.m_bReportOk = FALSE;
    doc.OnSaveDataToFile();
    EXPECT_EQ("old contents", ReadWholeFile(strPath));
    EXPECT_TRUE(recorder.Messages().empty());

    CString strBad = folder.PathOf("missing\\x.kvt");
    EXPECT_FALSE(doc.SaveDataFile(strBad, DATAFILE_TEMPORARY));
    EXPECT_EQ("Create File " + std::string((LPCSTR)strBad) + " Error\nIts folder does not exist.", recorder.LastText());
    EXPECT_EQ(std::vector<std::string>{ "old.kvs" }, folder.FileNames());

    CTestTallyformDoc empty;
    recorder.Clear();
    empty.OnSaveDataToFile();
    EXPECT_EQ("The template have not cell,cannot save!", recorder.LastText());
}

TEST(DocDataFile, WrongFilesAreRefusedBeforeAnythingIsCleared)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CSheet source;
    MakeFormSheet(source);
    CSheet other;
    MakeFormSheet(other);
    strcpy(other.m_szCode, "OTHER");
    Bytes shared = DataBytes(source, DATAFILE_SHARED);
    Bytes temporary = DataBytes(source, DATAFILE_TEMPORARY);
    Bytes foreign = DataBytes(other, DATAFILE_SHARED);

    CTestTallyformDoc doc;
    MakeFormSheet(doc.m_sheet);
    doc.m_sheet.m_cells[4].m_strValue = "typed in";
    DocState before = Capture(doc);
    CString strPath = folder.PathOf("in.kvs");

    // Each is refused with its message (a question answered No) and the
    // typed-in data stays.
    auto expectRefused = [&](const Bytes& bytes, WORD wKind, const char* pszMessage) {
        SCOPED_TRACE(pszMessage);
        WriteWholeFile(strPath, ToString(bytes));
        if (strstr(pszMessage, "Continue?") != NULL)
            recorder.QueueAnswer(IDNO);
        EXPECT_FALSE(doc.LoadDataFile(strPath, wKind));
        EXPECT_EQ(pszMessage, recorder.LastText());
        ExpectUnchanged(before, doc);
    };
    expectRefused(foreign, DATAFILE_SHARED, "The data of selected file is not for this template!");
    expectRefused(temporary, DATAFILE_SHARED,
                  "The file is not shared data file but temporary data file,Continue?");
    expectRefused(shared, DATAFILE_TEMPORARY,
                  "The file is not temporary data file but shared data file,Continue?");
    recorder.Clear();

    // Every truncation and a flipped title length: the format message.
    for (size_t n = 0; n < shared.size(); ++n)
    {
        SCOPED_TRACE(n);
        WriteWholeFile(strPath, ToString(Bytes(shared.begin(), shared.begin() + n)));
        recorder.Clear();
        EXPECT_FALSE(doc.LoadDataFile(strPath, DATAFILE_SHARED));
        ASSERT_EQ(1u, recorder.Messages().size());
        EXPECT_EQ("Invalid data file format.", recorder.LastText());
        ExpectUnchanged(before, doc);
    }
    recorder.Clear();
    EXPECT_FALSE(doc.LoadDataFile(folder.PathOf("absent.kvs"), DATAFILE_SHARED));
    EXPECT_EQ("Failed open data file " + std::string((LPCSTR)folder.PathOf("absent.kvs")) + ".",
              recorder.LastText());
    ExpectUnchanged(before, doc);

    // Yes to the other kind loads it.
    WriteWholeFile(strPath, ToString(temporary));
    recorder.QueueAnswer(IDYES);
    EXPECT_TRUE(doc.LoadDataFile(strPath, DATAFILE_SHARED));
    EXPECT_STREQ("1.5", doc.m_sheet.m_cells[4].m_strValue);
}

// ------------------------------------------------------------------- sums

TEST(DocSumFiles, ThreeFilesSummedAndAFailingOneSkipped)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CTestTallyformDoc doc;
    MakeFormSheet(doc.m_sheet);
    const char* values[3][2] = { { "1.5", "2" }, { "2.25", "x" }, { "1.5", "" } };
    for (int f = 0; f < 3; ++f)
    {
        CSheet one;
        MakeFormSheet(one);
        one.m_cells[4].m_strValue = values[f][0];
        one.m_cells[5].m_strValue = values[f][1];
        if (f == 2)
            one.m_cells[3].m_nValueType = 2;     // A2 is not saved: missing
        CString strPath;
        strPath.Format("%s\\f%d.kvs", (LPCSTR)folder.GetPath(), f);
        WriteWholeFile(strPath, ToString(DataBytes(one, DATAFILE_SHARED)));
        doc.m_sumPaths.push_back(strPath);
    }
    doc.m_sheet.m_cells[3].m_strValue = "4";
    doc.m_sumPaths.insert(doc.m_sumPaths.begin() + 1, folder.PathOf("gone.kvs"));
    doc.SetModifiedFlag(FALSE);
    doc.OnSumDataFromFiles();
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ("Failed to open data file " + std::string((LPCSTR)folder.PathOf("gone.kvs"))
                  + ",ignore.",
              recorder.LastText());
    EXPECT_STREQ("5.2500", doc.m_sheet.m_cells[4].m_strValue);
    EXPECT_STREQ("2.0000", doc.m_sheet.m_cells[5].m_strValue);
    EXPECT_TRUE(doc.m_sheet.m_cells[3].m_strValue.IsEmpty());
    EXPECT_TRUE(doc.m_sheet.m_cells[1].m_strValue.IsEmpty());
    EXPECT_FALSE(doc.IsModified());

    // Cancel changes nothing.
    DocState before = Capture(doc);
    doc.m_bSumOk = FALSE;
    doc.OnSumDataFromFiles();
    ExpectUnchanged(before, doc);
}

TEST(DocSumFiles, FilesAreCheckedWhenAdded)
{
    MessageBoxRecorder recorder;
    CScratchFolder folder;
    CTestTallyformDoc doc;
    MakeFormSheet(doc.m_sheet);
    CSheet renamed;
    MakeFormSheet(renamed);
    strcpy(renamed.m_szTitle, "Old title");
    CSheet other;
    MakeFormSheet(other);
    strcpy(other.m_szCode, "OTHER");
    CString strGood = folder.PathOf("good.kvs");
    CString strTemp = folder.PathOf("temp.kvt");
    CString strOther = folder.PathOf("other.kvs");
    CString strRenamed = folder.PathOf("renamed.kvs");
    WriteWholeFile(strGood, ToString(DataBytes(doc.m_sheet, DATAFILE_SHARED)));
    WriteWholeFile(strTemp, ToString(DataBytes(doc.m_sheet, DATAFILE_TEMPORARY)));
    WriteWholeFile(strOther, ToString(DataBytes(other, DATAFILE_SHARED)));
    WriteWholeFile(strRenamed, ToString(DataBytes(renamed, DATAFILE_SHARED)));

    CSumFilesDlg dlg(&doc, "Sum Data from Files");
    EXPECT_TRUE(dlg.AddFile(strGood));
    EXPECT_TRUE(recorder.Messages().empty());
    CString strLower = strGood;
    strLower.MakeLower();
    EXPECT_FALSE(dlg.AddFile(strLower));
    EXPECT_EQ(std::string((LPCSTR)strLower) + " already in file list.", recorder.LastText());
    EXPECT_FALSE(dlg.AddFile(strTemp));
    EXPECT_EQ(std::string((LPCSTR)strTemp) + " is not a Shared Data File.", recorder.LastText());
    EXPECT_FALSE(dlg.AddFile(strOther));
    EXPECT_EQ("The data in file " + std::string((LPCSTR)strOther) + " is not for this template.",
              recorder.LastText());
    EXPECT_FALSE(dlg.AddFile(folder.PathOf("absent.kvs")));
    EXPECT_EQ("Cannot open file " + std::string((LPCSTR)folder.PathOf("absent.kvs")),
              recorder.LastText());
    recorder.QueueAnswer(IDNO);
    EXPECT_FALSE(dlg.AddFile(strRenamed));
    EXPECT_EQ("Template name in " + std::string((LPCSTR)strRenamed)
                  + " is not match to current template name\xA3\xAC" "continue?",
              recorder.LastText());
    recorder.QueueAnswer(IDYES);
    EXPECT_TRUE(dlg.AddFile(strRenamed));
    ASSERT_EQ(2, dlg.m_lstFiles.GetCount());
    EXPECT_STREQ(strGood, dlg.m_lstFiles.GetHead());
    EXPECT_STREQ(strRenamed, dlg.m_lstFiles.GetTail());
}
