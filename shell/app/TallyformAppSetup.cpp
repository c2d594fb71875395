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

namespace
{
// The editor's Find Item starts an empty search text empty; the
// designer's lists every entry.
const CFindItemDlg::EmptyInitialText kFindEmptyText =
#ifdef EDITOR_BUILD
    CFindItemDlg::EMPTY_TEXT_STAYS_EMPTY;
#else
    CFindItemDlg::EMPTY_TEXT_LISTS_ALL;
#endif
} // namespace

void CTallyformApp::OnSetupRowItems()
{
    CRowItemDlg dlg(NULL);
    dlg.m_findEmptyText = kFindEmptyText;
    dlg.DoModal();
}

void CTallyformApp::OnSetupColumnItems()
{
    CColItemDlg dlg(NULL);
    dlg.m_findEmptyText = kFindEmptyText;
    dlg.DoModal();
}
