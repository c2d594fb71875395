// The standard headers come first: windows.h defines min and max macros.
#include <string.h>

#include <string>
#include <vector>

#include "tests/support/Gtest.h"

#include "framework/windows/FileDialog.h"

namespace
{

// Puts what the common dialog would leave in the name buffer.
void Fill(CFileDialog& dlg, const std::string& bytes)
{
    ASSERT_LT(bytes.size() + 1, (size_t)dlg.m_ofn.nMaxFile);
    memcpy(dlg.m_ofn.lpstrFile, bytes.data(), bytes.size());
    dlg.m_ofn.lpstrFile[bytes.size()] = '\0';
}

std::vector<std::string> Paths(const CFileDialog& dlg)
{
    std::vector<std::string> paths;
    for (POSITION pos = dlg.GetStartPosition(); pos != NULL;)
        paths.push_back((LPCSTR)dlg.GetNextPathName(pos));
    return paths;
}

} // namespace

TEST(FileDialogNames, FilterBarsBecomeTerminators)
{
    CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY, "Data(*.kvs)|*.kvs|All|*.*||");
    const char* p = dlg.m_ofn.lpstrFilter;
    ASSERT_NE(nullptr, p);
    EXPECT_STREQ("Data(*.kvs)", p);
    p += strlen(p) + 1;
    EXPECT_STREQ("*.kvs", p);
    p += strlen(p) + 1;
    EXPECT_STREQ("All", p);
    p += strlen(p) + 1;
    EXPECT_STREQ("*.*", p);
    p += strlen(p) + 1;
    EXPECT_EQ('\0', *p);
}

TEST(FileDialogNames, SingleChoiceGivesPathNameAndExtension)
{
    CFileDialog dlg(FALSE, NULL, "start.kvt");
    EXPECT_STREQ("start.kvt", dlg.GetPathName());
    Fill(dlg, "C:\\Data\\month.kvs");
    EXPECT_STREQ("C:\\Data\\month.kvs", dlg.GetPathName());
    EXPECT_STREQ("month.kvs", dlg.GetFileName());
    EXPECT_STREQ("kvs", dlg.GetFileExt());
    EXPECT_EQ(std::vector<std::string>{ "C:\\Data\\month.kvs" }, Paths(dlg));
}

TEST(FileDialogNames, MultipleChoiceIsAFolderThenNames)
{
    CFileDialog dlg(TRUE, NULL, NULL, OFN_ALLOWMULTISELECT);
    EXPECT_GE(dlg.m_ofn.nMaxFile, 32u * 1024u);
    EXPECT_EQ(nullptr, dlg.GetStartPosition());
    Fill(dlg, std::string("C:\\Data\0a.kvs\0b.kvs\0", 20));
    EXPECT_EQ((std::vector<std::string>{ "C:\\Data\\a.kvs", "C:\\Data\\b.kvs" }), Paths(dlg));
    // One file of a multiple choice comes as a whole path.
    Fill(dlg, std::string("C:\\Data\\only.kvs\0", 17));
    EXPECT_EQ(std::vector<std::string>{ "C:\\Data\\only.kvs" }, Paths(dlg));
}
