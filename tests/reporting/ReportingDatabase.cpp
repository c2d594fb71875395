#include "tests/reporting/ReportingDatabase.h"

#include "framework/core/File.h"

CString ReadFileText(const CString& strPath)
{
    CFile file(strPath, CFile::modeRead);
    CString strText;
    UINT nLength = (UINT)file.GetLength();
    file.Read(strText.GetBuffer(nLength), nLength);
    strText.ReleaseBuffer(nLength);
    return strText;
}

CString ReadSchemaFile(LPCSTR lpszName)
{
    // The source tree is reached through Wine's drive of the root folder.
    return ReadFileText(CString("Z:") + REPORTING_SCHEMA_DIR + "/" + lpszName);
}

CString CReportingTestFolder::MakeDatabase(LPCSTR lpszName, BOOL bSample) const
{
    CString strSchema = ReadSchemaFile("sqlite.sql");
    if (bSample)
        strSchema += ReadSchemaFile("sample-data.sql");
    return CDaoTestFolder::MakeDatabase(lpszName, strSchema);
}
