#include "tests/support/EngineLibrary.h"

#include <string.h>

namespace
{

template <typename PFN>
PFN As(FARPROC pfn)
{
    return reinterpret_cast<PFN>(reinterpret_cast<void (*)(void)>(pfn));
}

} // namespace

EngineLibrary::EngineLibrary(LPCSTR lpszFileName) : m_hModule(NULL)
{
    char szPath[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    char* pSlash = n > 0 && n < MAX_PATH ? strrchr(szPath, '\\') : NULL;
    if (pSlash != NULL && strlen(lpszFileName) + 2 < (size_t)(szPath + MAX_PATH - pSlash))
    {
        strcpy(pSlash + 1, lpszFileName);
        m_hModule = LoadLibraryA(szPath);
    }
    GetDatabase = As<PFN_GET_DATABASE>(Proc(ENGINE_EXPORT_GET_DATABASE));
    GetRecordset = As<PFN_GET_RECORDSET>(Proc(ENGINE_EXPORT_GET_RECORDSET));
    ReleaseDatabase = As<PFN_RELEASE_DATABASE>(Proc(ENGINE_EXPORT_RELEASE_DATABASE));
    ReleaseRecordset = As<PFN_RELEASE_RECORDSET>(Proc(ENGINE_EXPORT_RELEASE_RECORDSET));
    LoadKemReportData = As<PFN_REPORT_DATA>(Proc(ENGINE_EXPORT_LOAD_REPORT_DATA));
    SaveKemReportData = As<PFN_REPORT_DATA>(Proc(ENGINE_EXPORT_SAVE_REPORT_DATA));
}

EngineLibrary::~EngineLibrary()
{
    if (m_hModule != NULL)
        FreeLibrary(m_hModule);
}

FARPROC EngineLibrary::Proc(LPCSTR lpszName) const
{
    return m_hModule != NULL ? GetProcAddress(m_hModule, lpszName) : NULL;
}

CCell ReportDataCell(LPCSTR lpszOrg, LPCSTR lpszPeriod, LPCSTR lpszRowItem, LPCSTR lpszColItem, LONG nLine,
                     int nMode, LPCSTR lpszValue, int nCurType)
{
    CCell cell;
    cell.SetType(CELL_NUMERIC);
    CopyCode(cell.m_szOrgCode, sizeof(cell.m_szOrgCode), lpszOrg);
    CopyCode(cell.m_szPeriodCode, sizeof(cell.m_szPeriodCode), lpszPeriod);
    CopyCode(cell.m_szRowItemCode, sizeof(cell.m_szRowItemCode), lpszRowItem);
    CopyCode(cell.m_szColItemCode, sizeof(cell.m_szColItemCode), lpszColItem);
    cell.m_nLine = nLine;
    cell.m_nValueType = nMode;
    cell.m_nCurType = nCurType;
    cell.m_strValue = lpszValue;
    return cell;
}

CString EnvironmentValue(LPCSTR lpszName)
{
    char value[512] = "";
    DWORD n = GetEnvironmentVariableA(lpszName, value, sizeof(value));
    return n > 0 && n < sizeof(value) ? CString(value) : CString();
}

std::string TakeExceptionText(CException* e)
{
    char szError[512] = "";
    e->GetErrorMessage(szError, sizeof(szError));
    e->Delete();
    return szError;
}
