#include "engines/dao/spreadsheet/SheetFileIo.h"

#include "framework/core/File.h"

namespace
{

// Larger than any worksheet of the formats read whole.
const ULONGLONG MAX_READ_SIZE = 0x40000000;

} // namespace

CString SheetFileTitle(const CString& strPath)
{
    CString strName = strPath.Mid(strPath.ReverseFind('\\') + 1);
    int nDot = strName.ReverseFind('.');
    return nDot > 0 ? strName.Left(nDot) : strName;
}

CString ExceptionMessage(const CException* e)
{
    char szMessage[512] = "";
    e->GetErrorMessage(szMessage, sizeof(szMessage));
    return szMessage;
}

BOOL ReadSheetFileHead(const CString& strPath, BYTE* pHead, UINT nCount, UINT& nRead, CString& strError)
{
    try
    {
        CFile file(strPath, CFile::modeRead | CFile::shareDenyWrite);
        nRead = file.Read(pHead, nCount);
        return TRUE;
    }
    catch (CException* e)
    {
        strError = ExceptionMessage(e);
        e->Delete();
        return FALSE;
    }
}

BOOL ReadSheetFile(const CString& strPath, std::vector<BYTE>& bytes, CString& strError)
{
    try
    {
        CFile file(strPath, CFile::modeRead | CFile::shareDenyWrite);
        ULONGLONG nLength = file.GetLength();
        if (nLength > MAX_READ_SIZE)
        {
            strError = strPath + " is too large to be a worksheet.";
            return FALSE;
        }
        bytes.resize((size_t)nLength);
        UINT nRead = nLength > 0 ? file.Read(bytes.data(), (UINT)nLength) : 0;
        bytes.resize(nRead);
        return TRUE;
    }
    catch (CException* e)
    {
        strError = ExceptionMessage(e);
        e->Delete();
        return FALSE;
    }
}

BOOL WriteSheetFile(const CString& strPath, const std::vector<BYTE>& bytes, CString& strError)
{
    const BOOL bExisted = GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES;
    try
    {
        CFile file(strPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        try
        {
            file.Write(bytes.data(), (UINT)bytes.size());
            file.Close();
        }
        catch (CException*)
        {
            file.Abort();
            if (!bExisted)
                DeleteFileA(strPath);
            throw;
        }
        return TRUE;
    }
    catch (CException* e)
    {
        strError = ExceptionMessage(e);
        e->Delete();
        return FALSE;
    }
}
