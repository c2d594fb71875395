#include "tests/reporting/ReportingDatabase.h"

#include "framework/core/File.h"
#include "framework/db/DaoDatabase.h"

CString ReadSchemaFile(LPCSTR lpszName)
{
    // The source tree is reached through Wine's drive of the root folder.
    CFile file(CString("Z:") + REPORTING_SCHEMA_DIR + "/" + lpszName, CFile::modeRead);
    CString strText;
    UINT nLength = (UINT)file.GetLength();
    file.Read(strText.GetBuffer(nLength), nLength);
    strText.ReleaseBuffer(nLength);
    return strText;
}

CReportingTestFolder::CReportingTestFolder()
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    for (int n = 0;; ++n)
    {
        m_strFolder.Format("%sreporting_test_%lu_%d", szTemp, (unsigned long)GetCurrentProcessId(), n);
        if (CreateDirectoryA(m_strFolder, NULL))
            break;
    }
}

CReportingTestFolder::~CReportingTestFolder()
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(m_strFolder + "\\*", &data);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                DeleteFileA(m_strFolder + "\\" + data.cFileName);
        while (FindNextFileA(hFind, &data));
        FindClose(hFind);
    }
    RemoveDirectoryA(m_strFolder);
}

CString CReportingTestFolder::MakeDatabase(LPCSTR lpszName, BOOL bSample) const
{
    CString strPath = Path(lpszName);
    CDaoDatabase db;
    db.Create(strPath);
    db.Execute(ReadSchemaFile("sqlite.sql"));
    if (bSample)
        db.Execute(ReadSchemaFile("sample-data.sql"));
    db.Close();
    return strPath;
}
