// File > Properties of the sheet view: the template's attributes and cell
// counts in the Template Properties dialog.
#include "view/TallyformView.h"

#include "sheet/document/TallyformDoc.h"
#include "view/TemplatePropertiesDlg.h"

void CTallyformView::OnFileProperties()
{
    CTallyformDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return;
    BOOL bDesign = IsDesignMode();
    CTemplatePropertiesDlg dlg(bDesign, this);
    dlg.LoadFrom(pDoc->m_sheet);
    if (dlg.DoModal() != IDOK || !dlg.m_bChanged || !bDesign)
        return;
    dlg.SaveTo(pDoc->m_sheet);
    pDoc->SetModifiedFlag(TRUE);
    pDoc->UpdateAllViews(NULL);
}
