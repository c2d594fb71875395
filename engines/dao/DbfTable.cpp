#include "engines/dao/DbfTable.h"

#include "engines/dao/FileLength.h"
#include "engines/dao/SourceNumbers.h"
#include "framework/db/DaoDatabase.h"

#include <shapefil.h>
#include <stdio.h>
#include <string.h>
#include <string>

namespace
{

// shapelib reports its errors through a hook that takes no context: the
// first one of a call is kept here (the engine runs on one thread).
std::string g_strShapelibError;

void KeepShapelibError(const char* lpszMessage)
{
    if (g_strShapelibError.empty())
        g_strShapelibError = lpszMessage;
}

SAHooks ReportingHooks()
{
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.Error = KeepShapelibError;
    g_strShapelibError.clear();
    return hooks;
}

// Closes the table when the reader or writer leaves.
class CDbfFile
{
public:
    explicit CDbfFile(DBFHandle h) : m_h(h) {}
    ~CDbfFile()
    {
        if (m_h != NULL)
            DBFClose(m_h);
    }
    void Close()
    {
        DBFClose(m_h);
        m_h = NULL;
    }
    // Gives the table to another holder.
    void Release() { m_h = NULL; }
    DBFHandle Get() const { return m_h; }

private:
    CDbfFile(const CDbfFile&) = delete;
    CDbfFile& operator=(const CDbfFile&) = delete;
    DBFHandle m_h;
};

BOOL IsKnownType(char chType)
{
    return chType == 'C' || chType == 'N' || chType == 'F' || chType == 'L' || chType == 'D';
}

BOOL IsNumericType(char chType)
{
    return chType == 'N' || chType == 'F';
}

// A field's value from the raw record bytes; FALSE for a NULL value.
BOOL FieldText(const char* pField, const CSourceField& field, CString& strText)
{
    int nEnd = field.m_nWidth;
    // Text fields are padded with spaces (some writers pad with NULs).
    while (nEnd > 0 && (pField[nEnd - 1] == ' ' || pField[nEnd - 1] == '\0'))
        --nEnd;
    int nStart = 0;
    if (field.m_chType != 'C')
        while (nStart < nEnd && pField[nStart] == ' ')
            ++nStart;
    SetSourceText(strText, pField + nStart, nEnd - nStart);
    switch (field.m_chType)
    {
    case 'N':
    case 'F':
        return !strText.IsEmpty() && strText[0] != '*';
    case 'L':
        return !strText.IsEmpty() && strText != "?";
    case 'D':
        return !strText.IsEmpty() && strText != "00000000";
    default:
        return nEnd > 0;
    }
}

// The bytes of one value in its field; FALSE with the reason when the
// value cannot stand there.
BOOL FieldBytes(const CSourceValue& value, const CSourceField& field, char* pField, CString& strReason)
{
    int nWidth = field.m_nWidth;
    if (value.m_bNull || (value.m_strText.IsEmpty() && field.m_chType != 'C'))
    {
        // The marks the format (and DBFIsAttributeNULL) reads as no value.
        char chBlank = IsNumericType(field.m_chType) ? '*' : field.m_chType == 'D' ? '0' : field.m_chType == 'L' ? '?' : ' ';
        memset(pField, chBlank, nWidth);
        return TRUE;
    }
    const CString& strText = value.m_strText;
    CString strField;
    switch (field.m_chType)
    {
    case 'N':
    case 'F':
    {
        double dValue;
        if (!ParseSourceNumber(strText, dValue))
        {
            strReason = "the value \"" + strText + "\" of field " + field.m_strName + " is not a number";
            return FALSE;
        }
        strField.Format("%*.*f", nWidth, field.m_nDecimals, dValue);
        break;
    }
    case 'L':
    {
        char ch = (char)toupper((unsigned char)strText[0]);
        if (strchr("TY1", ch) != NULL)
            strField = "T";
        else if (strchr("FN0", ch) != NULL)
            strField = "F";
        else
        {
            strReason = "the value \"" + strText + "\" of field " + field.m_strName + " is not true or false";
            return FALSE;
        }
        break;
    }
    case 'D':
        if (strText.GetLength() != 8 || strText.SpanIncluding("0123456789").GetLength() != 8)
        {
            strReason = "the value \"" + strText + "\" of field " + field.m_strName + " is no date (YYYYMMDD)";
            return FALSE;
        }
        strField = strText;
        break;
    default:
        strField = strText;
        break;
    }
    if (strField.GetLength() > nWidth)
    {
        strReason.Format("the value \"%s\" does not fit the %d characters of field %s", (LPCSTR)strText, nWidth,
                         (LPCSTR)field.m_strName);
        return FALSE;
    }
    memset(pField, ' ', nWidth);
    memcpy(pField, (LPCSTR)strField, strField.GetLength());
    return TRUE;
}

} // namespace

namespace
{

// The records of an open table, read one at a time; deleted ones are
// passed over.
class CDbfRows : public CSourceRowReader
{
public:
    CDbfRows(DBFHandle h, const std::vector<CSourceField>& fields) : m_file(h), m_fields(fields), m_nNext(0) {}

    int RecordCount() const { return m_file.Get()->nRecords; }

    BOOL Next(std::vector<CSourceValue>& row, CString& strReason) override
    {
        DBFHandle h = m_file.Get();
        while (m_nNext < h->nRecords)
        {
            int r = m_nNext++;
            const char* pRecord = DBFReadTuple(h, r);
            if (pRecord == NULL)
            {
                strReason.Format("its record %d cannot be read", r + 1);
                m_nNext = h->nRecords;
                return FALSE;
            }
            if (pRecord[0] == '*')
                continue;
            int nFields = (int)m_fields.size();
            row.resize(nFields);
            for (int i = 0; i < nFields; ++i)
            {
                const CSourceField& field = m_fields[i];
                row[i].m_bNull = !FieldText(pRecord + h->panFieldOffset[i], field, row[i].m_strText);
                row[i].m_bNumber = IsNumericType(field.m_chType) && !row[i].m_bNull;
            }
            return TRUE;
        }
        return FALSE;
    }

private:
    CDbfFile m_file;
    std::vector<CSourceField> m_fields;
    int m_nNext;
};

std::unique_ptr<CDbfRows> OpenDbfRows(const CString& strPath, CSourceTable& table, CString& strReason)
{
    SAHooks hooks = ReportingHooks();
    DBFHandle h = DBFOpenLL(DaoUnixPath(strPath), "rb", &hooks);
    if (h == NULL)
    {
        strReason = "it is no dBase table, or its header is damaged";
        return nullptr;
    }
    CDbfFile file(h);
    LONGLONG nNeeded = (LONGLONG)h->nHeaderLength + (LONGLONG)h->nRecords * h->nRecordLength;
    if (h->nRecords < 0 || FileLength(strPath) < nNeeded)
    {
        strReason.Format("it is cut short: its header counts %d records that the file does not hold", h->nRecords);
        return nullptr;
    }
    const char* lpszCodePage = DBFGetCodePage(h);
    table.m_strCodePage = lpszCodePage != NULL && strncmp(lpszCodePage, "LDID/", 5) == 0 ? lpszCodePage : "";
    table.m_columns.clear();
    table.m_fields.clear();
    table.m_rows.clear();
    int nFields = DBFGetFieldCount(h);
    for (int i = 0; i < nFields; ++i)
    {
        char szName[XBASE_FLDNAME_LEN_READ + 1] = "";
        CSourceField field;
        DBFGetFieldInfo(h, i, szName, &field.m_nWidth, &field.m_nDecimals);
        field.m_strName = szName;
        field.m_chType = DBFGetNativeFieldType(h, i);
        if (!IsKnownType(field.m_chType))
        {
            strReason.Format("its field %s is of type %c, which this program does not read", szName, field.m_chType);
            return nullptr;
        }
        table.m_fields.push_back(field);
        table.m_columns.push_back(field.m_strName);
    }
    file.Release();
    return std::unique_ptr<CDbfRows>(new CDbfRows(h, table.m_fields));
}

} // namespace

BOOL ReadDbfTable(const CString& strPath, CSourceTable& table, CString& strReason)
{
    std::unique_ptr<CDbfRows> pRows = OpenDbfRows(strPath, table, strReason);
    if (pRows == nullptr)
        return FALSE;
    table.m_rows.reserve(pRows->RecordCount());
    return ReadSourceRows(*pRows, table.m_rows, strReason);
}

std::unique_ptr<CSourceRowReader> OpenDbfTable(const CString& strPath, CSourceTable& table, CString& strReason)
{
    return OpenDbfRows(strPath, table, strReason);
}

namespace
{

// Writes the table's rows as the file's records from its record nFirst
// on, with the fields of the file.
BOOL WriteDbfRecords(DBFHandle h, const std::vector<CSourceField>& fields, const CSourceTable& table, int nFirst,
                     CString& strReason)
{
    std::string record(h->nRecordLength, ' ');
    int nRecord = nFirst;
    auto writeRow = [&](const std::vector<CSourceValue>& row) {
        record[0] = ' ';
        for (size_t i = 0; i < fields.size(); ++i)
        {
            CSourceValue blank;
            const CSourceValue& value = i < row.size() ? row[i] : blank;
            if (!FieldBytes(value, fields[i], &record[h->panFieldOffset[i]], strReason))
            {
                strReason.AppendFormat(" (row %d)", nRecord + 1);
                return FALSE;
            }
        }
        if (!DBFWriteTuple(h, nRecord++, &record[0]))
        {
            strReason = "its records cannot be written";
            return FALSE;
        }
        return TRUE;
    };
    return ForEachSourceRow(table, strReason, writeRow);
}

// The header tells when the table was last changed: today.
void DateToday(DBFHandle h)
{
    SYSTEMTIME today;
    GetLocalTime(&today);
    DBFSetLastModifiedDate(h, today.wYear - 1900, today.wMonth, today.wDay);
}

// Closes the file and checks that it holds its header and records whole.
BOOL CloseWrittenDbf(CDbfFile& file, const CString& strPath, CString& strReason)
{
    DBFHandle h = file.Get();
    LONGLONG nNeeded = (LONGLONG)h->nHeaderLength + (LONGLONG)h->nRecords * h->nRecordLength;
    file.Close();
    // shapelib does not report a failed flush at close: the length tells.
    if (!g_strShapelibError.empty() || FileLength(strPath) < nNeeded)
    {
        strReason = "the file could not be written whole (is the disk full?)";
        return FALSE;
    }
    return TRUE;
}

// The kept file copied to strPath, with the table's rows appended: the
// records already there are not formatted again.
BOOL AppendDbfTable(const CString& strPath, const CSourceTable& table, CString& strReason)
{
    if (!CopyFileA(table.m_strKeptFile, strPath, FALSE))
    {
        strReason = "the file cannot be made";
        return FALSE;
    }
    SAHooks hooks = ReportingHooks();
    CDbfFile file(DBFOpenLL(DaoUnixPath(strPath), "rb+", &hooks));
    DBFHandle h = file.Get();
    if (h == NULL || h->nRecords != table.m_nKeptRecords || DBFGetFieldCount(h) != (int)table.m_fields.size())
    {
        strReason = "its file changed while it was written";
        return FALSE;
    }
    DateToday(h);
    return WriteDbfRecords(h, table.m_fields, table, h->nRecords, strReason)
           && CloseWrittenDbf(file, strPath, strReason);
}

} // namespace

BOOL WriteDbfTable(const CString& strPath, const CSourceTable& table, CString& strReason)
{
    if (!table.m_strKeptFile.IsEmpty())
        return AppendDbfTable(strPath, table, strReason);
    SAHooks hooks = ReportingHooks();
    CString strCodePage = table.m_strCodePage.IsEmpty() ? CString("LDID/87") : table.m_strCodePage;
    CDbfFile file(DBFCreateLL(DaoUnixPath(strPath), strCodePage, &hooks));
    DBFHandle h = file.Get();
    if (h == NULL)
    {
        strReason = "the file cannot be made";
        return FALSE;
    }
    DateToday(h);
    std::vector<CSourceField> fields = table.m_fields;
    // A table that never had a file gets text fields of the widest kind.
    for (size_t i = fields.size(); i < table.m_columns.size(); ++i)
    {
        CSourceField field;
        field.m_strName = table.m_columns[i].Left(XBASE_FLDNAME_LEN_WRITE);
        field.m_nWidth = 254;
        fields.push_back(field);
    }
    for (const CSourceField& field : fields)
        if (DBFAddNativeFieldType(h, field.m_strName, field.m_chType, field.m_nWidth, field.m_nDecimals) < 0)
        {
            strReason = "its field " + field.m_strName + " cannot be made";
            return FALSE;
        }
    return WriteDbfRecords(h, fields, table, 0, strReason) && CloseWrittenDbf(file, strPath, strReason);
}

BOOL DbfFileHolds(const CString& strPath, const std::vector<CSourceField>& fields, int nRecords)
{
    // Opened as for reading: a file cut short is refused there.
    CSourceTable table;
    CString strReason;
    std::unique_ptr<CDbfRows> pRows = OpenDbfRows(strPath, table, strReason);
    if (pRows == nullptr || pRows->RecordCount() != nRecords || table.m_fields.size() != fields.size())
        return FALSE;
    for (size_t i = 0; i < fields.size(); ++i)
    {
        const CSourceField& field = table.m_fields[i];
        if (fields[i].m_strName != field.m_strName || fields[i].m_chType != field.m_chType
            || fields[i].m_nWidth != field.m_nWidth || fields[i].m_nDecimals != field.m_nDecimals)
            return FALSE;
    }
    return TRUE;
}
