// A fixture that starts the program's application object in this process
// the way the program starts, with a scratch folder as its working folder,
// and takes its windows down again after the test.
#pragma once

#include "tests/support/Gtest.h"
#include "tests/support/ScratchFolder.h"

#include "shell/app/TallyformApp.h"

class CMainFrame;
class CTallyformView;

class InProcessAppTest : public ::testing::Test
{
protected:
    // Makes the scratch folder the working folder.
    void SetUp() override;
    void TearDown() override;

    // The program's start-up with lpszCommandLine as its command line.
    void Start(LPCSTR lpszCommandLine);
    CMainFrame* Frame();
    // Lets waiting messages through and runs the idle update of the bars.
    void PumpIdle();
    // The sheet view of the active document window, or NULL.
    CTallyformView* ActiveView();

    CScratchFolder m_folder;
    CTallyformApp m_app;

private:
    CString m_strPrevious;
    CString m_strCommandLine;
    BOOL m_bStarted = FALSE;
};
