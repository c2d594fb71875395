// The parts of an Excel 5.0/95 or Excel 97 workbook file that a write-back
// keeps: its workbook stream, where its globals end, each sheet's
// substream (from its BOF to its EOF) and, in Excel 97, the shared strings
// its cells name by index.
#pragma once

#include <vector>

#include "engines/dao/spreadsheet/BiffStringTable.h"
#include "framework/core/String.h"

struct CBiffSheetPart
{
    size_t nBoundSheet = 0;  // stream position of its BOUNDSHEET record
    size_t nStart = 0;       // of its BOF record
    size_t nEnd = 0;         // after its EOF record
};

class CBiffWorkbookParts
{
public:
    // Reads the workbook of BIFF version nVersion (5 or 8) from the file;
    // FALSE when it is no such workbook whose records can all be walked.
    BOOL Read(const CString& strPath, int nVersion);

    int m_nVersion = 0;
    std::vector<BYTE> m_stream;
    size_t m_nGlobalsEnd = 0;  // stream position of the globals' EOF
    // In the order of their BOUNDSHEET records, as FreeXL lists them.
    std::vector<CBiffSheetPart> m_sheets;
    std::vector<CBiffSharedString> m_strings;
    size_t m_nXfs = 0;
    size_t m_nLastXf = 0;  // stream position of the last XF record
    // The code page of the workbook's byte strings (Excel 5.0/95).
    UINT m_nCodePage = 0;

private:
    BOOL ReadStream(const CString& strPath);
    BOOL ParseGlobals();
    BOOL FindSheetEnd(CBiffSheetPart& sheet) const;
};
