// The overwrite question as a message box.  With a message sink installed
// (tests) the sink answers it: IDOK updates, IDCANCEL leaves the value, and
// the "to All" forms are IDCONTINUE (update all) and IDIGNORE (leave all).
#pragma once

#include "engines/common/ReportDataTransfer.h"

#define OVERWRITE_ANSWER_UPDATE IDOK
#define OVERWRITE_ANSWER_SKIP IDCANCEL
#define OVERWRITE_ANSWER_UPDATE_ALL IDCONTINUE
#define OVERWRITE_ANSWER_SKIP_ALL IDIGNORE

// The question's text: one "Label: value" line per field, then the warning.
CString OverwriteQuestionText(const CReportOverwriteQuestion& question);

class CMessageOverwritePrompt : public CReportOverwritePrompt
{
public:
    int Ask(const CReportOverwriteQuestion& question) override;
};

// The button answer of the message box as an OVERWRITE_ answer; anything
// else (the box closed) leaves the value.
int OverwriteAnswerOfButton(int nButton);
