// Dialog data exchange: DDX_ routines move values between members and
// controls, DDV_ routines validate them; CDataExchange carries the state.
#pragma once

#include "framework/core/String.h"

class CWnd;

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;    // TRUE: controls to members, then validate
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl;     // the control that Fail() focuses
    BOOL m_bEditLastControl;

    // Finds control nIDC and remembers it for Fail().
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Focuses the last prepared control and abandons the exchange.
    [[noreturn]] void Fail();
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first button of the group; value is the checked one's index or -1.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
// Binds rControl to control nIDC (subclassing it) the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);

// The number parsers behind DDX_Text: the whole text, blanks around it
// allowed, must be one number in range.
BOOL AfxParseInt64(LPCSTR lpsz, long long minVal, long long maxVal, long long& value);
BOOL AfxParseDouble(LPCSTR lpsz, double& value);
