// The reporting database of the report benchmarks: ss_datalist with 200
// organizations x 12 monthly periods x 1,000 cell keys (row items
// R000..R099 by column items C0..C9), 2,400,000 rows, in an SQLite file;
// and a template document that reads it through its own connection.
#pragma once

#include "framework/core/String.h"
#include "reporting/ReportConnection.h"
#include "sheet/document/TallyformDoc.h"

const int BENCH_ORGANIZATIONS = 200;
const int BENCH_MONTHS = 12;
const int BENCH_CELLS = 1000;

class CReportBenchDoc : public CTallyformDoc
{
public:
    CReportBenchDoc() { m_bAutoDelete = FALSE; }
    CReportConnection m_connection;

protected:
    CReportConnection& GetConnection() override { return m_connection; }
};

// The code of month m (0..11) of 2026.
CString BenchMonth(int m);
// The organization code of o (0..199): O000..O199.
CString BenchOrgan(int o);
// The text value stored for organization o, month m and cell key c.
CString BenchValue(int o, int m, int c);
// Fills the file afresh, or reuses it when it already holds every row; false
// after saying why.
bool PrepareReportBenchFile(const char* lpszUnixPath);
