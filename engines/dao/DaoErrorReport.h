// The DAO engine's own message for a DAO exception.
#pragma once

#include "framework/db/DaoException.h"

// With DAO error information: the text and code, and an offer of help when
// the error names a help file;
// otherwise the status code broken into its parts.
void ReportDaoException(const CDaoException* e);
