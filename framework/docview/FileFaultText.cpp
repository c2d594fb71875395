#include "framework/docview/FileFaultText.h"

#include "framework/core/Archive.h"
#include "framework/core/File.h"

namespace
{

enum Cause
{
    causeUnknown,
    causeDiskFull,
    causeNoPermission,
    causeReadOnly,
    causeInUse,
    causeNotFound,
    causeNoFolder,
    causeDamaged,
    causeDevice
};

CString FolderOf(const CString& strPath)
{
    int nSlash = strPath.ReverseFind('\\');
    int nForward = strPath.ReverseFind('/');
    if (nForward > nSlash)
        nSlash = nForward;
    return nSlash < 0 ? CString(".") : strPath.Left(nSlash + 1);
}

Cause CauseOfFileException(const CFileException& e)
{
    switch (e.m_cause)
    {
    case CFileException::diskFull:
    case CFileException::directoryFull:
        return causeDiskFull;
    case CFileException::accessDenied:
        return causeNoPermission;
    case CFileException::sharingViolation:
    case CFileException::lockViolation:
        return causeInUse;
    case CFileException::fileNotFound:
        return causeNotFound;
    case CFileException::badPath:
        return causeNoFolder;
    case CFileException::invalidFile:
    case CFileException::endOfFile:
    case CFileException::badSeek:
        return causeDamaged;
    case CFileException::hardIO:
        return causeDevice;
    default:
        return causeUnknown;
    }
}

Cause CauseOfScode(SCODE sc)
{
    switch (sc)
    {
    case STG_E_MEDIUMFULL:
        return causeDiskFull;
    case STG_E_ACCESSDENIED:
        return causeNoPermission;
    case STG_E_SHAREVIOLATION:
    case STG_E_LOCKVIOLATION:
        return causeInUse;
    case STG_E_FILENOTFOUND:
        return causeNotFound;
    case STG_E_PATHNOTFOUND:
        return causeNoFolder;
    case STG_E_READFAULT:
    case STG_E_WRITEFAULT:
        return causeDevice;
    default:
        // Every other storage status of an existing file: not a compound
        // file of ours, or one cut short.
        return HRESULT_FACILITY(sc) == FACILITY_STORAGE ? causeDamaged : causeUnknown;
    }
}

Cause CauseOf(const CException* pException)
{
    if (pException == NULL)
        return causeUnknown;
    if (pException->IsKindOf(RUNTIME_CLASS(CFileException)))
    {
        const CFileException& e = *static_cast<const CFileException*>(pException);
        // A storage status carried as the cause's code says more.
        if (HRESULT_FACILITY(e.m_lOsError) == FACILITY_STORAGE && e.m_lOsError < 0)
        {
            Cause cause = CauseOfScode((SCODE)e.m_lOsError);
            if (cause != causeUnknown)
                return cause;
        }
        return CauseOfFileException(e);
    }
    if (pException->IsKindOf(RUNTIME_CLASS(COleException)))
        return CauseOfScode(static_cast<const COleException*>(pException)->m_sc);
    if (pException->IsKindOf(RUNTIME_CLASS(CArchiveException)))
        return causeDamaged;
    return causeUnknown;
}

// Whether a file can be made in the folder now: FALSE only when the folder
// refuses it (no permission, a read-only disk).
BOOL FolderRefusesWriting(const CString& strPath)
{
    CString strProbe;
    strProbe.Format("%s~write-test-%lu.tmp", (LPCSTR)FolderOf(strPath), (unsigned long)GetCurrentProcessId());
    HANDLE hFile = CreateFileA(strProbe, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
    if (hFile != INVALID_HANDLE_VALUE)
    {
        CloseHandle(hFile);
        return FALSE;
    }
    DWORD dwError = GetLastError();
    return dwError == ERROR_ACCESS_DENIED || dwError == ERROR_WRITE_PROTECT;
}

BOOL IsReadOnlyFile(const CString& strPath)
{
    DWORD dwAttributes = GetFileAttributesA(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// What the exception says, sharpened by how the file and its folder are
// now: some layers report a folder that cannot be written as an unknown
// failure, and a compound file cut short as a read fault.
Cause CauseOfFault(const CString& strPath, const CException* pException, BOOL bSaving)
{
    Cause cause = CauseOf(pException);
    if (!bSaving)
        return cause == causeDevice ? causeDamaged : cause;
    if ((cause == causeNoPermission || cause == causeUnknown) && IsReadOnlyFile(strPath))
        return causeReadOnly;
    if (cause == causeUnknown && FolderRefusesWriting(strPath))
        return causeNoPermission;
    return cause;
}

LPCSTR CauseText(Cause cause, BOOL bSaving)
{
    switch (cause)
    {
    case causeDiskFull:
        return "The disk is full. Make room on it, or save the file on another disk.";
    case causeNoPermission:
        return bSaving ? "You have no permission to write the file in its folder. Save it in another folder."
                       : "You have no permission to read the file.";
    case causeReadOnly:
        return "The file is read-only and was left as it is. Save under another name.";
    case causeInUse:
        return "The file is in use by another program.";
    case causeNotFound:
        return "The file does not exist.";
    case causeNoFolder:
        return "Its folder does not exist.";
    case causeDamaged:
        return bSaving ? "The file could not be written whole." : "It is not a template, or it is damaged.";
    case causeDevice:
        return bSaving ? "The disk could not be written." : "The disk could not be read.";
    default:
        return NULL;
    }
}

} // namespace

CString FileFaultCause(LPCSTR lpszPathName, const CException* pException, BOOL bSaving)
{
    CString strPath = lpszPathName != NULL ? lpszPathName : "";
    LPCSTR pszCause = CauseText(CauseOfFault(strPath, pException, bSaving), bSaving);
    if (pszCause != NULL)
        return pszCause;
    // Nothing better known: the failure's own words.
    char szMessage[512];
    if (pException != NULL && pException->GetErrorMessage(szMessage, sizeof(szMessage)))
        return szMessage;
    return CString();
}

CString FileFaultText(LPCSTR lpszPathName, const CException* pException, BOOL bSaving)
{
    CString strText;
    strText.Format(bSaving ? "Failed to save document %s." : "Failed to open document %s.",
                   lpszPathName != NULL ? lpszPathName : "");
    CString strCause = FileFaultCause(lpszPathName, pException, bSaving);
    return strCause.IsEmpty() ? strText : strText + "\n" + strCause;
}
