#include "engines/dao/SourceLock.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/db/DaoDatabase.h"

namespace
{

// Who holds the lock, written into the lock file for the message another
// session shows.
CString HolderText()
{
    char szUser[256] = "";
    DWORD dwUser = sizeof(szUser);
    if (!GetUserNameA(szUser, &dwUser))
        szUser[0] = '\0';
    char szComputer[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD dwComputer = sizeof(szComputer);
    if (!GetComputerNameA(szComputer, &dwComputer))
        szComputer[0] = '\0';
    SYSTEMTIME now;
    GetLocalTime(&now);
    CString strText;
    strText.Format("%s on %s, process %d, since %04d-%02d-%02d %02d:%02d", szUser, szComputer, (int)getpid(),
                   now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
    return strText;
}

// Names this session in the lock file it holds.  The lock holds without
// the name; only another session's message then lacks it.
void WriteHolder(int fd)
{
    CString strHolder = HolderText() + "\n";
    if (ftruncate(fd, 0) != 0)
        return;
    ssize_t nWritten = pwrite(fd, (LPCSTR)strHolder, strHolder.GetLength(), 0);
    (void)nWritten;
}

// The holder's line of a lock file open for reading; "" when it has none yet.
CString ReadHolder(int fd)
{
    char szText[512];
    ssize_t nRead = pread(fd, szText, sizeof(szText) - 1, 0);
    if (nRead <= 0)
        return CString();
    szText[nRead] = '\0';
    CString strHolder(szText);
    strHolder.TrimRight("\r\n");
    return strHolder;
}

// TRUE while the open file is the one the path names: a lock file removed
// by its holder after this process opened it locks nothing.
bool IsStillNamed(int fd, const std::string& path)
{
    struct stat opened, named;
    return fstat(fd, &opened) == 0 && stat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev
           && opened.st_ino == named.st_ino;
}

} // namespace

CSourceLock::~CSourceLock()
{
    Release();
}

CString CSourceLock::LockPath(const CString& strFolder)
{
    return strFolder + "\\~KemSource.lck";
}

BOOL CSourceLock::Acquire(const CString& strFolder, const CString& strSource, CString& strError)
{
    Release();
    CString strPath = LockPath(strFolder);
    if (GetFileAttributesA(strFolder) == INVALID_FILE_ATTRIBUTES)
    {
        strError = strSource + " was not found.";
        return FALSE;
    }
    std::string path = (LPCSTR)DaoUnixPath(strPath);
    if (path.empty())
    {
        strError = "No lock file can be made for " + strSource + " in " + strFolder + ".";
        return FALSE;
    }
    for (int nTry = 0; nTry < 10; ++nTry)
    {
        int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        // Another user's lock file may be only readable here; a read lock
        // descriptor is enough to lock it.
        bool bReadOnly = fd < 0 && errno == EACCES;
        if (bReadOnly)
            fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
        {
            strError = "No lock file can be made for " + strSource + " in " + strFolder + ": "
                       + (errno == EACCES || errno == EROFS ? "the folder cannot be written" : strerror(errno)) + ".";
            return FALSE;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        {
            int nError = errno;
            CString strHolder = ReadHolder(fd);
            close(fd);
            if (nError != EWOULDBLOCK)
            {
                strError = "The lock file " + strPath + " cannot be locked: " + strerror(nError) + ".";
                return FALSE;
            }
            strError = "The data source " + strSource + " is in use by another session"
                       + (strHolder.IsEmpty() ? CString() : " (" + strHolder + ")")
                       + ". It can be opened here when that session has closed it.";
            return FALSE;
        }
        if (!IsStillNamed(fd, path))
        {
            close(fd);
            continue;
        }
        // A lock file left by a session that ended without closing is
        // taken over: its old holder is named no longer.  One that this
        // user cannot write is removed and made anew.
        if (bReadOnly)
        {
            unlink(path.c_str());
            close(fd);
            continue;
        }
        // Whoever takes the lock over next may be another user.
        fchmod(fd, 0666);
        WriteHolder(fd);
        m_fd = fd;
        m_unixPath = path;
        return TRUE;
    }
    strError = "The lock file " + strPath + " keeps being replaced by another session.";
    return FALSE;
}

void CSourceLock::Release()
{
    if (m_fd < 0)
        return;
    // Removed while still locked, so a session that opened it meanwhile
    // sees it is no longer the folder's lock file.
    unlink(m_unixPath.c_str());
    close(m_fd);
    m_fd = -1;
    m_unixPath.clear();
}
