// Loading and saving the data cells of a report against the report data
// table: the decisions both engines share.  Each engine supplies the row
// access over its own recordsets; the overwrite question and the progress
// display are separate so that tests and dialogs can stand in for them.
#pragma once

#include <vector>

#include "framework/core/String.h"

class CCell;
class CCellArray;

// The report data rows as one engine reaches them.  Database failures are
// thrown as the framework's exceptions and end the load or save.
class CReportDataRows
{
public:
    virtual ~CReportDataRows() {}
    // Makes the row of the cell's key current; FALSE when there is none.
    virtual BOOL FindCellRow(const CCell& cell) = 0;
    // The current row's value as text; FALSE (and "") when it is NULL.
    virtual BOOL ReadValue(CString& strText) = 0;
    // Stores the text as the current row's value.
    virtual void WriteValue(const CString& strText) = 0;
    // Removes the current row's value (the row, or only its value).
    virtual void ClearRow() = 0;
    // Stores a new value under the cell's key.
    virtual void AddRow(const CCell& cell, const CString& strText) = 0;
    // The FD_Name of the code in a reference table; "" when there is none.
    virtual CString LookupName(LPCSTR lpszTable, const CString& strCode) = 0;
};

// Answers of the overwrite question.
enum
{
    OVERWRITE_UPDATE = 0,
    OVERWRITE_SKIP = 1,
    OVERWRITE_UPDATE_ALL = 2,
    OVERWRITE_SKIP_ALL = 3
};

// What the overwrite question shows about one differing value.
struct CReportOverwriteQuestion
{
    CString m_strPeriodCode;
    CString m_strOrgan;
    CString m_strColItem;
    CString m_strRowItem;
    CString m_strLine;
    CString m_strOldData;
    CString m_strCurrentData;
};

class CReportOverwritePrompt
{
public:
    virtual ~CReportOverwritePrompt() {}
    // One of the OVERWRITE_ answers.
    virtual int Ask(const CReportOverwriteQuestion& question) = 0;
};

class CReportProgress
{
public:
    virtual ~CReportProgress() {}
    // Called before each cell with its index * 100 / count.
    virtual void SetPos(int nPercent) = 0;
};

// Gives every data cell its stored value text, or the missing-value text of
// its mode when no row (or, with bNullIsMissing, a NULL value) is stored;
// a stored NULL otherwise reads as "".
void LoadReportCells(CCellArray& cells, CReportDataRows& rows, CReportProgress& progress, BOOL bNullIsMissing);

// One change a save will make to the stored rows, with what was stored
// when the change was decided.
struct CReportSaveChange
{
    enum Action
    {
        addRow,      // no row was stored: add one
        writeValue,  // replace the stored value
        clearRow     // the value went missing: clear the stored one
    };
    INT_PTR m_nCell;
    Action m_action;
    BOOL m_bStoredValue;   // the stored value was not NULL
    CString m_strStored;
};
typedef std::vector<CReportSaveChange> CReportSavePlan;

// Thrown by ApplyReportSave when a row the plan replaces no longer holds
// what the question showed: another user saved it meanwhile.
struct CReportChangedMeanwhile
{
};

// What the user is told when a save meets another user's work.
extern const char kReportChangedMeanwhile[];
extern const char kReportLockedByOther[];

// Decides what a save stores, reading only: unchanged values are left
// alone, new values added, missing values not stored or cleared, and a
// different stored value is replaced only when the prompt (or an earlier
// "to All" answer) says so.  The questions are asked here, before the
// caller opens its write transaction.
CReportSavePlan PlanReportSave(CCellArray& cells, CReportDataRows& rows, CReportOverwritePrompt& prompt,
                               CReportProgress& progress);

// Makes the planned changes, inside the caller's write transaction.  A row
// that is replaced or cleared must still hold what the plan saw; otherwise
// CReportChangedMeanwhile is thrown.  (A row added meanwhile under a new
// value's key makes the add fail on the table's unique key.)
void ApplyReportSave(CCellArray& cells, const CReportSavePlan& plan, CReportDataRows& rows);
