// The shipped reporting database schema: it applies to SQLite, its tables
// hold what the programs write, and the programs' recurring queries are
// answered through its indexes.
#include "tests/support/Gtest.h"

#include "framework/db/DaoDatabase.h"
#include "tests/reporting/ReportingDatabase.h"

#include <sqlite3.h>

#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Column(sqlite3* pDb, LPCSTR lpszSQL, int nColumn)
{
    std::vector<std::string> values;
    sqlite3_stmt* pStmt = NULL;
    EXPECT_EQ(SQLITE_OK, sqlite3_prepare_v2(pDb, lpszSQL, -1, &pStmt, NULL)) << sqlite3_errmsg(pDb) << "\n" << lpszSQL;
    while (pStmt != NULL && sqlite3_step(pStmt) == SQLITE_ROW)
    {
        const unsigned char* p = sqlite3_column_text(pStmt, nColumn);
        values.push_back(p != NULL ? reinterpret_cast<const char*>(p) : "");
    }
    sqlite3_finalize(pStmt);
    return values;
}

// SQLite's plan of a query, one line per step.
std::string Plan(sqlite3* pDb, const std::string& strSQL)
{
    std::string plan;
    for (const std::string& step : Column(pDb, ("EXPLAIN QUERY PLAN " + strSQL).c_str(), 3))
        plan += step + "\n";
    return plan;
}

// Runs one statement; SQLITE_OK or the error code.
int Exec(sqlite3* pDb, LPCSTR lpszSQL)
{
    return sqlite3_exec(pDb, lpszSQL, NULL, NULL, NULL);
}

// The names after "CREATE TABLE" or "CREATE [UNIQUE] INDEX" in a script.
std::set<std::string> CreatedNames(const CString& strScript, LPCSTR lpszKind)
{
    std::set<std::string> names;
    std::string text(strScript);
    std::string kind = std::string(" ") + lpszKind + " ";
    for (size_t at = text.find(kind); at != std::string::npos; at = text.find(kind, at + 1))
    {
        size_t begin = at + kind.size();
        size_t end = text.find_first_of(" (\n", begin);
        names.insert(text.substr(begin, end - begin));
    }
    return names;
}

class ReportingSchemaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_db.Open(m_folder.MakeDatabase("schema.mdb", FALSE));
        m_pDb = m_db.GetHandle();
        ASSERT_NE(nullptr, m_pDb);
    }

    CReportingTestFolder m_folder;
    CDaoDatabase m_db;
    sqlite3* m_pDb = NULL;
};

}

TEST_F(ReportingSchemaTest, TablesAndIndexesExist)
{
    std::vector<std::string> tables = Column(m_pDb, "select name from sqlite_master where type='table' order by name", 0);
    EXPECT_EQ((std::vector<std::string>{"ss_Attribute", "ss_OrgAttr", "ss_Organ", "ss_colitem", "ss_datalist",
                                        "ss_item", "ss_reportlog"}),
              tables);
    std::vector<std::string> indexes = Column(m_pDb, "select name from sqlite_master where type='index'", 0);
    std::set<std::string> declared = CreatedNames(ReadSchemaFile("sqlite.sql"), "INDEX");
    EXPECT_EQ(10u, declared.size());
    for (const std::string& name : declared)
        EXPECT_NE(indexes.end(), std::find(indexes.begin(), indexes.end(), name)) << name;
}

TEST_F(ReportingSchemaTest, ReportValueColumnsStandInBindingOrder)
{
    // The ODBC engine binds the columns of "Select *" by position.
    EXPECT_EQ((std::vector<std::string>{"FD_Time", "FD_OrgCode", "FD_RowItemCode", "FD_ColItemCode", "FD_Line",
                                        "FD_CurType", "FD_Value"}),
              Column(m_pDb, "PRAGMA table_info(ss_datalist)", 1));
}

TEST_F(ReportingSchemaTest, RowsAsTheProgramsWriteThem)
{
    // A cell without a column item, a NULL value, codes with apostrophes.
    EXPECT_EQ(SQLITE_OK, Exec(m_pDb, "INSERT INTO ss_datalist VALUES ('2005030000000','O''1','R1','========',3,0,NULL)"));
    EXPECT_EQ(SQLITE_OK, Exec(m_pDb, "INSERT INTO ss_datalist VALUES ('2005030000000','O''1','R1','C1',3,0,'5')"));
    EXPECT_EQ(std::vector<std::string>{"3"},
              Column(m_pDb, "SELECT FD_Line FROM ss_datalist WHERE FD_ColItemCode='========' AND FD_Value IS NULL", 0));
    // One row per key.
    EXPECT_EQ(SQLITE_CONSTRAINT,
              Exec(m_pDb, "INSERT INTO ss_datalist VALUES ('2005030000000','O''1','R1','C1',3,0,'6')"));
    EXPECT_EQ(SQLITE_OK, Exec(m_pDb, "INSERT INTO ss_datalist VALUES ('2005030000000','O''1','R1','C1',3,1,'6')"));

    EXPECT_EQ(SQLITE_OK, Exec(m_pDb, "INSERT INTO ss_Organ VALUES ('0101','Head Office','HO')"));
    EXPECT_EQ(SQLITE_CONSTRAINT, Exec(m_pDb, "INSERT INTO ss_Organ VALUES ('0102','Head Office','HO')"));
    EXPECT_EQ(SQLITE_CONSTRAINT, Exec(m_pDb, "INSERT INTO ss_Organ VALUES ('0101','Other','HO')"));
    // Search codes need not be unique.
    EXPECT_EQ(SQLITE_OK, Exec(m_pDb, "INSERT INTO ss_Organ VALUES ('0102','Branch','HO')"));
    EXPECT_EQ(SQLITE_OK, Exec(m_pDb, "INSERT INTO ss_item (FD_Code,FD_Name,FD_SearchCode,FD_Type) VALUES ('R1','Sales','S',0)"));
    EXPECT_EQ(SQLITE_CONSTRAINT, Exec(m_pDb, "INSERT INTO ss_item (FD_Code,FD_Name,FD_SearchCode,FD_Type) VALUES ('R2','Sales','S',0)"));
    // A column item may have no search code.
    EXPECT_EQ(SQLITE_OK, Exec(m_pDb, "INSERT INTO ss_colitem (FD_Code,FD_Name) VALUES ('C1','This period')"));

    // At most one value of a property type per organization; codes are bytes.
    EXPECT_EQ(SQLITE_OK, Exec(m_pDb, "INSERT INTO ss_OrgAttr VALUES ('0101',0,1)"));
    EXPECT_EQ(SQLITE_CONSTRAINT, Exec(m_pDb, "INSERT INTO ss_OrgAttr VALUES ('0101',0,2)"));
    EXPECT_EQ(SQLITE_CONSTRAINT, Exec(m_pDb, "INSERT INTO ss_Attribute VALUES (256,'Region',0,'North')"));
    EXPECT_EQ(SQLITE_OK, Exec(m_pDb, "INSERT INTO ss_Attribute VALUES (255,'Region',0,'North')"));
}

TEST_F(ReportingSchemaTest, RecurringQueriesUseTheIndexes)
{
    struct
    {
        const char* sql;
        const char* index;
    } cases[] = {
        // The ODBC engine's report data query and the DAO engine's per-cell find.
        {"Select * From [ss_datalist] Where FD_Time='1' And FD_OrgCode='2' and FD_RowItemCode='3' And "
         "FD_ColItemCode='4' And FD_Line=5 And FD_CurType=6", "ix_datalist_key"},
        // Summing from the database: one query per cell.
        {"Select * From ss_datalist Where FD_OrgCode In ('001','002') And FD_Time Between '2003010000000' And "
         "'2003030000000' And FD_Time Like '____00__00000' And FD_RowItemCode='R1' And FD_ColItemCode='C1'",
         "ix_datalist_items"},
        // An analysis reference.
        {"Select FD_Value from ss_datalist where FD_OrgCode='0101' and FD_Time='2005030000000' and "
         "FD_RowItemCode='R1' and FD_ColItemCode='C1' and 1=1", "ix_datalist_"},
        {"Select FD_Value from ss_datalist where FD_OrgCode in (select distinct FD_OrgCode from ss_OrgAttr where "
         "FD_AttrTypeCode=0 and FD_ValCode=1) and FD_RowItemCode='R1' and 1=1", "ix_orgattr_value"},
        {"Select FD_Name From ss_Organ Where FD_Code='0101'", "sqlite_autoindex_ss_Organ"},
        {"Select FD_Name From ss_colitem Where FD_Code='C1'", "sqlite_autoindex_ss_colitem"},
        {"Select * From ss_Organ Where FD_Name='Head Office'", "sqlite_autoindex_ss_Organ"},
        {"Select * From ss_reportlog Where FD_TemplateCode='T1' And FD_OrgCode='0101' And FD_ReportType=2 And "
         "FD_StartDate<='2005030000000' And FD_EndDate>='2005030000000'", "ix_reportlog_"},
        {"Select * From ss_reportlog Where FD_TemplateCode='T1' And FD_OrgCode='0101' And FD_ReportType=2 And "
         "FD_EndDate='2005020000000'", "ix_reportlog_end"},
        {"Select FD_StartDate From ss_reportlog Where FD_TemplateCode='T1' And FD_ReportType=2", "ix_reportlog_"},
        {"Select FD_Code,FD_Name From ss_Organ,ss_OrgAttr Where ss_Organ.FD_Code=ss_OrgAttr.FD_OrgCode And "
         "ss_OrgAttr.FD_AttrTypeCode=0 And ss_OrgAttr.FD_ValCode=1", "ix_orgattr_value"},
    };
    for (const auto& c : cases)
    {
        std::string plan = Plan(m_pDb, c.sql);
        EXPECT_NE(std::string::npos, plan.find(c.index)) << c.sql << "\n" << plan;
        EXPECT_EQ(std::string::npos, plan.find("SCAN ss_datalist\n")) << c.sql << "\n" << plan;
    }
    // The report data query of the DAO engine reads in index order: no sort.
    std::string plan = Plan(m_pDb, "Select * From [ss_datalist] Order By FD_OrgCode,FD_Time,FD_RowItemCode,"
                                   "FD_ColItemCode,FD_Line,FD_CurType");
    EXPECT_EQ(std::string::npos, plan.find("TEMP B-TREE")) << plan;
}

TEST(ReportingSchemaScripts, PostgreSqlScriptDeclaresTheSameTablesAndIndexes)
{
    CString strSqlite = ReadSchemaFile("sqlite.sql");
    CString strPostgres = ReadSchemaFile("postgresql.sql");
    EXPECT_EQ(CreatedNames(strSqlite, "TABLE"), CreatedNames(strPostgres, "TABLE"));
    EXPECT_EQ(CreatedNames(strSqlite, "INDEX"), CreatedNames(strPostgres, "INDEX"));
    EXPECT_EQ(7u, CreatedNames(strPostgres, "TABLE").size());
}

TEST(ReportingSchemaScripts, StarterRowsFitTheSchema)
{
    CReportingTestFolder folder;
    CDaoDatabase db;
    db.Open(folder.MakeDatabase("sample.mdb", TRUE));
    for (LPCSTR lpszTable : {"ss_Organ", "ss_item", "ss_colitem", "ss_Attribute"})
        EXPECT_FALSE(Column(db.GetHandle(), CString("select * from ") + lpszTable, 0).empty()) << lpszTable;
    // Every property link names an organization and a property value.
    EXPECT_TRUE(Column(db.GetHandle(),
                       "select FD_OrgCode from ss_OrgAttr where FD_OrgCode not in (select FD_Code from ss_Organ) "
                       "or not exists (select 1 from ss_Attribute a where a.FD_AttrTypeCode=ss_OrgAttr.FD_AttrTypeCode "
                       "and a.FD_ValCode=ss_OrgAttr.FD_ValCode)", 0).empty());
}
