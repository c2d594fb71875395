#include "sheet/document/TallyformDoc.h"

#include <string.h>

#include "framework/core/MessageSink.h"
#include "sheet/SheetPdf.h"
#include "sheet/document/KeyCells.h"

namespace {

// The path with ".pdf" appended unless its file name's extension is
// exactly "pdf".
CString WithPdfExtension(const CString& strPath)
{
    LPCSTR pszPath = strPath;
    LPCSTR pszName = pszPath;
    for (LPCSTR p = pszPath; *p != '\0'; ++p)
    {
        if (*p == '\\' || *p == '/' || *p == ':')
            pszName = p + 1;
    }
    LPCSTR pszDot = strrchr(pszName, '.');
    if (pszDot != NULL && strcmp(pszDot + 1, "pdf") == 0)
        return strPath;
    return strPath + ".pdf";
}

} // namespace

void CTallyformDoc::OnSaveToPdf()
{
    CString strPath;
    if (!PromptPdfFileName(strPath))
        return;
    CString strError;
    const CString strPdf = WithPdfExtension(strPath);
    if (!WriteSheetPdf(m_sheet, strPdf, strError))
    {
        AfxMessageBox(strError);
        return;
    }
    ShowStatusText("The report" + ReportKeysText(m_sheet) + " is saved to " + strPdf + ".");
}
