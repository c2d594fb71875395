#include "engines/common/KemDatabase.h"

#include "engines/common/DataSourceType.h"

IMPLEMENT_DYNAMIC(CKemDatabase, CObject)

CKemDatabase::CKemDatabase() : m_nType(0), m_pSaveStep(NULL)
{
}

CKemDatabase::~CKemDatabase()
{
}

void CKemDatabase::Open(const char*, BOOL, BOOL, const char*)
{
}

void CKemDatabase::Reopen(BOOL bReadOnly)
{
    Open(m_strDatabase, FALSE, bReadOnly, GetConnectString());
}

void CKemDatabase::Close()
{
}

BOOL CKemDatabase::IsOpen() const
{
    return FALSE;
}

BOOL CKemDatabase::BeginTrans()
{
    return FALSE;
}

void CKemDatabase::CommitTrans()
{
}

void CKemDatabase::Rollback()
{
}

BOOL CKemDatabase::IsConnectionLost() const
{
    return FALSE;
}

CString DatabaseFolder(const CString& strPath)
{
    int nSlash = strPath.ReverseFind('\\');
    int nForward = strPath.ReverseFind('/');
    if (nForward > nSlash)
        nSlash = nForward;
    return nSlash < 0 ? CString() : strPath.Left(nSlash);
}

namespace
{

// ";KEY=value" when the value is not empty.
CString OptionalPart(LPCSTR lpszKey, const CString& strValue)
{
    if (strValue.IsEmpty())
        return CString();
    return CString(";") + lpszKey + "=" + strValue;
}

struct DriverFormat
{
    int nFirst;
    int nLast;
    LPCSTR lpszFormat;
    BOOL bFolder;   // DATABASE is the folder of the path, not the path
};

const DriverFormat kDriverFormats[] = {
    {2, 2, "dBASE III;DATABASE=%s", TRUE},
    {3, 3, "dBASE IV;DATABASE=%s", TRUE},
    {4, 4, "dBASE 5.0;DATABASE=%s", TRUE},
    {5, 5, "FoxPro 2.0;DATABASE=%s", TRUE},
    {6, 6, "FoxPro 2.5;DATABASE=%s", TRUE},
    {7, 7, "FoxPro 2.6;DATABASE=%s", TRUE},
    {8, 10, "FoxPro DBC;DATABASE=%s", FALSE},
    {11, 11, "Paradox 3.X;DATABASE=%s", TRUE},
    {12, 12, "Paradox 4.X;DATABASE=%s", TRUE},
    {13, 13, "Paradox 5.X;DATABASE=%s", TRUE},
    {14, 14, "Excel 3.0;HDR=YES;DATABASE=%s", FALSE},
    {15, 15, "Excel 4.0;HDR=YES;DATABASE=%s", FALSE},
    {16, 17, "Excel 5.0;HDR=YES;DATABASE=%s", FALSE},
    {18, 18, "Excel 8.0;HDR=YES;DATABASE=%s", FALSE},
    {19, 19, "Lotus WKS;HDR=YES;DATABASE=%s", TRUE},
    {20, 20, "Lotus WK1;HDR=YES;DATABASE=%s", TRUE},
    {21, 22, "Lotus WKS;HDR=YES;DATABASE=%s", FALSE},
    {23, 23, "Text;HDR=YES;DATABASE=%s", TRUE},
    {24, 24, "HTML Import;HDR=YES;DATABASE=%s", FALSE},
};

} // namespace

CString CKemDatabase::GetConnectString() const
{
    CString strConnect;
    switch (m_nType)
    {
    case DSTYPE_ACCESS95:
    case DSTYPE_ACCESS97:
        return OptionalPart("DATABASE", m_strDatabase) + OptionalPart("UID", m_strUser)
               + OptionalPart("PWD", m_strPassword);
    case DSTYPE_ODBC:
        return "ODBC" + OptionalPart("UID", m_strUser) + OptionalPart("PWD", m_strPassword);
    case DSTYPE_SYBASE:
        return "SYBASE" + OptionalPart("SERVER", m_strServer) + OptionalPart("UID", m_strUser)
               + OptionalPart("PWD", m_strPassword);
    default:
        break;
    }
    for (const DriverFormat& format : kDriverFormats)
    {
        if (m_nType >= format.nFirst && m_nType <= format.nLast)
        {
            CString strPath = format.bFolder ? DatabaseFolder(m_strDatabase) : m_strDatabase;
            strConnect.Format(format.lpszFormat, (LPCSTR)strPath);
            return strConnect;
        }
    }
    return strConnect;
}
