// CButton (push buttons, check boxes, radio buttons, group boxes, owner-drawn buttons) and
// CBitmapButton, which shows one of four bitmaps by its state.
#pragma once

#include <ClassLib/Controls/ControlStyles.h>
#include <ClassLib/Gdi/GdiObject.h>
#include <ClassLib/Wnd/Wnd.h>

class AFX_EXT_CLASS CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)
public:
    CButton();
    virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    UINT GetState() const;
    void SetState(BOOL bHighlight);
    int GetCheck() const;
    void SetCheck(int nCheck);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
    // As a click by the person: the parent gets BN_CLICKED.
    void Click();

    // Owner-drawn buttons (BS_OWNERDRAW) draw themselves here; the parent's WM_DRAWITEM
    // is given back to the button.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class AFX_EXT_CLASS CBitmapButton : public CButton
{
    DECLARE_DYNAMIC(CBitmapButton)
public:
    CBitmapButton();
    // Bitmaps of the module's resources: up (required), down, focused, disabled.
    BOOL LoadBitmaps(LPCTSTR lpszBitmapResource, LPCTSTR lpszBitmapResourceSel = nullptr,
                     LPCTSTR lpszBitmapResourceFocus = nullptr, LPCTSTR lpszBitmapResourceDisabled = nullptr);
    BOOL LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel = 0, UINT nIDBitmapResourceFocus = 0,
                     UINT nIDBitmapResourceDisabled = 0);
    // Binds the dialog's button nID and loads the bitmaps named after its text + "U",
    // "D", "F", "X".
    BOOL AutoLoad(UINT nID, CWnd* pParent);
    void SizeToContent();

    CBitmap m_bitmap;
    CBitmap m_bitmapSel;
    CBitmap m_bitmapFocus;
    CBitmap m_bitmapDisabled;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
};
