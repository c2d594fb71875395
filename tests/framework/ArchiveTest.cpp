#include "tests/support/Gtest.h"
#include "framework/core/Archive.h"
#include "framework/core/MemFile.h"

#include <psapi.h>

#include <string.h>
#include <functional>
#include <string>
#include <vector>

namespace {

typedef std::vector<BYTE> Bytes;

// Stores through an archive over a memory file and returns the bytes.
Bytes Store(const std::function<void(CArchive&)>& write, int nBufSize = 4096)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store, nBufSize);
    write(ar);
    ar.Close();
    return Bytes(file.GetBufferPtr(), file.GetBufferPtr() + file.GetLength());
}

// Runs f and returns the cause of the CArchiveException it throws, -1 when
// it throws nothing and -2 for another exception.
template <class F>
int ArchiveCause(F f)
{
    try
    {
        f();
    }
    catch (CArchiveException* e)
    {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    catch (CException* e)
    {
        e->Delete();
        return -2;
    }
    return -1;
}

// Loads from bytes through f and returns the archive exception's cause.
int LoadCause(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    return ArchiveCause([&] { read(ar); });
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The most memory the process has held so far, in bytes.
SIZE_T PeakMemory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)))
        return 0;
    return counters.PeakWorkingSetSize > counters.PeakPagefileUsage ? counters.PeakWorkingSetSize
                                                                    : counters.PeakPagefileUsage;
}

Bytes Text(const char* s)
{
    return Bytes(s, s + strlen(s));
}

// A file that cannot tell its length, as some streams cannot.
class CUnsizedFile : public CMemFile
{
public:
    CUnsizedFile(const void* pData, UINT nSize) : CMemFile(pData, nSize) {}
    ULONGLONG GetLength() const override { AfxThrowNotSupportedException(); }
};

const char kPointName[] = "CArchiveTestPoint";

}

// Outside the anonymous namespace: the archive finds classes by name, and
// not every class here is named by a test.

class CArchiveTestPoint : public CObject
{
    DECLARE_SERIAL(CArchiveTestPoint)
public:
    int m_x = 0;
    int m_y = 0;
    CArchiveTestPoint* m_pNext = nullptr;     // not owned

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_x << m_y << m_pNext;
        else
            ar >> m_x >> m_y >> m_pNext;
    }
};
IMPLEMENT_SERIAL(CArchiveTestPoint, CObject, 3)

class CArchiveTestPoint3 : public CArchiveTestPoint
{
    DECLARE_SERIAL(CArchiveTestPoint3)
};
IMPLEMENT_SERIAL(CArchiveTestPoint3, CArchiveTestPoint, 1)

class CArchiveTestOther : public CObject
{
    DECLARE_SERIAL(CArchiveTestOther)
};
IMPLEMENT_SERIAL(CArchiveTestOther, CObject, 1)

class CArchiveTestPlain : public CObject
{
    DECLARE_DYNAMIC(CArchiveTestPlain)
};
IMPLEMENT_DYNAMIC(CArchiveTestPlain, CObject)

TEST(Archive, PrimitivesAreLittleEndian)
{
    EXPECT_EQ(Bytes({0x34, 0x12}), Store([](CArchive& ar) { ar << (WORD)0x1234; }));
    EXPECT_EQ(Bytes({0x78, 0x56, 0x34, 0x12}), Store([](CArchive& ar) { ar << (DWORD)0x12345678; }));
    EXPECT_EQ(Bytes({0xFE, 0xFF, 0xFF, 0xFF}), Store([](CArchive& ar) { ar << (LONG)-2; }));
    EXPECT_EQ(Bytes({0xFF, 0x7F}), Store([](CArchive& ar) { ar << (short)0x7FFF; }));
    EXPECT_EQ(Bytes({0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01}),
              Store([](CArchive& ar) { ar << (ULONGLONG)0x0102030405060708ull; }));
    EXPECT_EQ(Bytes({0x00, 0x00, 0x80, 0x3F}), Store([](CArchive& ar) { ar << 1.0f; }));
    EXPECT_EQ(Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F}), Store([](CArchive& ar) { ar << 1.0; }));
    EXPECT_EQ(Bytes({0x41, 0xC8}), Store([](CArchive& ar) { ar << 'A' << (BYTE)0xC8; }));
}

TEST(Archive, PrimitivesRoundTrip)
{
    Bytes bytes = Store([](CArchive& ar) {
        ar << (BYTE)0xFF << (char)-5 << (WORD)0xFFFE << (short)-32768 << (LONG)INT32_MIN
           << (DWORD)0xFFFFFFFFu << (int)-123456 << (UINT)4000000000u
           << (LONGLONG)INT64_MIN << (ULONGLONG)UINT64_MAX << -2.5f << 3.141592653589793;
    });
    ASSERT_EQ(1u + 1 + 2 + 2 + 4 + 4 + 4 + 4 + 8 + 8 + 4 + 8, bytes.size());

    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    BYTE by; char ch; WORD w; short s; LONG l; DWORD dw; int i; UINT u;
    LONGLONG ll; ULONGLONG ull; float f; double d;
    ar >> by >> ch >> w >> s >> l >> dw >> i >> u >> ll >> ull >> f >> d;
    EXPECT_EQ(0xFF, by);
    EXPECT_EQ(-5, ch);
    EXPECT_EQ(0xFFFE, w);
    EXPECT_EQ(-32768, s);
    EXPECT_EQ(INT32_MIN, l);
    EXPECT_EQ(0xFFFFFFFFu, dw);
    EXPECT_EQ(-123456, i);
    EXPECT_EQ(4000000000u, u);
    EXPECT_EQ(INT64_MIN, ll);
    EXPECT_EQ(UINT64_MAX, ull);
    EXPECT_EQ(-2.5f, f);
    EXPECT_EQ(3.141592653589793, d);
    BYTE extra;
    EXPECT_EQ(0u, ar.Read(&extra, 1));
}

TEST(Archive, CountForms)
{
    struct Case { DWORD_PTR count; Bytes bytes; };
    const Case cases[] = {
        {0, {0x00, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
        {0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "count " << c.count);
        Bytes bytes = Store([&](CArchive& ar) { ar.WriteCount(c.count); });
        EXPECT_EQ(c.bytes, bytes);
        CMemFile file(bytes.data(), (UINT)bytes.size());
        CArchive ar(&file, CArchive::load);
        EXPECT_EQ(c.count, ar.ReadCount());
    }

    // No form holds more than 32 bits.
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_EQ(CArchiveException::genericException, ArchiveCause([&] { ar.WriteCount(0x100000000ull); }));

    // The long form cut short is an error, not a small count.
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause({0xFF, 0xFF, 0x01}, [](CArchive& a) { a.ReadCount(); }));
}

TEST(Archive, StringLengthPrefixes)
{
    struct Case { int length; Bytes prefix; };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "length " << c.length);
        std::string text(c.length, 'x');
        for (int i = 0; i < c.length; ++i)
            text[i] = (char)('a' + i % 26);
        CString str(text.c_str(), c.length);
        Bytes bytes = Store([&](CArchive& ar) { ar << str; });
        ASSERT_EQ(c.prefix.size() + c.length, bytes.size());
        EXPECT_EQ(c.prefix, Bytes(bytes.begin(), bytes.begin() + c.prefix.size()));
        EXPECT_EQ(0, memcmp(bytes.data() + c.prefix.size(), text.data(), c.length));

        CMemFile file(bytes.data(), (UINT)bytes.size());
        CArchive ar(&file, CArchive::load);
        CString back("old");
        ar >> back;
        EXPECT_EQ(c.length, back.GetLength());
        EXPECT_TRUE(back == str);
    }
}

TEST(Archive, StringKeepsEmbeddedZeroBytes)
{
    CString str("a\0b", 3);
    Bytes bytes = Store([&](CArchive& ar) { ar << str << CString("next"); });
    EXPECT_EQ(Bytes({3, 'a', 0, 'b', 4, 'n', 'e', 'x', 't'}), bytes);
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    CString a, b;
    ar >> a >> b;
    EXPECT_EQ(3, a.GetLength());
    EXPECT_EQ(0, memcmp((LPCSTR)a, "a\0b", 3));
    EXPECT_STREQ("next", b);
}

TEST(Archive, DamagedStringLengthsFailWithoutHugeAllocations)
{
    CString str("unchanged");
    auto readString = [&](CArchive& ar) { ar >> str; };

    // A u32 length far beyond the few bytes present.
    EXPECT_EQ(CArchiveException::endOfFile,
              LoadCause({0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 'a', 'b'}, readString));
    EXPECT_EQ(CArchiveException::endOfFile,
              LoadCause({0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 'a', 'b'}, readString));
    // One byte short of a u16 length.
    Bytes shortBy1 = Concat({{0xFF, 0x2C, 0x01}, Bytes(299, 'z')});
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause(shortBy1, readString));
    // Cut inside the prefix itself.
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause({0xFF, 0xFF}, readString));
    // The wide-string marker is never written by this build.
    EXPECT_EQ(CArchiveException::genericException, LoadCause({0xFF, 0xFE, 0xFF, 0x01, 'a', 0}, readString));
    EXPECT_STREQ("unchanged", str);

    // Where the file cannot tell its length the bytes are read in pieces,
    // so the 2 GB length only costs what is there.
    const BYTE huge[] = {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 'a', 'b', 'c'};
    CUnsizedFile unsized(huge, sizeof(huge));
    CArchive ar(&unsized, CArchive::load);
    EXPECT_EQ((ULONGLONG)-1, ar.GetBytesRemaining());
    SIZE_T nPeakBefore = PeakMemory();
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { ar >> str; }));
    EXPECT_STREQ("unchanged", str);
    if (nPeakBefore == 0)
        GTEST_SKIP() << "GetProcessMemoryInfo gives no counters here";
    EXPECT_LT(PeakMemory(), nPeakBefore + 64 * 1024 * 1024);
}

TEST(Archive, ExtractionAtTheEndThrowsButReadIsShort)
{
    const Bytes three = {1, 2, 3};
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause(three, [](CArchive& ar) { DWORD dw; ar >> dw; }));
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause({}, [](CArchive& ar) { BYTE b; ar >> b; }));
    EXPECT_EQ(CArchiveException::endOfFile,
              LoadCause({1, 0, 0, 0, 2}, [](CArchive& ar) { LONG a, b; ar >> a >> b; }));

    // The exception is a heap object of the archive class naming no file
    // for a memory file.
    CMemFile file(three.data(), (UINT)three.size());
    CArchive ar(&file, CArchive::load);
    try
    {
        DWORD dw;
        ar >> dw;
        ADD_FAILURE() << "no exception";
    }
    catch (CException* e)
    {
        CArchiveException* pArchive = DYNAMIC_DOWNCAST(CArchiveException, e);
        ASSERT_NE(nullptr, pArchive);
        EXPECT_EQ(CArchiveException::endOfFile, pArchive->m_cause);
        EXPECT_TRUE(pArchive->m_strFileName.IsEmpty());
        e->Delete();
    }

    // Read reports how much there was and does not throw.
    CMemFile tail(three.data(), (UINT)three.size());
    CArchive reader(&tail, CArchive::load);
    BYTE buf[8] = {};
    UINT n = 99;
    EXPECT_EQ(-1, ArchiveCause([&] { n = reader.Read(buf, 4); }));
    EXPECT_EQ(3u, n);
    EXPECT_EQ(3, buf[2]);
    EXPECT_EQ(-1, ArchiveCause([&] { n = reader.Read(buf, 4); }));
    EXPECT_EQ(0u, n);
}

TEST(Archive, EndOfFileExceptionNamesARealFile)
{
    char dir[MAX_PATH], path[MAX_PATH];
    GetTempPathA(sizeof(dir), dir);
    ASSERT_NE(0u, GetTempFileNameA(dir, "cat", 0, path));
    {
        CFile out(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&out, CArchive::store);
        ar << (WORD)7;
        ar.Close();
    }
    CFile in(path, CFile::modeRead);
    CArchive ar(&in, CArchive::load);
    WORD w = 0;
    ar >> w;
    EXPECT_EQ(7, w);
    try
    {
        ar >> w;
        ADD_FAILURE() << "no exception";
    }
    catch (CArchiveException* e)
    {
        EXPECT_EQ(CArchiveException::endOfFile, e->m_cause);
        EXPECT_STREQ(in.GetFilePath(), e->m_strFileName);
        char text[512];
        EXPECT_TRUE(e->GetErrorMessage(text, sizeof(text)));
        EXPECT_NE(nullptr, strstr(text, path)) << text;
        e->Delete();
    }
    ar.Close();
    in.Close();
    DeleteFileA(path);
}

TEST(Archive, BufferingKeepsOrderAcrossSmallAndLargeWrites)
{
    // Buffer sizes at the minimum and the default, with writes below, at
    // and above each.
    for (int nBufSize : {16, 4096})
    {
        SCOPED_TRACE(testing::Message() << "buffer " << nBufSize);
        std::string big(10000, '\0');
        for (size_t i = 0; i < big.size(); ++i)
            big[i] = (char)(i * 31 + 7);
        Bytes bytes = Store([&](CArchive& ar) {
            for (int i = 0; i < 300; ++i)
            {
                ar << (BYTE)i << (WORD)(i * 3) << (DWORD)(i * 100003);
                if (i % 50 == 0)
                    ar.Write(big.data(), (UINT)big.size());
                if (i % 70 == 0)
                    ar.Write(big.data(), 17);
            }
        }, nBufSize);
        ASSERT_EQ(300u * 7 + 6 * big.size() + 5 * 17, bytes.size());

        for (int nLoadSize : {16, 100, 4096})
        {
            SCOPED_TRACE(testing::Message() << "load buffer " << nLoadSize);
            CMemFile file(bytes.data(), (UINT)bytes.size());
            CArchive ar(&file, CArchive::load, nLoadSize);
            bool same = true;
            std::string back(big.size(), '\0');
            for (int i = 0; i < 300 && same; ++i)
            {
                BYTE b; WORD w; DWORD dw;
                ar >> b >> w >> dw;
                same = b == (BYTE)i && w == (WORD)(i * 3) && dw == (DWORD)(i * 100003);
                if (same && i % 50 == 0)
                    same = ar.Read(&back[0], (UINT)back.size()) == back.size() && back == big;
                if (same && i % 70 == 0)
                    same = ar.Read(&back[0], 17) == 17 && memcmp(back.data(), big.data(), 17) == 0;
                if (!same)
                    ADD_FAILURE() << "mismatch at record " << i;
            }
            BYTE extra;
            EXPECT_EQ(0u, ar.Read(&extra, 1));
        }
    }
}

TEST(Archive, CallersBufferIsUsed)
{
    BYTE buffer[64];
    memset(buffer, 0xAA, sizeof(buffer));
    CMemFile file;
    CArchive ar(&file, CArchive::store, sizeof(buffer), buffer);
    ar << (DWORD)0x01020304;
    EXPECT_EQ(0u, file.GetLength());
    EXPECT_EQ(0x04, buffer[0]);
    ar.Flush();
    EXPECT_EQ(4u, file.GetLength());
    ar.Close();
}

TEST(Archive, FlushAndCloseLeaveTheFileAtTheArchivePosition)
{
    Bytes bytes(100);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = (BYTE)i;
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    EXPECT_EQ(100u, ar.GetBytesRemaining());
    BYTE b[3];
    ASSERT_EQ(3u, ar.Read(b, 3));
    // The whole file was read ahead; what is left is counted from the archive.
    EXPECT_EQ(100u, file.GetPosition());
    EXPECT_EQ(97u, ar.GetBytesRemaining());
    ar.Flush();
    EXPECT_EQ(3u, file.GetPosition());
    WORD w;
    ar >> w;
    EXPECT_EQ(0x0403, w);
    ar.Close();
    EXPECT_EQ(5u, file.GetPosition());
    EXPECT_EQ(nullptr, ar.GetFile());
}

TEST(Archive, DestructorWritesUnlessTold)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(ar.IsStoring());
        EXPECT_FALSE(ar.IsLoading());
        EXPECT_EQ(&file, ar.GetFile());
        EXPECT_EQ(nullptr, ar.m_pDocument);
        ar << (DWORD)1;
    }
    EXPECT_EQ(4u, file.GetLength());
    {
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        ar << (DWORD)2;
    }
    EXPECT_EQ(4u, file.GetLength());
    {
        CArchive ar(&file, CArchive::store);
        ar << (DWORD)3;
        ar.Abort();
    }
    EXPECT_EQ(4u, file.GetLength());
}

TEST(Archive, WrongDirectionIsRefused)
{
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    BYTE b = 0;
    EXPECT_EQ(CArchiveException::writeOnly, ArchiveCause([&] { storing.Read(&b, 1); }));
    EXPECT_EQ(CArchiveException::writeOnly, ArchiveCause([&] { storing >> b; }));
    storing.Close();

    CArchive loading(&file, CArchive::load);
    EXPECT_TRUE(loading.IsLoading());
    EXPECT_EQ(CArchiveException::readOnly, ArchiveCause([&] { loading << (BYTE)1; }));
    EXPECT_EQ(CArchiveException::readOnly, ArchiveCause([&] { loading << CString("x"); }));
}

TEST(Archive, ObjectsCarryClassTagsAndBackReferences)
{
    CArchiveTestPoint p, q;
    p.m_x = 1;
    p.m_y = 2;
    q.m_x = -1;
    q.m_y = 5;
    q.m_pNext = &p;
    Bytes bytes = Store([&](CArchive& ar) { ar << &p << &p << &q << (CObject*)nullptr; });

    Bytes expected = Concat({
        {0xFF, 0xFF, 0x03, 0x00, (BYTE)strlen(kPointName), 0x00}, Text(kPointName),
        {1, 0, 0, 0, 2, 0, 0, 0, 0x00, 0x00},        // p, no next
        {0x02, 0x00},                                // p again: object 2
        {0x01, 0x80},                                // class 1
        {0xFF, 0xFF, 0xFF, 0xFF, 5, 0, 0, 0, 0x02, 0x00},  // q, next is p
        {0x00, 0x00},
    });
    EXPECT_EQ(expected, bytes);

    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    CArchiveTestPoint* p1 = nullptr;
    CArchiveTestPoint* p2 = nullptr;
    CArchiveTestPoint* q1 = nullptr;
    CObject* none = &p;
    ar >> p1 >> p2 >> q1 >> none;
    ASSERT_NE(nullptr, p1);
    ASSERT_NE(nullptr, q1);
    EXPECT_EQ(p1, p2);
    EXPECT_EQ(1, p1->m_x);
    EXPECT_EQ(2, p1->m_y);
    EXPECT_EQ(nullptr, p1->m_pNext);
    EXPECT_EQ(-1, q1->m_x);
    EXPECT_EQ(p1, q1->m_pNext);
    EXPECT_EQ(nullptr, none);
    delete p1;
    delete q1;
}

TEST(Archive, ObjectsOfDerivedClassesAndSelfReferences)
{
    CArchiveTestPoint3 d;
    d.m_x = 9;
    d.m_pNext = &d;
    Bytes bytes = Store([&](CArchive& ar) { ar << &d; });
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    CArchiveTestPoint* back = nullptr;
    ar >> back;
    ASSERT_NE(nullptr, back);
    EXPECT_TRUE(back->IsKindOf(RUNTIME_CLASS(CArchiveTestPoint3)));
    EXPECT_EQ(9, back->m_x);
    EXPECT_EQ(back, back->m_pNext);
    delete back;
}

TEST(Archive, BadObjectDataIsRefused)
{
    auto readPoint = [](CArchive& ar) {
        CArchiveTestPoint* p = nullptr;
        ar >> p;
        delete p;
    };
    Bytes header = {0xFF, 0xFF, 0x03, 0x00, (BYTE)strlen(kPointName), 0x00};

    EXPECT_EQ(CArchiveException::badClass,
              LoadCause(Concat({{0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00}, Text("CNop")}), readPoint));
    EXPECT_EQ(CArchiveException::badSchema,
              LoadCause(Concat({{0xFF, 0xFF, 0x04, 0x00, (BYTE)strlen(kPointName), 0x00}, Text(kPointName)}),
                        readPoint));
    EXPECT_EQ(CArchiveException::badIndex, LoadCause({0x05, 0x00}, readPoint));
    EXPECT_EQ(CArchiveException::badIndex, LoadCause({0x01, 0x80}, readPoint));
    // A class index used as an object reference.
    EXPECT_EQ(CArchiveException::badIndex,
              LoadCause(Concat({header, Text(kPointName), {1, 0, 0, 0, 2, 0, 0, 0, 0x01, 0x00}}), readPoint));
    // The object's data cut short: the half-read object is freed.
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause(Concat({header, Text(kPointName), {1, 0}}), readPoint));

    // An object of an unrelated class where a point is expected.
    CArchiveTestOther other;
    Bytes otherBytes = Store([&](CArchive& ar) { ar << &other; });
    EXPECT_EQ(CArchiveException::badClass, LoadCause(otherBytes, readPoint));
    EXPECT_EQ(-1, LoadCause(otherBytes, [](CArchive& ar) {
        CObject* p = nullptr;
        ar >> p;
        EXPECT_TRUE(p != nullptr && p->IsKindOf(RUNTIME_CLASS(CArchiveTestOther)));
        delete p;
    }));

    // A class without a schema cannot be stored.
    CArchiveTestPlain plain;
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_EQ(CArchiveException::badClass, ArchiveCause([&] { ar << &plain; }));
}

TEST(ArchiveException, Messages)
{
    char text[512];
    CArchiveException eof(CArchiveException::endOfFile, "C:\\t\\a.kvm");
    EXPECT_TRUE(eof.GetErrorMessage(text, sizeof(text)));
    EXPECT_STREQ("The file \"C:\\t\\a.kvm\" ended unexpectedly: its data is truncated or damaged.", text);
    CArchiveException unnamed(CArchiveException::badSchema);
    EXPECT_TRUE(unnamed.GetErrorMessage(text, sizeof(text)));
    EXPECT_STREQ("An unnamed file contains an object of an unsupported version.", text);

    EXPECT_EQ(CArchiveException::badIndex,
              ArchiveCause([] { AfxThrowArchiveException(CArchiveException::badIndex); }));
}
