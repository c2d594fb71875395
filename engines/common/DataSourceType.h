// Data-source types 0 to 29: their display names and the engine library
// that serves each.
#pragma once

#include "framework/core/Base.h"

enum
{
    DSTYPE_ACCESS95 = 0,
    DSTYPE_ACCESS97 = 1,
    DSTYPE_DBASE3 = 2,
    DSTYPE_FOXPRO26 = 7,
    DSTYPE_FOXPRO30 = 8,
    DSTYPE_FOXPRO60 = 10,
    DSTYPE_PARADOX3 = 11,
    DSTYPE_PARADOX5 = 13,
    DSTYPE_EXCEL3 = 14,
    DSTYPE_EXCEL97 = 18,
    DSTYPE_LOTUS_WKS_FOLDER = 19,
    DSTYPE_LOTUS_WK1_FOLDER = 20,
    DSTYPE_LOTUS_WKS_FILE = 21,
    DSTYPE_LOTUS_WKS_FILE2 = 22,
    DSTYPE_TEXT = 23,
    DSTYPE_HTML = 24,
    DSTYPE_ODBC = 25,
    DSTYPE_SYBASE = 26,
    DSTYPE_ORACLE = 27,
    DSTYPE_INFORMIX = 28,
    DSTYPE_DB2 = 29,
    DSTYPE_COUNT = 30
};

// The display name of a type; "" for the Lotus types and out-of-range values.
LPCSTR DataSourceTypeName(int nType);

// The types each delivered library serves.
BOOL IsDaoEngineType(int nType);
BOOL IsOdbcEngineType(int nType);
// The file sources of the DAO engine (all but Access), worked on in a
// temporary database.
BOOL IsImportedType(int nType);
BOOL IsExcelType(int nType);
