// The three in-place cell editors in real windows: what they show when
// they open, the notices their keys and the loss of focus send, the
// numeric filter, and that each closes and deletes itself.
#include "tests/support/Gtest.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/view/EditorTestParent.h"

#include "shell/DateDropDownWnd.h"
#include "view/CellChoiceList.h"
#include "view/CellEditBox.h"
#include "view/CellEditNotify.h"
#include "view/CellEditRules.h"
#include "view/CellPeriodField.h"

namespace
{

const CRect kCellRect(20, 20, 220, 44);

CFont* MakeFont()
{
    CFont* pFont = new CFont;
    pFont->CreateFont(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, "Arial");
    return pFont;
}

CCellEditBox* OpenEditBox(CEditorTestParent& parent, const char* pszText, BOOL bNumeric,
                          int nStartKey = CELL_START_KEY_CLICK, int nCell = 7)
{
    CCellEditBox* pBox = new CCellEditBox(&parent, kCellRect, ES_LEFT, IDC_CELL_EDITOR, nCell,
                                          pszText, MakeFont(), RGB(0, 0, 128),
                                          RGB(255, 255, 224), nStartKey, bNumeric);
    PumpEditorMessages();
    return pBox;
}

// A choice list on cell 4.
CCellChoiceList* OpenChoiceList(CEditorTestParent& parent,
                                std::initializer_list<const char*> items, const char* pszStart,
                                DWORD nStyle = CBS_DROPDOWNLIST,
                                int nStartKey = CELL_START_KEY_CLICK)
{
    CStringArray list;
    for (const char* psz : items)
        list.Add(psz);
    return new CCellChoiceList(&parent, kCellRect, nStyle, IDC_CELL_EDITOR, 4, list,
                               pszStart, MakeFont(), RGB(0, 0, 0), RGB(255, 255, 255),
                               nStartKey);
}

std::string WindowText(HWND hWnd)
{
    char sz[256] = "";
    ::GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}

void TypeChar(HWND hWnd, char ch)
{
    ::SendMessageA(hWnd, WM_CHAR, (WPARAM)(unsigned char)ch, 1);
}

} // namespace

TEST(CellEditBox, OpensOnTheCellWithItsTextFontAndFocus)
{
    CEditorTestParent parent;
    CFont* pFont = MakeFont();
    const HFONT hFont = *pFont;
    CCellEditBox* pBox = new CCellEditBox(&parent, kCellRect, ES_RIGHT, IDC_CELL_EDITOR, 3,
                                          "123.5", pFont, RGB(0, 0, 0), RGB(255, 255, 255),
                                          CELL_START_KEY_CLICK, TRUE);
    const HWND hBox = pBox->m_hWnd;
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ(hBox, FindEditor(parent, IDC_CELL_EDITOR));
    EXPECT_EQ("123.5", WindowText(hBox));
    EXPECT_EQ(hBox, ::GetFocus());
    EXPECT_EQ((LRESULT)hFont, ::SendMessageA(hBox, WM_GETFONT, 0, 0));
    EXPECT_TRUE((::GetWindowLongA(hBox, GWL_STYLE) & ES_RIGHT) != 0);
    DWORD nStart = 0, nEnd = 0;
    ::SendMessageA(hBox, EM_GETSEL, (WPARAM)&nStart, (LPARAM)&nEnd);
    EXPECT_EQ(5u, nStart);
    EXPECT_EQ(5u, nEnd);
    EXPECT_TRUE(parent.m_notices.empty());
}

TEST(CellEditBox, ATypedStartKeyReplacesTheOldValue)
{
    CEditorTestParent parent;
    CCellEditBox* pBox = OpenEditBox(parent, "12", TRUE, '7');
    EXPECT_EQ("7", WindowText(pBox->m_hWnd));
    ASSERT_EQ(1, parent.Count(CELLN_CHANGE));
    EXPECT_EQ("7", parent.Last(CELLN_CHANGE)->strText);
    EXPECT_EQ(7, parent.Last(CELLN_CHANGE)->nCell);
}

TEST(CellEditBox, EnterTabAndUpDownAskToLeaveAndKeepTheEditorOpen)
{
    CEditorTestParent parent;
    CCellEditBox* pBox = OpenEditBox(parent, "abc", FALSE);
    const HWND hBox = pBox->m_hWnd;
    for (UINT nKey : { VK_RETURN, VK_TAB, VK_UP, VK_DOWN })
    {
        parent.m_notices.clear();
        PressKey(nKey);
        ASSERT_EQ(1u, parent.m_notices.size()) << nKey;
        const RecordedNotice& notice = parent.m_notices[0];
        EXPECT_EQ(CELLN_LEAVE, notice.nCode);
        EXPECT_EQ((int)nKey, notice.nKey);
        EXPECT_EQ("abc", notice.strText);
        EXPECT_EQ(7, notice.nCell);
        EXPECT_EQ((UINT_PTR)IDC_CELL_EDITOR, notice.idFrom);
        EXPECT_TRUE(::IsWindow(hBox));
    }
    EXPECT_EQ("abc", WindowText(hBox));
}

TEST(CellEditBox, LeftAndRightLeaveOnlyAtTheEndsOfTheText)
{
    CEditorTestParent parent;
    CCellEditBox* pBox = OpenEditBox(parent, "abc", FALSE);
    pBox->SetSel(1, 1);
    PressKey(VK_RIGHT);
    EXPECT_EQ(0, parent.Count(CELLN_LEAVE));
    EXPECT_EQ(2, (int)LOWORD(pBox->GetSel()));
    pBox->SetSel(3, 3);
    PressKey(VK_RIGHT);
    ASSERT_EQ(1, parent.Count(CELLN_LEAVE));
    EXPECT_EQ(VK_RIGHT, parent.Last(CELLN_LEAVE)->nKey);
    pBox->SetSel(0, 0);
    PressKey(VK_LEFT);
    ASSERT_EQ(2, parent.Count(CELLN_LEAVE));
    EXPECT_EQ(VK_LEFT, parent.Last(CELLN_LEAVE)->nKey);
    // A selection reaching the end is not the caret at the end.
    pBox->SetSel(1, 3);
    PressKey(VK_RIGHT);
    EXPECT_EQ(2, parent.Count(CELLN_LEAVE));
}

TEST(CellEditBox, EscEndsWithTheOpeningValueAndCloses)
{
    CEditorTestParent parent;
    CCellEditBox* pBox = OpenEditBox(parent, "40", TRUE);
    const HWND hBox = pBox->m_hWnd;
    TypeChar(hBox, '5');
    EXPECT_EQ("405", parent.Last(CELLN_CHANGE)->strText);
    PressKey(VK_ESCAPE);
    ASSERT_EQ(1, parent.Count(CELLN_END));
    EXPECT_EQ("40", parent.Last(CELLN_END)->strText);
    EXPECT_EQ(VK_ESCAPE, parent.Last(CELLN_END)->nKey);
    EXPECT_EQ(parent.m_hWnd, ::GetFocus());
    PumpEditorMessages();
    EXPECT_FALSE(::IsWindow(hBox));
    EXPECT_EQ(nullptr, FindEditor(parent, IDC_CELL_EDITOR));
}

TEST(CellEditBox, AClickElsewhereEndsWithTheTypedValue)
{
    CEditorTestParent parent;
    CCellEditBox* pBox = OpenEditBox(parent, "", FALSE);
    const HWND hBox = pBox->m_hWnd;
    for (char ch : std::string("Net"))
        TypeChar(hBox, ch);
    EXPECT_EQ(3, parent.Count(CELLN_CHANGE));
    parent.m_other.SetFocus();
    ASSERT_EQ(1, parent.Count(CELLN_END));
    EXPECT_EQ("Net", parent.Last(CELLN_END)->strText);
    EXPECT_EQ(0, parent.Last(CELLN_END)->nKey);
    PumpEditorMessages();
    EXPECT_FALSE(::IsWindow(hBox));
    EXPECT_EQ(1, parent.Count(CELLN_END));
}

TEST(CellEditBox, TheNumericFilterAcceptsRefusesAndDrops)
{
    CEditorTestParent parent;
    CCellEditBox* pBox = OpenEditBox(parent, "", TRUE);
    const HWND hBox = pBox->m_hWnd;
    TypeChar(hBox, '-');
    EXPECT_EQ("-", WindowText(hBox));
    EXPECT_EQ(1, parent.Count(CELLN_CHANGE));
    TypeChar(hBox, 'e');                    // dropped: no notice at all
    EXPECT_EQ("-", WindowText(hBox));
    EXPECT_EQ(1, parent.Count(CELLN_CHANGE));
    TypeChar(hBox, 'x');                    // refused: a notice, no character
    EXPECT_EQ("-", WindowText(hBox));
    EXPECT_EQ(2, parent.Count(CELLN_CHANGE));
    for (char ch : std::string("1.5e-3"))
        TypeChar(hBox, ch);
    EXPECT_EQ("-1.5e-3", WindowText(hBox));
    TypeChar(hBox, '.');
    TypeChar(hBox, 'E');
    EXPECT_EQ("-1.5e-3", WindowText(hBox));
}

TEST(CellEditBox, TextCellsTakeAnyCharacter)
{
    CEditorTestParent parent;
    CCellEditBox* pBox = OpenEditBox(parent, "", FALSE);
    for (char ch : std::string("x-.e "))
        TypeChar(pBox->m_hWnd, ch);
    EXPECT_EQ("x-.e ", WindowText(pBox->m_hWnd));
}

TEST(CellEditBox, PastingIntoANumericCellIsCheckedWithTheNumberMessages)
{
    MessageBoxRecorder recorder;
    CEditorTestParent parent;
    CCellEditBox* pBox = OpenEditBox(parent, "12", TRUE);
    const HWND hBox = pBox->m_hWnd;
    PutClipboardText(parent.m_hWnd, "3x");
    ::SendMessageA(hBox, WM_PASTE, 0, 0);
    EXPECT_EQ("12", WindowText(hBox));
    EXPECT_EQ("Invalid character in numeric cells.", recorder.LastText());
    EXPECT_EQ(0, parent.Count(CELLN_CHANGE));
    PutClipboardText(parent.m_hWnd, "1.5.2");
    ::SendMessageA(hBox, WM_PASTE, 0, 0);
    EXPECT_EQ("Too many '.' in numeric cells.", recorder.LastText());
    EXPECT_EQ("12", WindowText(hBox));
    PutClipboardText(parent.m_hWnd, "0.5");
    ::SendMessageA(hBox, WM_PASTE, 0, 0);
    EXPECT_EQ("120.5", WindowText(hBox));
    EXPECT_EQ("120.5", parent.Last(CELLN_CHANGE)->strText);
    EXPECT_EQ(2u, recorder.Messages().size());
}

TEST(CellChoiceList, FillsInOrderAndPreselectsByPrefixInAnyCase)
{
    CEditorTestParent parent;
    CCellChoiceList* pList =
        OpenChoiceList(parent, { "North Works", "South Yard", "Southern Depot" }, "sou");
    ASSERT_NE(nullptr, pList->m_hWnd);
    EXPECT_EQ(3, pList->GetCount());
    CString strItem;
    pList->GetLBText(2, strItem);
    EXPECT_STREQ("Southern Depot", strItem);
    EXPECT_EQ(1, pList->GetCurSel());
    EXPECT_EQ(pList->m_hWnd, ::GetFocus());
    EXPECT_GT(pList->GetDroppedWidth(), 0);
    // Down asks to leave and does not move the selection.
    PressKey(VK_DOWN);
    ASSERT_EQ(1, parent.Count(CELLN_LEAVE));
    EXPECT_EQ("South Yard", parent.Last(CELLN_LEAVE)->strText);
    EXPECT_EQ(VK_DOWN, parent.Last(CELLN_LEAVE)->nKey);
    EXPECT_EQ(4, parent.Last(CELLN_LEAVE)->nCell);
    EXPECT_EQ(1, pList->GetCurSel());
}

TEST(CellChoiceList, AnUnlistedValueIsKeptWhenTheCellIsPassed)
{
    CEditorTestParent parent;
    CCellChoiceList* pList =
        OpenChoiceList(parent, { "C001", "C002" }, "X9");
    const HWND hList = pList->m_hWnd;
    EXPECT_EQ(CB_ERR, pList->GetCurSel());
    EXPECT_STREQ("X9", pList->GetValueText());
    parent.m_other.SetFocus();
    ASSERT_EQ(1, parent.Count(CELLN_END));
    EXPECT_EQ("X9", parent.Last(CELLN_END)->strText);
    PumpEditorMessages();
    EXPECT_FALSE(::IsWindow(hList));
}

TEST(CellChoiceList, AnEmptyValuePreselectsNothing)
{
    CEditorTestParent parent;
    CCellChoiceList* pList =
        OpenChoiceList(parent, { "Test Branch" }, "");
    EXPECT_EQ(CB_ERR, pList->GetCurSel());
    EXPECT_STREQ("", pList->GetValueText());
}

TEST(CellChoiceList, EscEndsWithTheOpeningValue)
{
    CEditorTestParent parent;
    CCellChoiceList* pList =
        OpenChoiceList(parent, { "C001", "C002" }, "C001");
    const HWND hList = pList->m_hWnd;
    pList->SetCurSel(1);
    PressKey(VK_ESCAPE);
    ASSERT_EQ(1, parent.Count(CELLN_END));
    EXPECT_EQ("C001", parent.Last(CELLN_END)->strText);
    EXPECT_EQ(VK_ESCAPE, parent.Last(CELLN_END)->nKey);
    PumpEditorMessages();
    EXPECT_FALSE(::IsWindow(hList));
}

TEST(CellPeriodField, EveryKeyAsksToLeaveWithTheCode)
{
    CEditorTestParent parent;
    CCellPeriodField* pField = new CCellPeriodField(&parent, kCellRect, 5, "2024030000000",
                                                    PERIOD_MONTH, NUMERAL_DECIMAL,
                                                    IDC_CELL_EDITOR);
    const HWND hField = pField->m_hWnd;
    ASSERT_NE(nullptr, hField);
    EXPECT_EQ(hField, ::GetFocus());
    EXPECT_STREQ("2024030000000", pField->GetCode());
    for (UINT nKey : { (UINT)'A', (UINT)VK_ESCAPE, (UINT)VK_TAB })
    {
        PressKey(nKey);
        ASSERT_NE(nullptr, parent.Last(CELLN_LEAVE));
        EXPECT_EQ((int)nKey, parent.Last(CELLN_LEAVE)->nKey);
        EXPECT_EQ("2024030000000", parent.Last(CELLN_LEAVE)->strText);
        EXPECT_EQ(5, parent.Last(CELLN_LEAVE)->nCell);
    }
    EXPECT_EQ(3, parent.Count(CELLN_LEAVE));
    EXPECT_EQ(0, parent.Count(CELLN_END));
    EXPECT_TRUE(::IsWindow(hField));
}

TEST(CellPeriodField, FocusInItsCalendarKeepsTheEditAndElsewhereEndsIt)
{
    CEditorTestParent parent;
    CCellPeriodField* pField = new CCellPeriodField(&parent, kCellRect, 5, "2024030000000",
                                                    PERIOD_MONTH, NUMERAL_DECIMAL,
                                                    IDC_CELL_EDITOR);
    const HWND hField = pField->m_hWnd;
    pField->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    pField->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpEditorMessages();
    CDateDropDownWnd* pDropDown = pField->GetDropDown();
    ASSERT_NE(nullptr, pDropDown);
    pDropDown->SetFocus();
    PumpEditorMessages();
    EXPECT_EQ(0, parent.Count(CELLN_END));
    EXPECT_TRUE(::IsWindow(hField));
    pDropDown->DestroyWindow();
    PumpEditorMessages();
    pField = static_cast<CCellPeriodField*>(CWnd::FromHandlePermanent(hField));
    ASSERT_NE(nullptr, pField);
    pField->SetFocus();
    parent.m_other.SetFocus();
    ASSERT_EQ(1, parent.Count(CELLN_END));
    EXPECT_EQ("2024030000000", parent.Last(CELLN_END)->strText);
    PumpEditorMessages();
    EXPECT_FALSE(::IsWindow(hField));
}

TEST(CellChoiceList, TheEditableStyleTypesTheStartKeyAndLeavesOnTab)
{
    CEditorTestParent parent;
    CCellChoiceList* pList =
        OpenChoiceList(parent, { "North", "South" }, "South", CBS_DROPDOWN, 'N');
    const HWND hList = pList->m_hWnd;
    const HWND hEdit = ::GetDlgItem(hList, 1001);
    ASSERT_NE(nullptr, hEdit);
    EXPECT_EQ("N", WindowText(hEdit));
    ::SetFocus(hEdit);
    PressKey(VK_TAB);
    ASSERT_EQ(1, parent.Count(CELLN_LEAVE));
    EXPECT_EQ("N", parent.Last(CELLN_LEAVE)->strText);
    EXPECT_EQ(VK_TAB, parent.Last(CELLN_LEAVE)->nKey);
    parent.m_other.SetFocus();
    ASSERT_EQ(1, parent.Count(CELLN_END));
    PumpEditorMessages();
    EXPECT_FALSE(::IsWindow(hList));
}
