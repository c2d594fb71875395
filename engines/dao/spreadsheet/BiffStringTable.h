// The shared string table of an Excel 97 workbook: every text cell names
// its text by index, and the table is written once in the workbook globals
// (SST, CONTINUE and EXTSST records).
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "engines/dao/spreadsheet/SheetRecordStream.h"
#include "framework/core/String.h"

// A string of the table, with what follows its characters in a file it
// was read from: formatting runs and phonetic data, kept as they were.
struct CBiffSharedString
{
    // Not std::wstring: the C++ library's copy of it is built for a wider
    // wchar_t than the Winelib compilers use.
    std::vector<WCHAR> text;
    WORD nRuns = 0;
    DWORD nExtSize = 0;
    std::vector<BYTE> tail;  // four bytes a run, then the phonetic data
};

class CBiffStringTable
{
public:
    // Starts the table with the strings of a workbook read, at their
    // indexes there; a cell text equal to a plain one of them shares it.
    void Keep(const std::vector<CBiffSharedString>& strings);
    // The index of the text (UTF-8, as the working copy holds it); each
    // call counts one use by a cell.
    DWORD Add(const CString& strText);
    // Uses by cells copied as they were.
    void CountUses(DWORD nUses) { m_nUses += nUses; }
    // Writes the table at the stream's end.
    void Write(CSheetRecordStream& stream) const;

private:
    std::unordered_map<std::string, DWORD> m_indexes;
    std::vector<CBiffSharedString> m_strings;
    DWORD m_nUses = 0;
};
