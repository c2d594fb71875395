#include "framework/windows/FileDialog.h"

#include <string.h>

#include "framework/core/MessageSink.h"
#include "framework/windows/Wnd.h"

namespace
{

// Room for many names when several files may be chosen.
const size_t kMultiSelectBuffer = 64 * 1024;

// Offsets into the name buffer travel as POSITION values (offset + 1).
POSITION ToPosition(size_t nOffset)
{
    return (POSITION)(nOffset + 1);
}

size_t FromPosition(POSITION pos)
{
    return (size_t)pos - 1;
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName,
                         DWORD dwFlags, LPCSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt)
{
    m_fileBuffer.assign((dwFlags & OFN_ALLOWMULTISELECT) ? kMultiSelectBuffer : MAX_PATH, '\0');
    if (lpszFileName != NULL)
        strncpy(m_fileBuffer.data(), lpszFileName, m_fileBuffer.size() - 1);
    if (lpszFilter != NULL)
    {
        for (LPCSTR p = lpszFilter; *p != '\0'; ++p)
            m_filter.push_back(*p == '|' ? '\0' : *p);
        m_filter.push_back('\0');
        m_filter.push_back('\0');
    }

    memset(&m_ofn, 0, sizeof(m_ofn));
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = pParentWnd != NULL ? pParentWnd->GetSafeHwnd() : NULL;
    m_ofn.lpstrFilter = m_filter.empty() ? NULL : m_filter.data();
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = (DWORD)m_fileBuffer.size();
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? NULL : (LPCSTR)m_strDefExt;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
}

INT_PTR CFileDialog::DoModal()
{
    BOOL bOk = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    if (bOk)
        return IDOK;
    DWORD dwError = CommDlgExtendedError();
    if (dwError != 0)
    {
        CString strMessage;
        strMessage.Format(dwError == FNERR_BUFFERTOOSMALL
                              ? "Too many files were chosen at once (error 0x%04lX)."
                              : "The file dialog could not be shown (error 0x%04lX).",
                          (unsigned long)dwError);
        AfxMessageBox(strMessage);
    }
    return IDCANCEL;
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

POSITION CFileDialog::GetStartPosition() const
{
    return m_fileBuffer[0] != '\0' ? ToPosition(0) : NULL;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    const char* pBuf = m_fileBuffer.data();
    const size_t nSize = m_fileBuffer.size();
    size_t nFirstEnd = strnlen(pBuf, nSize);
    BOOL bMany = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && nFirstEnd + 1 < nSize
                 && pBuf[nFirstEnd + 1] != '\0';
    size_t nOffset = FromPosition(pos);
    if (!bMany)
    {
        pos = NULL;
        return CString(pBuf, (int)nFirstEnd);
    }
    // A folder, then the names chosen in it.
    if (nOffset == 0)
        nOffset = nFirstEnd + 1;
    size_t nEnd = nOffset + strnlen(pBuf + nOffset, nSize - nOffset);
    CString strPath(pBuf, (int)nFirstEnd);
    if (strPath.GetLength() > 0 && strPath[strPath.GetLength() - 1] != '\\')
        strPath += '\\';
    strPath += CString(pBuf + nOffset, (int)(nEnd - nOffset));
    pos = nEnd + 1 < nSize && pBuf[nEnd + 1] != '\0' ? ToPosition(nEnd + 1) : NULL;
    return strPath;
}
