// The summing benchmark's yardstick: the same per-cell queries run straight
// through each database's C client (SQLite's C API, libpq), each cell's
// FD_Value texts added as exact currency amounts.
#pragma once

#include <vector>

#include "framework/core/String.h"

// Runs every query on the SQLite file; the sum of each as a value text in
// sums.  The milliseconds taken, or -1 after printing the failure.
double SqliteDirectSums(const char* lpszUnixPath, const std::vector<CString>& queries, std::vector<CString>& sums);

// The same through libpq on the server that the PG* environment variables
// name.
double LibpqDirectSums(const std::vector<CString>& queries, std::vector<CString>& sums);
