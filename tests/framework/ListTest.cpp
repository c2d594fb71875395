#include "tests/support/Gtest.h"
#include "tests/support/ArchiveBytes.h"
#include "framework/core/List.h"
#include "framework/core/MemFile.h"

#include <string>
#include <vector>

namespace {

// Counts live instances, to see every element destroyed exactly once.
struct CCounted
{
    static int s_nLive;
    CCounted() { s_nLive++; }
    CCounted(const CCounted& other) : m_n(other.m_n) { s_nLive++; }
    CCounted& operator=(const CCounted& other)
    {
        m_n = other.m_n;
        return *this;
    }
    ~CCounted() { s_nLive--; }
    int m_n = 0;
};
int CCounted::s_nLive = 0;

// Shows how many node blocks the list holds.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CSeenList : public CList<TYPE, ARG_TYPE>
{
public:
    explicit CSeenList(INT_PTR nBlockSize = 10) : CList<TYPE, ARG_TYPE>(nBlockSize) {}
    int GetBlockCount() const
    {
        int n = 0;
        for (CPlex* p = this->m_pBlocks; p != NULL; p = p->pNext)
            n++;
        return n;
    }
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

template <class LIST>
std::vector<int> Forward(const LIST& list)
{
    std::vector<int> v;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        v.push_back(list.GetNext(pos));
    return v;
}

template <class LIST>
std::vector<int> Backward(const LIST& list)
{
    std::vector<int> v;
    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
        v.push_back(list.GetPrev(pos));
    return v;
}

std::vector<std::string> Strings(const CStringList& list)
{
    std::vector<std::string> v;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        const CString& s = list.GetNext(pos);
        v.push_back(std::string((LPCTSTR)s, s.GetLength()));
    }
    return v;
}

// The archive form of a list of strings, built from the documented layout.
std::vector<BYTE> ListForm(const std::vector<std::string>& strings)
{
    std::vector<BYTE> v;
    if (strings.size() < 0xFFFF)
    {
        PutU16(v, (unsigned)strings.size());
    }
    else
    {
        PutU16(v, 0xFFFF);
        PutU32(v, (unsigned)strings.size());
    }
    for (const std::string& s : strings)
    {
        if (s.size() < 255)
        {
            v.push_back((BYTE)s.size());
        }
        else if (s.size() < 0xFFFE)
        {
            v.push_back(0xFF);
            PutU16(v, (unsigned)s.size());
        }
        else
        {
            v.push_back(0xFF);
            PutU16(v, 0xFFFF);
            PutU32(v, (unsigned)s.size());
        }
        v.insert(v.end(), s.begin(), s.end());
    }
    return v;
}

}

TEST(List, IterationForwardAndBackward)
{
    CList<int, int> list;
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_EQ(nullptr, list.GetTailPosition());
    for (int i = 1; i <= 4; i++)
        list.AddTail(i);
    list.AddHead(0);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), Forward(list));
    EXPECT_EQ((std::vector<int>{4, 3, 2, 1, 0}), Backward(list));
    EXPECT_EQ(5, list.GetCount());
    EXPECT_EQ(0, list.GetHead());
    EXPECT_EQ(4, list.GetTail());

    // GetNext and GetPrev hand out the elements themselves.
    POSITION pos = list.GetHeadPosition();
    list.GetNext(pos) = 10;
    list.GetPrev(pos) += 5;
    EXPECT_EQ(10, list.GetHead());
    EXPECT_EQ(6, list.GetAt(list.FindIndex(1)));
    EXPECT_EQ(list.FindIndex(0), pos);
}

TEST(List, RemovingWhileWalking)
{
    CList<int, int> list;
    for (int i = 0; i < 25; i++)
        list.AddTail(i);

    // Remove every other element at the position saved before GetNext.
    bool bRemove = true;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        POSITION posCurrent = pos;
        list.GetNext(pos);
        if (bRemove)
            list.RemoveAt(posCurrent);
        bRemove = !bRemove;
    }
    std::vector<int> odd;
    for (int i = 1; i < 25; i += 2)
        odd.push_back(i);
    EXPECT_EQ(odd, Forward(list));
    EXPECT_EQ(std::vector<int>(odd.rbegin(), odd.rend()), Backward(list));

    // Backwards too, removing the rest; the nodes just freed are reused.
    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
    {
        POSITION posCurrent = pos;
        list.GetPrev(pos);
        list.RemoveAt(posCurrent);
        list.AddHead(-1);
        list.RemoveHead();
    }
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    list.AddTail(3);
    EXPECT_EQ((std::vector<int>{3}), Forward(list));
}

TEST(List, InsertSetAndRemoveAtEnds)
{
    CList<int, int> list;
    POSITION p2 = list.AddTail(2);
    list.InsertBefore(p2, 1);
    POSITION p3 = list.InsertAfter(p2, 3);
    list.InsertAfter(p3, 4);
    list.InsertBefore(NULL, 0);
    list.InsertAfter(NULL, 5);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5}), Forward(list));
    EXPECT_EQ((std::vector<int>{5, 4, 3, 2, 1, 0}), Backward(list));

    list.SetAt(p3, 30);
    EXPECT_EQ(30, list.GetAt(p3));
    EXPECT_EQ(0, list.RemoveHead());
    EXPECT_EQ(5, list.RemoveTail());
    EXPECT_EQ(1, list.GetHead());
    EXPECT_EQ(4, list.GetTail());
    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    EXPECT_EQ((std::vector<int>{2, 30}), Forward(list));
    EXPECT_EQ((std::vector<int>{30, 2}), Backward(list));
    list.RemoveAt(p2);
    list.RemoveAt(p3);
    EXPECT_TRUE(list.IsEmpty());

    // A queue: tail in, head out.
    for (int i = 0; i < 30; i++)
        list.AddTail(i);
    for (int i = 0; i < 30; i++)
        ASSERT_EQ(i, list.RemoveHead());
    EXPECT_EQ(0, list.GetSize());
}

TEST(List, FindAndFindIndex)
{
    CStringList list;
    list.AddTail("alpha");
    list.AddTail("beta");
    list.AddTail("alpha");
    list.AddTail("gamma");

    POSITION first = list.Find("alpha");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(list.FindIndex(0), first);
    POSITION second = list.Find("alpha", first);
    EXPECT_EQ(list.FindIndex(2), second);
    EXPECT_EQ(nullptr, list.Find("alpha", second));
    EXPECT_EQ(nullptr, list.Find("Alpha"));
    EXPECT_EQ(list.FindIndex(3), list.Find("gamma", first));

    EXPECT_STREQ("beta", list.GetAt(list.FindIndex(1)));
    EXPECT_EQ(nullptr, list.FindIndex(4));
    EXPECT_EQ(nullptr, list.FindIndex(-1));

    CPtrList pointers;
    int a = 0, b = 0;
    pointers.AddTail(&a);
    pointers.AddTail(&b);
    EXPECT_EQ(pointers.GetTailPosition(), pointers.Find(&b));
    EXPECT_EQ(nullptr, pointers.Find(NULL));
}

TEST(List, NodeBlocksAreReused)
{
    CSeenList<int, int> list(10);
    for (int i = 0; i < 5; i++)
        list.AddTail(i);
    EXPECT_EQ(1, list.GetBlockCount());
    for (int cycle = 0; cycle < 1000; cycle++)
    {
        list.AddTail(cycle);
        list.AddHead(cycle);
        list.AddTail(cycle);
        list.RemoveHead();
        list.RemoveAt(list.FindIndex(2));
        list.RemoveTail();
    }
    EXPECT_EQ(1, list.GetBlockCount());
    EXPECT_EQ(5, list.GetCount());

    for (int i = 0; i < 6; i++)
        list.AddTail(i);
    EXPECT_EQ(2, list.GetBlockCount());

    // The last removal frees every block.
    while (!list.IsEmpty())
        list.RemoveTail();
    EXPECT_EQ(0, list.GetBlockCount());

    CSeenList<int, int> single(1);
    for (int i = 0; i < 3; i++)
        single.AddTail(i);
    single.RemoveHead();
    single.AddTail(9);
    EXPECT_EQ(3, single.GetBlockCount());
    single.RemoveAll();
    EXPECT_EQ(0, single.GetBlockCount());
}

TEST(List, ElementsDestroyedExactlyOnce)
{
    CCounted::s_nLive = 0;
    {
        CList<CCounted, const CCounted&> list(3);
        CCounted c;
        for (int i = 0; i < 8; i++)
        {
            c.m_n = i;
            list.AddTail(c);
        }
        EXPECT_EQ(9, CCounted::s_nLive);
        list.RemoveAt(list.FindIndex(3));
        EXPECT_EQ(8, CCounted::s_nLive);
        EXPECT_EQ(0, list.RemoveHead().m_n);
        EXPECT_EQ(7, CCounted::s_nLive);
        list.RemoveAll();
        EXPECT_EQ(1, CCounted::s_nLive);
        list.AddHead(c);
        list.AddHead(c);
    }
    EXPECT_EQ(0, CCounted::s_nLive);
}

TEST(List, BadPositionsAndEmptyEndsThrow)
{
    CList<int, int> list;
    ExpectInvalidArg("GetHead of empty", [&] { list.GetHead(); });
    ExpectInvalidArg("GetTail of empty", [&] { list.GetTail(); });
    ExpectInvalidArg("RemoveHead of empty", [&] { list.RemoveHead(); });
    ExpectInvalidArg("RemoveTail of empty", [&] { list.RemoveTail(); });
    list.AddTail(1);
    POSITION pos = NULL;
    ExpectInvalidArg("GetNext(NULL)", [&] { list.GetNext(pos); });
    ExpectInvalidArg("GetPrev(NULL)", [&] { list.GetPrev(pos); });
    ExpectInvalidArg("GetAt(NULL)", [&] { list.GetAt(NULL); });
    ExpectInvalidArg("SetAt(NULL)", [&] { list.SetAt(NULL, 2); });
    ExpectInvalidArg("RemoveAt(NULL)", [&] { list.RemoveAt(NULL); });
    ExpectInvalidArg("GetAt of a missing index", [&] { list.GetAt(list.FindIndex(5)); });
    EXPECT_EQ(1, list.GetCount());
}

TEST(List, AddingWholeLists)
{
    CList<int, int> a, b;
    a.AddTail(1);
    a.AddTail(2);
    b.AddTail(8);
    b.AddTail(9);
    a.AddTail(&b);
    a.AddHead(&b);
    EXPECT_EQ((std::vector<int>{8, 9, 1, 2, 8, 9}), Forward(a));
    b.AddTail(&b);
    EXPECT_EQ((std::vector<int>{8, 9, 8, 9}), Forward(b));
    b.AddHead(&b);
    EXPECT_EQ(8, b.GetCount());
    EXPECT_EQ((std::vector<int>{9, 8, 9, 8, 9, 8, 9, 8}), Backward(b));
}

TEST(List, StringListArchiveForm)
{
    std::vector<std::vector<std::string>> cases;
    cases.push_back({});
    cases.push_back({"one"});
    std::vector<std::string> many;
    for (int i = 0; i < 300; i++)
        many.push_back(std::string(i % 7, (char)('a' + i % 26)));
    cases.push_back(many);
    cases.push_back({std::string(254, 'x'), std::string(255, 'y'), std::string(65533, 'z'),
                     std::string(65534, 'u'), std::string(65535, 'v'), ""});
    cases.push_back({std::string("nul\0inside", 10)});

    for (const std::vector<std::string>& strings : cases)
    {
        SCOPED_TRACE(strings.size());
        CStringList list;
        for (const std::string& s : strings)
            list.AddTail(CString(s.data(), (int)s.size()));
        std::vector<BYTE> bytes = StoreBytes(list);
        EXPECT_EQ(ListForm(strings), bytes);

        CStringList back;
        back.AddTail("already here");
        LoadBytes(back, bytes);
        EXPECT_EQ(strings, Strings(back));
    }
}

TEST(List, StringListCountOf0xFFFFAndMore)
{
    for (size_t n : {(size_t)0xFFFE, (size_t)0xFFFF})
    {
        SCOPED_TRACE(n);
        std::vector<std::string> strings(n, "s");
        CStringList list;
        for (size_t i = 0; i < n; i++)
            list.AddTail("s");
        std::vector<BYTE> bytes = StoreBytes(list);
        EXPECT_EQ(ListForm(strings), bytes);
        CStringList back;
        LoadBytes(back, bytes);
        EXPECT_EQ((INT_PTR)n, back.GetCount());
    }
}

TEST(List, TruncatedListIsAnArchiveError)
{
    CStringList list;
    list.AddTail("first");
    list.AddTail("second");
    std::vector<BYTE> bytes = StoreBytes(list);
    bytes.resize(bytes.size() - 3);
    CStringList back;
    try
    {
        LoadBytes(back, bytes);
        ADD_FAILURE() << "no exception";
    }
    catch (CException* e)
    {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
        e->Delete();
    }

    // A count far beyond what the stream holds is refused before reading.
    std::vector<BYTE> huge;
    PutU16(huge, 0xFFFF);
    PutU32(huge, 0xFFFFFFF0);
    huge.push_back(0);
    try
    {
        LoadBytes(back, huge);
        ADD_FAILURE() << "no exception";
    }
    catch (CException* e)
    {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
        EXPECT_EQ(CArchiveException::endOfFile, static_cast<CArchiveException*>(e)->m_cause);
        e->Delete();
    }
    EXPECT_TRUE(back.IsEmpty());
}

TEST(List, NumberListArchiveForm)
{
    CList<int, int> list;
    list.AddTail(5);
    list.AddTail(-1);
    std::vector<BYTE> expected;
    PutU16(expected, 2);
    PutU32(expected, 5);
    PutU32(expected, 0xFFFFFFFF);
    EXPECT_EQ(expected, StoreBytes(list));
    CList<int, int> back;
    LoadBytes(back, expected);
    EXPECT_EQ((std::vector<int>{5, -1}), Forward(back));
}
