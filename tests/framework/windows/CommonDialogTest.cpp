#include "tests/support/Gtest.h"
#include "tests/support/DialogDriver.h"
#include "framework/windows/ColorDialog.h"

TEST(ColorDialog, OkGivesTheInitialColourAndCancelIsReported)
{
    CColorDialog okDlg(RGB(12, 34, 56), CC_FULLOPEN | CC_ANYCOLOR);
    {
        CDialogDriver driver([](HWND hDlg) { CDialogDriver::Press(hDlg, IDOK); });
        EXPECT_EQ(okDlg.DoModal(), IDOK);
        EXPECT_NE(driver.Driven(), nullptr);
    }
    EXPECT_EQ(okDlg.GetColor(), RGB(12, 34, 56));
    EXPECT_TRUE(okDlg.m_cc.Flags & CC_FULLOPEN);

    CColorDialog cancelDlg(RGB(200, 0, 0));
    CDialogDriver driver([](HWND hDlg) { CDialogDriver::Press(hDlg, IDCANCEL); });
    EXPECT_EQ(cancelDlg.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelDlg.m_cc.lpCustColors, CColorDialog::GetSavedCustomColors());
}
