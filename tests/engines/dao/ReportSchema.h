// The tables of the reporting database that the DAO engine reads and writes,
// as SQLite statements.
#pragma once

extern const char kReportSchema[];
