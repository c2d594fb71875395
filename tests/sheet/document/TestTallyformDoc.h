// A designer document whose prompts are answered by the test: the Save
// Template, report-information, data-file and sum-files dialogs.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "sheet/document/TallyformDoc.h"

struct SaveTemplateAnswer
{
    BOOL bOk;
    CString strFolder;
    CString strName;
};

class CTestTallyformDoc : public CTallyformDoc
{
public:
    CTestTallyformDoc() { m_bAutoDelete = FALSE; }

    // Save Template: answers in order; the proposed names are recorded.
    std::deque<SaveTemplateAnswer> m_saveAnswers;
    std::vector<std::string> m_proposedNames;
    // Report information: what the dialog was shown, and its answer.
    BOOL m_bReportOk = TRUE;
    CReportInfo m_reportAnswer;
    std::vector<CReportInfo> m_reportShown;
    // Data-file dialog.
    BOOL m_bFileOk = TRUE;
    CString m_strFilePath;
    int m_nFilter = 1;
    // PDF file dialog.
    BOOL m_bPdfOk = TRUE;
    CString m_strPdfPath;
    // Sum files dialog.
    BOOL m_bSumOk = TRUE;
    std::vector<CString> m_sumPaths;

    using CTallyformDoc::OnSaveDataToFile;
    using CTallyformDoc::OnLoadDataFromFile;
    using CTallyformDoc::OnSumDataFromFiles;
    using CTallyformDoc::OnTableVerify;
    using CTallyformDoc::OnSaveToPdf;

protected:
    BOOL RunSaveTemplateDialog(const CString& strProposed, CString& strFolder,
                               CString& strName) override
    {
        m_proposedNames.push_back((LPCSTR)strProposed);
        if (m_saveAnswers.empty())
            return FALSE;
        SaveTemplateAnswer answer = m_saveAnswers.front();
        m_saveAnswers.pop_front();
        strFolder = answer.strFolder;
        strName = answer.strName;
        return answer.bOk;
    }

    BOOL RunReportInfoDialog(CReportInfo& info) override
    {
        m_reportShown.push_back(info);
        if (!m_bReportOk)
            return FALSE;
        info = m_reportAnswer;
        return TRUE;
    }

    BOOL PromptDataFileName(BOOL, CString& strPath, int& nFilterIndex) override
    {
        strPath = m_strFilePath;
        nFilterIndex = m_nFilter;
        return m_bFileOk;
    }

    BOOL PromptPdfFileName(CString& strPath) override
    {
        strPath = m_strPdfPath;
        return m_bPdfOk;
    }

    BOOL RunSumFilesDialog(LPCSTR, CStringList& paths) override
    {
        for (const CString& str : m_sumPaths)
            paths.AddTail(str);
        return m_bSumOk;
    }

    int MeasureItemText(LPCSTR pszText) override { return 10 * lstrlenA(pszText); }
};
