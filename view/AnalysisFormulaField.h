// The "Analysis Formula" check box and edit that the Numeric and Text
// dialogs of the cell definition sheet share.
#pragma once

#include "framework/core/String.h"

class CDialog;
class CDataExchange;

// The box ticked, and the edit enabled, when the formula is not empty.
void ShowAnalysisFormula(CDialog* pDialog, const CString& strAnalysis);
// The edit enabled as the box is ticked.
void EnableAnalysisEdit(CDialog* pDialog);
// The formula of the edit, or empty when the box is not ticked.
void TakeAnalysisFormula(CDataExchange* pDX, CString& strAnalysis);
