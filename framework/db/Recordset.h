// A recordset over an ODBC statement.  The result is read forward from the
// driver and the rows reached are kept, so every driver scrolls the same way
// (there is no cursor library behind the driver manager).  A read-only
// result whose columns all bind is read in blocks into bound buffers and
// kept only once a move backward or to the end needs its rows; a recordset
// whose fields read their columns on demand binds only the columns asked
// for.  Changes are written as searched UPDATE, INSERT and DELETE
// statements on the one table the query reads, the row identified by the
// values it was read with.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "framework/db/FieldExchange.h"
#include "framework/db/OdbcDatabase.h"
#include "framework/db/RowBlock.h"

// Open type "the recordset's default".
#define AFX_DB_USE_DEFAULT_TYPE (0xFFFFFFFF)

// Return codes the recordset raises itself (the driver's own codes are
// negative or small).
enum
{
    AFX_SQL_ERROR_NO_CURRENT_RECORD = 1007,
    AFX_SQL_ERROR_RECORDSET_READONLY = 1009,
    AFX_SQL_ERROR_ROW_UPDATE_NOT_SUPPORTED = 1011,
    AFX_SQL_ERROR_NO_ROWS_AFFECTED = 1014,
    AFX_SQL_ERROR_RECORDSET_NOT_OPEN = 1016,
    AFX_SQL_ERROR_COLUMN_MISMATCH = 1018,
};

struct CODBCFieldInfo
{
    CString m_strName;
    SQLSMALLINT m_nSQLType;
    SQLULEN m_nPrecision;
    SQLSMALLINT m_nScale;
    SQLSMALLINT m_nNullability;
};

class CRecordset : public CObject
{
    DECLARE_DYNAMIC(CRecordset)
public:
    enum OpenType
    {
        dynaset = 0,
        snapshot = 1,
        dynamic = 2,
        forwardOnly = 3,
    };
    enum OpenOptions
    {
        none = 0x0,
        appendOnly = 0x1,
        readOnly = 0x4,
        noDirtyFieldCheck = 0x10,
    };

    explicit CRecordset(CDatabase* pDatabase = NULL);
    ~CRecordset() override;

    // lpszSQL: a statement, a table name, or NULL for GetDefaultSQL().
    // A table name selects the columns the fields bind.  m_strFilter and
    // m_strSort are added.  FALSE when the result has no columns; driver
    // failures throw CDBException.
    virtual BOOL Open(UINT nOpenType = AFX_DB_USE_DEFAULT_TYPE, LPCSTR lpszSQL = NULL, DWORD dwOptions = none);
    virtual void Close();
    // Runs the query again with the current parameters, filter and sort and
    // stands on its first row.  FALSE when the recordset is not open.
    virtual BOOL Requery();

    BOOL IsOpen() const { return m_hstmt != SQL_NULL_HSTMT; }
    BOOL IsBOF() const { return m_bBOF; }
    BOOL IsEOF() const { return m_bEOF; }
    BOOL IsDeleted() const;
    BOOL CanUpdate() const;

    // Moving past the end or before the start throws CDBException
    // (AFX_SQL_ERROR_NO_CURRENT_RECORD); deleted rows are stepped over.
    void MoveNext() { Move(1, SQL_FETCH_NEXT); }
    void MovePrev() { Move(-1, SQL_FETCH_PRIOR); }
    void MoveFirst() { Move(0, SQL_FETCH_FIRST); }
    void MoveLast() { Move(0, SQL_FETCH_LAST); }
    virtual void Move(long nRows, WORD wFetchType = SQL_FETCH_RELATIVE);
    // The number of rows reached so far.
    long GetRecordCount() const;

    virtual void AddNew();
    virtual void Edit();
    // Writes the pending change; FALSE when an edit changed nothing.
    virtual BOOL Update();
    virtual void Delete();
    virtual void CancelUpdate();

    // pv: a field's address, or NULL for every field.
    void SetFieldNull(void* pv, BOOL bNull = TRUE);
    BOOL IsFieldNull(void* pv);

    short GetODBCFieldCount() const { return (short)m_columns.size(); }
    void GetODBCFieldInfo(short nIndex, CODBCFieldInfo& fieldInfo) const;
    // The statement last executed.
    const CString& GetSQL() const { return m_strSQL; }

    virtual CString GetDefaultSQL();
    virtual void DoFieldExchange(CFieldExchange* pFX);

    CDatabase* m_pDatabase;
    CString m_strFilter;
    CString m_strSort;
    UINT m_nFields;
    UINT m_nParams;
    SQLHSTMT m_hstmt;
    UINT m_nDefaultType;

protected:
    // Called after the query ran and its columns are known, before the
    // first row is read: a recordset that binds at run time makes its
    // fields here and sets m_nFields.
    virtual void OnColumnsDescribed() {}
    // The columns of the result.
    const std::vector<CODBCFieldInfo>& Columns() const { return m_columns; }
    // The row the recordset stands on with all its columns, NULL at BOF,
    // EOF or a deleted row.  A forward read on demand keeps its rows for it.
    const CDBRow* WholeCurrentRow();

    // Set by a recordset whose fields read their columns through
    // ReadColumn when asked: in a forward read the moves then exchange no
    // fields, and after the first row only the columns asked for are bound
    // and converted by the driver.
    BOOL m_bFieldsOnDemand;
    // Nonzero while fields are read on demand; it changes with every move,
    // so a field can tell that its value is of another row.
    UINT DemandStamp() const { return m_bForward && m_bDemandRead ? m_nRowStamp : 0; }
    // Column nColumn (0-based, valid) of the current row into value; NULL
    // off the rows.
    void ReadColumn(int nColumn, CDBValue& value);

private:
    friend class CFieldExchange;
    enum EditMode
    {
        noMode,
        edit,
        addnew
    };

    void BuildSQL(LPCSTR lpszSQL);
    void Execute();
    void DescribeColumns();
    // Stands on the first row of the executed statement: a forward read
    // when the recordset is read-only and its columns bind.
    void StartReading();
    // The block that starts with row nRow of a forward read, standing on
    // that row (or at the end).
    void FetchForward(long nRow);
    // The current row of a forward read into the fields.
    void LoadForwardRow();
    // Binds the columns asked for on demand, for blocks of rows; until one
    // is asked for, rows come one at a time and are read column by column.
    void BindAskedColumns();
    // A forward move or a move to the first row while standing on it;
    // FALSE for any other move.
    BOOL MoveForward(long nRows, WORD wFetchType);
    // Ends a forward read: the statement runs again and its rows are kept
    // up to the current one, which stays current.
    void KeepRows();
    // Reads rows from the driver until row nIndex is cached; FALSE when the
    // result has fewer rows.
    BOOL FetchTo(size_t nIndex);
    // The next row of the driver into m_rows, through the bound buffers or
    // column by column; FALSE at the end.
    BOOL FetchBoundRow();
    BOOL FetchUnboundRow();
    // The row the recordset stands on, NULL at BOF, EOF or a deleted row
    // (and in a forward read on demand, whose rows are not whole).
    const CDBRow* CurrentRow() const;
    void StandOn(long nRow);
    void LoadFields();
    void StoreFields(CDBRow& values, std::vector<SQLSMALLINT>& types);
    void ThrowState(SQLRETURN nCode, LPCSTR lpszText) const;
    void RequireCurrentRow() const;
    void RequireUpdatable() const;
    // Parameter values of a change statement, with the column each is for.
    typedef std::vector<std::pair<int, CDBValue>> CColumnParams;
    // " WHERE ..." identifying the row by its values; adds its parameters.
    CString RowCondition(const CDBRow& row, CColumnParams& params);
    // A statement handle for a change statement, prepared once per text
    // and kept until Close.
    SQLHSTMT ChangeStatement(const CString& sql);
    // Runs the change statement; the number of rows it touched.
    SQLLEN RunChange(const CString& sql, const CColumnParams& params);

    CString m_strBaseSQL;       // statement or table given to Open
    CString m_strSQL;           // what was executed
    CString m_strDriverSQL;     // the same as the driver takes it
    BOOL m_bPrepared;           // prepared once, executed by SQLExecute
    CString m_strBuiltFilter;   // filter and sort the statement was built with
    CString m_strBuiltSort;
    CString m_strTable;         // "" when not updatable
    UINT m_nOpenType;
    DWORD m_dwOptions;
    std::vector<CODBCFieldInfo> m_columns;
    std::vector<CDBRow> m_rows;
    // The values of a row no longer kept, whose buffers the next row read
    // through the bound buffers reuses.
    CDBRow m_spareRow;
    std::vector<bool> m_deleted;
    // The forward read: the block of rows fetched and the current row's
    // place in it and values.
    BOOL m_bForward;
    // The forward read's fields read their columns on demand (the driver
    // reads columns of a fetched row in any order).
    BOOL m_bDemandRead;
    CDBRowBlock m_block;
    size_t m_nBlockRow;
    CDBRow m_forwardRow;
    // On demand: the columns asked for, those the block was bound for, and,
    // while a fetch brings one row, the columns read into m_forwardRow.
    std::vector<bool> m_asked;
    std::vector<bool> m_boundAsked;
    std::vector<bool> m_gotColumns;
    UINT m_nRowStamp;
    BOOL m_bEndSeen;
    long m_nRow;                // -1 at BOF, m_rows.size() at EOF
    BOOL m_bBOF;
    BOOL m_bEOF;
    EditMode m_nEditMode;
    // Null state of the fields, and each field's value when it was marked,
    // so a field the caller assigns afterwards stops being NULL.
    std::vector<bool> m_fieldNull;
    CDBRow m_nulledValues;
    CDBParamBuffers m_params;
    std::map<std::string, SQLHSTMT> m_changeStatements;
};
