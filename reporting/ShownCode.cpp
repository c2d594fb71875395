#include "reporting/ShownCode.h"

#include <string.h>

#include "framework/core/MessageSink.h"
#include "framework/db/SqlQuote.h"
#include "reporting/FieldText.h"
#include "reporting/ReportConnection.h"

namespace
{

// What a code of the table names.
LPCSTR CodeKindOf(LPCSTR pszTable)
{
    if (pszTable != NULL && strcmp(pszTable, "ss_item") == 0)
        return "row item";
    if (pszTable != NULL && strcmp(pszTable, "ss_colitem") == 0)
        return "column item";
    return "organization";
}

} // namespace

CString UnshownCodeMessage(LPCSTR pszTable, const CString& strCode)
{
    CString strMessage;
    strMessage.Format("The %s code \"%s\" holds characters that this system cannot show, so it cannot be used "
                      "here.",
                      CodeKindOf(pszTable), (LPCSTR)strCode);
    return strMessage;
}

int IsCodeShownAsStored(const CReportConnection& connection, LPCSTR pszTable, const CString& strCode,
                        LPCSTR pszName)
{
    if (strCode.Find('?') < 0)
        return 1;
    CString strCondition = "FD_Code=" + SqlQuote(strCode);
    if (pszName != NULL)
        strCondition += " And FD_Name=" + SqlQuote(pszName);
    return connection.RecordExists(pszTable, strCondition);
}

BOOL CanUseShownCode(const CReportConnection& connection, LPCSTR pszTable, const CString& strCode,
                     LPCSTR pszName)
{
    const int nStored = IsCodeShownAsStored(connection, pszTable, strCode, pszName);
    if (nStored == 0)
        AfxMessageBox(UnshownCodeMessage(pszTable, strCode), MB_ICONEXCLAMATION);
    return nStored == 1;
}

int IsCurrentCodeShownAsStored(CKemRecordset& rs, LPCSTR pszTable)
{
    return IsCodeShownAsStored(GetReportConnection(), pszTable, RecordsetFieldText(&rs, "FD_Code"),
                               RecordsetFieldText(&rs, "FD_Name"));
}

BOOL CanUseCurrentCode(CKemRecordset& rs, LPCSTR pszTable)
{
    return CanUseShownCode(GetReportConnection(), pszTable, RecordsetFieldText(&rs, "FD_Code"),
                           RecordsetFieldText(&rs, "FD_Name"));
}
