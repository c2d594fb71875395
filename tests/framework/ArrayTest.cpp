#include "tests/support/Gtest.h"
#include "tests/support/ArchiveBytes.h"
#include "framework/core/Array.h"
#include "framework/core/MemFile.h"

#include <stdlib.h>
#include <string>
#include <vector>

namespace {

// Counts its constructions and destructions; its constructor leaves
// m_nUnset alone, as the cells do with some of their members.
struct CProbe
{
    static int s_nLive;
    static int s_nBorn;

    CProbe() : m_nSet(7) { s_nLive++; s_nBorn++; }
    CProbe(const CProbe& other) : m_nSet(other.m_nSet), m_nUnset(other.m_nUnset), m_str(other.m_str)
    {
        s_nLive++;
        s_nBorn++;
    }
    CProbe& operator=(const CProbe& other)
    {
        m_nSet = other.m_nSet;
        m_nUnset = other.m_nUnset;
        m_str = other.m_str;
        return *this;
    }
    ~CProbe() { s_nLive--; }

    int m_nSet;
    int m_nUnset;
    CString m_str;
};
int CProbe::s_nLive = 0;
int CProbe::s_nBorn = 0;

typedef CArray<CProbe, CProbe&> CProbeArray;

// Shows the capacity, which only the array itself otherwise sees.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CSeenArray : public CArray<TYPE, ARG_TYPE>
{
public:
    INT_PTR GetCapacity() const { return this->m_nMaxSize; }
};

template <class F>
void ExpectInvalidArg(const char* what, F f)
{
    SCOPED_TRACE(what);
    try
    {
        f();
        ADD_FAILURE() << "no exception";
    }
    catch (CException* e)
    {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
        e->Delete();
    }
}

// The text of the CString elements of an array of probes, in order.
std::vector<std::string> Texts(const CProbeArray& a)
{
    std::vector<std::string> v;
    for (INT_PTR i = 0; i < a.GetSize(); i++)
        v.push_back((LPCTSTR)a[i].m_str);
    return v;
}

}

TEST(Array, GrowthZeroFillsThenConstructs)
{
    CProbeArray a;
    a.SetSize(5);
    ASSERT_EQ(5, a.GetSize());
    for (INT_PTR i = 0; i < 5; i++)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(7, a[i].m_nSet);
        EXPECT_EQ(0, a[i].m_nUnset);
        EXPECT_TRUE(a[i].m_str.IsEmpty());
    }

    // Shrinking keeps the block; regrowing must clear the old bytes again.
    for (INT_PTR i = 0; i < 5; i++)
    {
        a[i].m_nUnset = 0x5A5A5A5A;
        a[i].m_str = "left behind";
    }
    CProbe* pBlock = a.GetData();
    a.SetSize(1);
    a.SetSize(5);
    EXPECT_EQ(pBlock, a.GetData());
    EXPECT_EQ(0x5A5A5A5A, a[0].m_nUnset);
    for (INT_PTR i = 1; i < 5; i++)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(0, a[i].m_nUnset);
        EXPECT_TRUE(a[i].m_str.IsEmpty());
    }

    // The same for the slots an insertion opens and for a fresh block.
    a[4].m_nUnset = 3;
    a.InsertAt(2, a[4], 1);
    EXPECT_EQ(3, a[2].m_nUnset);
    CProbe blank;
    blank.m_nUnset = 0;
    a.SetAtGrow(40, blank);
    for (INT_PTR i = 6; i < 40; i++)
        EXPECT_EQ(0, a[i].m_nUnset) << i;
}

TEST(Array, DestructorsRunOnceForEveryElement)
{
    CProbe::s_nLive = 0;
    {
        CProbeArray a;
        a.SetSize(10);
        EXPECT_EQ(10, CProbe::s_nLive);
        a.RemoveAt(2, 3);
        EXPECT_EQ(7, CProbe::s_nLive);
        a.SetSize(4);
        EXPECT_EQ(4, CProbe::s_nLive);
        CProbe p;
        p.m_nUnset = 0;
        a.InsertAt(1, p, 3);
        EXPECT_EQ(8, CProbe::s_nLive);
        a.Add(p);
        a.Add(a[0]);
        EXPECT_EQ(10, CProbe::s_nLive);
        a.FreeExtra();
        EXPECT_EQ(10, CProbe::s_nLive);
        a.RemoveAll();
        EXPECT_EQ(1, CProbe::s_nLive);
        a.SetSize(6);
        EXPECT_EQ(7, CProbe::s_nLive);
    }
    EXPECT_EQ(0, CProbe::s_nLive);
}

TEST(Array, InsertAndRemoveKeepOrderAndStrings)
{
    // Random edits checked against a model; long texts so every string
    // owns a heap buffer that the byte moves must carry along.
    srand(12345);
    CProbeArray a;
    std::vector<std::string> model;
    int nNext = 0;
    for (int step = 0; step < 600; step++)
    {
        SCOPED_TRACE(step);
        int op = rand() % 4;
        CProbe p;
        p.m_nUnset = 0;
        p.m_str.Format("element number %04d with a long text", nNext++);
        if (op == 0 || model.empty())
        {
            INT_PTR n = rand() % 3 + 1;
            INT_PTR at = rand() % (model.size() + 1);
            a.InsertAt(at, p, n);
            model.insert(model.begin() + at, n, std::string((LPCTSTR)p.m_str));
        }
        else if (op == 1)
        {
            INT_PTR at = rand() % model.size();
            INT_PTR n = rand() % (model.size() - at) + 1;
            if (n > 4)
                n = 4;
            a.RemoveAt(at, n);
            model.erase(model.begin() + at, model.begin() + at + n);
        }
        else if (op == 2)
        {
            EXPECT_EQ((INT_PTR)model.size(), a.Add(p));
            model.push_back((LPCTSTR)p.m_str);
        }
        else
        {
            INT_PTR at = rand() % model.size();
            a.SetAt(at, p);
            model[at] = (LPCTSTR)p.m_str;
        }
        ASSERT_EQ(model, Texts(a));
    }
}

TEST(Array, ArgumentInsideTheArraySurvivesTheMove)
{
    // Room to spare, so the insertion moves the elements in place.
    CProbeArray a;
    a.SetSize(8);
    a.SetSize(4);
    for (int i = 0; i < 4; i++)
        a[i].m_str.Format("cell %d", i);
    a.InsertAt(0, a[1]);
    EXPECT_EQ((std::vector<std::string>{"cell 1", "cell 0", "cell 1", "cell 2", "cell 3"}), Texts(a));
    a.RemoveAll();
    a.SetSize(4);
    a[0].m_str = "first";
    a.Add(a[0]);
    EXPECT_EQ("first", std::string((LPCTSTR)a[4].m_str));
}

TEST(Array, IndexOutOfRangeThrowsInvalidArg)
{
    CPtrArray a;
    int x = 0;
    a.Add(&x);
    a.Add(&x);
    ExpectInvalidArg("GetAt(-1)", [&] { a.GetAt(-1); });
    ExpectInvalidArg("GetAt(size)", [&] { a.GetAt(2); });
    ExpectInvalidArg("SetAt(size)", [&] { a.SetAt(2, &x); });
    ExpectInvalidArg("ElementAt(size)", [&] { a.ElementAt(2); });
    ExpectInvalidArg("operator[](size)", [&] { a[2] = &x; });
    const CPtrArray& c = a;
    ExpectInvalidArg("const operator[](-1)", [&] { (void)c[-1]; });
    ExpectInvalidArg("RemoveAt(size)", [&] { a.RemoveAt(2); });
    ExpectInvalidArg("RemoveAt past the end", [&] { a.RemoveAt(1, 2); });
    ExpectInvalidArg("RemoveAt(-1)", [&] { a.RemoveAt(-1); });
    ExpectInvalidArg("InsertAt(-1)", [&] { a.InsertAt(-1, &x); });
    ExpectInvalidArg("InsertAt count 0", [&] { a.InsertAt(0, &x, 0); });
    ExpectInvalidArg("InsertAt NULL array", [&] { a.InsertAt(0, (CArray<void*, void*>*)NULL); });
    ExpectInvalidArg("SetAtGrow(-1)", [&] { a.SetAtGrow(-1, &x); });
    ExpectInvalidArg("SetSize(-1)", [&] { a.SetSize(-1); });
    EXPECT_EQ(2, a.GetSize());

    CArray<int> empty;
    ExpectInvalidArg("GetAt(0) of an empty array", [&] { empty.GetAt(0); });
}

TEST(Array, RemoveAllAndFreeExtraRelease)
{
    CSeenArray<int, int> a;
    for (int i = 0; i < 100; i++)
        a.Add(i);
    EXPECT_GE(a.GetCapacity(), 100);
    a.RemoveAt(10, 80);
    a.FreeExtra();
    EXPECT_EQ(20, a.GetCapacity());
    EXPECT_EQ(95, a[15]);
    a.RemoveAll();
    EXPECT_EQ(0, a.GetSize());
    EXPECT_EQ(0, a.GetCapacity());
    EXPECT_EQ(nullptr, a.GetData());
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(-1, a.GetUpperBound());
}

TEST(Array, GrowthIsGeometricAndHonoursGrowBy)
{
    CSeenArray<int, int> a;
    int nMoves = 0;
    const int* pLast = NULL;
    for (int i = 0; i < 100000; i++)
    {
        ASSERT_EQ(i, a.Add(i));
        if (a.GetData() != pLast)
        {
            nMoves++;
            pLast = a.GetData();
        }
    }
    // Fixed steps of at most 1024 would move the block well over 150 times.
    EXPECT_LT(nMoves, 120);
    for (int i = 0; i < 100000; i += 997)
        ASSERT_EQ(i, a[i]);

    CSeenArray<int, int> b;
    b.SetSize(0, 50);
    b.Add(1);
    EXPECT_EQ(50, b.GetCapacity());
    b.SetSize(51);
    EXPECT_EQ(100, b.GetCapacity());
}

TEST(Array, CopyAppendAndInsertArrays)
{
    CStringArray a, b;
    a.Add("a0");
    a.Add("a1");
    b.Add("b0");
    b.Add("b1");
    b.Add("b2");
    EXPECT_EQ(2, a.Append(b));
    ASSERT_EQ(5, a.GetSize());
    EXPECT_STREQ("b2", a[4]);

    a.InsertAt(1, &b);
    ASSERT_EQ(8, a.GetSize());
    const char* expected[] = {"a0", "b0", "b1", "b2", "a1", "b0", "b1", "b2"};
    for (int i = 0; i < 8; i++)
        EXPECT_STREQ(expected[i], a[i]) << i;

    // An array inserted into or appended to itself doubles.
    b.InsertAt(1, &b);
    const char* doubled[] = {"b0", "b0", "b1", "b2", "b1", "b2"};
    ASSERT_EQ(6, b.GetSize());
    for (int i = 0; i < 6; i++)
        EXPECT_STREQ(doubled[i], b[i]) << i;
    b.Append(b);
    ASSERT_EQ(12, b.GetSize());
    EXPECT_STREQ("b0", b[6]);
    EXPECT_STREQ("b2", b[11]);

    b.Copy(a);
    ASSERT_EQ(8, b.GetSize());
    a[0] = "changed";
    EXPECT_STREQ("a0", b[0]);
    b.Copy(b);
    EXPECT_EQ(8, b.GetSize());

    // Inserting past the end fills the gap with default elements.
    CArray<int, int> n;
    n.InsertAt(3, 9, 2);
    ASSERT_EQ(5, n.GetSize());
    EXPECT_EQ(0, n[2]);
    EXPECT_EQ(9, n[4]);
}

TEST(Array, DWordArraySerializesCountAndValues)
{
    CDWordArray a;
    a.Add(1);
    a.Add(0xA1B2C3D4);
    std::vector<BYTE> expected;
    PutU16(expected, 2);
    PutU32(expected, 1);
    PutU32(expected, 0xA1B2C3D4);
    EXPECT_EQ(expected, StoreBytes(a));

    CDWordArray empty;
    std::vector<BYTE> zero;
    PutU16(zero, 0);
    EXPECT_EQ(zero, StoreBytes(empty));

    CDWordArray back;
    back.Add(77);
    LoadBytes(back, expected);
    ASSERT_EQ(2, back.GetSize());
    EXPECT_EQ(1u, back[0]);
    EXPECT_EQ(0xA1B2C3D4u, back[1]);
}

TEST(Array, CountFormSwitchesAt0xFFFF)
{
    for (INT_PTR n : {0xFFFE, 0xFFFF, 0x10000})
    {
        SCOPED_TRACE(n);
        CUIntArray a;
        a.SetSize(n);
        for (INT_PTR i = 0; i < n; i++)
            a[i] = (UINT)(i * 3);
        std::vector<BYTE> bytes = StoreBytes(a);
        std::vector<BYTE> head;
        if (n < 0xFFFF)
        {
            PutU16(head, (unsigned)n);
        }
        else
        {
            PutU16(head, 0xFFFF);
            PutU32(head, (unsigned)n);
        }
        ASSERT_EQ(head.size() + 4 * (size_t)n, bytes.size());
        EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));
        CUIntArray back;
        LoadBytes(back, bytes);
        ASSERT_EQ(n, back.GetSize());
        EXPECT_EQ((UINT)((n - 1) * 3), back[n - 1]);
    }
}

TEST(Array, OtherElementArchiveForms)
{
    CStringArray s;
    s.Add("");
    s.Add("abc");
    std::vector<BYTE> expected;
    PutU16(expected, 2);
    expected.push_back(0);
    expected.push_back(3);
    expected.insert(expected.end(), {'a', 'b', 'c'});
    EXPECT_EQ(expected, StoreBytes(s));
    CStringArray sBack;
    LoadBytes(sBack, expected);
    ASSERT_EQ(2, sBack.GetSize());
    EXPECT_STREQ("abc", sBack[1]);

    CArray<int, int> i;
    i.Add(-2);
    std::vector<BYTE> ints;
    PutU16(ints, 1);
    PutU32(ints, 0xFFFFFFFE);
    EXPECT_EQ(ints, StoreBytes(i));

    CArray<short, short> w;
    w.Add(-1);
    std::vector<BYTE> words;
    PutU16(words, 1);
    PutU16(words, 0xFFFF);
    EXPECT_EQ(words, StoreBytes(w));
}

TEST(Array, LoadRefusesCountsTheFileCannotHold)
{
    CDWordArray a;
    std::vector<BYTE> bytes;
    PutU16(bytes, 0xFFFF);
    PutU32(bytes, 0x7FFFFFFF);
    PutU32(bytes, 5);
    try
    {
        LoadBytes(a, bytes);
        ADD_FAILURE() << "no exception";
    }
    catch (CException* e)
    {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
        EXPECT_EQ(CArchiveException::endOfFile, static_cast<CArchiveException*>(e)->m_cause);
        e->Delete();
    }

    // A short stream, too, is the archive's end-of-file.
    std::vector<BYTE> shortStream;
    PutU16(shortStream, 3);
    PutU32(shortStream, 1);
    PutU16(shortStream, 2);
    try
    {
        LoadBytes(a, shortStream);
        ADD_FAILURE() << "no exception";
    }
    catch (CException* e)
    {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
        e->Delete();
    }
}

TEST(Array, ElementsWithoutArchiveFormRefuseToSerialize)
{
    CPtrArray a;
    try
    {
        StoreBytes(a);
        ADD_FAILURE() << "no exception";
    }
    catch (CException* e)
    {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CNotSupportedException)));
        e->Delete();
    }
}
