// The tables of the reporting database as SQLite statements: the project's
// schema script when the build has one, else the tables the engine reads
// and writes, with the same columns and key.
#pragma once

#include <string>

std::string ReportSchemaSql();
