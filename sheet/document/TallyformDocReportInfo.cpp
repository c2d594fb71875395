#include "sheet/document/TallyformDoc.h"

#include "framework/core/MessageSink.h"

// The Set Report Information dialog is not part of this build yet: the
// question is refused, so nothing is written or changed.
BOOL CTallyformDoc::RunReportInfoDialog(CReportInfo& info)
{
    (void)info;
    AfxMessageBox("The Set Report Information dialog is not available.");
    return FALSE;
}
