// Every menu of the program (the designer, or the editor in the editor's
// test program), read from the built module: within one menu each item
// that has an access key has a key of its own, so the key reaches it; and
// every menu path and key the user's guide names for the program is one
// its menus show.  The designer's run also checks the guide's contents and
// index against its pages.
#include <cctype>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/Gtest.h"
#include "tests/app/DesignerProcess.h"

namespace
{
// Items whose texts are fixed with the same key; they keep it.
const std::vector<std::pair<std::string, std::string>> kGivenPairs = {
    { "Change &Row Items", "Cha&rt Analysis..." },
};

std::string ItemText(HMENU hMenu, int nIndex)
{
    char szText[256] = "";
    GetMenuStringA(hMenu, (UINT)nIndex, szText, sizeof(szText), MF_BYPOSITION);
    return szText;
}

// The access key of a menu text, lower-cased; 0 when it has none.
char AccessKey(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i)
    {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&')
        {
            ++i;
            continue;
        }
        return (char)tolower((unsigned char)text[i + 1]);
    }
    return 0;
}

BOOL IsGivenPair(const std::string& first, const std::string& second)
{
    for (const auto& pair : kGivenPairs)
        if ((pair.first == first && pair.second == second) ||
            (pair.first == second && pair.second == first))
            return TRUE;
    return FALSE;
}

// Checks one menu and, below it, its pop-ups; counts the keys seen.
void CheckMenu(HMENU hMenu, const std::string& path, int& nKeys)
{
    std::map<char, std::string> owners;
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i)
    {
        std::string text = ItemText(hMenu, i);
        if (HMENU hSub = GetSubMenu(hMenu, i))
            CheckMenu(hSub, path + " > " + text, nKeys);
        char chKey = AccessKey(text);
        if (chKey == 0)
            continue;
        ++nKeys;
        auto found = owners.find(chKey);
        if (found != owners.end() && !IsGivenPair(found->second, text))
            ADD_FAILURE() << path << ": \"" << found->second << "\" and \"" << text
                          << "\" share the key " << chKey;
        owners.emplace(chKey, text);
    }
}

BOOL CALLBACK CollectMenu(HMODULE, LPCSTR, LPSTR lpszName, LONG_PTR lParam)
{
    reinterpret_cast<std::vector<LPCSTR>*>(lParam)->push_back(lpszName);
    return TRUE;
}

// The names of the program's menu resources.
std::vector<LPCSTR> MenuNames(HMODULE hModule)
{
    std::vector<LPCSTR> names;
    EnumResourceNamesA(hModule, RT_MENU, CollectMenu, reinterpret_cast<LONG_PTR>(&names));
    return names;
}

TEST(MenuAccessKeys, EachItemOfAMenuHasAKeyOfItsOwn)
{
    HMODULE hModule = LoadDesignerResources();
    ASSERT_NE(hModule, nullptr);
    const std::vector<LPCSTR> names = MenuNames(hModule);
    ASSERT_GE(names.size(), 4u) << "the program's menus";
    int nKeys = 0;
    for (LPCSTR lpszName : names)
    {
        HMENU hMenu = LoadMenuA(hModule, lpszName);
        ASSERT_NE(hMenu, nullptr);
        CheckMenu(hMenu, "menu " + std::to_string((UINT)(UINT_PTR)lpszName), nKeys);
        DestroyMenu(hMenu);
    }
    EXPECT_GT(nKeys, 100) << "the walk reached the items";
}

// ------------------------------------------------------- the user's guide

#ifndef PROGRAM_UNDER_TEST
#define PROGRAM_UNDER_TEST "Tallyform"
#endif
const bool kEditor = std::string(PROGRAM_UNDER_TEST) == "Quirepad";

std::string ReadGuideFile(const std::string& name)
{
    std::ifstream in(std::string(HELP_SOURCE_DIR) + "/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// HTML text as read: tags dropped, entities replaced, white space single.
std::string PlainText(const std::string& html)
{
    std::string text = std::regex_replace(html, std::regex("<[^>]*>"), " ");
    text = std::regex_replace(text, std::regex("&gt;"), ">");
    text = std::regex_replace(text, std::regex("&lt;"), "<");
    text = std::regex_replace(text, std::regex("&amp;"), "&");
    text = std::regex_replace(text, std::regex("\\s+"), " ");
    return text;
}

// A menu text as the user reads it: the caption without its access-key
// mark and "...", and the key shown after a tab or, for a function key,
// after a space ("&Run Mode F5").
void SplitMenuText(const std::string& text, std::string& caption, std::string& key)
{
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i)
    {
        // "&x" is the key mark of x, "&&" an ampersand.
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    key.clear();
    std::smatch match;
    if (std::regex_match(plain, match, std::regex("(.*)\t(.*)")) ||
        std::regex_match(plain, match, std::regex("(.*\\S) +(F[0-9]+)")))
    {
        key = match[2].str();
        plain = match[1].str();
    }
    caption = std::regex_replace(plain, std::regex("(\\.\\.\\.)? *$"), "");
}

// The item a path ("File", "Save Data", "to Database") names in one menu
// resource, with the key it shows; FALSE when there is none.
BOOL FindMenuPath(HMENU hMenu, const std::vector<std::string>& path, std::string& key)
{
    for (size_t nLevel = 0; nLevel < path.size() && hMenu != NULL; ++nLevel)
    {
        HMENU hNext = NULL;
        BOOL bFound = FALSE;
        for (int i = 0; i < GetMenuItemCount(hMenu) && !bFound; ++i)
        {
            std::string caption;
            SplitMenuText(ItemText(hMenu, i), caption, key);
            if (caption != path[nLevel])
                continue;
            bFound = TRUE;
            hNext = GetSubMenu(hMenu, i);
        }
        if (!bFound)
            return FALSE;
        if (nLevel + 1 == path.size())
            return TRUE;
        hMenu = hNext;
    }
    return FALSE;
}

// Each menu path of a page ("<b><span class=\"menu\">File &gt; Open</span></b>")
// is a path of the program's menus, and a key given right after it in
// brackets is the one that item shows.
void CheckGuidePage(HMODULE hModule, const std::vector<LPCSTR>& menus, const std::string& page, int& nPaths)
{
    SCOPED_TRACE(page);
    const std::string html = ReadGuideFile(page);
    ASSERT_FALSE(html.empty()) << "the page is read";
    const std::regex menuSpan(
        "<span class=\"menu\">([^<]*)</span>(</b>)?(\\s*\\(<span class=\"key\">([^<]*)</span>\\))?");
    int nKeys = 0;
    for (std::sregex_iterator it(html.begin(), html.end(), menuSpan), end; it != end; ++it)
    {
        const std::string text = PlainText((*it)[1]);
        std::vector<std::string> path;
        std::stringstream parts(std::regex_replace(text, std::regex(" > "), "\n"));
        for (std::string part; std::getline(parts, part);)
            path.push_back(std::regex_replace(part, std::regex("^ +| +$"), ""));
        std::string shownKey;
        BOOL bFound = FALSE;
        for (size_t i = 0; i < menus.size() && !bFound; ++i)
        {
            HMENU hMenu = LoadMenuA(hModule, menus[i]);
            bFound = FindMenuPath(hMenu, path, shownKey);
            DestroyMenu(hMenu);
        }
        ++nPaths;
        EXPECT_TRUE(bFound) << "no menu item \"" << text << "\"";
        if (!(*it)[4].matched)
            continue;
        ++nKeys;
        EXPECT_EQ(shownKey, (*it)[4].str()) << "the key of \"" << text << "\"";
    }
    // A key stands right after its menu path, and every path is marked.
    const std::regex keySpan("class=\"key\"");
    EXPECT_EQ(nKeys, (int)std::distance(std::sregex_iterator(html.begin(), html.end(), keySpan),
                                        std::sregex_iterator()))
        << "a key not after a menu path";
    std::string outside = std::regex_replace(html, std::regex("<span class=\"menu\">[^<]*</span>"), "");
    outside = std::regex_replace(outside, std::regex("\\s+"), " ");
    EXPECT_FALSE(std::regex_search(outside, std::regex("\\w &gt; \\w"))) << "a menu path not marked as one";
}

std::vector<std::string> GuidePages()
{
    std::vector<std::string> pages;
    const std::string project = ReadGuideFile("Tallyform.hhp");
    const size_t nFiles = project.find("[FILES]");
    std::stringstream lines(nFiles == std::string::npos ? "" : project.substr(nFiles));
    for (std::string line; std::getline(lines, line);)
        if (std::regex_match(line, std::regex("[a-z]+\\.html")))
            pages.push_back(line);
    return pages;
}

TEST(UserGuide, NamesTheMenuPathsAndKeysTheMenusShow)
{
    HMODULE hModule = LoadDesignerResources();
    ASSERT_NE(hModule, nullptr);
    const std::vector<LPCSTR> menus = MenuNames(hModule);
    int nPaths = 0;
    for (const std::string& page : GuidePages())
        if ((page == "editor.html") == kEditor)
            CheckGuidePage(hModule, menus, page, nPaths);
    EXPECT_GT(nPaths, kEditor ? 20 : 60) << "the pages' menu paths were read";
}

// The contents name each page by its title, and each index word is found
// on the page it leads to.
TEST(UserGuide, ContentsAndIndexFollowThePages)
{
    if (kEditor)
        GTEST_SKIP() << "the designer's run checks the guide's contents and index";
    const std::vector<std::string> pages = GuidePages();
    ASSERT_GE(pages.size(), 10u) << "the project lists the pages";
    const std::regex entry("<param name=\"Name\" value=\"([^\"]*)\"><param name=\"Local\" value=\"([^\"]*)\">");
    const std::string contents = ReadGuideFile("Tallyform.hhc");
    std::map<std::string, std::string> titles;
    for (std::sregex_iterator it(contents.begin(), contents.end(), entry), end; it != end; ++it)
        titles[(*it)[2]] = (*it)[1];
    for (const std::string& page : pages)
    {
        std::smatch title;
        const std::string html = ReadGuideFile(page);
        ASSERT_TRUE(std::regex_search(html, title, std::regex("<title>([^<]*)</title>"))) << page;
        EXPECT_EQ(titles[page], title[1].str()) << page << " in the contents";
    }
    EXPECT_EQ(titles.size(), pages.size()) << "the contents name only the pages";
    const std::string index = ReadGuideFile("Tallyform.hhk");
    int nWords = 0;
    for (std::sregex_iterator it(index.begin(), index.end(), entry), end; it != end; ++it, ++nWords)
    {
        std::string text = PlainText(ReadGuideFile((*it)[2]));
        std::string word = (*it)[1];
        for (std::string* p : { &text, &word })
            for (char& ch : *p)
                ch = (char)tolower((unsigned char)ch);
        EXPECT_NE(text.find(word), std::string::npos) << "\"" << (*it)[1] << "\" on " << (*it)[2];
    }
    EXPECT_GT(nWords, 15) << "the index was read";
}
} // namespace
