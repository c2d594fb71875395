#include <string>

#include "tests/support/Gtest.h"
#include "tests/view/DrivenDialog.h"

#include "view/ReportInfoDlg.h"
#include "TemplateDialogIds.h"

namespace
{
const char szMarch[] = "2024110300000";
const char szJune[] = "2024120600000";

// A dialog whose organizations can be looked up: the lookup answers with
// the given organization, or is cancelled when bPicks is FALSE.
class CBrowsingReportInfoDlg : public CReportInfoDlg
{
public:
    BOOL m_bPicks = TRUE;
    CString m_strPickCode = "C0002";
    CString m_strPickName = "Harbour Works";
    int m_nLookups = 0;

protected:
    BOOL CanBrowseOrganizations() const override { return TRUE; }
    BOOL BrowseOrganization(CString& rCode, CString& rName) override
    {
        ++m_nLookups;
        if (!m_bPicks)
            return FALSE;
        rCode = m_strPickCode;
        rName = m_strPickName;
        return TRUE;
    }
};

template<class TDialog>
void Prefill(TDialog& dlg)
{
    dlg.m_strOrganCode = "C0001";
    dlg.m_strOrganName = "Mill Street Office";
    dlg.m_nPeriodType = 2;
    dlg.m_nPeriodStyle = 1;
    dlg.m_strPeriod = szMarch;
}

CString ItemText(CWnd* p, int nID)
{
    CString s;
    p->GetDlgItemText(nID, s);
    return s;
}

typedef CDrivenDialog<CReportInfoDlg> CDrivenInfoDlg;
typedef CDrivenDialog<CBrowsingReportInfoDlg> CDrivenBrowsingDlg;
}

TEST(ReportInfoDlg, OpensWithTheCallersValuesAndOkWithoutChangesReportsNone)
{
    CDrivenInfoDlg dlg;
    Prefill(dlg);
    CString shownCode, shownName, shownPeriod;
    BOOL bBrowseEnabled = TRUE, bFieldInPlace = FALSE;
    dlg.m_onInit = [&](CDrivenInfoDlg* p) {
        shownCode = ItemText(p, IDC_ORGAN_CODE);
        shownName = ItemText(p, IDC_ORGAN_NAME);
        shownPeriod = p->m_wndPeriod.GetCode();
        bBrowseEnabled = p->GetDlgItem(IDC_ORGAN_BROWSE)->IsWindowEnabled();
        bFieldInPlace = p->GetDlgItem(IDC_PERIOD_FIELD) != NULL;
        p->Press(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bWatchdogFired);
    EXPECT_STREQ("C0001", shownCode);
    EXPECT_STREQ("Mill Street Office", shownName);
    EXPECT_STREQ(szMarch, shownPeriod);
    // No reporting database here: the organizations cannot be looked up.
    EXPECT_FALSE(bBrowseEnabled);
    EXPECT_TRUE(bFieldInPlace);
    EXPECT_FALSE(dlg.m_bChanged);
    EXPECT_STREQ("C0001", dlg.m_strOrganCode);
    EXPECT_STREQ(szMarch, dlg.m_strPeriod);
}

TEST(ReportInfoDlg, AnyOneChangedValueSetsTheChangeFlag)
{
    struct Case { const char* what; int nID; const char* text; const char* period; };
    const Case cases[] = {
        {"code", IDC_ORGAN_CODE, "C0009", NULL},
        {"name", IDC_ORGAN_NAME, "Mill Street office", NULL},
        {"period", 0, NULL, szJune},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CDrivenInfoDlg dlg;
        Prefill(dlg);
        dlg.m_onInit = [&](CDrivenInfoDlg* p) {
            if (c.text != NULL)
                p->SetDlgItemText(c.nID, c.text);
            if (c.period != NULL)
                p->m_wndPeriod.SetCode(c.period);
            p->Press(IDOK);
        };
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_TRUE(dlg.m_bChanged);
        if (c.period != NULL)
        {
            EXPECT_STREQ(c.period, dlg.m_strPeriod);
        }
        if (c.nID == IDC_ORGAN_NAME)
        {
            EXPECT_STREQ(c.text, dlg.m_strOrganName);
        }
    }
}

TEST(ReportInfoDlg, RetypingTheOldValuesIsNoChange)
{
    CDrivenInfoDlg dlg;
    Prefill(dlg);
    dlg.m_onInit = [&](CDrivenInfoDlg* p) {
        p->SetDlgItemText(IDC_ORGAN_NAME, "Elsewhere");
        p->SetDlgItemText(IDC_ORGAN_NAME, "Mill Street Office");
        p->m_wndPeriod.SetCode(szJune);
        p->m_wndPeriod.SetCode(szMarch);
        p->Press(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bChanged);
}

TEST(ReportInfoDlg, CancelKeepsTheCallersValues)
{
    CDrivenInfoDlg dlg;
    Prefill(dlg);
    dlg.m_onInit = [&](CDrivenInfoDlg* p) {
        p->SetDlgItemText(IDC_ORGAN_CODE, "C0009");
        p->m_wndPeriod.SetCode(szJune);
        p->Press(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("C0001", dlg.m_strOrganCode);
    EXPECT_STREQ(szMarch, dlg.m_strPeriod);
    EXPECT_FALSE(dlg.m_bChanged);
}

TEST(ReportInfoDlg, TypedCodeStopsAtTheFieldWidth)
{
    CDrivenInfoDlg dlg;
    Prefill(dlg);
    dlg.m_onInit = [&](CDrivenInfoDlg* p) {
        p->SendDlgItemMessage(IDC_ORGAN_CODE, EM_SETSEL, 0, -1);
        p->SendDlgItemMessage(IDC_ORGAN_CODE, EM_REPLACESEL, FALSE, (LPARAM) "123456789ABC");
        p->Press(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("12345678", dlg.m_strOrganCode);
}

TEST(ReportInfoDlg, BrowseTakesTheChosenOrganization)
{
    struct Case { const char* what; BOOL bPicks; const char* code; const char* name; BOOL bChanged; };
    const Case cases[] = {
        {"another organization", TRUE, "C0002", "Harbour Works", TRUE},
        {"the organization already shown", TRUE, "C0001", "Mill Street Office", FALSE},
        {"lookup cancelled", FALSE, "C0001", "Mill Street Office", FALSE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CDrivenBrowsingDlg dlg;
        Prefill(dlg);
        dlg.m_bPicks = c.bPicks;
        dlg.m_strPickCode = c.code;
        dlg.m_strPickName = c.name;
        BOOL bBrowseEnabled = FALSE;
        CString shownCode;
        dlg.m_onInit = [&](CDrivenBrowsingDlg* p) {
            bBrowseEnabled = p->GetDlgItem(IDC_ORGAN_BROWSE)->IsWindowEnabled();
            p->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ORGAN_BROWSE, BN_CLICKED), 0);
            shownCode = ItemText(p, IDC_ORGAN_CODE);
            p->Press(IDOK);
        };
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_TRUE(bBrowseEnabled);
        EXPECT_EQ(1, dlg.m_nLookups);
        EXPECT_STREQ(c.code, shownCode);
        EXPECT_STREQ(c.code, dlg.m_strOrganCode);
        EXPECT_STREQ(c.name, dlg.m_strOrganName);
        EXPECT_EQ(c.bChanged, dlg.m_bChanged);
    }
}
