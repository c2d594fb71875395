#include "engines/common/DataSourceType.h"

namespace
{

const LPCSTR kTypeNames[DSTYPE_COUNT] = {
    "Microsoft Access 95", "Microsoft Access 97", "dBase III", "dBase IV", "dBase 5.0",
    "Microsoft FoxPro 2.0", "Microsoft FoxPro 2.5", "Microsoft FoxPro 2.6",
    "Microsoft FoxPro 3.0", "Microsoft FoxPro 5.0", "Microsoft FoxPro 6.0",
    "Paradox 3.X", "Paradox 4.X", "Paradox 5.X",
    "Microsoft Excel 3.0", "Microsoft Excel 4.0", "Microsoft Excel 5.0", "Microsoft Excel 95",
    "Microsoft Excel 97", "", "", "", "", "Text Files", "HTML Documents", "ODBC", "Sybase",
    "Oracle", "Informix", "DB2"};

} // namespace

LPCSTR DataSourceTypeName(int nType)
{
    return nType >= 0 && nType < DSTYPE_COUNT ? kTypeNames[nType] : "";
}

BOOL IsDaoEngineType(int nType)
{
    return (nType >= DSTYPE_ACCESS95 && nType <= DSTYPE_FOXPRO26) || (nType >= DSTYPE_PARADOX3 && nType <= DSTYPE_HTML);
}

BOOL IsOdbcEngineType(int nType)
{
    return nType == DSTYPE_ODBC || (nType >= DSTYPE_ORACLE && nType <= DSTYPE_DB2);
}

BOOL IsImportedType(int nType)
{
    return IsDaoEngineType(nType) && nType != DSTYPE_ACCESS95 && nType != DSTYPE_ACCESS97;
}

BOOL IsExcelType(int nType)
{
    return nType >= DSTYPE_EXCEL3 && nType <= DSTYPE_EXCEL97;
}
