#include "tests/engines/dao/ReportSchema.h"

#include <fstream>
#include <sstream>

namespace
{

const char kReportSchema[] =
    "CREATE TABLE ss_datalist (FD_Time VARCHAR(13) NOT NULL, FD_OrgCode VARCHAR(8) NOT NULL,"
    " FD_RowItemCode VARCHAR(8) NOT NULL, FD_ColItemCode VARCHAR(8) NOT NULL, FD_Line INTEGER NOT NULL,"
    " FD_CurType TINYINT NOT NULL, FD_Value VARCHAR(255));"
    "CREATE UNIQUE INDEX ix_datalist_key ON ss_datalist"
    " (FD_OrgCode, FD_Time, FD_RowItemCode, FD_ColItemCode, FD_Line, FD_CurType);"
    "CREATE TABLE ss_Organ (FD_Code VARCHAR(8) PRIMARY KEY, FD_Name VARCHAR(50) NOT NULL UNIQUE,"
    " FD_SearchCode VARCHAR(8));"
    "CREATE TABLE ss_item (FD_Code VARCHAR(8) PRIMARY KEY, FD_Name VARCHAR(50) NOT NULL UNIQUE,"
    " FD_SearchCode VARCHAR(8), FD_Type TINYINT NOT NULL DEFAULT 0);"
    "CREATE TABLE ss_colitem (FD_Code VARCHAR(8) PRIMARY KEY, FD_Name VARCHAR(50) NOT NULL UNIQUE,"
    " FD_SearchCode VARCHAR(8));";

} // namespace

std::string ReportSchemaSql()
{
#ifdef REPORT_SCHEMA_SCRIPT
    std::ifstream script(REPORT_SCHEMA_SCRIPT);
    if (script)
    {
        std::ostringstream text;
        text << script.rdbuf();
        return text.str();
    }
#endif
    return kReportSchema;
}
