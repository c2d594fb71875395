#include <string.h>

#include "tests/support/Gtest.h"
#include "tests/view/DrivenDialog.h"

#include "sheet/PeriodCode.h"
#include "sheet/Sheet.h"
#include "view/TemplatePropertiesDlg.h"
#include "TemplateWizardIds.h"

namespace
{
typedef CDrivenDialog<CTemplatePropertiesDlg> CDrivenProperties;

class TemplatePropertiesDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        strcpy(m_sheet.m_szTitle, "Monthly costs");
        strcpy(m_sheet.m_szCode, "MC01");
        strcpy(m_sheet.m_szVersion, "1.0");
        strcpy(m_sheet.m_szDesignCompany, "Alder");
        strcpy(m_sheet.m_szCompanyCode, "A01");
        strcpy(m_sheet.m_szDesigner, "Kim");
        strcpy(m_sheet.m_szDesignDate, "2026-3-1");
        m_sheet.m_nReportType = PERIOD_MONTH;
    }

    // Runs the dialog: the hook edits it, then OK is pressed.
    BYTE RunWith(BOOL bEditable, std::function<void(CDrivenProperties*)> edit, int* pnType = NULL)
    {
        CDrivenProperties dlg(bEditable, NULL);
        dlg.LoadFrom(m_sheet);
        dlg.m_onInit = [&edit](CDrivenProperties* p) {
            edit(p);
            p->Press(IDOK);
        };
        EXPECT_EQ(IDOK, dlg.DoModal());
        if (pnType != NULL)
            *pnType = dlg.m_nType;
        return dlg.m_bChanged;
    }

    CSheet m_sheet;
};
}

TEST_F(TemplatePropertiesDlgTest, ChangesAreReportedAndRetypedValuesAreNot)
{
    EXPECT_EQ(0, RunWith(TRUE, [](CDrivenProperties*) {}));
    EXPECT_EQ(0, RunWith(TRUE, [](CDrivenProperties* p) { p->SetDlgItemText(IDC_TEMPLATE_ATTR_CODE, "MC01"); }));
    EXPECT_EQ(1, RunWith(TRUE, [](CDrivenProperties* p) { p->SetDlgItemText(IDC_TEMPLATE_ATTR_CODE, "mc01"); }));
    int nType = -1;
    EXPECT_EQ(1, RunWith(TRUE, [](CDrivenProperties* p) {
        p->SendDlgItemMessage(IDC_TEMPLATE_ATTR_TYPE, CB_SETCURSEL, PERIOD_WEEK);
    }, &nType));
    EXPECT_EQ(PERIOD_WEEK, nType);
}

TEST_F(TemplatePropertiesDlgTest, RunModeShowsOnlyAndReportsNoChange)
{
    EXPECT_EQ(0, RunWith(FALSE, [](CDrivenProperties* p) {
        for (int nID : { IDC_TEMPLATE_ATTR_NAME, IDC_TEMPLATE_ATTR_CODE, IDC_TEMPLATE_ATTR_DATE })
            EXPECT_NE(0u, p->GetDlgItem(nID)->GetStyle() & ES_READONLY) << nID;
        EXPECT_FALSE(p->GetDlgItem(IDC_TEMPLATE_ATTR_TYPE)->IsWindowEnabled());
        // Even a text put in from outside is not a change of the template.
        p->SetDlgItemText(IDC_TEMPLATE_ATTR_NAME, "Other");
    }));
}

TEST_F(TemplatePropertiesDlgTest, TenDayAndHalfYearTypesSurviveTheDialog)
{
    for (LONG nPeriod : { (LONG)PERIOD_TENDAY, (LONG)PERIOD_HALFYEAR })
    {
        SCOPED_TRACE(nPeriod);
        m_sheet.m_nReportType = nPeriod;
        int nType = 99;
        EXPECT_EQ(0, RunWith(TRUE, [](CDrivenProperties* p) {
            EXPECT_EQ(CB_ERR, (int)p->SendDlgItemMessage(IDC_TEMPLATE_ATTR_TYPE, CB_GETCURSEL));
        }, &nType));
        EXPECT_EQ((int)nPeriod, nType);
        EXPECT_EQ(1, RunWith(TRUE, [](CDrivenProperties* p) { p->SetDlgItemText(IDC_TEMPLATE_ATTR_NAME, "X"); },
                             &nType));
        EXPECT_EQ((int)nPeriod, nType);
    }
}
