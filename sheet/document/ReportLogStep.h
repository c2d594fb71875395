// The fill-in log of a report data save, written by the engine inside the
// save's write transaction, so that the rows and their log row are stored
// together or not at all.
#pragma once

#include "engines/common/KemDatabase.h"

class CTallyformDoc;

class CReportLogStep : public CKemSaveStep
{
public:
    // Hands itself to the database for the saves made while it lives;
    // strFailure is what the user is told when the log cannot be written.
    CReportLogStep(CTallyformDoc& doc, CKemDatabase* pDatabase, const CString& strFailure);
    ~CReportLogStep() override;
    CReportLogStep(const CReportLogStep&) = delete;
    CReportLogStep& operator=(const CReportLogStep&) = delete;

    // Records the key cells' period.  A report whose keys name no period or
    // organization saves without a log row (the user is told); a database
    // failure while logging stops the whole save.
    BOOL Run() override;
    // Whether the user was told the log could not be written.
    BOOL HasFailed() const { return m_bFailed; }

private:
    CTallyformDoc& m_doc;
    CKemDatabase* m_pDatabase;
    CString m_strFailure;
    BOOL m_bFailed;
};
