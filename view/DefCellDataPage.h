// CDefCellDataPage: the Cell Format page of the cell definition sheet: the
// cell type list and, in the "Detail" frame, the child dialog of the
// chosen type.  The sheet fills the members before the page shows and
// reads them after OK; a type of -1 means the selected cells' types differ
// and no type is applied.
#pragma once

#include "framework/windows/PropertyPage.h"
#include "view/CellDataDlg.h"
#include "view/CellDateDlg.h"
#include "view/CellFormulaDlg.h"
#include "view/CellPictureDlg.h"
#include "view/CellTextDlg.h"
#include "view/TypeListBox.h"

class CSheet;
class CTallyformView;

class CDefCellDataPage : public CPropertyPage
{
public:
    explicit CDefCellDataPage(CTallyformView* pView);

    // Members in the order of the page's data.
    CSheet* m_pSheet;
    int m_nCurCell;
    int m_nType;
    int m_nPrevType;
    BYTE m_bTypeLocked;
    BYTE m_bMixedTypes;
    BYTE m_bTextChanged;
    BYTE m_bDynamicChosen;
    CCellDataDlg m_numericDlg;
    CCellDateDlg m_dateDlg;
    CCellFormulaDlg m_formulaDlg;
    CCellTextDlg m_textDlg;
    CCellPictureDlg m_pictureDlg;
    CTypeListBox m_typeList;

    // A cell picked in the view while the Formula dialog shows.
    void TakePickedCell(LPARAM lParam);

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void OnTypeChange();

    // The child dialog of a cell type, or NULL for a type without one.
    CDialog* ChildOf(int nType);
    // Shows or hides the child of nType; Formula starts or ends picking.
    void ShowChild(int nType, BOOL bShow);
    void StartPicking();
    void StopPicking();

    CTallyformView* m_pView;

    DECLARE_MESSAGE_MAP()
};
