#include "engines/dao/DaoErrorReport.h"

#include "framework/core/MessageSink.h"

void ReportDaoException(const CDaoException* e)
{
    CString strText;
    if (e->m_pErrorInfo != NULL)
    {
        strText.Format("%s   (%d)\n\nWould you like to see help?", (LPCSTR)e->m_pErrorInfo->m_strDescription,
                       (int)e->m_pErrorInfo->m_lErrorCode);
        if (AfxMessageBox(strText, MB_YESNO) == IDYES && !e->m_pErrorInfo->m_strHelpFile.IsEmpty())
            WinHelpA(NULL, e->m_pErrorInfo->m_strHelpFile, HELP_CONTEXT, (ULONG_PTR)e->m_pErrorInfo->m_lHelpContext);
        return;
    }
    SCODE sc = e->m_scode;
    strText.Format("ERROR:CDaoException\n\nSCODE_CODE      =%d\nSCODE_FACILITY  =%d\nSCODE_SEVERITY  =%d\n"
                   "ResultFromScode =%d\n",
                   (int)(sc & 0xFFFF), (int)((sc >> 16) & 0x1FFF), sc < 0 ? 1 : 0, (int)sc);
    AfxMessageBox(strText, MB_OK);
}
