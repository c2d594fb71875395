#include "framework/windows/DataExchange.h"

#include <errno.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include "framework/core/Exception.h"
#include "framework/core/MessageSink.h"
#include "framework/windows/Wnd.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

LPCSTR SkipBlanks(LPCSTR p)
{
    while (IsBlank(*p))
        ++p;
    return p;
}

void FailWithMessage(CDataExchange* pDX, LPCSTR lpszText)
{
    AfxMessageBox(lpszText, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

CString ControlText(HWND hWnd)
{
    CString text;
    CWnd::FromHandle(hWnd)->GetWindowText(text);
    return text;
}

// Exchanges any integer type through its text, within [minVal, maxVal].
template <typename T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, long long minVal, long long maxVal,
                     LPCSTR lpszPrompt, LPCSTR lpszFormat)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        long long parsed = 0;
        if (!AfxParseInt64(ControlText(hWnd), minVal, maxVal, parsed))
            FailWithMessage(pDX, lpszPrompt);
        value = (T)parsed;
    }
    else
    {
        char buf[32];
        snprintf(buf, sizeof(buf), lpszFormat, value);
        ::SetWindowTextA(hWnd, buf);
    }
}

HWND NextRadio(HWND hWnd)
{
    HWND hNext = ::GetWindow(hWnd, GW_HWNDNEXT);
    if (hNext == NULL || (::GetWindowLongA(hNext, GWL_STYLE) & WS_GROUP))
        return NULL;
    return hNext;
}

bool IsRadio(HWND hWnd)
{
    if (!(::SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
        return false;
    return true;
}

}

BOOL AfxParseInt64(LPCSTR lpsz, long long minVal, long long maxVal, long long& value)
{
    LPCSTR p = SkipBlanks(lpsz);
    if (*p == '\0')
        return FALSE;
    char* end = NULL;
    errno = 0;
    long long v = strtoll(p, &end, 10);
    if (end == p || errno == ERANGE || *SkipBlanks(end) != '\0')
        return FALSE;
    if (v < minVal || v > maxVal)
        return FALSE;
    value = v;
    return TRUE;
}

BOOL AfxParseDouble(LPCSTR lpsz, double& value)
{
    LPCSTR p = SkipBlanks(lpsz);
    if (*p == '\0')
        return FALSE;
    char* end = NULL;
    errno = 0;
    double v = strtod(p, &end);
    if (end == p || errno == ERANGE || *SkipBlanks(end) != '\0' || !isfinite(v))
        return FALSE;
    value = v;
    return TRUE;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL),
      m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWnd = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (hWnd == NULL)
        AfxThrowNotSupportedException();
    m_hWndLastControl = hWnd;
    m_bEditLastControl = FALSE;
    return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate)
        AfxThrowUserException();
    if (m_hWndLastControl != NULL)
    {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWnd);
    else
        ::SetWindowTextA(hWnd, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeInteger(pDX, nIDC, value, INT32_MIN, INT32_MAX, "Please enter an integer.", "%d");
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeInteger(pDX, nIDC, value, 0, UINT32_MAX, "Please enter a positive integer.", "%u");
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeInteger(pDX, nIDC, value, INT64_MIN, INT64_MAX, "Please enter an integer.", "%ld");
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        if (!AfxParseDouble(ControlText(hWnd), value))
            FailWithMessage(pDX, "Please enter a number.");
    }
    else
    {
        char buf[64];
        snprintf(buf, sizeof(buf), "%.15g", value);
        ::SetWindowTextA(hWnd, buf);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hWnd, BM_GETCHECK, 0, 0);
    else
        ::SendMessageA(hWnd, BM_SETCHECK, (WPARAM)value, 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int nIndex = 0;
    for (; hWnd != NULL; hWnd = NextRadio(hWnd))
    {
        if (!IsRadio(hWnd))
            continue;
        if (pDX->m_bSaveAndValidate)
        {
            if (::SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = nIndex;
        }
        else
        {
            ::SendMessageA(hWnd, BM_SETCHECK, nIndex == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++nIndex;
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWnd, CB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWnd, CB_SETCURSEL, (WPARAM)index, 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    bool bHasEdit = (::GetWindowLongA(hWnd, GWL_STYLE) & 3) != CBS_DROPDOWNLIST;
    if (pDX->m_bSaveAndValidate)
    {
        if (bHasEdit)
        {
            value = ControlText(hWnd);
            return;
        }
        value.Empty();
        int nSel = (int)::SendMessageA(hWnd, CB_GETCURSEL, 0, 0);
        if (nSel == CB_ERR)
            return;
        int nLen = (int)::SendMessageA(hWnd, CB_GETLBTEXTLEN, (WPARAM)nSel, 0);
        if (nLen == CB_ERR)
            return;
        LPSTR p = value.GetBuffer(nLen + 1);
        int nGot = (int)::SendMessageA(hWnd, CB_GETLBTEXT, (WPARAM)nSel, reinterpret_cast<LPARAM>(p));
        value.ReleaseBuffer(nGot == CB_ERR ? 0 : nGot);
    }
    else
    {
        // An exact match selects the item; otherwise an edit shows the text.
        int nFound = (int)::SendMessageA(hWnd, CB_FINDSTRINGEXACT, (WPARAM)-1,
                                         reinterpret_cast<LPARAM>((LPCSTR)value));
        ::SendMessageA(hWnd, CB_SETCURSEL, (WPARAM)nFound, 0);
        if (nFound == CB_ERR && bHasEdit)
            ::SetWindowTextA(hWnd, value);
    }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWnd, LB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWnd, LB_SETCURSEL, (WPARAM)index, 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value.Empty();
        int nSel = (int)::SendMessageA(hWnd, LB_GETCURSEL, 0, 0);
        if (nSel == LB_ERR)
            return;
        int nLen = (int)::SendMessageA(hWnd, LB_GETTEXTLEN, (WPARAM)nSel, 0);
        if (nLen == LB_ERR)
            return;
        LPSTR p = value.GetBuffer(nLen + 1);
        int nGot = (int)::SendMessageA(hWnd, LB_GETTEXT, (WPARAM)nSel, reinterpret_cast<LPARAM>(p));
        value.ReleaseBuffer(nGot == LB_ERR ? 0 : nGot);
    }
    else
    {
        int nFound = (int)::SendMessageA(hWnd, LB_FINDSTRINGEXACT, (WPARAM)-1,
                                         reinterpret_cast<LPARAM>((LPCSTR)value));
        ::SendMessageA(hWnd, LB_SETCURSEL, (WPARAM)nFound, 0);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWnd))
        AfxThrowNotSupportedException();
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate)
    {
        if (value.GetLength() > nChars)
        {
            char buf[128];
            wsprintfA(buf, "Please enter no more than %d characters.", nChars);
            FailWithMessage(pDX, buf);
        }
    }
    else if (pDX->m_hWndLastControl != NULL && pDX->m_bEditLastControl)
    {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
    }
}

namespace {
template <typename T>
void CheckRange(CDataExchange* pDX, T value, T minVal, T maxVal, LPCSTR lpszFormat)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    char buf[160];
    snprintf(buf, sizeof(buf), lpszFormat, minVal, maxVal);
    FailWithMessage(pDX, buf);
}
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, "Please enter an integer between %d and %d.");
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, "Please enter an integer between %u and %u.");
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, "Please enter an integer between %ld and %ld.");
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, "Please enter a number between %g and %g.");
}
