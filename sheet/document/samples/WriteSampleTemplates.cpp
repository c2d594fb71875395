// Writes the sample templates into a folder, each only when no file of its
// name is there: WriteSampleTemplates FOLDER.  Run by the set-up.
#include <stdio.h>

#include "framework/core/File.h"
#include "framework/core/MessageSink.h"
#include "sheet/document/TallyformDoc.h"
#include "sheet/document/samples/SampleTemplates.h"

namespace
{

struct Sample
{
    const char* pszFile;
    void (*pfnBuild)(CSheet&);
};

const Sample kSamples[] = {
    { "Monthly Report.kvm", BuildMonthlySample },
    { "Ten-day Report.kvm", BuildTenDaySample },
};

// The set-up runs unattended: a message goes to the console, never a box.
int PrintMessage(HWND, LPCSTR lpszText, LPCSTR, UINT)
{
    fprintf(stderr, "%s\n", lpszText);
    return IDCANCEL;
}

// 0 when the file was written or was already there.
int WriteSample(const CString& strFolder, const Sample& sample)
{
    CString strPath = strFolder + "\\" + sample.pszFile;
    CFileStatus status;
    if (CFile::GetStatus(strPath, status))
        return 0;
    CTallyformDoc doc;
    doc.m_bAutoDelete = FALSE;
    sample.pfnBuild(doc.m_sheet);
    if (!doc.OnSaveDocument(strPath))
    {
        fprintf(stderr, "could not write %s\n", (LPCSTR)strPath);
        return 1;
    }
    printf("Wrote %s\n", (LPCSTR)strPath);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        fprintf(stderr, "usage: WriteSampleTemplates FOLDER\n");
        return 2;
    }
    AfxSetMessageSink(&PrintMessage);
    int nFailed = 0;
    for (const Sample& sample : kSamples)
        nFailed += WriteSample(argv[1], sample);
    return nFailed == 0 ? 0 : 1;
}
