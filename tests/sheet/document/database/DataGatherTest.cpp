// Data > Sum Data From Databases through the Data Gather dialog: the
// organizations listed with their fill-in states from the report log, the
// choice of organizations and periods, and the sums against the database's
// own; and the period patterns of every report period type.
#include <algorithm>

#include "tests/sheet/document/database/DatabaseTestDoc.h"
#include "tests/support/Utf8.h"
#include "tests/support/DialogDriver.h"

#include "framework/core/OleCurrency.h"
#include "reporting/DataGatherDlg.h"
#include "sheet/ReportPeriod.h"
#include "shell/DateFieldWnd.h"

namespace
{
enum
{
    GATHER_ALL = 1068,
    GATHER_STAND = 1070,
    GATHER_BETWEEN = 1072,
    GATHER_CHOICE = 1185,
    GATHER_REPORTS = 1166,
    GATHER_SELECTED = 1167,
    GATHER_ADD = 1099,
    GATHER_REMOVE = 1100,
    GATHER_ADD_ALL = 1101,
    FIELD_STAND = 1191,
    FIELD_FROM = 1192,
    FIELD_TO = 1193
};

typedef std::vector<std::string> Texts;

Texts ListTexts(HWND hDlg, int nID)
{
    Texts texts;
    HWND hList = GetDlgItem(hDlg, nID);
    int nCount = (int)SendMessageA(hList, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; ++i)
    {
        char szText[256] = "";
        SendMessageA(hList, LB_GETTEXT, i, (LPARAM)szText);
        texts.push_back(szText);
    }
    return texts;
}

void Command(HWND hDlg, int nID, WORD wNotify = BN_CLICKED)
{
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, wNotify), (LPARAM)GetDlgItem(hDlg, nID));
}

void ChooseTime(HWND hDlg, int nRadio)
{
    CheckRadioButton(hDlg, GATHER_ALL, GATHER_BETWEEN, nRadio);
    Command(hDlg, nRadio);
}

// Sets a period field the way its calendar does, then tells the dialog
// that the calendar closed.
void SetField(HWND hDlg, int nID, const CString& strCode)
{
    CDateFieldWnd* pField = static_cast<CDateFieldWnd*>(CWnd::FromHandlePermanent(GetDlgItem(hDlg, nID)));
    ASSERT_NE(nullptr, pField);
    int nType = PERIOD_MONTH, nStyle = 1;
    pField->SetCode(strCode, &nType, &nStyle);
    SendMessageA(hDlg, WM_DATEDROP_CLOSED, nID, 0);
}

// Selects the entries of a list whose text begins with one of the names.
void SelectEntries(HWND hDlg, int nID, const Texts& names)
{
    HWND hList = GetDlgItem(hDlg, nID);
    SendMessageA(hList, LB_SETSEL, FALSE, -1);
    Texts texts = ListTexts(hDlg, nID);
    for (size_t i = 0; i < texts.size(); ++i)
        for (const std::string& name : names)
            if (texts[i].compare(0, name.size() + 1, name + " ") == 0)
                SendMessageA(hList, LB_SETSEL, TRUE, (LPARAM)i);
}

class DataGather : public ReportDatabaseTest
{
protected:
    void SetUp() override
    {
        ReportDatabaseTest::SetUp();
        m_jan = MonthCode(2026, 1);
        m_feb = MonthCode(2026, 2);
        m_mar = MonthCode(2026, 3);
        // Alder has filled in January to February, O'Brien January only,
        // Cedar nothing.
        Log("A01", m_jan, m_feb);
        Log("B02", m_jan, m_jan);
        int n = 1;
        for (const char* org : { "A01", "B02", "C03" })
        {
            for (const CString& month : { m_jan, m_feb, m_mar })
            {
                CString strValue;
                strValue.Format("'%d.%02d'", n * 13, n * 7 % 100);
                Insert(org, month, "R1", "C1", strValue);
                strValue.Format("'-%d.5'", n);
                Insert(org, month, "R1", "C2", strValue);
                ++n;
            }
        }
    }

    void Log(LPCSTR pszOrg, const CString& strStart, const CString& strEnd)
    {
        CString strSql;
        strSql.Format("INSERT INTO ss_reportlog VALUES ('%s', '%s', %d, '%s', '%s')", kFormCode, pszOrg, PERIOD_MONTH,
                      (LPCSTR)strStart, (LPCSTR)strEnd);
        m_backend->Exec(strSql);
    }

    void Insert(LPCSTR pszOrg, const CString& strTime, LPCSTR pszRow, LPCSTR pszCol, LPCSTR pszValue)
    {
        CString strSql;
        strSql.Format("INSERT INTO ss_datalist VALUES ('%s', '%s', '%s', '%s', 0, 0, %s)", (LPCSTR)strTime, pszOrg,
                      pszRow, pszCol, pszValue);
        m_backend->Exec(strSql);
    }

    // The database's own sum over a condition, in ten-thousandths.
    std::string DirectSum(const char* lpszCondition, LPCSTR pszRow, LPCSTR pszCol)
    {
        CString strSql;
        strSql.Format("SELECT SUM(%s) FROM ss_datalist WHERE %s AND FD_RowItemCode='%s' AND FD_ColItemCode='%s'",
                      m_backend->ScaledValue(), lpszCondition, pszRow, pszCol);
        Texts rows = Rows(strSql);
        return rows.empty() ? std::string() : rows[0];
    }

    std::string Scaled(int nCell)
    {
        COleCurrency cy;
        if (!cy.ParseDecimal(Value(nCell)))
            return "not an amount: " + std::string((LPCSTR)Value(nCell));
        return std::to_string(cy.m_cur.int64);
    }

    CString m_jan, m_feb, m_mar;
};

TEST_P(DataGather, SumsThreeOrganizationsOverTwoMonthsAsTheDatabaseDoesAndShowsTheirFillInStates)
{
    Texts reports, selected;
    bool bStillOpenAfterNo = false;
    CDialogDriver driver([&](HWND hDlg) {
        ChooseTime(hDlg, GATHER_BETWEEN);
        // The later month in the first field: the range is swapped.
        SetField(hDlg, FIELD_FROM, m_feb);
        SetField(hDlg, FIELD_TO, m_jan);
        reports = ListTexts(hDlg, GATHER_REPORTS);
        SelectEntries(hDlg, GATHER_REPORTS, { "Alder", "O'Brien & Co", "Cedar" });
        Command(hDlg, GATHER_ADD);
        selected = ListTexts(hDlg, GATHER_SELECTED);
        m_messages.QueueAnswer(IDNO);
        Command(hDlg, IDOK);
        bStillOpenAfterNo = IsWindowVisible(hDlg) != FALSE;
        m_messages.QueueAnswer(IDYES);
        CDialogDriver::Press(hDlg, IDOK);
    });
    m_doc.OnSumDataFromDatabases();

    ASSERT_NE(nullptr, driver.Driven());
    // The states agree with ss_reportlog over January to February.
    EXPECT_EQ((Texts{ "Alder (Filled in)", "Cedar (Have Not Fill in)", "O'Brien & Co (Part Fill in)" }), reports);
    EXPECT_EQ(reports, selected);
    EXPECT_TRUE(bStillOpenAfterNo);
    // Asked once on each OK, however many have not filled in.
    ASSERT_EQ(2u, m_messages.Messages().size());
    EXPECT_EQ(0u, m_messages.Messages()[0].text.find("One or more sheets of selected Organizations have not "
                                                     "filled in\n\nContinue"));
    CString strCondition = "FD_OrgCode IN ('A01','B02','C03') AND FD_Time BETWEEN '" + m_jan + "' AND '" + m_feb + "'";
    EXPECT_EQ(DirectSum(strCondition, "R1", "C1"), Scaled(FORM_SALES));
    EXPECT_EQ(DirectSum(strCondition, "R1", "C2"), Scaled(FORM_COSTS));
    EXPECT_STREQ("0", Value(FORM_STAFF));
    // Not the Current Time choice: no report date.
    EXPECT_STREQ("", m_doc.m_sheet.m_cells[FORM_DATE].m_szDateCode);
}

TEST_P(DataGather, OneOrganizationOfOneMonthNamesTheReportAndMovesKeepTheirStates)
{
    Texts afterBack;
    CDialogDriver driver([&](HWND hDlg) {
        ChooseTime(hDlg, GATHER_STAND);
        SetField(hDlg, FIELD_STAND, m_jan);
        SelectEntries(hDlg, GATHER_REPORTS, { "O'Brien & Co" });
        Command(hDlg, GATHER_ADD);
        // There and back again: the entry keeps its suffix.
        SelectEntries(hDlg, GATHER_SELECTED, { "O'Brien & Co" });
        Command(hDlg, GATHER_REMOVE);
        afterBack = ListTexts(hDlg, GATHER_REPORTS);
        SelectEntries(hDlg, GATHER_REPORTS, { "O'Brien & Co" });
        Command(hDlg, GATHER_ADD);
        CDialogDriver::Press(hDlg, IDOK);
    });
    m_doc.OnSumDataFromDatabases();

    ASSERT_NE(nullptr, driver.Driven());
    EXPECT_EQ((Texts{ "Alder (Filled in)", "Cedar (Have Not Fill in)", "O'Brien & Co (Filled in)" }), afterBack);
    // Filled in for January: no question.
    EXPECT_TRUE(m_messages.Messages().empty());
    EXPECT_EQ(DirectSum("FD_OrgCode='B02' AND FD_Time='" + m_jan + "'", "R1", "C1"), Scaled(FORM_SALES));
    EXPECT_STREQ("B02", Value(FORM_CODE));
    EXPECT_STREQ("O'Brien & Co", Value(FORM_NAME));
    EXPECT_STREQ(m_jan, m_doc.m_sheet.m_cells[FORM_DATE].m_szDateCode);
}

TEST_P(DataGather, NamesDifferingOnlyInCaseStayApartAndCancelChangesNothing)
{
    // Cedar and cedar share their state too, so their texts would be equal.
    m_backend->Exec("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES ('D04', 'cedar', 'D')");
    Value(FORM_SALES) = "1";
    Texts reports;
    CDialogDriver driver([&](HWND hDlg) {
        reports = ListTexts(hDlg, GATHER_REPORTS);
        Command(hDlg, GATHER_ADD_ALL);
        CDialogDriver::Press(hDlg, IDCANCEL);
    });
    m_doc.OnSumDataFromDatabases();

    ASSERT_NE(nullptr, driver.Driven());
    ASSERT_EQ(4u, reports.size());
    int nCedars = 0;
    for (const std::string& text : reports)
        nCedars += lstrcmpiA(text.substr(0, 5).c_str(), "cedar") == 0;
    EXPECT_EQ(2, nCedars);
    EXPECT_STREQ("1", Value(FORM_SALES));
    EXPECT_TRUE(m_messages.Messages().empty());
}

// A name stored as UTF-8, as both engines store it, is listed and names
// the summed report in the program's code page.
TEST_P(DataGather, AnAccentedNameIsListedAndNamesTheSummedReport)
{
    const char kName[] = "Café Zürich";
    const CString strName = CodePageText(kName);
    ASSERT_FALSE(strName.IsEmpty());
    // Into the SQLite file as its bytes; through the driver, which takes
    // the program's code page, on PostgreSQL.
    m_backend->Exec("INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES ('E05', '" +
                    (GetParam() == BACKEND_DAO_SQLITE ? CString(kName) : strName) + "', 'E')");
    Log("E05", m_jan, m_jan);
    Insert("E05", m_jan, "R1", "C1", "'41.25'");
    Texts reports;
    CDialogDriver driver([&](HWND hDlg) {
        ChooseTime(hDlg, GATHER_STAND);
        SetField(hDlg, FIELD_STAND, m_jan);
        reports = ListTexts(hDlg, GATHER_REPORTS);
        SelectEntries(hDlg, GATHER_REPORTS, { std::string(strName) });
        Command(hDlg, GATHER_ADD);
        CDialogDriver::Press(hDlg, IDOK);
    });
    m_doc.OnSumDataFromDatabases();

    ASSERT_NE(nullptr, driver.Driven());
    EXPECT_NE(reports.end(), std::find(reports.begin(), reports.end(), std::string(strName) + " (Filled in)"));
    EXPECT_TRUE(m_messages.Messages().empty());
    EXPECT_STREQ("41.25", Value(FORM_SALES));
    EXPECT_STREQ("E05", Value(FORM_CODE));
    EXPECT_STREQ(strName, Value(FORM_NAME));
}

INSTANTIATE_TEST_SUITE_P(Engines, DataGather, testing::Values(BACKEND_DAO_SQLITE, BACKEND_ODBC_POSTGRESQL),
                         ReportBackendName);

// A pattern admits the codes of its own type and of the coarser types whose
// digits a code of its type carries too (a month's pattern admits the
// year's code), never a code with digits where its own type has none.
TEST(DataGatherPattern, EachPeriodTypeAdmitsItsOwnCodesAndNoFinerOnes)
{
    const int types[] = { PERIOD_TENDAY, PERIOD_HALFYEAR, PERIOD_YEAR, PERIOD_QUARTER,
                          PERIOD_MONTH, PERIOD_WEEK, PERIOD_DAY };
    auto Matches = [](const CString& strCode, const CString& strPattern) {
        for (int i = 0; i < strCode.GetLength(); ++i)
            if (strPattern[i] != '_' && strPattern[i] != strCode[i])
                return false;
        return strCode.GetLength() == strPattern.GetLength();
    };
    // Every digit of a after the year that is not zero is b's digit too.
    auto Within = [](const CString& a, const CString& b) {
        for (int i = 4; i < a.GetLength(); ++i)
            if (a[i] != '0' && a[i] != b[i])
                return false;
        return true;
    };
    for (int nPattern : types)
    {
        CString strPattern = CDataGatherDlg::PeriodPattern(nPattern);
        ASSERT_EQ(13, strPattern.GetLength()) << nPattern;
        // Late in the year and late in the month, so that no group of a
        // code is zero by chance.
        CString strOwn = CReportPeriod::GetCodeForDate(nPattern, 2026, 11, 25);
        for (int nCode : types)
        {
            CString strCode = CReportPeriod::GetCodeForDate(nCode, 2026, 11, 25);
            EXPECT_EQ(Within(strCode, strOwn), Matches(strCode, strPattern))
                << "pattern of " << nPattern << " against " << (LPCSTR)strCode;
        }
    }
}

} // namespace
