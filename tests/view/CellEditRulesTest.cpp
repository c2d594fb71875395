// The in-place editors' keyboard rules that need no window: the start key
// and the numeric cells' character filter.
#include "tests/support/Gtest.h"

#include <windows.h>

#include "view/CellEditRules.h"

namespace
{

NumericCharAction TypeAtEnd(const char* pszText, char ch)
{
    const int n = lstrlenA(pszText);
    return ClassifyNumericChar(pszText, n, n, (UINT)(unsigned char)ch);
}

NumericCharAction TypeAt(const char* pszText, int nCaret, char ch)
{
    return ClassifyNumericChar(pszText, nCaret, nCaret, (UINT)(unsigned char)ch);
}

} // namespace

TEST(StartKey, ClickAndEnterPutTheCaretAtTheEnd)
{
    EXPECT_EQ(START_CARET_AT_END, PlanStartKey(CELL_START_KEY_CLICK, FALSE));
    EXPECT_EQ(START_CARET_AT_END, PlanStartKey(VK_RETURN, FALSE));
    EXPECT_EQ(START_BACKSPACE, PlanStartKey(VK_BACK, FALSE));
}

TEST(StartKey, NavigationKeysSelectAllAndOthersTypeOverIt)
{
    for (int nKey = VK_SPACE; nKey <= VK_DOWN; ++nKey)
        EXPECT_EQ(START_SELECT_ALL, PlanStartKey(nKey, FALSE)) << nKey;
    EXPECT_EQ(START_SELECT_AND_TYPE, PlanStartKey(0, FALSE));
    EXPECT_EQ(START_SELECT_AND_TYPE, PlanStartKey('7', FALSE));
    EXPECT_EQ(START_SELECT_AND_TYPE, PlanStartKey(VK_DOWN + 1, FALSE));
    // The editable choice list types a space like any character.
    EXPECT_EQ(START_SELECT_AND_TYPE, PlanStartKey(VK_SPACE, TRUE));
    EXPECT_EQ(START_SELECT_ALL, PlanStartKey(VK_PRIOR, TRUE));
}

TEST(NumericFilter, DigitsAndBackspaceAlwaysGoIn)
{
    EXPECT_EQ(NUMCHAR_ACCEPT, TypeAtEnd("", '0'));
    EXPECT_EQ(NUMCHAR_ACCEPT, TypeAtEnd("1.5e", '9'));
    EXPECT_EQ(NUMCHAR_ACCEPT, TypeAtEnd("12", VK_BACK));
}

TEST(NumericFilter, MinusOnlyAtTheStartOrAfterTheExponentMark)
{
    EXPECT_EQ(NUMCHAR_ACCEPT, TypeAtEnd("", '-'));
    EXPECT_EQ(NUMCHAR_ACCEPT, TypeAt("12", 0, '-'));
    EXPECT_EQ(NUMCHAR_REFUSE, TypeAt("-12", 0, '-'));
    EXPECT_EQ(NUMCHAR_REFUSE, TypeAtEnd("12", '-'));
    EXPECT_EQ(NUMCHAR_ACCEPT, TypeAtEnd("1E", '-'));
    EXPECT_EQ(NUMCHAR_ACCEPT, TypeAtEnd("1e", '-'));
    EXPECT_EQ(NUMCHAR_REFUSE, TypeAt("1e5", 1, '-'));
}

TEST(NumericFilter, OneExponentMarkAfterAMantissa)
{
    EXPECT_EQ(NUMCHAR_DROP, TypeAtEnd("-", 'e'));
    EXPECT_EQ(NUMCHAR_REFUSE, TypeAt("12", 0, 'e'));
    EXPECT_EQ(NUMCHAR_DROP, TypeAtEnd("1e5", 'E'));
    EXPECT_EQ(NUMCHAR_DROP, TypeAtEnd("1E5", 'e'));
    EXPECT_EQ(NUMCHAR_ACCEPT, TypeAtEnd("12", 'e'));
    EXPECT_EQ(NUMCHAR_ACCEPT, TypeAtEnd("-1", 'E'));
}

TEST(NumericFilter, OnePointAndNoneInTheExponent)
{
    EXPECT_EQ(NUMCHAR_ACCEPT, TypeAtEnd("12", '.'));
    EXPECT_EQ(NUMCHAR_DROP, TypeAtEnd("1.2", '.'));
    EXPECT_EQ(NUMCHAR_DROP, TypeAtEnd("1e2", '.'));
    // A point before the exponent mark is still a mantissa point.
    EXPECT_EQ(NUMCHAR_ACCEPT, TypeAt("1e2", 1, '.'));
}

TEST(NumericFilter, OtherCharactersAreRefused)
{
    EXPECT_EQ(NUMCHAR_REFUSE, TypeAtEnd("1", 'x'));
    EXPECT_EQ(NUMCHAR_REFUSE, TypeAtEnd("1", '+'));
    EXPECT_EQ(NUMCHAR_REFUSE, TypeAtEnd("1", ' '));
    EXPECT_EQ(NUMCHAR_REFUSE, TypeAtEnd("1", ','));
}

TEST(NumericFilter, TypingOverASelectionJudgesTheTextWithoutIt)
{
    // All of "1.5" selected: the point starts a new number.
    EXPECT_EQ(NUMCHAR_ACCEPT, ClassifyNumericChar("1.5", 0, 3, '.'));
    // All of "-3" selected: the minus sign starts a new number.
    EXPECT_EQ(NUMCHAR_ACCEPT, ClassifyNumericChar("-3", 0, 2, '-'));
    // The selection replaces the exponent: a second mark is fine then.
    EXPECT_EQ(NUMCHAR_ACCEPT, ClassifyNumericChar("2e5", 1, 3, 'e'));
    // A selection given backwards counts the same.
    EXPECT_EQ(NUMCHAR_ACCEPT, ClassifyNumericChar("1.5", 3, 0, '.'));
    // Only part of the text selected: the point outside it still counts.
    EXPECT_EQ(NUMCHAR_DROP, ClassifyNumericChar("1.5", 2, 3, '.'));
}

TEST(NumericFilter, ReplaceSelectionClampsItsBounds)
{
    EXPECT_STREQ("1x5", (LPCSTR)ReplaceSelection("1.5", 1, 2, "x"));
    EXPECT_STREQ("ab", (LPCSTR)ReplaceSelection("12", 0, 99, "ab"));
    EXPECT_STREQ("12ab", (LPCSTR)ReplaceSelection("12", 5, 7, "ab"));
    EXPECT_STREQ("ab2", (LPCSTR)ReplaceSelection("12", -3, 1, "ab"));
}
