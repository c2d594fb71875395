#include "engines/dao/ParadoxTable.h"

#include "engines/dao/FileLength.h"
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
    CString strUnixPath = DaoUnixPath(strPath);
    {
        CParadoxFile file;
        pxdoc_t* px = file.Get();
        if (px == NULL)
        {
            strReason = "pxlib cannot start";
            return FALSE;
        }
        // pxlib owns the field list once the file is made.
        pxfield_t* pFields = (pxfield_t*)px->malloc(px, fields.size() * sizeof(pxfield_t), "field list");
        for (size_t i = 0; i < fields.size(); ++i)
        {
            pFields[i].px_fname = PX_strdup(px, fields[i].m_strName);
            pFields[i].px_ftype = fields[i].m_chType;
            pFields[i].px_flen = fields[i].m_nWidth;
            pFields[i].px_fdc = fields[i].m_nDecimals;
        }
        if (PX_create_file(px, pFields, (int)fields.size(), strUnixPath, pxfFileTypNonIndexDB) < 0)
        {
            strReason = "the file cannot be made";
            return FALSE;
        }
        PX_set_tablename(px, table.m_strName);
        std::string record(PX_get_recordsize(px), '\0');
        int nRow = 0;
        for (const std::vector<CSourceValue>& row : table.m_rows)
        {
            ++nRow;
            std::fill(record.begin(), record.end(), '\0');
            char* pField = &record[0];
            for (size_t i = 0; i < fields.size(); ++i)
            {
                CSourceValue blank;
                if (!PutField(px, pField, i < row.size() ? row[i] : blank, fields[i], strReason))
                {
                    strReason.AppendFormat(" (row %d)", nRow);
                    return FALSE;
                }
                pField += fields[i].m_nWidth;
            }
            if (PX_put_record(px, &record[0]) < 0)
            {
                strReason = "its records cannot be written";
                return FALSE;
            }
        }
        file.Close();
        if (!file.Error().empty())
        {
            strReason = CString("pxlib reports: ") + file.Error().c_str();
            return FALSE;
        }
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
    return TRUE;
}
