// The readable label of a 13-digit period code, as the overwrite question
// shows it: "15March,2005", "12 Week,2005", "Q1,2005", "Jan-Jun,2005".
#pragma once

#include "framework/core/String.h"

// "" for a code whose length is not 13.
CString PeriodLabelText(const CString& strCode);
