#include "tests/support/Gtest.h"
#include "framework/core/Map.h"

#include <map>
#include <string>

namespace {

// Its constructor sets only m_nSet, as the cells leave some members alone.
struct CPartlySet
{
    CPartlySet() : m_nSet(7) {}
    int m_nSet;
    int m_nUnset;
};

// Shows the association blocks and the bucket array, which only the map
// otherwise sees.
class CSeenMap : public CMap<int, int, int, int>
{
public:
    int GetBlockCount() const
    {
        int n = 0;
        for (CPlex* p = m_pBlocks; p != NULL; p = p->pNext)
            n++;
        return n;
    }
    bool HasTable() const { return m_pHashTable != NULL; }
};

// Walks the whole map; fails when a key comes back twice.
std::map<std::string, std::string> Pairs(const CMapStringToString& map)
{
    std::map<std::string, std::string> seen;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL)
    {
        CString key, value;
        map.GetNextAssoc(pos, key, value);
        EXPECT_TRUE(seen.emplace((LPCTSTR)key, (LPCTSTR)value).second) << "twice: " << (LPCTSTR)key;
    }
    return seen;
}

}

TEST(Map, SetLookupOverwriteAndRemove)
{
    CMapStringToString map;
    EXPECT_TRUE(map.IsEmpty());
    map.SetAt("0101", "North office");
    map.SetAt("0102", "South office");
    map["0103"] = "East office";
    EXPECT_EQ(3, map.GetCount());

    CString value = "untouched";
    EXPECT_TRUE(map.Lookup("0102", value));
    EXPECT_STREQ("South office", value);
    value = "untouched";
    EXPECT_FALSE(map.Lookup("0104", value));
    EXPECT_STREQ("untouched", value);
    EXPECT_FALSE(map.Lookup("", value));

    // Keys compare with case; overwriting keeps one pair.
    map.SetAt("0101", "Head office");
    map.SetAt("abc", "lower");
    map.SetAt("ABC", "upper");
    EXPECT_EQ(5, map.GetCount());
    EXPECT_TRUE(map.Lookup("0101", value));
    EXPECT_STREQ("Head office", value);
    EXPECT_STREQ("upper", map["ABC"]);
    EXPECT_STREQ("lower", map["abc"]);

    // operator[] adds an empty value for a missing key.
    EXPECT_TRUE(map["new"].IsEmpty());
    EXPECT_EQ(6, map.GetCount());

    EXPECT_TRUE(map.RemoveKey("new"));
    EXPECT_FALSE(map.RemoveKey("new"));
    EXPECT_FALSE(map.Lookup("new", value));
    EXPECT_EQ(5, map.GetCount());

    CString key = "0102";
    map.SetAt(key, map["0103"]);
    EXPECT_STREQ("East office", map[key]);

    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());
    EXPECT_FALSE(map.Lookup("0101", value));
    map.SetAt("again", "works");
    EXPECT_EQ(1, map.GetCount());
}

TEST(Map, IterationVisitsEveryPairOnce)
{
    CMapStringToString map;
    std::map<std::string, std::string> model;
    for (int i = 0; i < 1000; i++)
    {
        char key[16], value[16];
        wsprintfA(key, "key%d", i * 7919);
        wsprintfA(value, "v%d", i);
        map.SetAt(key, value);
        model[key] = value;
    }
    EXPECT_EQ(1000, map.GetCount());
    EXPECT_GT(map.GetHashTableSize(), 17u);
    EXPECT_EQ(model, Pairs(map));

    // Removing the pair just returned keeps the walk going.
    int nSeen = 0;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL)
    {
        CString key, value;
        map.GetNextAssoc(pos, key, value);
        nSeen++;
        if (nSeen % 2 == 0)
        {
            ASSERT_TRUE(map.RemoveKey(key));
            model.erase((LPCTSTR)key);
        }
        else
        {
            map[key] = value + "!";
            model[(LPCTSTR)key] += "!";
        }
    }
    EXPECT_EQ(1000, nSeen);
    EXPECT_EQ(500, map.GetCount());
    EXPECT_EQ(model, Pairs(map));

    // Removing every pair while walking ends the walk with an empty map.
    pos = map.GetStartPosition();
    while (pos != NULL)
    {
        CString key, value;
        map.GetNextAssoc(pos, key, value);
        map.RemoveKey(key);
    }
    EXPECT_TRUE(map.IsEmpty());
}

TEST(Map, PointerKeysAndInitHashTable)
{
    CMapPtrToPtr map;
    map.InitHashTable(10);
    EXPECT_EQ(10u, map.GetHashTableSize());
    for (INT_PTR i = 0; i < 25; i++)
        map.SetAt((void*)i, (void*)(INT_PTR)(i < 8 ? 1 : 2));
    EXPECT_EQ(25, map.GetCount());
    for (INT_PTR i = 0; i < 25; i++)
    {
        void* p = NULL;
        ASSERT_TRUE(map.Lookup((void*)i, p)) << i;
        EXPECT_EQ((void*)(INT_PTR)(i < 8 ? 1 : 2), p);
    }
    void* p = (void*)99;
    EXPECT_FALSE(map.Lookup((void*)25, p));
    EXPECT_EQ((void*)99, p);

    INT_PTR nKeySum = 0;
    int nPairs = 0;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL)
    {
        void* key;
        void* value;
        map.GetNextAssoc(pos, key, value);
        nKeySum += (INT_PTR)key;
        nPairs++;
    }
    EXPECT_EQ(25, nPairs);
    EXPECT_EQ(300, nKeySum);

    EXPECT_TRUE(map.RemoveKey((void*)0));
    EXPECT_FALSE(map.Lookup((void*)0, p));
    EXPECT_EQ(24, map.GetCount());

    // A new table size redistributes the pairs already held.
    map.InitHashTable(3);
    EXPECT_EQ(3u, map.GetHashTableSize());
    for (INT_PTR i = 1; i < 25; i++)
        EXPECT_TRUE(map.Lookup((void*)i, p)) << i;
}

TEST(Map, StringToPointerAndStringKeysByReference)
{
    CMapStringToPtr map;
    int a = 0, b = 0;
    map.SetAt("a", &a);
    map.SetAt("b", &b);
    void* p = NULL;
    EXPECT_TRUE(map.Lookup("b", p));
    EXPECT_EQ(&b, p);
    map["a"] = &b;
    EXPECT_TRUE(map.Lookup("a", p));
    EXPECT_EQ(&b, p);

    CMap<CString, const CString&, int, int> counts;
    CString key("word");
    counts[key]++;
    counts[key]++;
    counts[CString("other")] = 5;
    EXPECT_EQ(2, counts[key]);
    int n = 0;
    EXPECT_TRUE(counts.Lookup(CString("other"), n));
    EXPECT_EQ(5, n);
}

TEST(Map, NewValuesAreZeroFilledThenConstructed)
{
    CMap<int, int, CPartlySet, const CPartlySet&> map;
    CPartlySet& first = map[1];
    EXPECT_EQ(7, first.m_nSet);
    EXPECT_EQ(0, first.m_nUnset);

    // A recycled association must be cleared again.
    for (int i = 2; i < 6; i++)
        map[i].m_nUnset = 0x5A5A5A5A;
    map.RemoveKey(3);
    CPartlySet& again = map[3];
    EXPECT_EQ(7, again.m_nSet);
    EXPECT_EQ(0, again.m_nUnset);
}

TEST(Map, BlocksRecycledAndFreedWhenEmpty)
{
    CSeenMap map;
    for (int i = 0; i < 5; i++)
        map[i] = i;
    for (int cycle = 0; cycle < 1000; cycle++)
    {
        map[100 + cycle] = cycle;
        ASSERT_TRUE(map.RemoveKey(100 + cycle));
    }
    EXPECT_EQ(1, map.GetBlockCount());
    for (int i = 0; i < 5; i++)
        map.RemoveKey(i);
    EXPECT_EQ(0, map.GetBlockCount());
    EXPECT_FALSE(map.HasTable());
    EXPECT_EQ(17u, map.GetHashTableSize());
}

TEST(Map, BadPositionThrowsInvalidArg)
{
    CMapStringToString map;
    EXPECT_EQ(nullptr, map.GetStartPosition());
    POSITION pos = NULL;
    CString key, value;
    try
    {
        map.GetNextAssoc(pos, key, value);
        ADD_FAILURE() << "no exception";
    }
    catch (CException* e)
    {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
        e->Delete();
    }
}
