#include "view/NewTempSheet.h"

#include "framework/core/MessageSink.h"
#include "framework/windows/DataExchange.h"
#include "view/TemplateFolder.h"
#include "ShellIds.h"
#include "TemplateDialogIds.h"
#include "TemplatePickerIds.h"

const char kNewEmptyDocument[] = "Empty Document";
const char kNewAnalysisReport[] = "Analysis Report";

namespace
{
const char kTemplateExtension[] = ".kvm";

CImageList* MakeIconList(int nSize)
{
    CImageList* pList = new CImageList;
    if (!pList->Create(nSize, nSize, ILC_COLOR32 | ILC_MASK, 1, 1))
        return pList;
    HICON hIcon = (HICON)LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_TALLYFORM_TEMPLATE),
                                    IMAGE_ICON, nSize, nSize, LR_DEFAULTCOLOR);
    if (hIcon != NULL)
    {
        pList->Add(hIcon);
        DestroyIcon(hIcon);
    }
    return pList;
}
}

// ------------------------------------------------------------ first page

BEGIN_MESSAGE_MAP(CNewTempPage1, CPropertyPage)
    ON_NOTIFY(NM_DBLCLK, IDC_NEW_TEMPLATE_KINDS, OnDblclkKinds)
END_MESSAGE_MAP()

CNewTempPage1::CNewTempPage1()
    : CPropertyPage(IDD_NEW_TEMPLATE_GENERAL), m_pLargeImages(NULL), m_pSmallImages(NULL), m_pSheet(NULL)
{
}

CNewTempPage1::~CNewTempPage1()
{
    delete m_pLargeImages;
    delete m_pSmallImages;
}

void CNewTempPage1::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NEW_TEMPLATE_KINDS, m_listKinds);
}

BOOL CNewTempPage1::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    delete m_pLargeImages;
    delete m_pSmallImages;
    m_pLargeImages = MakeIconList(32);
    m_pSmallImages = MakeIconList(16);
    m_listKinds.SetImageList(m_pLargeImages, LVSIL_NORMAL);
    m_listKinds.SetImageList(m_pSmallImages, LVSIL_SMALL);
    int nEmpty = m_listKinds.InsertItem(0, kNewEmptyDocument, 0);
    m_listKinds.SetItemState(nEmpty, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_listKinds.InsertItem(0, kNewAnalysisReport, 0);
    return TRUE;
}

void CNewTempPage1::OnDblclkKinds(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_listKinds.GetNextItem(-1, LVNI_SELECTED) >= 0 && m_pSheet != NULL)
        m_pSheet->PressButton(PSBTN_OK);
}

void CNewTempPage1::OnOK()
{
    int nItem = m_listKinds.GetNextItem(-1, LVNI_SELECTED);
    if (nItem >= 0 && m_pSheet != NULL)
        m_pSheet->TakeResult(this, m_listKinds.GetItemText(nItem, 0));
}

// ----------------------------------------------------------- second page

BEGIN_MESSAGE_MAP(CNewTempPage2, CPropertyPage)
    ON_NOTIFY(TVN_SELCHANGEDA, IDC_TEMPLATE_FOLDERS, OnSelchangedTemplates)
END_MESSAGE_MAP()

CNewTempPage2::CNewTempPage2() : CPropertyPage(IDD_NEW_TEMPLATE_SIMILAR), m_pSheet(NULL)
{
}

void CNewTempPage2::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TEMPLATE_FOLDERS, m_treeTemplates);
}

BOOL CNewTempPage2::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_treeTemplates.m_bAllowRename = TRUE;
    m_treeTemplates.m_bAllowProperty = TRUE;
    m_treeTemplates.m_bAllowDelete = TRUE;
    m_treeTemplates.SetShowFiles(TRUE);
    m_treeTemplates.SetRootPath(TemplateRootFolder());
    return TRUE;
}

void CNewTempPage2::OnSelchangedTemplates(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    m_treeTemplates.FillItem(reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemNew.hItem);
}

void CNewTempPage2::OnOK()
{
    if (m_pSheet == NULL || m_treeTemplates.m_hWnd == NULL)
        return;
    CString strPath = m_treeTemplates.GetSelectedPath();
    // Exactly ".kvm": a folder or any other file is no template to copy.
    if (m_treeTemplates.GetSelectedItem() != NULL && strPath.GetLength() >= 4 &&
        strPath.Right(4) == kTemplateExtension)
        m_pSheet->TakeResult(this, strPath);
}

// ----------------------------------------------------------------- sheet

CNewTempSheet::CNewTempSheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    EnableStackedTabs(FALSE);
    m_page1.m_pSheet = this;
    m_page2.m_pSheet = this;
    AddPage(&m_page1);
    AddPage(&m_page2);
}

void CNewTempSheet::TakeResult(CPropertyPage* pPage, const CString& strChoice)
{
    if (GetActivePage() == pPage)
        m_strResult = strChoice;
}
