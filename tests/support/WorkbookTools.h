// Excel workbooks written and read by tools of their own for the tests:
// python3-xlwt writes them, python3-xlrd reads them.  A workbook is told as
// text: "sheet NAME" starts a sheet, and each line below it is a row whose
// cells, joined by '|', are "s:" and a text, "n:" and a number (Python's
// repr of it when read), or "-" for an empty cell.  Texts are UTF-8.
#pragma once

#include <string>
#include <vector>

#include "framework/db/DaoDatabase.h"
#include "tests/sheet/PdfTools.h"

namespace workbooktest
{

// What the Python script prints (errors too), run with the arguments.
inline std::string RunPython(const char* pszScript, const std::string& strArguments)
{
    return sheettest::RunTool("/usr/bin/python3 - " + strArguments + " 2>&1 <<'PYTHON'\n" + pszScript + "PYTHON\n");
}

inline std::string Quoted(const CString& strPath)
{
    return "'" + std::string(DaoUnixPath(strPath)) + "'";
}

// The workbooks as xlrd reads them, in one Python run: each as a line
// "biff N" with its BIFF version (30 for Excel 3.0, 80 for Excel 97) and
// its sheets, or "refused: " and xlrd's reason when xlrd cannot read it.
// Excel 2.1 to 4.0 files name no sheet: xlrd calls their one sheet
// "Sheet 1".
inline std::vector<std::string> XlrdDumps(const std::vector<CString>& books)
{
    static const char kScript[] = R"(import os, sys, xlrd
sys.stdout.reconfigure(encoding="utf-8")
def dump(path):
    book = xlrd.open_workbook(path, logfile=open(os.devnull, "w"))
    lines = ["biff %d" % book.biff_version]
    for sheet in book.sheets():
        lines.append("sheet " + sheet.name)
        for r in range(sheet.nrows):
            cells = []
            for c in range(sheet.ncols):
                cell = sheet.cell(r, c)
                if cell.ctype == xlrd.XL_CELL_NUMBER:
                    cells.append("n:" + repr(cell.value))
                elif cell.ctype == xlrd.XL_CELL_TEXT:
                    cells.append("s:" + cell.value)
                else:
                    cells.append("-")
            lines.append("|".join(cells))
    return lines
for path in sys.argv[1:]:
    try:
        lines = dump(path)
    except Exception as e:
        lines = ["refused: %r" % e]
    print("\f\n" + "\n".join(lines))
)";
    std::string strArguments;
    for (const CString& strBook : books)
        strArguments += Quoted(strBook) + " ";
    std::string strOut = RunPython(kScript, strArguments);
    std::vector<std::string> dumps;
    for (size_t nAt = strOut.find("\f\n"); nAt != std::string::npos;)
    {
        size_t nNext = strOut.find("\f\n", nAt + 2);
        dumps.push_back(strOut.substr(nAt + 2, (nNext == std::string::npos ? strOut.size() : nNext) - nAt - 2));
        nAt = nNext;
    }
    if (dumps.size() != books.size())
        return std::vector<std::string>(books.size(), strOut);
    return dumps;
}

// The workbook as XlrdDumps gives it.
inline std::string XlrdDump(const CString& strBook)
{
    return XlrdDumps({strBook})[0];
}

// The lines of one sheet of an xlrd dump, its row of field names first;
// {"no sheet NAME"} when there is no such sheet.
inline std::vector<std::string> SheetLines(const std::string& strDump, const std::string& strName)
{
    size_t nStart = strDump.find("sheet " + strName + "\n");
    if (nStart == std::string::npos)
        return {"no sheet " + strName};
    std::vector<std::string> lines;
    nStart = strDump.find('\n', nStart) + 1;
    for (size_t nEnd; (nEnd = strDump.find('\n', nStart)) != std::string::npos; nStart = nEnd + 1)
    {
        std::string strLine = strDump.substr(nStart, nEnd - nStart);
        if (strLine.compare(0, 6, "sheet ") == 0)
            break;
        lines.push_back(strLine);
    }
    return lines;
}

// Writes the sheets (told as above) as the Excel 97 workbook strBook with
// xlwt; "" when it did, else what Python said.
inline std::string XlwtWrite(const CString& strBook, const std::string& strSheets)
{
    static const char kScript[] = R"(import sys, xlwt
book = xlwt.Workbook(encoding="utf-8")
for line in sys.argv[2].split("\n"):
    if line.startswith("sheet "):
        sheet = book.add_sheet(line[6:])
        r = 0
        continue
    for c, cell in enumerate(line.split("|")):
        if cell.startswith("s:"):
            sheet.write(r, c, cell[2:])
        elif cell.startswith("n:"):
            sheet.write(r, c, float(cell[2:]))
    r += 1
book.save(sys.argv[1])
)";
    std::string strQuotedSheets = "'";
    for (char ch : strSheets)
        strQuotedSheets += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return RunPython(kScript, Quoted(strBook) + " " + strQuotedSheets + "'");
}

} // namespace workbooktest
