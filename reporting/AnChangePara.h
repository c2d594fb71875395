// CAnChangePara: edits one analysis list of the document again with the
// analysis wizard's step for it, then relabels the header cells (the
// layout stays as it is).
#pragma once

#include "framework/windows/Dialog.h"
#include "reporting/AnSelectOrganDlg.h"
#include "reporting/AnSelectPropDlg.h"
#include "reporting/AnSelectTimeDlg.h"
#include "view/SelectItemsPage.h"

class CTallyformDoc;

class CAnChangePara : public CDialog
{
public:
    explicit CAnChangePara(CWnd* pParent = NULL);

    CTallyformDoc* m_pDoc;
    // The dialog resource of the step shown: 489, 488, 490, 316 or 317.
    int m_nPage;
    CSelectRowItemsPage m_pageRowItems;
    CSelectColItemsPage m_pageColItems;
    CAnSelectOrganDlg m_stepOrgans;
    CAnSelectPropDlg m_stepProps;
    CAnSelectTimeDlg m_stepTimes;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CDialog* StepOf(int nPage);
    // Stores the step's list; FALSE (told) when it refuses.
    BOOL SaveStep();
};
