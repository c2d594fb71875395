// CDataGatherDlg: the Data Gather dialog of Data > Sum Data From Databases.
// The user picks organizations (all, or those of chosen properties) and a
// period range; each organization is listed with its fill-in state for the
// range from the report log.  OK builds the ss_datalist query over the
// choice and hands it back with the one organization chosen, if one was,
// and the report date of the "Current Time" choice.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/core/Map.h"
#include "framework/windows/ComboBox.h"
#include "framework/windows/Dialog.h"
#include "reporting/HExtentListBox.h"
#include "shell/DateFieldWnd.h"

class CTallyformDoc;

// Fill-in states of an organization over the chosen range.
enum
{
    FILL_STATE_NONE = 0,
    FILL_STATE_WHOLE = 1,
    FILL_STATE_PART = 2
};

class CDataGatherDlg : public CDialog
{
public:
    explicit CDataGatherDlg(CWnd* pParent = NULL);

    // The LIKE pattern of FD_Time that keeps the codes of one period type.
    static CString PeriodPattern(int nPeriodType);
    // The list text of an organization: its name and the state's suffix.
    static CString FillStateText(const CString& strName, int nState);
    // Cuts the first fill-state suffix that ends the text.
    static void StripFillStateSuffix(CString& strText);

    CTallyformDoc* m_pDoc;
    int m_nPeriodType;
    int m_nNumeralStyle;
    CString m_strSql;
    CMapStringToString m_mapSingleOrg;
    CString m_strReportDate;
    CString m_strOrgQuery;
    CMapStringToString m_mapTextToCode;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnTimeAll();
    void OnTimeStand();
    void OnTimeBetween();
    void OnTimeChoiceCloseUp();
    LRESULT OnPeriodFieldClosed(WPARAM wParam, LPARAM lParam);
    void OnProperties();
    void OnAddSelected() { MoveEntries(m_listReports, m_listSelected, FALSE); }
    void OnRemoveSelected() { MoveEntries(m_listSelected, m_listReports, FALSE); }
    void OnAddAll() { MoveEntries(m_listReports, m_listSelected, TRUE); }
    void OnRemoveAll() { MoveEntries(m_listSelected, m_listReports, TRUE); }

    void BuildTimeRange(CString& strFrom, CString& strTo);
    int GetFillState(const CString& strCode);
    BOOL FillReportsList(const CString& strQuery);

    DECLARE_MESSAGE_MAP()

private:
    // One organization read by the last fill; list entries keep its index
    // as their item data, so organizations are told apart by code.
    struct COrganEntry
    {
        CString strCode;
        CString strName;
        int nState;
    };

    void MoveEntries(CListBox& from, CListBox& to, BOOL bAll);
    int FillStateInRange(const CString& strCode, const CString& strFrom, const CString& strTo);
    // Sets a period field's code again when it shows no text.
    void RefreshField(CDateFieldWnd& field);
    CString ComboText() const;
    const COrganEntry& EntryOf(const CListBox& list, int nIndex) const;
    // The chosen organizations whose codes can be summed; FALSE when the
    // user keeps the dialog, told which codes this system cannot show.
    BOOL ChooseSummedEntries(std::vector<const COrganEntry*>& entries);

    CComboBox m_comboTime;
    CHExtentListBox m_listReports;
    CHExtentListBox m_listSelected;
    CDateFieldWnd m_fieldStand;
    CDateFieldWnd m_fieldFrom;
    CDateFieldWnd m_fieldTo;
    std::vector<COrganEntry> m_organs;
};
