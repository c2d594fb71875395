#include "view/TemplateName.h"

#include "framework/core/MessageSink.h"

namespace
{
const char szForbidden[] = "\\/:*?\"<>|";
const char* const kReservedNames[] = {"CON", "PRN", "AUX", "NUL", "COM1", "COM2", "COM3", "COM4",
                                      "COM5", "COM6", "COM7", "COM8", "COM9", "LPT1", "LPT2",
                                      "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};

BOOL IsReservedName(const CString& strName)
{
    // A device name stays reserved whatever extension follows it.
    int nDot = strName.Find('.');
    CString strBase = nDot < 0 ? strName : strName.Left(nDot);
    strBase.TrimRight(' ');
    for (const char* pszReserved : kReservedNames)
        if (strBase.CompareNoCase(pszReserved) == 0)
            return TRUE;
    return FALSE;
}
}

CString TemplateNameProblem(LPCSTR lpszName)
{
    CString strName = lpszName;
    CString strTrimmed = strName;
    strTrimmed.Trim(' ');
    if (strTrimmed.IsEmpty())
        return "Please input the template name.";
    for (int i = 0; i < strName.GetLength(); ++i)
    {
        unsigned char ch = (unsigned char)strName[i];
        if (ch < 32 || strchr(szForbidden, ch) != NULL)
            return "A template name cannot contain any of the characters \\ / : * ? \" < > |.";
    }
    // The file system drops trailing dots and blanks, so the file would
    // not have the name the user gave.
    char chLast = strName[strName.GetLength() - 1];
    if (chLast == '.' || chLast == ' ')
        return "A template name cannot end with a dot or a space.";
    if (IsReservedName(strName))
    {
        CString strMessage;
        strMessage.Format("%s is a name reserved by the system.", lpszName);
        return strMessage;
    }
    return CString();
}

CString TemplatePathProblem(LPCSTR lpszFolder, LPCSTR lpszName)
{
    // Room for ".kvm" and the terminator.
    if (lstrlenA(lpszFolder) + lstrlenA(lpszName) + 4 >= MAX_PATH)
        return "The template name is too long for this folder.";
    return CString();
}

BOOL CheckTemplateName(LPCSTR lpszFolder, LPCSTR lpszName)
{
    CString strProblem = TemplateNameProblem(lpszName);
    if (strProblem.IsEmpty())
        strProblem = TemplatePathProblem(lpszFolder, lpszName);
    if (strProblem.IsEmpty())
        return TRUE;
    AfxMessageBox(strProblem, MB_ICONEXCLAMATION);
    return FALSE;
}
