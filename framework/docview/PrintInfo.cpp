#include "framework/docview/PrintInfo.h"

#include "framework/windows/PrintDialog.h"

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE | PD_NOSELECTION)),
      m_bDirect(FALSE), m_bPreview(FALSE),
      m_bContinuePrinting(TRUE), m_nCurPage(1), m_nNumPreviewPages(1), m_rectDraw(0, 0, 0, 0)
{
    SetMinPage(1);
    SetMaxPage(0xffff);
    m_pPD->m_pd.nFromPage = 1;
    m_pPD->m_pd.nToPage = 0xffff;
}

CPrintInfo::~CPrintInfo()
{
    delete m_pPD;
}

void CPrintInfo::SetMinPage(UINT nMinPage)
{
    m_pPD->m_pd.nMinPage = (WORD)nMinPage;
}

void CPrintInfo::SetMaxPage(UINT nMaxPage)
{
    m_pPD->m_pd.nMaxPage = (WORD)nMaxPage;
}

UINT CPrintInfo::GetMinPage() const
{
    return m_pPD->m_pd.nMinPage;
}

UINT CPrintInfo::GetMaxPage() const
{
    return m_pPD->m_pd.nMaxPage;
}

UINT CPrintInfo::GetFromPage() const
{
    if (!m_pPD->PrintRange())
        return GetMinPage();
    return m_pPD->m_pd.nFromPage < GetMinPage() ? GetMinPage() : m_pPD->m_pd.nFromPage;
}

UINT CPrintInfo::GetToPage() const
{
    if (!m_pPD->PrintRange())
        return GetMaxPage();
    return m_pPD->m_pd.nToPage > GetMaxPage() ? GetMaxPage() : m_pPD->m_pd.nToPage;
}
