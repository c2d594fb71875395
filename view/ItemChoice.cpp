#include "view/ItemChoice.h"

#include "framework/core/MessageSink.h"
#include "reporting/FindItemDlg.h"
#include "sheet/Cell.h"

BOOL ChooseItem(int nTable, CString& strCode, CString& strName)
{
    CFindItemDlg dlg(nTable, 1, "%", NULL);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strCode = dlg.m_strCode;
    strName = dlg.m_strName;
    return TRUE;
}

BOOL FitsItemField(const CString& strCode)
{
    if (strCode.GetLength() < CELL_CODE_LEN)
        return TRUE;
    CString strMessage;
    strMessage.Format("Item code %s is longer than %d characters.", (LPCSTR)strCode, CELL_CODE_LEN - 1);
    AfxMessageBox(strMessage);
    return FALSE;
}
