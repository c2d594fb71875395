// The report data load benchmark's yardstick: each data cell's row looked
// up straight through libpq, one execution of one prepared statement per
// cell, as bare as a client of the server can be.
#pragma once

#include <vector>

#include "framework/core/String.h"
#include "sheet/Cell.h"

// Looks up the FD_Value of every data cell's row in ss_datalist on the
// server that the PG* environment variables name; values receives each
// cell's text ("" for a NULL or a missing row).  The milliseconds taken,
// or -1 after printing the failure.
double LibpqDirectLookups(const CCellArray& cells, std::vector<CString>& values);
