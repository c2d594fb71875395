// Reading and writing the tables of text and HTML data sources.
#include "tests/support/Gtest.h"

#include "engines/dao/HtmlTable.h"
#include "engines/dao/SourceTable.h"

namespace {

CSourceValue Text(LPCSTR lpsz)
{
    CSourceValue value;
    value.m_strText = lpsz;
    value.m_bNull = false;
    return value;
}

CSourceValue Null()
{
    return CSourceValue();
}

void ExpectRow(const std::vector<CSourceValue>& expected, const std::vector<CSourceValue>& row)
{
    ASSERT_EQ(expected.size(), row.size());
    for (size_t i = 0; i < row.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].m_bNull, row[i].m_bNull);
        EXPECT_STREQ(expected[i].m_strText, row[i].m_strText);
    }
}

void ExpectSameTable(const CSourceTable& expected, const CSourceTable& table)
{
    EXPECT_STREQ(expected.m_strName, table.m_strName);
    EXPECT_EQ(expected.m_columns, table.m_columns);
    ASSERT_EQ(expected.m_rows.size(), table.m_rows.size());
    for (size_t r = 0; r < table.m_rows.size(); ++r)
    {
        SCOPED_TRACE(r);
        ExpectRow(expected.m_rows[r], table.m_rows[r]);
    }
}

CSourceTable AwkwardTable()
{
    CSourceTable table;
    table.m_strName = "ss_Organ";
    table.m_columns = {"FD_Code", "FD_Name", "FD_SearchCode"};
    table.m_rows = {{Text("O'1"), Text("Smith, Jones & \"Partners\""), Null()},
                    {Text("0102"), Text(""), Text(" padded ")},
                    {Text("0103"), Text("two\r\nlines"), Text("<b>")}};
    return table;
}

}

TEST(CsvTable, FieldsQuotesNullsAndLineBreaks)
{
    CSourceTable table;
    CString strError;
    ASSERT_TRUE(ParseCsvTable("a,b,,d\r\n1,\"x,y\",\"he said \"\"hi\"\"\",\n2,,\"\",\n\"multi\nline\"\n", table,
                              strError))
        << strError;
    EXPECT_EQ((std::vector<CString>{"a", "b", "F3", "d"}), table.m_columns);
    ASSERT_EQ(3u, table.m_rows.size());
    ExpectRow({Text("1"), Text("x,y"), Text("he said \"hi\""), Null()}, table.m_rows[0]);
    ExpectRow({Text("2"), Null(), Text(""), Null()}, table.m_rows[1]);
    // A short row is filled with NULLs.
    ExpectRow({Text("multi\nline"), Null(), Null(), Null()}, table.m_rows[2]);
}

TEST(CsvTable, RoundTripKeepsEveryValue)
{
    CSourceTable table = AwkwardTable();
    CSourceTable back;
    CString strError;
    ASSERT_TRUE(ParseCsvTable(CsvTableText(table), back, strError)) << strError;
    back.m_strName = table.m_strName;
    ExpectSameTable(table, back);

    // A one-column table keeps its NULL rows.
    CSourceTable single;
    single.m_strName = "t";
    single.m_columns = {"v"};
    single.m_rows = {{Null()}, {Text("1")}, {Null()}};
    ASSERT_TRUE(ParseCsvTable(CsvTableText(single), back, strError)) << strError;
    back.m_strName = "t";
    ExpectSameTable(single, back);
}

TEST(CsvTable, TextsThatAreNoTable)
{
    CSourceTable table;
    CString strError;
    EXPECT_FALSE(ParseCsvTable("", table, strError));
    EXPECT_STREQ("there is no header line", strError);
    EXPECT_FALSE(ParseCsvTable("a,b\n1,2,3\n", table, strError));
    EXPECT_STREQ("line 2 has more fields than the header names", strError);
    EXPECT_FALSE(ParseCsvTable("a,b\n\"open,2\n", table, strError));
    EXPECT_STREQ("a quoted field is not closed", strError);
    EXPECT_FALSE(ParseCsvTable("a,A\n", table, strError));
    // A header alone is an empty table.
    EXPECT_TRUE(ParseCsvTable("a,b\r\n", table, strError));
    EXPECT_TRUE(table.m_rows.empty());
}

TEST(HtmlTable, TablesCaptionsEntitiesAndLooseMarkup)
{
    std::vector<CSourceTable> tables;
    CString strError;
    // Markup the parser complains of but loses nothing by: tags of later
    // HTML versions, a bare '&', a stray end tag.
    ASSERT_TRUE(ParseHtmlTables("<HTML><body><nav>menu</nav><section><p>intro A&B & C</p></p>"
                                "<TABLE border=1><caption>ss_item</caption>"
                                "<tr><th>FD_Code</th><th>FD_Name</th></tr>"
                                "<tr><td>R&amp;1</td><td><b>Sales</b>&nbsp; &lt;net&gt;</td></tr>"
                                "<tr><td>R2<td>Costs &#38; more</tr>"
                                "<tr><td>R3</td><td></td></tr>"
                                "</table><table><tr><td>x</td></tr><tr><td>1</td></tr></table></section></body></HTML>",
                                tables, strError))
        << strError;
    ASSERT_EQ(2u, tables.size());
    EXPECT_STREQ("ss_item", tables[0].m_strName);
    EXPECT_EQ((std::vector<CString>{"FD_Code", "FD_Name"}), tables[0].m_columns);
    ASSERT_EQ(3u, tables[0].m_rows.size());
    ExpectRow({Text("R&1"), Text("Sales <net>")}, tables[0].m_rows[0]);
    ExpectRow({Text("R2"), Text("Costs & more")}, tables[0].m_rows[1]);
    ExpectRow({Text("R3"), Null()}, tables[0].m_rows[2]);
    EXPECT_STREQ("Table2", tables[1].m_strName);
}

TEST(HtmlTable, TablesGoBackIntoTheirDocument)
{
    const char kDocument[] = "<html><head><title>T</title></head><body><h2>Intro</h2>"
                             "<table><caption>ss_colitem</caption><tr><th>FD_Code</th></tr>"
                             "<tr><td>C0</td></tr></table><p>between</p>"
                             "<table border=2><caption>awkward</caption><tbody><tr><td>old</td></tr></tbody>"
                             "</table></body></html>";
    CSourceTable second;
    second.m_strName = "ss_colitem";
    second.m_columns = {"FD_Code"};
    second.m_rows = {{Text("C1")}};
    CSourceTable first = AwkwardTable();
    first.m_strName = "awkward";
    // Line breaks and surrounding blanks do not survive HTML's white space.
    first.m_rows[1][2] = Text("padded");
    first.m_rows[2][1] = Text("two lines");
    std::vector<CSourceTable> tables{first, second};
    CString strDocument, strError;
    ASSERT_TRUE(ReplaceHtmlTables(kDocument, tables, strDocument, strError)) << strError;
    std::vector<CSourceTable> back;
    ASSERT_TRUE(ParseHtmlTables(strDocument, back, strError)) << strError;
    ASSERT_EQ(2u, back.size());
    // HTML has no NULL apart from the empty cell.
    first.m_rows[1][1] = Null();
    ExpectSameTable(second, back[0]);
    ExpectSameTable(first, back[1]);
    for (LPCSTR lpszKept : {"<title>T</title>", "<h2>Intro</h2>", "<p>between</p>", "border=\"2\""})
        EXPECT_GE(strDocument.Find(lpszKept), 0) << lpszKept << " in " << (LPCSTR)strDocument;
    EXPECT_LT(strDocument.Find("DOCTYPE"), 0) << (LPCSTR)strDocument;
    EXPECT_FALSE(ReplaceHtmlTables("<html><body>gone</body></html>", tables, strDocument, strError));
}

TEST(HtmlTable, DocumentsThatHoldNoReadableTable)
{
    std::vector<CSourceTable> tables;
    CString strError;
    EXPECT_FALSE(ParseHtmlTables("<html><body>no tables</body></html>", tables, strError));
    EXPECT_STREQ("the document holds no table", strError);
    EXPECT_FALSE(ParseHtmlTables("<table><caption>empty</caption></table>", tables, strError));
    EXPECT_STREQ("table empty has no header row", strError);
    EXPECT_FALSE(ParseHtmlTables("<table><caption>t</caption></table><table><caption>T</caption><tr><td>a</td></tr></table>",
                                 tables, strError));
    EXPECT_FALSE(ParseHtmlTables("<table><tr><td>a</td></tr><tr><td>1</td><td>2</td></tr></table>", tables, strError));
}
