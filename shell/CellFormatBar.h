// CCellFormatBar: the designer's Format bar, a toolbar with the cell type,
// font face and font size combos.  It changes nothing itself: it tells its
// owner what the user chose (FBN_APPLYFORMAT) and asks the owner for the
// selection's format (FBN_QUERYFORMAT) at idle time, so the combos show it.
#pragma once

#include <windows.h>

#include <richedit.h>

#include "framework/docview/ToolBar.h"
#include "shell/CellTypeComboBox.h"
#include "shell/FaceNameCombo.h"
#include "shell/PointSizeCombo.h"

#define FBN_APPLYFORMAT 0x1000
#define FBN_QUERYFORMAT 0x1001

// The record of both notifications, sent with WM_NOTIFY from ID_FORMATBAR.
struct NMFORMATBAR
{
    NMHDR hdr;
    CHARFORMATA cf;       // dwMask: CFM_FACE | CFM_CHARSET, CFM_SIZE (yHeight in twips)
    int nCellType;        // 0 to 7; -1 (low byte 255) for none or mixed types
    UINT nChangedID;      // the combo that changed (FBN_APPLYFORMAT only)
};

class CCellFormatBar : public CToolBar
{
    DECLARE_DYNAMIC(CCellFormatBar)
public:
    CCellFormatBar();
    ~CCellFormatBar() override;

    // After the toolbar resource is loaded: the combos take the places of
    // buttons 2, 3 and 4.
    void PlaceCombos();
    // Asks the owner for the selection's format and shows it in the combos.
    void QueryOwnerFormat();
    // Sends a plain notification (NM_RETURN, NM_SETFOCUS, ...) to the owner.
    void NotifyOwner(UINT nCode);

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    CFaceNameCombo m_comboFontName;
    CPointSizeCombo m_comboFontSize;
    CCellTypeComboBox m_comboCellType;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnFaceSetFocus(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSizeSetFocus(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCellTypeSetFocus(NMHDR* pNMHDR, LRESULT* pResult);
    void OnFaceKillFocus(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSizeKillFocus(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCellTypeKillFocus(NMHDR* pNMHDR, LRESULT* pResult);
    void OnComboCloseUp();
    void OnSizeDropDown();
    void OnCellTypeSelEndOk();

    // Sends FBN_APPLYFORMAT for the combo nChangedID with the format in cf.
    void ApplyFormat(UINT nChangedID, const CHARFORMATA& cf);
    void SendFormatRecord(NMFORMATBAR& record);
    BOOL IsFocusInCombos() const;

    int m_cxBase;              // average character width of the GUI font
    int m_cyBase;              // and its height
    // The cell type the owner last reported, and whether the user chose an
    // item since: leaving the combo applies a type only when one was chosen.
    int m_nQueriedCellType;
    BOOL m_bCellTypeChosen;

    DECLARE_MESSAGE_MAP()
};
