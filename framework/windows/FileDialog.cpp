#include "framework/windows/FileDialog.h"

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace {
// Room for many names when several files may be chosen.
const size_t MULTI_SELECT_CHARS = 32768;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog),
      m_strDefExt(lpszDefExt != NULL ? lpszDefExt : "")
{
    m_fileBuffer.assign((dwFlags & OFN_ALLOWMULTISELECT) ? MULTI_SELECT_CHARS : MAX_PATH, '\0');
    if (lpszFileName != NULL)
        lstrcpynA(m_fileBuffer.data(), lpszFileName, (int)m_fileBuffer.size());
    if (lpszFilter != NULL)
    {
        for (LPCSTR p = lpszFilter; *p != '\0'; ++p)
            m_filter.push_back(*p == '|' ? '\0' : *p);
        m_filter.push_back('\0');
        m_filter.push_back('\0');
    }
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = (DWORD)m_fileBuffer.size();
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? NULL : (LPCSTR)m_strDefExt;
    m_ofn.lpstrFilter = m_filter.empty() ? NULL : m_filter.data();
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
}

INT_PTR CFileDialog::DoModal()
{
    // The flags may have gained OFN_ALLOWMULTISELECT after construction.
    if (m_ofn.lpstrFile == m_fileBuffer.data() && (m_ofn.Flags & OFN_ALLOWMULTISELECT) &&
        m_fileBuffer.size() < MULTI_SELECT_CHARS)
    {
        m_fileBuffer.resize(MULTI_SELECT_CHARS, '\0');
        m_ofn.lpstrFile = m_fileBuffer.data();
        m_ofn.nMaxFile = (DWORD)m_fileBuffer.size();
    }
    m_ofn.hwndOwner = GetOwnerHwnd();
    BOOL bOk = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return bOk ? IDOK : IDCANCEL;
}

POSITION CFileDialog::GetStartPosition() const
{
    if (m_ofn.lpstrFile == NULL || m_ofn.lpstrFile[0] == '\0')
        return NULL;
    return reinterpret_cast<POSITION>(m_ofn.lpstrFile);
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    LPCSTR lpszStart = m_ofn.lpstrFile;
    LPCSTR lpsz = reinterpret_cast<LPCSTR>(pos);
    BOOL bMulti = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && lpszStart[lstrlenA(lpszStart) + 1] != '\0';
    if (!bMulti)
    {
        pos = NULL;
        return CString(lpszStart);
    }
    // Several files: the folder comes first, then one name after another.
    if (lpsz == lpszStart)
        lpsz += lstrlenA(lpsz) + 1;
    CString strName(lpsz);
    lpsz += strName.GetLength() + 1;
    pos = *lpsz != '\0' ? reinterpret_cast<POSITION>(const_cast<LPSTR>(lpsz)) : NULL;
    CString strPath(lpszStart);
    if (strPath.IsEmpty() || strPath[strPath.GetLength() - 1] != '\\')
        strPath += '\\';
    return strPath + strName;
}

CString CFileDialog::GetPathName() const
{
    POSITION pos = GetStartPosition();
    return pos != NULL ? GetNextPathName(pos) : CString();
}

CString CFileDialog::GetFileName() const
{
    CString strPath = GetPathName();
    int nSlash = strPath.ReverseFind('\\');
    return nSlash >= 0 ? strPath.Mid(nSlash + 1) : strPath;
}

CString CFileDialog::GetFileExt() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Mid(nDot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Left(nDot) : strName;
}
