#include "engines/dao/spreadsheet/BiffStringTable.h"

#include <algorithm>

#include "engines/dao/spreadsheet/BiffRecordIds.h"
#include "framework/core/WideText.h"
#include "framework/db/DBText.h"

namespace
{

const size_t MAX_RECORD_DATA = 8224;
// EXTSST lists the position of every n-th string; one record holds 1024.
const DWORD EXTSST_MIN_BUCKET = 8;
const DWORD EXTSST_MAX_BUCKETS = 1024;
// Flags of a string's header.
const BYTE STRING_WIDE = 0x01, STRING_PHONETIC = 0x04, STRING_RICH = 0x08;

struct CStringPosition
{
    DWORD dwStream;  // of the string's first byte
    WORD wInRecord;  // from the start of the record that holds it
};

BOOL NeedsTwoBytes(const std::vector<WCHAR>& text)
{
    for (WCHAR ch : text)
    {
        if (ch > 0xFF)
            return TRUE;
    }
    return FALSE;
}

// Text of a record that continues the one before.
void ContinueRecord(CSheetRecordStream& stream)
{
    stream.EndRecord();
    stream.BeginRecord(BIFF_CONTINUE);
}

// One string: its header (length, flags, counts of runs and phonetic
// bytes) stays together, characters may go on in a CONTINUE record, which
// then starts with the flags again; runs and phonetic data go on without.
// A string that does not fit the rest of the record starts a new one:
// FreeXL misreads a string that runs over more than two records.  Where
// the string starts goes to pPosition when asked.
void PutString(CSheetRecordStream& stream, const CBiffSharedString& string, CStringPosition* pPosition)
{
    const std::vector<WCHAR>& text = string.text;
    const BOOL bWide = NeedsTwoBytes(text);
    const size_t nCharSize = bWide ? 2 : 1;
    const BYTE bFlags = (BYTE)((bWide ? STRING_WIDE : 0) | (string.nExtSize > 0 ? STRING_PHONETIC : 0)
                               | (string.nRuns > 0 ? STRING_RICH : 0));
    const size_t nHeader = 3 + (string.nRuns > 0 ? 2 : 0) + (string.nExtSize > 0 ? 4 : 0);
    if (MAX_RECORD_DATA - stream.GetRecordDataSize() < nHeader + text.size() * nCharSize + string.tail.size()
        && stream.GetRecordDataSize() > 0)
        ContinueRecord(stream);
    if (pPosition != NULL)
        *pPosition = {(DWORD)stream.GetSize(), (WORD)(stream.GetSize() - stream.GetRecordStart())};
    stream.PutWord((WORD)text.size());
    stream.PutByte(bFlags);
    if (string.nRuns > 0)
        stream.PutWord(string.nRuns);
    if (string.nExtSize > 0)
        stream.PutDWord(string.nExtSize);
    size_t nDone = 0;
    while (nDone < text.size())
    {
        size_t nRoom = (MAX_RECORD_DATA - stream.GetRecordDataSize()) / nCharSize;
        if (nRoom == 0)
        {
            ContinueRecord(stream);
            stream.PutByte(bWide ? 1 : 0);
            continue;
        }
        size_t nEnd = std::min(text.size(), nDone + nRoom);
        for (; nDone < nEnd; ++nDone)
        {
            if (bWide)
                stream.PutWord(text[nDone]);
            else
                stream.PutByte((BYTE)text[nDone]);
        }
    }
    for (size_t nTail = 0; nTail < string.tail.size();)
    {
        size_t nRoom = MAX_RECORD_DATA - stream.GetRecordDataSize();
        if (nRoom == 0)
        {
            ContinueRecord(stream);
            continue;
        }
        size_t nPart = std::min(nRoom, string.tail.size() - nTail);
        stream.PutBytes(string.tail.data() + nTail, nPart);
        nTail += nPart;
    }
}

std::string Utf8Key(const std::vector<WCHAR>& text)
{
    int nBytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), NULL, 0, NULL, NULL);
    std::string key((size_t)std::max(nBytes, 0), '\0');
    if (nBytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &key[0], nBytes, NULL, NULL);
    return key;
}

} // namespace

void CBiffStringTable::Keep(const std::vector<CBiffSharedString>& strings)
{
    for (const CBiffSharedString& string : strings)
    {
        // A cell of plain text must not take on another's runs.
        if (string.nRuns == 0 && string.nExtSize == 0)
            m_indexes.emplace(Utf8Key(string.text), (DWORD)m_strings.size());
        m_strings.push_back(string);
    }
}

DWORD CBiffStringTable::Add(const CString& strText)
{
    ++m_nUses;
    std::string key(strText, strText.GetLength());
    auto found = m_indexes.find(key);
    if (found != m_indexes.end())
        return found->second;
    CWideText wide = DBStoredTextToWide(strText, strText.GetLength());
    DWORD nIndex = (DWORD)m_strings.size();
    m_strings.emplace_back();
    m_strings.back().text.assign(wide.GetString(), wide.GetString() + wide.GetLength());
    m_indexes.emplace(std::move(key), nIndex);
    return nIndex;
}

void CBiffStringTable::Write(CSheetRecordStream& stream) const
{
    const DWORD nCount = (DWORD)m_strings.size();
    const DWORD nBucket = std::max(EXTSST_MIN_BUCKET, nCount / EXTSST_MAX_BUCKETS + 1);
    std::vector<CStringPosition> buckets((nCount + nBucket - 1) / nBucket);
    stream.BeginRecord(BIFF_SST);
    stream.PutDWord(m_nUses);
    stream.PutDWord(nCount);
    for (DWORD i = 0; i < nCount; ++i)
        PutString(stream, m_strings[i], i % nBucket == 0 ? &buckets[i / nBucket] : NULL);
    stream.EndRecord();

    stream.BeginRecord(BIFF_EXTSST);
    stream.PutWord((WORD)nBucket);
    for (const CStringPosition& position : buckets)
    {
        stream.PutDWord(position.dwStream);
        stream.PutWord(position.wInRecord);
        stream.PutWord(0);
    }
    stream.EndRecord();
}
