// Database > Setup: the reference-data dialogs, each run modally without a
// parent while a database is open.
#include "shell/app/TallyformApp.h"

#include "reporting/ColItemDlg.h"
#include "reporting/OrganDlg.h"
#include "reporting/OrganPropDlg.h"
#include "reporting/RowItemDlg.h"

void CTallyformApp::OnSetupOrganizations()
{
    COrganDlg dlg(NULL);
    dlg.DoModal();
}

void CTallyformApp::OnSetupOrganProperties()
{
    COrganPropDlg dlg(NULL);
    dlg.DoModal();
}

void CTallyformApp::OnSetupRowItems()
{
    CRowItemDlg dlg(NULL);
    dlg.DoModal();
}

void CTallyformApp::OnSetupColumnItems()
{
    CColItemDlg dlg(NULL);
    dlg.DoModal();
}
