// The standard headers come first: windows.h defines min and max macros.
#include <algorithm>

#include "engines/dao/ParadoxTable.h"

#include "engines/dao/FileLength.h"
#include "engines/dao/ParadoxIndexFiles.h"
#include "engines/dao/SourceNumbers.h"
#include "framework/db/DaoDatabase.h"

// pxlib is a native library: its header declares C functions without
// saying so to C++, and seeing WIN32 would ask for the Windows calling
// convention, which a Winelib build really applies.
#pragma push_macro("WIN32")
#undef WIN32
extern "C" {
#include <paradox.h>
}
#pragma pop_macro("WIN32")
#include <stdio.h>
#include <string.h>
#include <string>

namespace
{

// Days of pxlib's date fields count from this serial day number on.
const long kParadoxDayZero = 1721425;
// The bytes of a block that come before its records.
const int kBlockHeaderSize = 6;
// The largest blocks pxlib makes a file of, in kilobytes (its choice for
// wide records).
const int kLargestBlocks = 16;

void KeepParadoxError(pxdoc_t*, int, const char* lpszMessage, void* pData)
{
    std::string& strError = *static_cast<std::string*>(pData);
    if (strError.empty())
        strError = lpszMessage;
}

// One pxlib document, deleted when the reader or writer leaves; its
// errors are collected instead of printed.
class CParadoxFile
{
public:
    CParadoxFile()
    {
        PX_boot();
        m_px = PX_new3(KeepParadoxError, NULL, NULL, NULL, &m_strError);
    }
    ~CParadoxFile()
    {
        if (m_px != NULL)
        {
            PX_close(m_px);
            PX_delete(m_px);
        }
        PX_shutdown();
    }
    void Close()
    {
        PX_close(m_px);
        PX_delete(m_px);
        m_px = NULL;
    }
    // Closes the file written; FALSE with the reason when pxlib complained
    // on the way (lpszWhat names the file in it).
    BOOL CloseWritten(LPCSTR lpszWhat, CString& strReason)
    {
        Close();
        if (m_strError.empty())
            return TRUE;
        strReason = CString("pxlib reports") + lpszWhat + ": " + m_strError.c_str();
        return FALSE;
    }
    pxdoc_t* Get() const { return m_px; }
    const std::string& Error() const { return m_strError; }

private:
    CParadoxFile(const CParadoxFile&) = delete;
    CParadoxFile& operator=(const CParadoxFile&) = delete;
    pxdoc_t* m_px;
    std::string m_strError;
};

BOOL IsKnownType(char chType)
{
    switch (chType)
    {
    case pxfAlpha:
    case pxfDate:
    case pxfShort:
    case pxfLong:
    case pxfAutoInc:
    case pxfCurrency:
    case pxfNumber:
    case pxfLogical:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL IsNumericType(char chType)
{
    return chType == pxfShort || chType == pxfLong || chType == pxfAutoInc || chType == pxfCurrency
           || chType == pxfNumber;
}

// A blank field is all zero bytes, whatever its type.
BOOL IsBlank(const char* pField, int nLength)
{
    for (int i = 0; i < nLength; ++i)
        if (pField[i] != 0)
            return FALSE;
    return TRUE;
}

// An integer field's value through pxlib's getter of its width.
template <typename T>
CString IntegerText(int (*get)(pxdoc_t*, char*, int, T*), pxdoc_t* px, char* pField, int nWidth)
{
    T nValue = 0;
    get(px, pField, nWidth, &nValue);
    CString strText;
    strText.Format("%ld", (long)nValue);
    return strText;
}

CString FieldText(pxdoc_t* px, char* pField, const CSourceField& field)
{
    CString strText;
    switch (field.m_chType)
    {
    case pxfAlpha:
    {
        int nEnd = field.m_nWidth;
        while (nEnd > 0 && pField[nEnd - 1] == '\0')
            --nEnd;
        return CString(pField, nEnd);
    }
    case pxfShort:
        return IntegerText(PX_get_data_short, px, pField, field.m_nWidth);
    case pxfLong:
    case pxfAutoInc:
        return IntegerText(PX_get_data_long, px, pField, field.m_nWidth);
    case pxfCurrency:
    case pxfNumber:
    {
        double dValue = 0;
        PX_get_data_double(px, pField, field.m_nWidth, &dValue);
        return SourceNumberText(dValue);
    }
    case pxfLogical:
    {
        char chValue = 0;
        PX_get_data_byte(px, pField, field.m_nWidth, &chValue);
        return chValue ? "T" : "F";
    }
    default:
    {
        long nDays = 0;
        PX_get_data_long(px, pField, field.m_nWidth, &nDays);
        int nYear = 0, nMonth = 0, nDay = 0;
        PX_SdnToGregorian(nDays + kParadoxDayZero, &nYear, &nMonth, &nDay);
        strText.Format("%04d%02d%02d", nYear, nMonth, nDay);
        return strText;
    }
    }
}

// Puts one value into its field; FALSE with the reason when it cannot
// stand there.  A NULL value leaves the field blank.
BOOL PutField(pxdoc_t* px, char* pField, const CSourceValue& value, const CSourceField& field, CString& strReason)
{
    if (value.m_bNull || (value.m_strText.IsEmpty() && field.m_chType != pxfAlpha))
        return TRUE;
    const CString& strText = value.m_strText;
    double dValue = 0;
    if (IsNumericType(field.m_chType) && !ParseSourceNumber(strText, dValue))
    {
        strReason = "the value \"" + strText + "\" of field " + field.m_strName + " is not a number";
        return FALSE;
    }
    switch (field.m_chType)
    {
    case pxfAlpha:
        if (strText.GetLength() > field.m_nWidth)
        {
            strReason.Format("the value \"%s\" does not fit the %d characters of field %s", (LPCSTR)strText,
                             field.m_nWidth, (LPCSTR)field.m_strName);
            return FALSE;
        }
        memcpy(pField, (LPCSTR)strText, strText.GetLength());
        return TRUE;
    case pxfShort:
        if (dValue < -32767 || dValue > 32767)
            break;
        PX_put_data_short(px, pField, field.m_nWidth, (short)dValue);
        return TRUE;
    case pxfLong:
    case pxfAutoInc:
        if (dValue < -2147483647.0 || dValue > 2147483647.0)
            break;
        PX_put_data_long(px, pField, field.m_nWidth, (int)dValue);
        return TRUE;
    case pxfCurrency:
    case pxfNumber:
        PX_put_data_double(px, pField, field.m_nWidth, dValue);
        return TRUE;
    case pxfLogical:
    {
        char ch = (char)toupper((unsigned char)strText[0]);
        if (strchr("TY1FN0", ch) == NULL)
        {
            strReason = "the value \"" + strText + "\" of field " + field.m_strName + " is not true or false";
            return FALSE;
        }
        PX_put_data_byte(px, pField, field.m_nWidth, strchr("TY1", ch) != NULL ? 1 : 0);
        return TRUE;
    }
    default:
    {
        int nYear = 0, nMonth = 0, nDay = 0;
        if (strText.GetLength() != 8 || sscanf(strText, "%4d%2d%2d", &nYear, &nMonth, &nDay) != 3)
        {
            strReason = "the value \"" + strText + "\" of field " + field.m_strName + " is no date (YYYYMMDD)";
            return FALSE;
        }
        PX_put_data_long(px, pField, field.m_nWidth, (int)(PX_GregorianToSdn(nYear, nMonth, nDay) - kParadoxDayZero));
        return TRUE;
    }
    }
    strReason = "the value \"" + strText + "\" is too large for field " + field.m_strName;
    return FALSE;
}

// The field of a column that had no field in a file: text of the widest kind.
CSourceField NewTextField(const CString& strName)
{
    CSourceField field;
    field.m_strName = strName.Left(25);
    field.m_chType = pxfAlpha;
    field.m_nWidth = 255;
    return field;
}

// The field list of a new file; pxlib owns it once the file is made.
pxfield_t* NewFieldList(pxdoc_t* px, const std::vector<CSourceField>& fields, int nFields)
{
    pxfield_t* pFields = (pxfield_t*)px->malloc(px, nFields * sizeof(pxfield_t), "field list");
    for (int i = 0; i < nFields; ++i)
    {
        pFields[i].px_fname = PX_strdup(px, fields[i].m_strName);
        pFields[i].px_ftype = fields[i].m_chType;
        pFields[i].px_flen = fields[i].m_nWidth;
        pFields[i].px_fdc = fields[i].m_nDecimals;
    }
    return pFields;
}

// Fills the record (all zero bytes) with the row's values.
BOOL PutRecord(pxdoc_t* px, char* pRecord, const std::vector<CSourceValue>& row,
               const std::vector<CSourceField>& fields, CString& strReason)
{
    for (size_t i = 0; i < fields.size(); ++i)
    {
        CSourceValue blank;
        if (!PutField(px, pRecord, i < row.size() ? row[i] : blank, fields[i], strReason))
            return FALSE;
        pRecord += fields[i].m_nWidth;
    }
    return TRUE;
}

int KeyWidth(const std::vector<CSourceField>& fields, int nKeys)
{
    int nWidth = 0;
    for (int i = 0; i < nKeys; ++i)
        nWidth += fields[i].m_nWidth;
    return nWidth;
}

// The order the records go to the file in: as given without a key, else
// by their key fields.  pxlib stores every kind of field so that its
// bytes compare as its values do (blank first), so the key's bytes sort
// the records.  Empty, with nRepeated one of two records that share a key
// (which a keyed table cannot hold), when there are such.
std::vector<int> RecordOrder(const std::string& records, int nRecordSize, int nKeyWidth, int& nRepeated)
{
    std::vector<int> order(records.size() / nRecordSize);
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = (int)i;
    if (nKeyWidth == 0)
        return order;
    auto key = [&](int r) { return records.data() + (size_t)r * nRecordSize; };
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return memcmp(key(a), key(b), nKeyWidth) < 0; });
    for (size_t i = 1; i < order.size(); ++i)
        if (memcmp(key(order[i - 1]), key(order[i]), nKeyWidth) == 0)
        {
            nRepeated = order[i];
            return std::vector<int>();
        }
    return order;
}

// The reason a row's key cannot be written: another row has it.
CString RepeatedKey(const std::vector<CSourceValue>& row, int nKeys)
{
    CString strKey;
    for (int i = 0; i < nKeys; ++i)
        strKey += (i > 0 ? ", " : "") + (i < (int)row.size() && !row[i].m_bNull ? row[i].m_strText : CString());
    return "two of its rows have the same primary key (" + strKey + "), which a keyed table holds once";
}

// TRUE when an index of two levels, whose blocks hold the index file's
// entries, reaches every data block of the table.
BOOL IndexReaches(const pxhead_t* pIndexHead, int nDataBlocks)
{
    int nEntries = (pIndexHead->px_maxtablesize * 0x400 - kBlockHeaderSize) / pIndexHead->px_recordsize;
    return nDataBlocks <= nEntries || (nDataBlocks + nEntries - 1) / nEntries <= nEntries;
}

// Writes the primary index of the keyed table px holds, whose records are
// all written, to the new file strUnixIndex.  pxlib writes an index of at
// most two levels, in blocks of the size it picks by the key's width; a
// table too large for them gets the largest blocks it picks, and one too
// large for those is refused.
BOOL WritePrimaryIndex(pxdoc_t* px, const std::vector<CSourceField>& fields, int nKeys, const CString& strUnixIndex,
                       const CString& strTable, CString& strReason)
{
    CParadoxFile index;
    pxdoc_t* pIndex = index.Get();
    if (pIndex == NULL
        || PX_create_file(pIndex, NewFieldList(pIndex, fields, nKeys), nKeys, strUnixIndex, pxfFileTypPrimIndex) < 0)
    {
        strReason = "its primary index cannot be made";
        return FALSE;
    }
    const int nBlocks = (int)px->px_head->px_fileblocks;
    if (!IndexReaches(pIndex->px_head, nBlocks))
    {
        // Setting the name writes the header anew, with the block size.
        pIndex->px_head->px_maxtablesize = kLargestBlocks;
        PX_set_tablename(pIndex, strTable);
    }
    if (!IndexReaches(pIndex->px_head, nBlocks))
    {
        strReason.Format("its %d rows need a primary index of more than the two levels pxlib writes",
                         PX_get_num_records(px));
        return FALSE;
    }
    if (PX_write_primary_index(px, pIndex) < 0)
    {
        strReason = "its primary index cannot be written";
        return FALSE;
    }
    return index.CloseWritten(" on the primary index", strReason);
}

// TRUE when the primary index file reads back whole, without a complaint
// of pxlib's, and covers nRecords records.
BOOL PrimaryIndexReadsBack(const CString& strUnixIndex, int nRecords)
{
    CParadoxFile index;
    pxdoc_t* pIndex = index.Get();
    if (pIndex == NULL || PX_open_file(pIndex, strUnixIndex) < 0 || PX_read_primary_index(pIndex) < 0)
        return FALSE;
    const pxpindex_t* pEntries = static_cast<const pxpindex_t*>(pIndex->px_data);
    int nCovered = 0;
    for (int i = 0; i < pIndex->px_head->px_numrecords; ++i)
        if (pEntries[i].level == 1)
            nCovered += pEntries[i].numrecords;
    return nCovered == nRecords && index.Error().empty();
}

} // namespace

BOOL ReadParadoxTable(const CString& strPath, CSourceTable& table, CString& strReason)
{
    CParadoxFile file;
    pxdoc_t* px = file.Get();
    if (px == NULL || PX_open_file(px, DaoUnixPath(strPath)) < 0)
    {
        strReason = "it is no Paradox table, or its header is damaged";
        return FALSE;
    }
    pxhead_t* pHead = px->px_head;
    LONGLONG nNeeded = (LONGLONG)pHead->px_headersize + (LONGLONG)pHead->px_fileblocks * pHead->px_maxtablesize * 0x400;
    if (FileLength(strPath) < nNeeded)
    {
        strReason.Format("it is cut short: its header counts %u blocks that the file does not hold",
                         pHead->px_fileblocks);
        return FALSE;
    }
    table.m_columns.clear();
    table.m_fields.clear();
    table.m_rows.clear();
    table.m_nKeyFields = pHead->px_filetype == pxfFileTypIndexDB ? pHead->px_primarykeyfields : 0;
    int nFields = PX_get_num_fields(px);
    pxfield_t* pFields = PX_get_fields(px);
    for (int i = 0; i < nFields; ++i)
    {
        CSourceField field;
        field.m_strName = pFields[i].px_fname;
        field.m_chType = pFields[i].px_ftype;
        field.m_nWidth = pFields[i].px_flen;
        field.m_nDecimals = pFields[i].px_fdc;
        if (!IsKnownType(field.m_chType))
        {
            strReason.Format("its field %s is of a kind (%d) this program does not read", (LPCSTR)field.m_strName,
                             field.m_chType);
            return FALSE;
        }
        table.m_fields.push_back(field);
        table.m_columns.push_back(field.m_strName);
    }
    int nRecords = PX_get_num_records(px);
    std::string record(PX_get_recordsize(px), '\0');
    table.m_rows.reserve(nRecords);
    for (int r = 0; r < nRecords; ++r)
    {
        if (PX_get_record(px, r, &record[0]) == NULL)
        {
            strReason.Format("its record %d cannot be read", r + 1);
            return FALSE;
        }
        std::vector<CSourceValue> row(nFields);
        char* pField = &record[0];
        for (int i = 0; i < nFields; ++i)
        {
            const CSourceField& field = table.m_fields[i];
            row[i].m_bNull = IsBlank(pField, field.m_nWidth);
            if (!row[i].m_bNull)
                row[i].m_strText = FieldText(px, pField, field);
            row[i].m_bNumber = !row[i].m_bNull && IsNumericType(field.m_chType);
            pField += field.m_nWidth;
        }
        table.m_rows.push_back(std::move(row));
    }
    return TRUE;
}

BOOL WriteParadoxTable(const CString& strPath, const CSourceTable& table, CString& strReason)
{
    std::vector<CSourceField> fields = table.m_fields;
    for (size_t i = fields.size(); i < table.m_columns.size(); ++i)
        fields.push_back(NewTextField(table.m_columns[i]));
    const int nKeys = table.m_nKeyFields > 0 && table.m_nKeyFields <= (int)fields.size() ? table.m_nKeyFields : 0;
    CString strUnixPath = DaoUnixPath(strPath);
    CString strUnixIndex = DaoUnixPath(ParadoxPrimaryIndexPath(strPath));
    {
        CParadoxFile file;
        pxdoc_t* px = file.Get();
        if (px == NULL)
        {
            strReason = "pxlib cannot start";
            return FALSE;
        }
        if (PX_create_file(px, NewFieldList(px, fields, (int)fields.size()), (int)fields.size(), strUnixPath,
                           nKeys > 0 ? pxfFileTypIndexDB : pxfFileTypNonIndexDB) < 0
            || (nKeys > 0 && PX_set_value(px, "numprimkeys", (float)nKeys) < 0))
        {
            strReason = "the file cannot be made";
            return FALSE;
        }
        PX_set_tablename(px, table.m_strName);
        const int nRecordSize = PX_get_recordsize(px);
        // A keyed table holds its records in the order of their keys.
        std::string records((size_t)nRecordSize * table.m_rows.size(), '\0');
        for (size_t r = 0; r < table.m_rows.size(); ++r)
            if (!PutRecord(px, &records[r * nRecordSize], table.m_rows[r], fields, strReason))
            {
                strReason.AppendFormat(" (row %d)", (int)r + 1);
                return FALSE;
            }
        int nRepeated = 0;
        std::vector<int> order = RecordOrder(records, nRecordSize, KeyWidth(fields, nKeys), nRepeated);
        if (order.size() != table.m_rows.size())
        {
            strReason = RepeatedKey(table.m_rows[nRepeated], nKeys);
            return FALSE;
        }
        for (int r : order)
            if (PX_put_record(px, &records[(size_t)r * nRecordSize]) < 0)
            {
                strReason = "its records cannot be written";
                return FALSE;
            }
        if (nKeys > 0 && !WritePrimaryIndex(px, fields, nKeys, strUnixIndex, table.m_strName, strReason))
            return FALSE;
        if (!file.CloseWritten("", strReason))
            return FALSE;
    }
    // pxlib does not report a failed flush when it closes the file: read
    // the header back and check that every block is there.
    CParadoxFile file;
    pxdoc_t* px = file.Get();
    if (px == NULL || PX_open_file(px, strUnixPath) < 0 || PX_get_num_records(px) != (int)table.m_rows.size()
        || FileLength(strPath) < (LONGLONG)px->px_head->px_headersize
                                     + (LONGLONG)px->px_head->px_fileblocks * px->px_head->px_maxtablesize * 0x400)
    {
        strReason = "the file could not be written whole (is the disk full?)";
        return FALSE;
    }
    if (nKeys > 0 && !PrimaryIndexReadsBack(strUnixIndex, PX_get_num_records(px)))
    {
        strReason = "its primary index does not read back";
        return FALSE;
    }
    return TRUE;
}
