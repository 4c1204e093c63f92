// A push button with a drop-down arrow at its right end: a click on the arrow opens a popup
// menu whose commands go to the button's parent; a click elsewhere is an ordinary click.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Controls/Button.h>
#include <ClassLib/Menus/CMenu.h>

class CMenuButton : public CButton
{
public:
    enum { kArrowZone = 16 };

    CMenuButton();
    virtual ~CMenuButton();

    // Loads the menu resource whose first sub-menu the arrow opens.
    BOOL SetMenu(UINT nMenuId);

    int IsPressed() const { return m_bPressed; }
    int IsMenuShowing() const { return m_bMenuShowing; }
    int IsMenuLoaded() const { return m_bMenuLoaded; }
    CMenu* GetMenu() { return &m_menu; }
    // TRUE when the point (client coordinates) lies in the arrow zone of a loaded menu.
    BOOL HitMenuButton(CPoint point);

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

    CMenu m_menu;
    int m_bPressed;
    int m_bMenuShowing;
    int m_bMenuLoaded;
    int m_bMenuSet;
};
