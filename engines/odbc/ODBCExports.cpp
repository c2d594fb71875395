// The six exports of the ODBC engine library.
#include "engines/common/DataSourceType.h"
#include "engines/common/EngineExportBodies.h"
#include "engines/common/EngineResources.h"
#include "engines/odbc/ODBCDatabase.h"
#include "engines/odbc/ODBCRecordset.h"
#include "engines/odbc/ODBCReportData.h"

namespace
{

struct OdbcEngine
{
    typedef CODBCDatabase Database;
    typedef CODBCRecordset Recordset;
    static const UINT PROGRESS_DIALOG = IDD_ODBC_PROGRESS;
    static const UINT WARNING_BITMAP = IDB_ODBC_WARNING;

    static BOOL Serves(int nType) { return IsOdbcEngineType(nType); }
    static int Load(CCellArray& cells, Database& db, const CString& strTable, CReportProgress& progress)
    {
        return LoadOdbcReportData(cells, db, strTable, progress);
    }
    static int Save(CCellArray& cells, Database& db, const CString& strTable, CReportOverwritePrompt& prompt,
                    CReportProgress& progress)
    {
        return SaveOdbcReportData(cells, db, strTable, prompt, progress);
    }
};

} // namespace

ENGINE_DEFINE_EXPORTS(OdbcEngine)
