// Run-time class records of the control wrappers that are header-only.
#include "framework/windows/Edit.h"
#include "framework/windows/ProgressCtrl.h"
#include "framework/windows/SpinButtonCtrl.h"
#include "framework/windows/Static.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
