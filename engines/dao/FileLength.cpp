#include "engines/dao/FileLength.h"

LONGLONG FileLength(const CString& strPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(strPath, GetFileExInfoStandard, &data))
        return -1;
    return ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

CString FileStamp(const CString& strPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    CString strStamp;
    if (GetFileAttributesExA(strPath, GetFileExInfoStandard, &data))
        strStamp.Format("%lu:%lu:%lu:%lu", (unsigned long)data.nFileSizeHigh, (unsigned long)data.nFileSizeLow,
                        (unsigned long)data.ftLastWriteTime.dwHighDateTime,
                        (unsigned long)data.ftLastWriteTime.dwLowDateTime);
    return strStamp;
}
