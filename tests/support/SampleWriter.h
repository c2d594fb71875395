// Runs the set-up's sample template writer (WriteSampleTemplates, beside
// the test program) on a folder, as scripts/setup.sh does.
#pragma once

#include <windows.h>

#include "framework/core/String.h"

// The writer's exit code; (DWORD)-1 when it could not be started or did
// not end within half a minute.
DWORD RunSampleWriter(const CString& strFolder);
