#include "engines/common/OverwritePrompt.h"

#include "framework/core/MessageSink.h"

CString OverwriteQuestionText(const CReportOverwriteQuestion& question)
{
    CString strText;
    strText.Format("Report Date: %s\nReport Organ: %s\nColumn Item: %s\nRow Item: %s\nAt Line: %s\n"
                   "Old Data: %s\nCurrent Data: %s\n\n"
                   "If you are sure you want to overwrite old data,\n"
                   "please click \"Update\",else click \"Cancel\".\n"
                   "Data cannot restore after update.",
                   (LPCSTR)question.m_strPeriodCode, (LPCSTR)question.m_strOrgan,
                   (LPCSTR)question.m_strColItem, (LPCSTR)question.m_strRowItem, (LPCSTR)question.m_strLine,
                   (LPCSTR)question.m_strOldData, (LPCSTR)question.m_strCurrentData);
    return strText;
}

int OverwriteAnswerOfButton(int nButton)
{
    switch (nButton)
    {
    case OVERWRITE_ANSWER_UPDATE:
        return OVERWRITE_UPDATE;
    case OVERWRITE_ANSWER_UPDATE_ALL:
        return OVERWRITE_UPDATE_ALL;
    case OVERWRITE_ANSWER_SKIP_ALL:
        return OVERWRITE_SKIP_ALL;
    default:
        return OVERWRITE_SKIP;
    }
}

int CMessageOverwritePrompt::Ask(const CReportOverwriteQuestion& question)
{
    return OverwriteAnswerOfButton(
        AfxMessageBox(OverwriteQuestionText(question), MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2));
}
