// A designer document on a test reporting database: the engine loader
// with the engine libraries beside the test program, an open engine
// database of the backend and a report template with key cells, numeric
// cells and a calculate cell.
#pragma once

// The standard headers come first: windows.h defines min and max macros.
#include <deque>
#include <memory>
#include <vector>

#include "tests/sheet/document/database/ReportTestBackend.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/sheet/document/TestTallyformDoc.h"

#include "reporting/EngineLoader.h"
#include "reporting/ReportConnection.h"

class CDatabaseTestDoc : public CTestTallyformDoc
{
public:
    CReportConnection m_connection;

    using CTallyformDoc::OnBatchImport;
    using CTallyformDoc::OnSumDataFromDatabases;

protected:
    CReportConnection& GetConnection() override { return m_connection; }
    BOOL CloseCellEditor(BOOL) override { return TRUE; }
};

// Cell indexes of the report template.
enum
{
    FORM_DATE = 0,      // A1 report date
    FORM_CODE = 1,      // B1 organization code
    FORM_NAME = 2,      // C1 organization name
    FORM_SALES = 3,     // A2 numeric R1/C1
    FORM_COSTS = 4,     // B2 numeric R1/C2
    FORM_TOTAL = 5,     // C2 calculate A2+B2
    FORM_STAFF = 6,     // A3 numeric R2/C1
    FORM_NOTE = 7,      // B3 numeric of the text sub-kind R2/C2
    FORM_CELLS = 8
};

extern const char kFormCode[];

// The code of a month.
CString MonthCode(int year, int month);

class ReportDatabaseTest : public testing::TestWithParam<ReportBackendKind>
{
protected:
    ReportDatabaseTest();
    void SetUp() override;
    void TearDown() override;

    // Fills in the key cells (and with them every numeric cell's keys).
    void SetKeys(LPCSTR pszCode, LPCSTR pszName, const CString& strPeriod);
    // Sets the figures of the three number cells and the text cell.
    void SetFigures(LPCSTR pszSales, LPCSTR pszCosts, LPCSTR pszStaff, LPCSTR pszNote);
    CString& Value(int nCell) { return m_doc.m_sheet.m_cells[nCell].m_strValue; }
    std::vector<std::string> Rows(const char* lpszSql) { return m_backend->Rows(lpszSql); }
    std::vector<std::string> LogRows();
    std::vector<std::string> DataRows();
    // The texts of the recorded messages.
    std::vector<std::string> MessageTexts() const;

    std::unique_ptr<ReportTestBackend> m_backend;
    CEngineLoader m_loader;
    CKemDatabase* m_pDatabase = NULL;
    CDatabaseTestDoc m_doc;
    MessageBoxRecorder m_messages;
};
