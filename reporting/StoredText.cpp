#include "reporting/StoredText.h"

#include "engines/common/KemRecordset.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/db/SqlQuote.h"
#include "reporting/FieldText.h"
#include "reporting/RecordBrowser.h"
#include "reporting/ReportConnection.h"

const char kUnshownTextRefused[] =
    "The stored text holds characters that this system cannot show, so it cannot be replaced here. "
    "Nothing was changed.";

BOOL IsShownAsStored(const CString& strTable, const CString& strRowCondition, LPCSTR lpszField,
                     const CString& strShown)
{
    if (strShown.Find('?') < 0)
        return TRUE;
    CString strCondition = "(" + strRowCondition + ") And " + lpszField + "=" + SqlQuote(strShown);
    return GetReportConnection().RecordExists(strTable, strCondition) == 1;
}

std::vector<CString> ShownTexts(CKemRecordset& rs, const std::vector<CFieldText>& changes)
{
    std::vector<CString> shown;
    for (const CFieldText& change : changes)
        shown.push_back(RecordsetFieldText(&rs, change.first));
    return shown;
}

BOOL CanReplaceShownTexts(const CString& strTable, const CString& strRowCondition,
                          const std::vector<CFieldText>& changes, const std::vector<CString>& shown)
{
    for (size_t i = 0; i < changes.size(); ++i)
    {
        if (shown[i].Compare(changes[i].second) == 0 ||
            IsShownAsStored(strTable, strRowCondition, changes[i].first, shown[i]))
            continue;
        AfxMessageBox(kUnshownTextRefused, MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

BOOL CanReplaceCurrentRowTexts(CKemRecordset& rs, const CString& strTable, const std::vector<CFieldText>& changes)
{
    try
    {
        return CanReplaceShownTexts(strTable, CodeCondition(CurrentCode(rs)), changes, ShownTexts(rs, changes));
    }
    catch (CException* e)
    {
        e->ReportError();
        e->Delete();
        return FALSE;
    }
}

void SetChangedTexts(CKemRecordset& rs, const std::vector<CFieldText>& changes, const std::vector<CString>& shown)
{
    for (size_t i = 0; i < changes.size(); ++i)
        if (i >= shown.size() || shown[i].Compare(changes[i].second) != 0)
            rs.SetFieldValue(changes[i].first, (LPCSTR)changes[i].second);
}
