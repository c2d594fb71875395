#include "engines/dao/spreadsheet/BiffStringTable.h"

#include <algorithm>

#include "framework/core/WideText.h"
#include "framework/db/DBText.h"

namespace
{

const WORD BIFF_SST = 0x00FC;
const WORD BIFF_CONTINUE = 0x003C;
const WORD BIFF_EXTSST = 0x00FF;
const size_t MAX_RECORD_DATA = 8224;
// EXTSST lists the position of every n-th string; one record holds 1024.
const DWORD EXTSST_MIN_BUCKET = 8;
const DWORD EXTSST_MAX_BUCKETS = 1024;

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

// One string: its length and flags stay together, characters may go on in
// a CONTINUE record, which then starts with the flags again.  A string that
// does not fit the rest of the record starts a new one: FreeXL misreads a
// string that runs over more than two records.  Where the string starts
// goes to pPosition when asked.
void PutString(CSheetRecordStream& stream, const std::vector<WCHAR>& text, CStringPosition* pPosition)
{
    const BOOL bWide = NeedsTwoBytes(text);
    const size_t nCharSize = bWide ? 2 : 1;
    if (MAX_RECORD_DATA - stream.GetRecordDataSize() < 3 + text.size() * nCharSize && stream.GetRecordDataSize() > 0)
        ContinueRecord(stream);
    if (pPosition != NULL)
        *pPosition = {(DWORD)stream.GetSize(), (WORD)(stream.GetSize() - stream.GetRecordStart())};
    stream.PutWord((WORD)text.size());
    stream.PutByte(bWide ? 1 : 0);
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
}

} // namespace

DWORD CBiffStringTable::Add(const CString& strText)
{
    ++m_nUses;
    std::string key(strText, strText.GetLength());
    auto found = m_indexes.find(key);
    if (found != m_indexes.end())
        return found->second;
    CWideText wide = DBStoredTextToWide(strText, strText.GetLength());
    DWORD nIndex = (DWORD)m_texts.size();
    m_texts.emplace_back(wide.GetString(), wide.GetString() + wide.GetLength());
    m_indexes.emplace(std::move(key), nIndex);
    return nIndex;
}

void CBiffStringTable::Write(CSheetRecordStream& stream) const
{
    const DWORD nCount = (DWORD)m_texts.size();
    const DWORD nBucket = std::max(EXTSST_MIN_BUCKET, nCount / EXTSST_MAX_BUCKETS + 1);
    std::vector<CStringPosition> buckets((nCount + nBucket - 1) / nBucket);
    stream.BeginRecord(BIFF_SST);
    stream.PutDWord(m_nUses);
    stream.PutDWord(nCount);
    for (DWORD i = 0; i < nCount; ++i)
        PutString(stream, m_texts[i], i % nBucket == 0 ? &buckets[i / nBucket] : NULL);
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
