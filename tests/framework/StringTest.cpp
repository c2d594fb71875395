#include "tests/support/Gtest.h"
#include "framework/core/String.h"

#include <new>
#include <string>
#include <string.h>

namespace {

// String-table entries of StringResources.rc.
const UINT IDS_TEST_SHORT = 9001;
const UINT IDS_TEST_LONG = 9002;
const UINT IDS_TEST_ESCAPES = 9003;
const UINT IDS_TEST_MISSING = 9099;

// The whole counted text, embedded '\0' bytes included.
std::string Bytes(const CString& s)
{
    return std::string(static_cast<LPCTSTR>(s), (size_t)s.GetLength());
}

void FormatThrough(CString& s, LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    s.FormatV(lpszFormat, args);
    va_end(args);
}

}

TEST(String, ConstructionForms)
{
    CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    ASSERT_NE(nullptr, static_cast<LPCTSTR>(empty));
    EXPECT_STREQ("", empty);

    EXPECT_TRUE(CString(static_cast<LPCSTR>(nullptr)).IsEmpty());
    EXPECT_STREQ("abc", CString("abc"));
    EXPECT_STREQ("xxx", CString('x', 3));
    EXPECT_TRUE(CString('x', 0).IsEmpty());
    EXPECT_TRUE(CString('x', -2).IsEmpty());
    EXPECT_TRUE(CString("abc", 0).IsEmpty());
    EXPECT_TRUE(CString("abc", -1).IsEmpty());
    EXPECT_STREQ("ab", CString("abc", 2));

    CString bin("a\0b\0", 4);
    EXPECT_EQ(4, bin.GetLength());
    EXPECT_EQ(std::string("a\0b\0", 4), Bytes(bin));
    EXPECT_EQ('\0', bin.GetAt(1));
    EXPECT_EQ('b', bin[2]);
    EXPECT_EQ('\0', bin.GetAt(4));
}

TEST(String, ZeroFilledAndMovedStorageIsValid)
{
    // Arrays zero-fill their storage and relocate elements with memmove.
    alignas(CString) unsigned char raw[sizeof(CString)];
    memset(raw, 0, sizeof(raw));
    CString* p = reinterpret_cast<CString*>(raw);
    EXPECT_TRUE(p->IsEmpty());
    EXPECT_STREQ("", *p);
    *p = "moved text";

    alignas(CString) unsigned char other[sizeof(CString)];
    memcpy(other, raw, sizeof(raw));
    memset(raw, 0, sizeof(raw));
    CString* q = reinterpret_cast<CString*>(other);
    *q += " grows";
    EXPECT_STREQ("moved text grows", *q);
    q->~CString();
    p->~CString();
}

TEST(String, CopyAssignmentAndAliasing)
{
    CString a("original");
    CString b(a);
    b.SetAt(0, 'O');
    EXPECT_STREQ("original", a);
    EXPECT_STREQ("Original", b);

    CString& self = a;
    a = self;
    EXPECT_STREQ("original", a);
    a = static_cast<LPCTSTR>(a);
    EXPECT_STREQ("original", a);
    a = static_cast<LPCTSTR>(a) + 4;
    EXPECT_STREQ("inal", a);

    CString moved(std::move(b));
    EXPECT_STREQ("Original", moved);
    EXPECT_TRUE(b.IsEmpty());
    b = 'z';
    EXPECT_STREQ("z", b);
    b = static_cast<LPCSTR>(nullptr);
    EXPECT_TRUE(b.IsEmpty());

    CString bin("x\0y", 3);
    CString copy;
    copy = bin;
    EXPECT_EQ(3, copy.GetLength());
    EXPECT_EQ(bin, copy);

    copy.Empty();
    EXPECT_TRUE(copy.IsEmpty());
    copy += "again";
    EXPECT_STREQ("again", copy);
}

TEST(String, Concatenation)
{
    CString s("ab");
    EXPECT_STREQ("abcd", s + CString("cd"));
    EXPECT_STREQ("abcd", s + "cd");
    EXPECT_STREQ("cdab", "cd" + s);
    EXPECT_STREQ("ab!", s + '!');
    EXPECT_STREQ("!ab", '!' + s);
    EXPECT_STREQ("ab", s + static_cast<LPCSTR>(nullptr));
    EXPECT_EQ(std::string("ab\0c", 4), Bytes(s + CString("\0c", 2)));

    s += s;
    EXPECT_STREQ("abab", s);
    s += static_cast<LPCTSTR>(s) + 2;
    EXPECT_STREQ("ababab", s);

    CString grown;
    for (int i = 0; i < 100000; ++i)
        grown += (char)('a' + i % 26);
    ASSERT_EQ(100000, grown.GetLength());
    EXPECT_EQ('a', grown[0]);
    EXPECT_EQ('a' + 99999 % 26, grown[99999]);
    EXPECT_EQ((size_t)100000, strlen(grown));
}

TEST(String, ComparisonOperators)
{
    CString abc("abc");
    EXPECT_TRUE(abc == "abc");
    EXPECT_TRUE("abc" == abc);
    EXPECT_TRUE(abc == CString("abc"));
    EXPECT_TRUE(abc != "abd");
    EXPECT_TRUE("ab" != abc);
    EXPECT_TRUE(abc < "abd");
    EXPECT_TRUE(CString("ab") < abc);
    EXPECT_TRUE("abd" > abc);
    EXPECT_TRUE(abc <= "abc");
    EXPECT_TRUE(abc >= CString("ab"));
    EXPECT_FALSE(abc < "abc");
    EXPECT_FALSE(abc > "abc");

    // Bytes compare unsigned: an accented letter sorts after 'z'.
    EXPECT_GT(CString("\xE9").Compare("z"), 0);
    EXPECT_LT(CString("").Compare("a"), 0);
    EXPECT_EQ(0, CString().Compare(static_cast<LPCSTR>(nullptr)));

    CString nul1("a\0b", 3), nul2("a\0c", 3);
    EXPECT_TRUE(nul1 != nul2);
    EXPECT_TRUE(nul1 < nul2);
    EXPECT_TRUE(nul1 != "a");
}

TEST(String, CompareNoCaseAndCollate)
{
    EXPECT_EQ(0, CString("Hello World").CompareNoCase("hELLO wORLD"));
    EXPECT_LT(CString("apple").CompareNoCase("BANANA"), 0);
    EXPECT_GT(CString("apples").CompareNoCase("APPLE"), 0);
    // Letters fold to lower case: 'A' becomes 'a', which follows '_'.
    EXPECT_GT(CString("A").CompareNoCase("_"), 0);
    EXPECT_LT(CString("A").Compare("_"), 0);

    EXPECT_EQ(0, CString("abc").Collate("abc"));
    EXPECT_GT(CString("a").Compare("B"), 0);
    EXPECT_LT(CString("a").Collate("B"), 0);
}

TEST(String, MidLeftRightClamp)
{
    CString s("abcdef");
    EXPECT_STREQ("cdef", s.Mid(2));
    EXPECT_STREQ("", s.Mid(6));
    EXPECT_STREQ("", s.Mid(10));
    EXPECT_STREQ("abcdef", s.Mid(-3));
    EXPECT_STREQ("bc", s.Mid(1, 2));
    EXPECT_STREQ("ef", s.Mid(4, 10));
    EXPECT_STREQ("", s.Mid(1, -1));
    EXPECT_STREQ("abc", s.Mid(-2, 3));
    EXPECT_STREQ("", s.Mid(7, 2));
    EXPECT_STREQ("abc", s.Left(3));
    EXPECT_STREQ("abcdef", s.Left(100));
    EXPECT_STREQ("", s.Left(-1));
    EXPECT_STREQ("ef", s.Right(2));
    EXPECT_STREQ("abcdef", s.Right(100));
    EXPECT_STREQ("", s.Right(-1));
    EXPECT_STREQ("", CString().Mid(0, 3));
    EXPECT_EQ(std::string("\0b", 2), Bytes(CString("a\0b", 3).Right(2)));
}

TEST(String, FindAndReverseFind)
{
    CString s("abcabc");
    EXPECT_EQ(2, s.Find('c'));
    EXPECT_EQ(-1, s.Find('z'));
    EXPECT_EQ(3, s.Find('a', 1));
    EXPECT_EQ(5, s.Find('c', 5));
    EXPECT_EQ(-1, s.Find('c', 6));
    EXPECT_EQ(0, s.Find('a', -5));
    EXPECT_EQ(1, s.Find("bc"));
    EXPECT_EQ(4, s.Find("bc", 2));
    EXPECT_EQ(-1, s.Find("bc", 5));
    EXPECT_EQ(-1, s.Find("abcabcd"));
    EXPECT_EQ(0, s.Find(""));
    EXPECT_EQ(6, s.Find("", 6));
    EXPECT_EQ(-1, s.Find("", 7));
    EXPECT_EQ(1, CString("aaab").Find("aab"));
    EXPECT_EQ(-1, CString().Find('a'));
    EXPECT_EQ(-1, CString().Find("a"));
    EXPECT_EQ(8, CString("SELECT * WHERE").Find(" WHERE", 1));

    CString bin("a\0b", 3);
    EXPECT_EQ(1, bin.Find('\0'));
    EXPECT_EQ(2, bin.Find('b'));

    EXPECT_EQ(6, CString("C:\\dir\\file.txt").ReverseFind('\\'));
    EXPECT_EQ(5, s.ReverseFind('c'));
    EXPECT_EQ(-1, s.ReverseFind('z'));
    EXPECT_EQ(-1, CString().ReverseFind('a'));

    EXPECT_EQ(2, CString("A1*B2+C").FindOneOf("+-*/"));
    EXPECT_EQ(-1, CString("A1B2").FindOneOf("+-*/"));
    EXPECT_EQ(-1, s.FindOneOf(""));
}

TEST(String, ReplaceCountsAndResults)
{
    CString s("a.b.c");
    EXPECT_EQ(2, s.Replace('.', ','));
    EXPECT_STREQ("a,b,c", s);
    EXPECT_EQ(0, s.Replace(',', ','));
    EXPECT_EQ(0, s.Replace('.', ';'));

    CString grow("1,234,567");
    EXPECT_EQ(2, grow.Replace(",", ",,"));
    EXPECT_STREQ("1,,234,,567", grow);
    CString quote("O'Brien's");
    EXPECT_EQ(2, quote.Replace("'", "''"));
    EXPECT_STREQ("O''Brien''s", quote);
    CString shrink("a--b--c--");
    EXPECT_EQ(3, shrink.Replace("--", "-"));
    EXPECT_STREQ("a-b-c-", shrink);
    CString gone("xaxbx");
    EXPECT_EQ(3, gone.Replace("x", ""));
    EXPECT_STREQ("ab", gone);
    EXPECT_EQ(1, gone.Replace("a", static_cast<LPCSTR>(nullptr)));
    EXPECT_STREQ("b", gone);

    CString same("unchanged");
    EXPECT_EQ(0, same.Replace("", "x"));
    EXPECT_EQ(0, same.Replace(static_cast<LPCSTR>(nullptr), "x"));
    EXPECT_EQ(0, same.Replace("zz", "x"));
    EXPECT_STREQ("unchanged", same);

    // Matches do not overlap and the new text is not searched again.
    CString four("aaaa"), three("aaa"), ab("ab");
    EXPECT_EQ(2, four.Replace("aa", "b"));
    EXPECT_STREQ("bb", four);
    EXPECT_EQ(1, three.Replace("aa", "b"));
    EXPECT_STREQ("ba", three);
    EXPECT_EQ(1, ab.Replace("a", "aa"));
    EXPECT_STREQ("aab", ab);

    CString own("xyxy");
    EXPECT_EQ(2, own.Replace(static_cast<LPCTSTR>(own) + 2, "-"));
    EXPECT_STREQ("--", own);

    CString big('a', 10000);
    EXPECT_EQ(10000, big.Replace("a", "bc"));
    EXPECT_EQ(20000, big.GetLength());
    EXPECT_EQ(9999, big.Replace("cb", "c"));
    EXPECT_EQ(std::string("b") + std::string(9999, 'c') + "c", Bytes(big));
}

TEST(String, RemoveInsertDelete)
{
    CString s("1 234 567");
    EXPECT_EQ(2, s.Remove(' '));
    EXPECT_STREQ("1234567", s);
    EXPECT_EQ(0, s.Remove(' '));
    CString all("   ");
    EXPECT_EQ(3, all.Remove(' '));
    EXPECT_TRUE(all.IsEmpty());
    EXPECT_STREQ("", all);

    EXPECT_EQ(8, s.Insert(4, ','));
    EXPECT_STREQ("1234,567", s);
    EXPECT_EQ(9, s.Insert(0, "<"));
    EXPECT_EQ(10, s.Insert(100, ">"));
    EXPECT_EQ(11, s.Insert(-5, '['));
    EXPECT_STREQ("[<1234,567>", s);
    EXPECT_EQ(11, s.Insert(3, ""));
    CString empty;
    EXPECT_EQ(2, empty.Insert(5, "ok"));
    EXPECT_STREQ("ok", empty);
    CString self("ab");
    EXPECT_EQ(4, self.Insert(1, static_cast<LPCTSTR>(self)));
    EXPECT_STREQ("aabb", self);

    CString d("abcdef");
    EXPECT_EQ(4, d.Delete(1, 2));
    EXPECT_STREQ("adef", d);
    EXPECT_EQ(3, d.Delete(0));
    EXPECT_STREQ("def", d);
    EXPECT_EQ(2, d.Delete(2, 100));
    EXPECT_STREQ("de", d);
    EXPECT_EQ(2, d.Delete(2));
    EXPECT_EQ(2, d.Delete(10, 1));
    EXPECT_EQ(2, d.Delete(1, 0));
    EXPECT_EQ(2, d.Delete(1, -1));
    EXPECT_EQ(1, d.Delete(-1, 1));
    EXPECT_STREQ("e", d);
}

TEST(String, CaseAndReverse)
{
    CString s("abc-Xyz 9\xE9");
    EXPECT_STREQ("ABC-XYZ 9\xE9", s.MakeUpper());
    EXPECT_STREQ("abc-xyz 9\xE9", s.MakeLower());
    CString even("abcd"), odd("abc"), empty;
    EXPECT_STREQ("dcba", even.MakeReverse());
    EXPECT_STREQ("cba", odd.MakeReverse());
    EXPECT_STREQ("", empty.MakeReverse());
}

TEST(String, TrimFamily)
{
    CString both("  \t a b \r\n"), left("  a "), right("  a ");
    EXPECT_STREQ("a b", both.Trim());
    EXPECT_STREQ("a ", left.TrimLeft());
    EXPECT_STREQ("  a", right.TrimRight());

    CString x("xxaxbxx");
    EXPECT_STREQ("axb", x.Trim('x'));
    CString zeros("000120");
    EXPECT_STREQ("120", zeros.TrimLeft('0'));
    CString signs("+-+a-+");
    EXPECT_STREQ("a-+", signs.TrimLeft("+-"));
    EXPECT_STREQ("a", signs.TrimRight("+-"));
    CString chained(" 12.. ");
    EXPECT_STREQ("12", chained.Trim().TrimRight('.'));

    CString blank(" \t\v\f ");
    EXPECT_TRUE(blank.Trim().IsEmpty());
    CString kept(" a ");
    EXPECT_STREQ(" a ", kept.Trim(""));
    CString padded("ab\0\0", 4);
    EXPECT_EQ(2, padded.TrimRight('\0').GetLength());
}

TEST(String, Spans)
{
    EXPECT_STREQ("123", CString("123abc").SpanIncluding("0123456789"));
    EXPECT_STREQ("", CString("abc").SpanIncluding("0123456789"));
    EXPECT_STREQ("", CString("abc").SpanIncluding(""));
    EXPECT_STREQ("A12", CString("A12+B3").SpanExcluding("+-*/()#"));
    EXPECT_STREQ("A12", CString("A12").SpanExcluding("+-*/()#"));
    EXPECT_STREQ("", CString("#A").SpanExcluding("+-*/()#"));
    EXPECT_STREQ("abc", CString("abc").SpanExcluding(""));
}

TEST(String, FormatConversions)
{
    CString s;
    s.Format("%s %d %.4f", "name", 42, 3.14159265);
    EXPECT_STREQ("name 42 3.1416", s);
    s.Format("%d%%", 50);
    EXPECT_STREQ("50%", s);
    s.Format("%d-%d-%d", 2024, 1, 31);
    EXPECT_STREQ("2024-1-31", s);
    s.Format("%ld|%hd|%02hX|%c|%e", 1234567890123L, (short)-7, (unsigned short)10, 'q', 1234.5);
    EXPECT_STREQ("1234567890123|-7|0A|q|1.234500e+03", s);
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());

    FormatThrough(s, "<%s:%d>", "v", 3);
    EXPECT_STREQ("<v:3>", s);
    s.AppendFormat("[%03d]", 7);
    EXPECT_STREQ("<v:3>[007]", s);
}

TEST(String, FormatLongResultsAndOwnText)
{
    std::string kilo(2000, 'k');
    CString s;
    s.Format("%s!", kilo.c_str());
    EXPECT_EQ(kilo + "!", Bytes(s));

    std::string big(70000, 'b');
    s.Format("%s|%s|%d", big.c_str(), "end", 5);
    EXPECT_EQ(70006, s.GetLength());
    EXPECT_EQ(big + "|end|5", Bytes(s));
    s.AppendFormat("%s", kilo.c_str());
    EXPECT_EQ(72006, s.GetLength());
    EXPECT_EQ(kilo, Bytes(s.Right(2000)));

    CString own("abc");
    own.Format("[%s]", static_cast<LPCTSTR>(own));
    EXPECT_STREQ("[abc]", own);
    CString ownLong('z', 600);
    ownLong.Format("%s%s", static_cast<LPCTSTR>(ownLong), static_cast<LPCTSTR>(ownLong));
    EXPECT_EQ(std::string(1200, 'z'), Bytes(ownLong));
}

TEST(String, BufferRoundTrips)
{
    CString s;
    strcpy(s.GetBuffer(10), "hello");
    s.ReleaseBuffer();
    EXPECT_EQ(5, s.GetLength());
    EXPECT_STREQ("hello", s);

    char* p = s.GetBuffer(10);
    EXPECT_STREQ("hello", p);
    p[5] = '!';
    p[6] = '\0';
    s.ReleaseBuffer();
    EXPECT_STREQ("hello!", s);

    strcpy(s.GetBuffer(2), "abcdef");
    s.ReleaseBuffer(3);
    EXPECT_EQ(3, s.GetLength());
    EXPECT_STREQ("abc", s);

    CString longer("abcdef");
    longer.GetBuffer(2);
    longer.ReleaseBuffer();
    EXPECT_STREQ("abcdef", longer);

    memcpy(s.GetBuffer(5), "ab\0cd", 5);
    s.ReleaseBuffer(5);
    EXPECT_EQ(std::string("ab\0cd", 5), Bytes(s));

    CString empty;
    char* q = empty.GetBuffer(0);
    ASSERT_NE(nullptr, q);
    EXPECT_EQ('\0', q[0]);
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());

    CString set;
    char* r = set.GetBufferSetLength(4);
    EXPECT_EQ(4, set.GetLength());
    memcpy(r, "wxyz", 4);
    set.ReleaseBuffer();
    EXPECT_STREQ("wxyz", set);

    CString filled;
    memcpy(filled.GetBuffer(4), "full", 4);
    filled.ReleaseBuffer();
    EXPECT_STREQ("full", filled);
}

TEST(String, BufferFilledByWin32)
{
    ASSERT_TRUE(SetEnvironmentVariableA("STRING_TEST_VALUE", "from the environment"));
    CString s;
    DWORD n = GetEnvironmentVariableA("STRING_TEST_VALUE", s.GetBuffer(255), 256);
    s.ReleaseBuffer();
    EXPECT_EQ(20u, n);
    EXPECT_STREQ("from the environment", s);
    EXPECT_EQ(0, lstrcmpA("from the environment", s));
    SetEnvironmentVariableA("STRING_TEST_VALUE", NULL);
}

TEST(String, LoadStringFromResources)
{
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_TEST_SHORT));
    EXPECT_STREQ("Short text", s);

    CString expected("Row ");
    for (int i = 1; i <= 40; ++i)
        expected.AppendFormat(i < 40 ? "cell %03d, " : "cell %03d.", i);
    ASSERT_TRUE(s.LoadString(IDS_TEST_LONG));
    EXPECT_GT(s.GetLength(), 256);
    EXPECT_EQ(Bytes(expected), Bytes(s));

    ASSERT_TRUE(s.LoadString(GetModuleHandleA(NULL), IDS_TEST_ESCAPES));
    EXPECT_STREQ("Tab\there\nnext line", s);

    EXPECT_FALSE(s.LoadString(IDS_TEST_MISSING));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_FALSE(s.LoadString(GetModuleHandleA("kernel32.dll"), IDS_TEST_SHORT));
}
