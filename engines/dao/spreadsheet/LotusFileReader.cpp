#include "engines/dao/spreadsheet/LotusWorksheetFile.h"

#include <libwps/libwps.h>
#include <librevenge-stream/librevenge-stream.h>

#include "engines/dao/spreadsheet/LotusCellCollector.h"
#include "engines/dao/spreadsheet/LotusRecords.h"
#include "engines/dao/spreadsheet/SheetFileIo.h"

namespace
{

CString NotAWorksheet(const CString& strPath)
{
    return strPath + " is not a Lotus worksheet.";
}

CString Damaged(const CString& strPath)
{
    return strPath + " is damaged or cut short and cannot be read.";
}

// libwps's name of the code page, for a file that names none.
const char* EncodingName(LotusFormat nFormat)
{
    return LotusCodePage(nFormat) == 850 ? "CP850" : "CP437";
}

CString ParseFailure(const CString& strPath, libwps::WPSResult result)
{
    switch (result)
    {
    case libwps::WPS_ENCRYPTION_ERROR:
        return strPath + " is protected by a password and cannot be read.";
    case libwps::WPS_FILE_ACCESS_ERROR:
        return "Cannot read " + strPath + ".";
    default:
        return Damaged(strPath);
    }
}

} // namespace

BOOL ReadLotusFile(const CString& strPath, CSourceTable& table, LotusFormat& nFormat, CString& strError)
{
    std::vector<BYTE> bytes;
    if (!ReadSheetFile(strPath, bytes, strError))
        return FALSE;
    WORD wVersion = 0;
    // libwps reads what it can of a cut file without a word: check the
    // records first, so that a part of a table is never taken for all of it.
    if (!CheckLotusRecords(bytes, wVersion))
    {
        strError = bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 ? Damaged(strPath) : NotAWorksheet(strPath);
        return FALSE;
    }
    librevenge::RVNGStringStream input(bytes.data(), (unsigned)bytes.size());
    libwps::WPSKind kind = libwps::WPS_TEXT;
    libwps::WPSCreator creator = libwps::WPS_MSWORKS;
    bool bNeedsEncoding = false;
    libwps::WPSConfidence confidence =
        libwps::WPSDocument::isFileFormatSupported(&input, kind, creator, bNeedsEncoding);
    if (confidence == libwps::WPS_CONFIDENCE_NONE || kind != libwps::WPS_SPREADSHEET)
    {
        strError = NotAWorksheet(strPath);
        return FALSE;
    }
    const LotusFormat nFileFormat = wVersion == LOTUS_WKS_VERSION ? LOTUS_WKS : LOTUS_WK1;
    CSheetCellGrid grid;
    CLotusCellCollector collector(grid);
    input.seek(0, librevenge::RVNG_SEEK_SET);
    libwps::WPSResult result =
        libwps::WPSDocument::parse(&input, &collector, "", bNeedsEncoding ? EncodingName(nFileFormat) : "");
    if (result != libwps::WPS_OK || !collector.AllCellsKept())
    {
        strError = result != libwps::WPS_OK ? ParseFailure(strPath, result) : Damaged(strPath);
        return FALSE;
    }
    table = grid.TakeTable(SheetFileTitle(strPath));
    nFormat = nFileFormat;
    return TRUE;
}
