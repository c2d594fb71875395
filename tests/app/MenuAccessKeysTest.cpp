// Every menu of the program (the designer, or the editor in the editor's
// test program), read from the built module: within one menu each item
// that has an access key has a key of its own, so the key reaches it.
#include <cctype>
#include <map>
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

TEST(MenuAccessKeys, EachItemOfAMenuHasAKeyOfItsOwn)
{
    HMODULE hModule = LoadDesignerResources();
    ASSERT_NE(hModule, nullptr);
    std::vector<LPCSTR> names;
    EnumResourceNamesA(hModule, RT_MENU, CollectMenu, reinterpret_cast<LONG_PTR>(&names));
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
} // namespace
