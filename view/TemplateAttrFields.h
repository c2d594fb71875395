// The template attribute fields shared by the Create Template wizard's
// first step and the Template Properties dialog: the seven texts kept to
// the widths of their template-header fields, and the type choice "Annal"
// to "Day" (item index = period type).
#pragma once

class CComboBox;
class CDataExchange;
class CString;
class CWnd;

// The seven attribute edit controls of pDlg, limited to their header widths.
void LimitTemplateAttrFields(CWnd* pDlg);
// The attribute edit controls' ids, in the order of their fields.
extern const int kTemplateAttrFieldIds[7];

void FillTemplateTypeCombo(CComboBox& combo);

// The seven attribute texts exchanged with their edit controls.
void DDX_TemplateAttrs(CDataExchange* pDX, CString& strName, CString& strCode, CString& strVersion,
                       CString& strOrgan, CString& strOrganCode, CString& strDesigner, CString& strDate);
