// COrganPropDlg: the Set Organization Properties dialog.  It loads the
// property types and their values of ss_Attribute, lets the user add,
// insert, delete and clear them, and writes the changes back in one
// transaction on OK.  Codes stay with their type or value: a new one
// takes a code no row of its kind has used, and the links of the
// organizations (ss_OrgAttr) to a deleted value go with it.
#pragma once

#include <vector>

#include "framework/windows/ComboBox.h"
#include "framework/windows/Dialog.h"
#include "framework/windows/ListBox.h"

// A property type: its name and its values in order, each with its code
// (-1 until the value is first saved).
struct CPropertyType
{
    CPropertyType() : m_nCode(-1), m_nNextValueCode(0) {}

    CString m_strName;
    std::vector<CString> m_values;
    std::vector<int> m_valueCodes;
    int m_nCode;
    // The code the next new value takes.
    int m_nNextValueCode;
};

class COrganPropDlg : public CDialog
{
public:
    explicit COrganPropDlg(CWnd* pParent = NULL);

    // Reads every row of ss_Attribute, grouped by type code; FALSE after a
    // database error (reported) or without a database.
    BOOL LoadFromDatabase();
    // Writes the types in one transaction; FALSE (reported) when nothing
    // was written.
    BOOL SaveToDatabase();

    std::vector<CPropertyType> m_types;
    // The type whose values the list shows; -1 for none.
    int m_nCurType;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnAddType();
    void OnDeleteType();
    void OnClearTypes();
    void OnSelchangeType();
    void OnAddValue();
    void OnDeleteValues();
    void OnInsertValue();
    void OnClearValues();

    void ShowTypeValues(CListBox& list);
    void StoreTypeValues(CListBox& list);

    DECLARE_MESSAGE_MAP()

private:
    // Value editing is open only while a type is shown.
    void EnableValueEditing();
    // The value edit's text when it may be added: not empty, not in the
    // list, room left in the type; "" otherwise.
    CString ValueToAdd();
    // Gives new types and values their codes.
    BOOL AssignCodes();

    CComboBox m_comboTypes;
    CListBox m_listValues;
    int m_nNextTypeCode;
};
