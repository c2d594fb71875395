// Entry of every test executable: a sink that refuses to block is installed
// before any test runs, so a prompt no test expected shows up as a failure.
#include "tests/support/Gtest.h"
#include "framework/core/MessageSink.h"

#include <stdio.h>

namespace {
int UnexpectedPrompt(HWND, LPCSTR lpszText, LPCSTR, UINT)
{
    ADD_FAILURE() << "unexpected message box: " << lpszText;
    return IDCANCEL;
}
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    AfxSetMessageSink(&UnexpectedPrompt);
    return RUN_ALL_TESTS();
}
