#include "framework/docview/MailPrograms.h"

#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

namespace
{
// The name under which Wine registers its own mail handler as the default
// mail client.
const char kWineMailClient[] = "Native Mail Client";

// The mailers Wine tries when its setting names none.
const char kDefaultMailers[] = "xdg-email,mozilla-thunderbird,thunderbird,evolution";

// The "Mailers" setting: program names separated by commas.
std::string MailerList()
{
    char szList[1024] = "";
    DWORD cb = sizeof(szList);
    if (::RegGetValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Mailers", RRF_RT_REG_SZ,
                       NULL, szList, &cb) != ERROR_SUCCESS)
        return kDefaultMailers;
    return szList;
}

// Whether the program runs from a path, or is found on the Unix PATH.
bool IsOnPath(const std::string& strProgram)
{
    if (strProgram.empty())
        return false;
    if (strProgram.find('/') != std::string::npos)
        return access(strProgram.c_str(), X_OK) == 0;
    const char* pszPath = getenv("PATH");
    std::string strPath = pszPath != NULL ? pszPath : "";
    for (size_t nStart = 0; nStart <= strPath.size();)
    {
        size_t nEnd = strPath.find(':', nStart);
        if (nEnd == std::string::npos)
            nEnd = strPath.size();
        std::string strDir = strPath.substr(nStart, nEnd - nStart);
        if (!strDir.empty() && access((strDir + "/" + strProgram).c_str(), X_OK) == 0)
            return true;
        nStart = nEnd + 1;
    }
    return false;
}
} // namespace

BOOL AfxIsMailProgramInstalled()
{
    char szClient[256] = "";
    DWORD cb = sizeof(szClient);
    if (::RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Clients\\Mail", NULL, RRF_RT_REG_SZ, NULL,
                       szClient, &cb) != ERROR_SUCCESS || szClient[0] == '\0')
        return FALSE;
    // Another registered client takes the message itself.
    if (lstrcmpiA(szClient, kWineMailClient) != 0)
        return TRUE;
    std::string strList = MailerList();
    for (size_t nStart = 0; nStart <= strList.size();)
    {
        size_t nEnd = strList.find(',', nStart);
        if (nEnd == std::string::npos)
            nEnd = strList.size();
        std::string strName = strList.substr(nStart, nEnd - nStart);
        size_t nFirst = strName.find_first_not_of(' ');
        size_t nLast = strName.find_last_not_of(' ');
        if (nFirst != std::string::npos && IsOnPath(strName.substr(nFirst, nLast - nFirst + 1)))
            return TRUE;
        nStart = nEnd + 1;
    }
    return FALSE;
}
