// A DAO-style recordset over SQLite.  A dynaset on one table keeps the
// rowids of its rows in query order and writes changes by rowid; any other
// query is a read-only snapshot, read from its statement as the current row
// moves forward and kept whole only once a move, a count or a find needs
// the other rows.  Columns are found by name without regard
// to case.  Text travels as ANSI-form VT_BSTR variants in the system code
// page (SQLite holds it as UTF-8: statements, filters, criteria, names and
// values are converted both ways), whole numbers as VT_I4, reals as VT_R8, NULL as VT_NULL; Yes/No,
// currency and date columns as VT_BOOL, VT_CY and VT_DATE.
#pragma once

#include "framework/core/OleVariant.h"
#include "framework/db/DaoDatabase.h"
#include "framework/db/DaoFieldInfo.h"
#include "framework/db/DaoPackedRows.h"

#include <limits.h>
#include <memory>
#include <utility>
#include <vector>

struct sqlite3_stmt;
struct CDaoRecordsetStatements;
class CDaoStatement;

#define AFX_DAO_USE_DEFAULT_TYPE (-1)

// Open types and options.
enum { dbOpenTable = 1, dbOpenDynaset = 2, dbOpenSnapshot = 4, dbOpenForwardOnly = 8 };
enum { dbDenyWrite = 1, dbReadOnly = 4, dbAppendOnly = 8 };

// Find directions of Find(nFindType, criteria).
#define AFX_DAO_NEXT (+1L)
#define AFX_DAO_PREV (-1L)
#define AFX_DAO_FIRST LONG_MIN
#define AFX_DAO_LAST LONG_MAX

// Edit modes.
enum { dbEditNone = 0, dbEditInProgress = 1, dbEditAdd = 2 };

class CDaoRecordset : public CObject
{
    DECLARE_DYNAMIC(CDaoRecordset)
public:
    explicit CDaoRecordset(CDaoDatabase* pDatabase = NULL);
    ~CDaoRecordset() override;

    // lpszSQL is a SELECT statement or a table name; m_strFilter and
    // m_strSort are added to it.  The default type is a dynaset.
    virtual void Open(int nOpenType = AFX_DAO_USE_DEFAULT_TYPE, LPCSTR lpszSQL = NULL, int nOptions = 0);
    virtual void Close();
    BOOL IsOpen() const { return m_bOpen; }
    // Runs the query again with the current filter and sort.
    virtual void Requery();

    // The statement that was run, with the filter and sort added (a table
    // name reads as SELECT * FROM it); opening it again gives the same rows.
    CString GetSQL() const { return m_bOpen ? m_strRunSQL : m_strSQL; }
    short GetType() const { return (short)m_nOpenType; }
    BOOL CanUpdate() const { return m_bOpen && m_bUpdatable; }
    short GetEditMode() const { return (short)m_nEditMode; }

    // Every row of the result, wherever the current row is.
    LONG GetRecordCount();
    short GetFieldCount() const;
    void GetFieldInfo(int nIndex, CDaoFieldInfo& info, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO);
    void GetFieldInfo(LPCSTR lpszName, CDaoFieldInfo& info, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO);

    // BOF: before the first row; EOF: after the last; both on an empty result.
    BOOL IsBOF() const;
    BOOL IsEOF() const;
    // The current row was deleted and no move has followed.
    BOOL IsDeleted() const { return m_bDeleted; }

    // Moving from BOF forward or from EOF backward is allowed; moving
    // further, or any move on an empty result, throws "No current record".
    void MoveNext();
    void MovePrev();
    void MoveFirst();
    void MoveLast();
    void Move(long lRows);

    // Criteria are WHERE conditions over the result's columns; the current
    // row moves to the match, and stays put (FALSE) when nothing matches.
    BOOL FindFirst(LPCSTR lpszFilter);
    BOOL FindNext(LPCSTR lpszFilter);
    BOOL FindPrev(LPCSTR lpszFilter);
    BOOL FindLast(LPCSTR lpszFilter);
    BOOL Find(long lFindType, LPCSTR lpszFilter);

    void AddNew();
    void Edit();
    // Writes the edit buffer: an added row joins the end of the result, the
    // current row does not move.
    void Update();
    void CancelUpdate();
    // Deletes the current row; it stays "deleted" until the next move.
    void Delete();

    COleVariant GetFieldValue(int nIndex);
    COleVariant GetFieldValue(LPCSTR lpszName);
    void GetFieldValue(int nIndex, COleVariant& varValue);
    void GetFieldValue(LPCSTR lpszName, COleVariant& varValue);
    // Text forms are text of the system code page, stored as UTF-8; a
    // VT_BSTR variant is taken in its ANSI form, unless it holds a '\0' byte, which only the wide form
    // of ANSI-representable text does: that is converted to ANSI.
    void SetFieldValue(LPCSTR lpszName, LPCSTR lpszValue);
    void SetFieldValue(int nIndex, LPCSTR lpszValue);
    void SetFieldValue(int nIndex, const COleVariant& varValue);
    void SetFieldValue(LPCSTR lpszName, const COleVariant& varValue);
    void SetFieldValueNull(int nIndex);
    void SetFieldValueNull(LPCSTR lpszName);

    CDaoDatabase* m_pDatabase;
    CString m_strFilter;
    CString m_strSort;

public:
    // One stored value as SQLite holds it.
    struct Value
    {
        int nType;          // SQLITE_INTEGER, _FLOAT, _TEXT, _BLOB or _NULL
        LONGLONG nInteger;
        double dReal;
        CString strBytes;   // text or blob bytes
    };

private:
    struct Row
    {
        LONGLONG nRowId;
        std::vector<Value> values;
    };
    struct Column
    {
        CString strName;
        CString strOrigin;     // the table column it comes from, "" for an expression
        CString strDeclType;
        short nFieldType;      // the DAO type of strDeclType
    };

    void Load();
    // Reads the rows of a result read forward into m_rows, the current row
    // staying where it is; nothing for a result already kept whole.
    void KeepAllRows();
    // Moves the forward read to its next row.
    void StepForward();
    // Reads the statement's row into row, reusing the buffers of its values.
    void ReadRow(sqlite3_stmt* pStmt, int nFirst, Row& row) const;
    void RefreshRow(LONGLONG nRowId, Row& row);
    // Turns the packed rows of a dynaset into m_rows, for editing and
    // searching; nothing when they are there already.
    void UnpackRows();
    // The rows the recordset holds, packed or not (a forward read: those
    // read so far).
    INT_PTR RowCount() const;
    // The statement in DAO's dialect (LIKE patterns with * and ?).
    CString BuildQuery(BOOL bWithRowId) const;
    int FieldIndex(LPCSTR lpszName) const;
    void CheckIndex(int nIndex) const;
    void CheckOpen() const;
    void CheckCurrent() const;
    void CheckUpdatable() const;
    void LeaveEdit();
    // The current row's value, or the edited row's while editing.
    CDaoValueRef CurrentRef(int nIndex) const;
    void StoreValue(int nIndex, Value&& value);
    BOOL FindFrom(LPCSTR lpszFilter, int nStart, int nStep);
    // The criteria in SQLite's dialect, made again only when they differ
    // from the last find's.
    const CString& FindCriteria(LPCSTR lpszFilter);
    // The places of the rows that meet the criteria, in ascending order.
    void MatchingRows(LPCSTR lpszFilter, std::vector<INT_PTR>& places);
    // The place of the row with the rowid in m_rows; -1 when it is not there.
    INT_PTR PlaceOfRow(LONGLONG nRowId);
    void ForgetRowPlaces();
    // The table's rows that meet the criteria, through a statement kept for
    // finds that differ only in their values; NULL when the table cannot
    // answer them.
    sqlite3_stmt* PrepareTableFind(sqlite3* pDb);

    BOOL m_bOpen;
    BOOL m_bUpdatable;
    int m_nOpenType;
    int m_nOptions;
    CString m_strSQL;
    CString m_strRunSQL;
    CString m_strTable;
    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
    // Each rowid with its place in m_rows, by rowid, while m_bRowPlaces;
    // rebuilt when the rows are replaced or one is deleted.
    std::vector<std::pair<long long, INT_PTR>> m_rowPlaces;
    BOOL m_bRowPlaces;
    // A dynaset's rows as read, until UnpackRows moves them to m_rows.
    CDaoPackedRows m_packed;
    BOOL m_bPacked;
    // -1 is BOF, RowCount() is EOF.
    INT_PTR m_nCurrent;
    // The statement of a result read forward, standing on row m_nCurrent
    // until m_bForwardEnd; NULL once the rows are in m_rows.
    std::unique_ptr<CDaoStatement> m_pForward;
    BOOL m_bForwardEnd;
    // The names FieldIndex found, as given, with their indexes, and where
    // the next look-up starts: row after row asks for the same few fields
    // in the same order.
    mutable std::vector<std::pair<CString, int>> m_knownFields;
    mutable size_t m_nNextKnown;
    BOOL m_bDeleted;
    int m_nEditMode;
    Row m_editRow;
    std::vector<bool> m_dirty;
    CDaoRecordsetStatements& Statements();
    std::unique_ptr<CDaoRecordsetStatements> m_pStatements;
};

// The stored value of a variant; an unsupported type throws CDaoException.
CDaoRecordset::Value DaoValueFromVariant(const VARIANT& varValue);
