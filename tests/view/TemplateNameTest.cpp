#include <string>

#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"

#include "view/TemplateName.h"

TEST(TemplateName, OrdinaryNamesAreAccepted)
{
    for (const char* name : {"Monthly Report", "a", "v1.2 budget", "console", "COM10", "Null & Co"})
    {
        SCOPED_TRACE(name);
        EXPECT_STREQ("", (LPCSTR)TemplateNameProblem(name));
    }
}

TEST(TemplateName, EmptyAndBlankNamesAreRefused)
{
    for (const char* name : {"", " ", "    "})
    {
        SCOPED_TRACE(std::string("[") + name + "]");
        EXPECT_STREQ("Please input the template name.", (LPCSTR)TemplateNameProblem(name));
    }
}

TEST(TemplateName, CharactersAFileNameCannotHoldAreRefused)
{
    const std::string forbidden = "\\/:*?\"<>|\t\x01\x1f";
    for (char ch : forbidden)
    {
        std::string name = std::string("Sales") + ch + "2024";
        SCOPED_TRACE(name);
        EXPECT_STREQ("A template name cannot contain any of the characters \\ / : * ? \" < > |.",
                     (LPCSTR)TemplateNameProblem(name.c_str()));
    }
}

TEST(TemplateName, TrailingDotsAndSpacesAndDeviceNamesAreRefused)
{
    EXPECT_STREQ("A template name cannot end with a dot or a space.",
                 (LPCSTR)TemplateNameProblem("Report."));
    EXPECT_STREQ("A template name cannot end with a dot or a space.",
                 (LPCSTR)TemplateNameProblem("Report "));
    for (const char* name : {"CON", "nul", "Lpt1", "com9.old", "aux .x"})
    {
        SCOPED_TRACE(name);
        EXPECT_EQ(std::string(name) + " is a name reserved by the system.",
                  (LPCSTR)TemplateNameProblem(name));
    }
}

TEST(TemplateName, PathMustLeaveRoomForTheExtension)
{
    std::string folder = "C:\\Template\\" + std::string(200, 'f') + "\\";
    std::string fits(MAX_PATH - 1 - 4 - (int)folder.size(), 'n');
    EXPECT_STREQ("", (LPCSTR)TemplatePathProblem(folder.c_str(), fits.c_str()));
    EXPECT_STREQ("The template name is too long for this folder.",
                 (LPCSTR)TemplatePathProblem(folder.c_str(), (fits + "n").c_str()));
}

TEST(TemplateName, CheckShowsTheProblemOnce)
{
    MessageBoxRecorder recorder;
    EXPECT_TRUE(CheckTemplateName("C:\\Template\\Monthly\\", "Budget"));
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_FALSE(CheckTemplateName("C:\\Template\\Monthly\\", "Bud/get"));
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_NE(std::string::npos, recorder.LastText().find("cannot contain"));
}
