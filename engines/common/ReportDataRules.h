// The per-cell rules of report data, shared by both engines: the key of a
// data cell, the texts that stand for a missing value, and when a value
// counts as missing.
#pragma once

#include "framework/core/String.h"

class CCell;

// Columns of the report data table.
#define RD_ORGCODE "FD_OrgCode"
#define RD_TIME "FD_Time"
#define RD_ROWITEM "FD_RowItemCode"
#define RD_COLITEM "FD_ColItemCode"
#define RD_LINE "FD_Line"
#define RD_CURTYPE "FD_CurType"
#define RD_VALUE "FD_Value"

// The column-item key of a cell without a column item.
#define RD_NO_COLITEM "========"

// Empty-value modes of a data cell; any other value is the null mode.
enum { EMPTY_MODE_ZERO = 0, EMPTY_MODE_EMPTY = 1, EMPTY_MODE_NULL = 2 };

// The key codes of a cell, each read from its fixed field with a bound.
CString CellOrgCode(const CCell& cell);
CString CellPeriodCode(const CCell& cell);
CString CellRowItemCode(const CCell& cell);
// The column-item code, or "========" when the cell has none.
CString CellColItemKey(const CCell& cell);

// The currency type as stored: its low byte (the column holds one byte), so
// the key a save writes is the key later searches use.
int CellCurrencyKey(const CCell& cell);

// Every mode but zero and empty is the null mode.
BOOL IsNullMode(int nMode);

// "0", "" or "NULL": what a cell of the mode shows for a value not stored.
LPCSTR MissingValueText(int nMode);

// TRUE when the number read from the start of the text (0 when there is
// none) is below 0.00001 in absolute value.
BOOL NearZeroText(LPCSTR lpszText);

// TRUE when the cell's value is the mode's missing value and so is not
// stored: near zero in mode 0, empty in mode 1, the text "NULL" in the
// null mode (its load placeholder, never stored as data).
BOOL IsMissingValue(int nMode, const CString& strText);

// The WHERE condition selecting the cell's row; every code is a quoted
// literal.
CString BuildCellKeyFilter(const CCell& cell);
