#include "sheet/document/KemSrvrItem.h"

#include "framework/windows/Dc.h"
#include "sheet/CellPainter.h"
#include "sheet/document/TallyformDoc.h"

IMPLEMENT_DYNAMIC(CKemSrvrItem, CDocObjectServerItem)

CKemSrvrItem::CKemSrvrItem(CTallyformDoc* pContainerDoc) : CDocObjectServerItem(pContainerDoc, TRUE)
{
}

CKemSrvrItem::~CKemSrvrItem() = default;

CTallyformDoc* CKemSrvrItem::GetDocument() const
{
    return static_cast<CTallyformDoc*>(CDocObjectServerItem::GetDocument());
}

void CKemSrvrItem::Serialize(CArchive& ar)
{
    CTallyformDoc* pDoc = GetDocument();
    if (pDoc != NULL && (pDoc->GetEmbeddedItem() == this || IsLinkedItem()))
        pDoc->Serialize(ar);
}

BOOL CKemSrvrItem::OnDraw(CDC* pDC, CSize&)
{
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowOrg(0, 0);
    // An empty sheet keeps the plain 3000 x 3000 window; a sheet fills the
    // picture, so the container shows the template and not a blank box.
    const CSheet& sheet = GetDocument()->m_sheet;
    const RECT& rcBounds = sheet.m_rcBounds;
    if (sheet.m_cells.GetSize() == 0 || rcBounds.right <= 0 || rcBounds.bottom <= 0)
    {
        pDC->SetWindowExt(3000, 3000);
        return TRUE;
    }
    pDC->SetWindowExt(rcBounds.right + 1, rcBounds.bottom + 1);
    CCellPainter painter(sheet, pDC);
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        painter.DrawCell(sheet.m_cells[i]);
    for (INT_PTR i = 0; i < sheet.m_cells.GetSize(); ++i)
        painter.DrawCellBorder(sheet.m_cells[i], FALSE);
    return TRUE;
}

BOOL CKemSrvrItem::OnGetExtent(DVASPECT dwDrawAspect, CSize& rSize)
{
    if (dwDrawAspect != DVASPECT_CONTENT)
        return CDocObjectServerItem::OnGetExtent(dwDrawAspect, rSize);
    rSize = CSize(3000, 3000);
    return TRUE;
}
