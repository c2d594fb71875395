// The DAO engine's own message for a DAO exception.
#pragma once

#include "framework/db/DaoException.h"

// With DAO error information: the text and code and an offer of help;
// otherwise the status code broken into its parts.
void ReportDaoException(const CDaoException* e);
