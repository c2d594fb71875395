#include "engines/dao/DaoErrorReport.h"

#include "framework/core/MessageSink.h"

void ReportDaoException(const CDaoException* e)
{
    CString strText;
    if (e->m_pErrorInfo != NULL)
    {
        const CDaoErrorInfo& info = *e->m_pErrorInfo;
        strText.Format("%s   (%d)", (LPCSTR)info.m_strDescription, (int)info.m_lErrorCode);
        // Help is offered only for an error that names its help.
        if (info.m_strHelpFile.IsEmpty())
        {
            AfxMessageBox(strText, MB_OK);
            return;
        }
        if (AfxMessageBox(strText + "\n\nWould you like to see help?", MB_YESNO) == IDYES)
            WinHelpA(NULL, info.m_strHelpFile, HELP_CONTEXT, (ULONG_PTR)info.m_lHelpContext);
        return;
    }
    SCODE sc = e->m_scode;
    strText.Format("ERROR:CDaoException\n\nSCODE_CODE      =%d\nSCODE_FACILITY  =%d\nSCODE_SEVERITY  =%d\n"
                   "ResultFromScode =%d\n",
                   (int)(sc & 0xFFFF), (int)((sc >> 16) & 0x1FFF), sc < 0 ? 1 : 0, (int)sc);
    AfxMessageBox(strText, MB_OK);
}
