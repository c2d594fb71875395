// Reading and writing a document as one archive over a plain file.
#include "framework/docview/Document.h"

#include "framework/core/Archive.h"
#include "framework/core/MessageSink.h"
#include "framework/docview/FileFaultText.h"
#include "framework/docview/FileReplacer.h"

void CDocument::LoadDocumentFile(LPCSTR lpszPathName)
{
    CFile file(lpszPathName, CFile::modeRead | CFile::shareDenyWrite);
    CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
    ar.m_pDocument = this;
    Serialize(ar);
    ar.Close();
}

void CDocument::StoreDocumentFile(LPCSTR lpszPathName)
{
    CFileReplacer replacer(lpszPathName);
    {
        CFile file(replacer.GetTempPath(),
                   CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
        file.Close();
    }
    replacer.Commit();
}

void CDocument::ReportSaveLoadException(LPCSTR lpszPathName, CException* pException, BOOL bSaving)
{
    // An exception of this kind means the failure was already shown.
    if (pException != NULL && pException->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;
    AfxMessageBox(FileFaultText(lpszPathName, pException, bSaving), MB_ICONEXCLAMATION);
}
