// The six exports of the DAO engine library.
#include "engines/common/DataSourceType.h"
#include "engines/common/EngineExportBodies.h"
#include "engines/common/EngineExports.h"
#include "engines/common/EngineResources.h"
#include "engines/dao/DAODatabase.h"
#include "engines/dao/DAORecordset.h"
#include "engines/dao/DaoReportData.h"

namespace
{

struct DaoEngine
{
    typedef CDAODatabase Database;
    typedef CDAORecordset Recordset;
    static const UINT PROGRESS_DIALOG = IDD_BRASSLOCK_PROGRESS;
    static const UINT WARNING_BITMAP = IDB_BRASSLOCK_WARNING;

    static BOOL Serves(int nType) { return IsDaoEngineType(nType); }
    static int Load(CCellArray& cells, Database& db, const CString& strTable, CReportProgress& progress)
    {
        return LoadDaoReportData(cells, db, strTable, progress);
    }
    static int Save(CCellArray& cells, Database& db, const CString& strTable, CReportOverwritePrompt& prompt,
                    CReportProgress& progress)
    {
        // A saved report goes on to the source's files.  Where that fails
        // the report is still saved, in the working copy, and the user has
        // been told where it is kept: the save is not reported as failed.
        // A save that failed has said so; the changes of earlier saves wait
        // for the next one.
        int nResult = SaveDaoReportData(cells, db, strTable, prompt, progress);
        if (nResult != 0 && !db.WriteBackChanges())
            return KEM_REPORT_SAVED_NOT_WRITTEN;
        return nResult;
    }
};

} // namespace

ENGINE_DEFINE_EXPORTS(DaoEngine)
