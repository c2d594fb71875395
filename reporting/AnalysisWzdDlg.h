// CAnalysisWzdDlg: the wizard of a new analysis report.  Its steps sit in
// the frame of the Create New Template dialog: template information,
// dimensions, organizations or properties, times, row items and column
// items.  Finish stores every step's choice in the document's analysis
// lists; the caller then reads the information step and lays out the sheet.
#pragma once

#include "framework/windows/Dialog.h"
#include "reporting/AnSelectDimDlg.h"
#include "reporting/AnSelectOrganDlg.h"
#include "reporting/AnSelectPropDlg.h"
#include "reporting/AnSelectTimeDlg.h"
#include "view/SelectItemsPage.h"
#include "view/TemplateInfoPage.h"

class CSheet;
class CTallyformDoc;

class CAnalysisWzdDlg : public CDialog
{
public:
    explicit CAnalysisWzdDlg(CWnd* pParent = NULL);

    CTemplateInfoPage m_pageInfo;
    CSelectRowItemsPage m_pageRowItems;
    CSelectColItemsPage m_pageColItems;
    CAnSelectDimDlg m_stepDim;
    CAnSelectOrganDlg m_stepOrgans;
    CAnSelectPropDlg m_stepProps;
    CAnSelectTimeDlg m_stepTimes;
    int m_nCurStep;
    int m_nStepBitmap;
    CTallyformDoc* m_pDoc;

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
    CDialog* StepOf(int nStep);
    // Hides the step shown and shows nStep with a caption and picture.
    void ShowStep(int nStep, LPCSTR pszCaption, int nBitmap);
};

// The item steps work on the document's code-name item lists: the
// analysis lists go there before a step shows them, and back after.
void LoadAnalysisItemCodes(CSheet& sheet);
void StoreAnalysisItemCodes(CSheet& sheet);
