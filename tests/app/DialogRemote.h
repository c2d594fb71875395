// Drives one modal dialog of the running designer from outside: edits are
// written and read with WM_SETTEXT and WM_GETTEXT, buttons are pressed the
// way a click sends them, and the message boxes a press brings up are read
// and answered.
#pragma once

#include <string>
#include <vector>

#include "tests/app/DesignerProcess.h"

class CDialogRemote
{
public:
    CDialogRemote(CDesignerProcess& designer, HWND hDlg) : m_designer(designer), m_hDlg(hDlg) {}

    HWND Handle() const { return m_hDlg; }
    std::string Text(int nID) const;
    void SetText(int nID, LPCSTR lpszText) const;
    // The same in UTF-8, carried across in wide characters, so that texts
    // beyond this program's code page reach the designer in its own.
    std::string TextUtf8(int nID) const;
    void SetTextUtf8(int nID, const char* pszUtf8) const;
    std::vector<std::string> ListItemsUtf8(int nID) const;
    BOOL IsEnabled(int nID) const;

    // Presses a button whose handler shows no message box; FALSE when the
    // handler did not return within the time (a box came up: its text is
    // in Boxes()).
    BOOL Press(int nID);
    // Presses a button, answers every message box that comes with the
    // answer (IDOK for boxes without it) and returns their texts.
    std::vector<std::string> PressAnswering(int nID, int nAnswer = IDOK);
    // Waits until the handlers of everything posted so far have run,
    // answering boxes meanwhile with nAnswer.
    std::vector<std::string> Settle(int nAnswer = IDOK, HWND hOwner = NULL);
    // Another dialog of the program that the press brought up.
    HWND PressOpening(int nID, LPCSTR lpszCaption);

    // Clicks a button as the mouse does (a radio button checks itself and
    // clears the others of its group) and waits for the handler, answering
    // message boxes with nAnswer; their texts.
    std::vector<std::string> Click(int nID, int nAnswer = IDOK);
    BOOL IsChecked(int nID) const;

    // List box entries.
    std::vector<std::string> ListItems(int nID) const;
    // The entries of another process's list box.
    static std::vector<std::string> ListEntries(HWND hList);
    // Selects the entries at the indexes of a multiple-selection list box
    // and no other.
    void SelectListItems(int nID, const std::vector<int>& indexes) const;
    // Combo box entries, and the index of the chosen one (-1 for none).
    std::vector<std::string> ComboItems(int nID) const;
    int ComboSelection(int nID) const;
    // Chooses a combo box entry as a click in its list does, and waits for
    // the handler, answering message boxes with nAnswer; their texts.
    // hOwner: the window that owns the boxes when it is not this dialog
    // (the dialog that hosts this one).
    std::vector<std::string> ChooseComboItem(int nID, int nIndex, int nAnswer = IDOK, HWND hOwner = NULL);
    // The items of a tree control in pre-order, each as its state image
    // index (0-3) at its depth: "depth:state".
    std::vector<std::string> TreeStates(int nID) const;
    // The screen rectangle of the text of the item at the pre-order
    // position; FALSE when there is no such item or it is not shown.
    BOOL TreeItemTextRect(int nID, int nPosition, RECT& rc) const;
    // Selects the item at the pre-order position of the tree and presses
    // the space bar on it.
    BOOL ToggleTreeItem(int nID, int nPosition);

    const std::vector<std::string>& Boxes() const { return m_boxes; }

private:
    // A message box of the program owned by hOwner, or NULL.
    HWND FindBox(HWND hOwner) const;
    CDesignerProcess& m_designer;
    HWND m_hDlg;
    std::vector<std::string> m_boxes;
};
