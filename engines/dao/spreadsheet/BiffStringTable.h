// The shared string table of an Excel 97 workbook: every text cell names
// its text by index, and the table is written once in the workbook globals
// (SST, CONTINUE and EXTSST records).
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "engines/dao/spreadsheet/SheetRecordStream.h"
#include "framework/core/String.h"

class CBiffStringTable
{
public:
    // The index of the text (of the system's code page); each call counts
    // one use by a cell.
    DWORD Add(const CString& strText);
    // Writes the table at the stream's end.
    void Write(CSheetRecordStream& stream) const;

private:
    std::unordered_map<std::string, DWORD> m_indexes;
    // Not std::wstring: the C++ library's copy of it is built for a wider
    // wchar_t than the Winelib compilers use.
    std::vector<std::vector<WCHAR>> m_texts;
    DWORD m_nUses = 0;
};
