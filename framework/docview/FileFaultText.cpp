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

// Free space below this on the file's disk is taken as a full disk.
const ULONGLONG kNearlyFull = 1024 * 1024;

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

BOOL IsDiskNearlyFull(const CString& strPath)
{
    ULARGE_INTEGER free;
    return GetDiskFreeSpaceExA(FolderOf(strPath), &free, NULL, NULL) && free.QuadPart < kNearlyFull;
}

BOOL IsReadOnlyFile(const CString& strPath)
{
    DWORD dwAttributes = GetFileAttributesA(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// What the exception says, sharpened by how the disk and the file are now:
// a write that fails on a full disk comes back from some layers as a device
// error or an unknown one.
Cause CauseOfFault(const CString& strPath, const CException* pException, BOOL bSaving)
{
    Cause cause = CauseOf(pException);
    if (!bSaving)
        return cause;
    if ((cause == causeDevice || cause == causeUnknown || cause == causeDiskFull) && IsDiskNearlyFull(strPath))
        return causeDiskFull;
    if ((cause == causeNoPermission || cause == causeUnknown) && IsReadOnlyFile(strPath))
        return causeReadOnly;
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

CString FileFaultText(LPCSTR lpszPathName, const CException* pException, BOOL bSaving)
{
    CString strPath = lpszPathName != NULL ? lpszPathName : "";
    CString strText;
    strText.Format(bSaving ? "Failed to save document %s." : "Failed to open document %s.", (LPCSTR)strPath);
    LPCSTR pszCause = CauseText(CauseOfFault(strPath, pException, bSaving), bSaving);
    if (pszCause != NULL)
        return strText + "\n" + pszCause;
    // Nothing better known: the failure's own words.
    char szMessage[512];
    if (pException != NULL && pException->GetErrorMessage(szMessage, sizeof(szMessage)) && szMessage[0] != '\0')
        strText += CString("\n") + szMessage;
    return strText;
}
