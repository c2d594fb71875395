// The standard headers come first: windows.h defines min and max macros.
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "tests/support/SmallDisk.h"

namespace
{
BOOL Run(const std::string& command)
{
    return system((command + " >/dev/null 2>&1").c_str()) == 0;
}
} // namespace

CSmallDisk::CSmallDisk(int nKilobytes) : m_bMounted(FALSE)
{
    char szFolder[] = "/tmp/kem-disk.XXXXXX";
    if (mkdtemp(szFolder) == NULL)
        return;
    m_unixFolder = szFolder;
    m_bMounted = Run("mount -t tmpfs -o size=" + std::to_string(nKilobytes) + "k tmpfs " + m_unixFolder);
}

CSmallDisk::~CSmallDisk()
{
    if (m_bMounted)
        Run("umount " + m_unixFolder);
    if (!m_unixFolder.empty())
        rmdir(m_unixFolder.c_str());
}

CString CSmallDisk::PathOf(LPCSTR lpszName) const
{
    CString strPath = ("Z:" + m_unixFolder).c_str();
    strPath.Replace('/', '\\');
    return strPath + "\\" + lpszName;
}

BOOL CSmallDisk::MakeReadOnly()
{
    return m_bMounted && Run("mount -o remount,ro " + m_unixFolder);
}
