// Excel workbooks written and read by tools of their own for the tests:
// python3-xlwt writes them, python3-xlrd reads them.  A workbook is told as
// text: "sheet NAME" starts a sheet, and each line below it is a row whose
// cells, joined by '|', are "s:" and a text, "n:" and a number (Python's
// repr of it when read), or "-" for an empty cell.  Texts are UTF-8.
// Written, a cell may also be "f:" and a formula, or "r:" and a text whose
// part after a '^' is bold (rich text), and any cell may end in
// "~" and its look in xlwt's words ("font: bold on"), after which "@" and
// a number format may follow ("~@0.00%"); a line "width C N" gives column
// C (from 0) the width N (in 1/256 of a character).
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

// How the sheet of the workbook looks, as xlrd reads it with its formats:
// the widths of its columns ("width C N"), then each cell that holds
// something as "R,C value font=NAME,HEIGHT,BOLD format=FORMAT" (with
// "runs=" and where its rich text's fonts start), and each of
// its formulas as "formula R,C" and the bytes of its expression.  Formulas
// are read from the workbook stream itself, which xlrd gives but does not
// decode.
inline std::string XlrdLooks(const CString& strBook, const std::string& strSheet)
{
    static const char kScript[] = R"(import sys, struct, xlrd
sys.stdout.reconfigure(encoding="utf-8")
book = xlrd.open_workbook(sys.argv[1], formatting_info=True, on_demand=True)
index = book.sheet_names().index(sys.argv[2])
sheet = book.sheet_by_index(index)
for c in sorted(sheet.colinfo_map):
    print("width %d %d" % (c, sheet.colinfo_map[c].width))
for r in range(sheet.nrows):
    for c in range(sheet.ncols):
        cell = sheet.cell(r, c)
        if cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
            continue
        xf = book.xf_list[cell.xf_index]
        font = book.font_list[xf.font_index]
        runs = sheet.rich_text_runlist_map.get((r, c))
        print("%d,%d %r font=%s,%d,%d format=%s%s" % (r, c, cell.value, font.name, font.height, font.bold,
                                                     book.format_map[xf.format_key].format_str,
                                                     " runs=%r" % runs if runs else ""))
at = book._sh_abs_posn[index]
while at + 4 <= len(book.mem):
    code, size = struct.unpack("<HH", book.mem[at:at + 4])
    if code == 0x0006:
        r, c = struct.unpack("<HH", book.mem[at + 4:at + 8])
        print("formula %d,%d %s" % (r, c, book.mem[at + 24:at + 4 + size].hex()))
    if code == 0x000A:
        break
    at += 4 + size
)";
    return RunPython(kScript, Quoted(strBook) + " '" + strSheet + "'");
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
    if line.startswith("width "):
        column, width = line[6:].split(" ")
        sheet.col(int(column)).width = int(width)
        continue
    for c, cell in enumerate(line.split("|")):
        cell, _, look = cell.partition("~")
        look, _, number = look.partition("@")
        style = xlwt.easyxf(look, num_format_str=number or None)
        if cell.startswith("s:"):
            sheet.write(r, c, cell[2:], style)
        elif cell.startswith("n:"):
            sheet.write(r, c, float(cell[2:]), style)
        elif cell.startswith("f:"):
            sheet.write(r, c, xlwt.Formula(cell[2:]), style)
        elif cell.startswith("r:"):
            plain, _, bold = cell[2:].partition("^")
            sheet.write_rich_text(r, c, [plain, (bold, xlwt.easyfont("bold on"))], style)
    r += 1
book.save(sys.argv[1])
)";
    std::string strQuotedSheets = "'";
    for (char ch : strSheets)
        strQuotedSheets += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return RunPython(kScript, Quoted(strBook) + " " + strQuotedSheets + "'");
}

} // namespace workbooktest
