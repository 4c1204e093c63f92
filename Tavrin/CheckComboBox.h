// A drop-down list whose items each carry a check box; its own text is the list of the
// checked items, joined by the locale's list separator.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Controls/ComboBox.h>

class CCheckComboBox : public CComboBox
{
public:
    CCheckComboBox();
    virtual ~CCheckComboBox();

    // Sets an item's check (its item data); the text is recomputed on the next read.
    int SetCheck(int nIndex, int bCheck);
    int GetCheck(int nIndex) const;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    // The combo box whose list was dropped down last (NULL when none or destroyed).
    static CCheckComboBox* GetLastDroppedDown();
    HWND GetListWindow() const { return m_hListBox; }
    // The checked items' texts joined (recomputed when the cache is invalid).
    const CString& GetCheckedText();

protected:
    void RecalcText();
    static LRESULT CALLBACK ListBoxProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    afx_msg LRESULT OnCtlColorListBox(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDropDown();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    HWND m_hListBox;
    CString m_strText;
    int m_bTextUpdated;
    int m_bItemHeightSet;
};
