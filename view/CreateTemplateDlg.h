// CCreateTemplateDlg: the "Create New Template" wizard.  Four step pages
// sit in its frame; it builds nothing itself: after Finish the caller reads
// the pages' members (and the item lists the item steps left in the owner
// document) and builds the template.
#pragma once

#include "framework/windows/Dialog.h"
#include "view/SelectItemsPage.h"
#include "view/TemplateInfoPage.h"
#include "view/TemplateLayoutPage.h"

class CCreateTemplateDlg : public CDialog
{
public:
    explicit CCreateTemplateDlg(CWnd* pParent = NULL);

    // Stores the step picture's bitmap id and redraws the picture.
    void SetStep(int nBitmapID);

    int m_nCurPage;
    int m_nStepBitmap;
    CTemplateInfoPage m_pageInfo;
    CTemplateLayoutPage m_pageLayout;
    CSelectRowItemsPage m_pageRowItems;
    CSelectColItemsPage m_pageColItems;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnPaint();
    void OnDestroy();
    void OnNext();
    void OnPrevious();
    LRESULT OnInfoChanged(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    CDialog* PageOf(int nPage);
    // Hides the page shown, shows nPage with its caption and picture.
    void ShowPage(int nPage);
    void ReleaseStaticBitmap();
};
