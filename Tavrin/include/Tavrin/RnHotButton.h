// The task library's hot-tracking owner-drawn push button: an image (bitmap or icon) with
// optional text, drawn flat until the mouse passes over it, with its own colours, tooltip,
// cursor and an optional check mode.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Controls/Button.h>
#include <ClassLib/Controls/ToolTipCtrl.h>
#include <ClassLib/Gdi/ImageList.h>

class AFX_EXT_CLASS CRnHotButton : public CButton
{
public:
    CRnHotButton();
    virtual ~CRnHotButton();

    // Images (each repaints the button).
    void SetBitmap(int nBitmapIn, int nBitmapOut, COLORREF crTransColor);
    void SetBitmap(CString strBitmapIn, CString strBitmapOut, COLORREF crTransColor);
    void SetIcon(int nIconIn, int nIconOut);
    void SetIcon(CString strIconIn, CString strIconOut);
    void SetImageList(UINT nBitmapID, int nWidth, int nHeight, COLORREF crMask);
    void SetDisableImage(int bDisableImage) { m_bDisableImage = bDisableImage; }

    // Appearance.
    void SetFlat(int bState);
    int GetFlat() const { return m_bIsFlat; }
    void SetAlign(int nAlign);
    int GetAlign() const { return m_nAlign; }
    void DrawBorder(int bEnable) { m_bDrawBorder = bEnable; }
    void SetShowText(int bShow);
    int GetShowText() const { return m_bShowText; }
    void SetFlatFocus(int bDrawFlatFocus, int bRepaint);
    int GetFlatFocus() const { return m_bDrawFlatFocus; }
    void DrawTransparent(int bRepaint);

    void SetInactiveBgColor(COLORREF crNew, int bRepaint);
    void SetInactiveFgColor(COLORREF crNew, int bRepaint);
    void SetActiveBgColor(COLORREF crNew, int bRepaint);
    void SetActiveFgColor(COLORREF crNew, int bRepaint);
    COLORREF GetInactiveBgColor() const { return m_crInactiveBg; }
    COLORREF GetInactiveFgColor() const { return m_crInactiveFg; }
    COLORREF GetActiveBgColor() const { return m_crActiveBg; }
    COLORREF GetActiveFgColor() const { return m_crActiveFg; }
    void SetDefaultInactiveBgColor(int bRepaint);
    void SetDefaultInactiveFgColor(int bRepaint);
    void SetDefaultActiveBgColor(int bRepaint);
    void SetDefaultActiveFgColor(int bRepaint);

    // Behaviour.
    void SetBtnCursor(int nCursorId);
    void SetTooltipText(CString strText, BOOL bActivate);
    void SetTooltipText(int nId, BOOL bActivate);
    void ActivateTooltip(BOOL bActivate);
    void EnableCheck(int bEnable) { m_bCheckMode = bEnable; }
    int GetEnableCheck() const { return m_bCheckMode; }
    void SetCheck(int nCheck);
    int GetCheck() const { return m_bChecked; }
    int GetDefault() const { return m_bIsDefault; }

    // State read by tests and the drawing.
    int IsHot() const { return m_bHot; }
    int GetImageKind() const { return m_nImageKind; }
    CSize GetImageSize() const { return m_sizeImage; }
    CImageList* GetImages() { return &m_Images; }
    CToolTipCtrl* GetToolTip() { return &m_ToolTip; }
    CString GetTooltipText() const { return m_strToolTip; }

    void InitToolTip();
    void PaintBk(CDC* pDC);
    void DrawTheBmp(CDC* pDC, BOOL bHasText, CRect* rcItem, CRect* rcCaption, BOOL bPressed, BOOL bDisabled);
    void DrawTheIcon(CDC* pDC, BOOL bHasText, CRect* rcItem, CRect* rcCaption, BOOL bPressed, BOOL bDisabled);

protected:
    virtual void PreSubclassWindow();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS);

    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    // Fills the image list with a normal and a hot picture of one size.
    void SetImages(CBitmap* pNormal, CBitmap* pHot, COLORREF crMask);
    void SetIconImages(HICON hNormal, HICON hHot);
    // The image drawing shared by bitmaps and icons.
    void DrawTheImage(CDC* pDC, BOOL bHasText, CRect* rcItem, CRect* rcCaption, BOOL bPressed, BOOL bDisabled);

    int m_bMouseDown;
    int m_nAlign;
    int m_bShowText;
    int m_bDrawBorder;
    int m_bIsFlat;
    int m_bHot;
    int m_bDrawFlatFocus;
    int m_nImageKind;
    int m_bDisableImage;
    int m_bCheckMode;
    int m_bChecked;
    HCURSOR m_hCursor;
    CToolTipCtrl m_ToolTip;
    CString m_strToolTip;
    CDC m_dcBk;
    CBitmap m_bmpBk;
    CBitmap* m_pbmpOldBk;
    CImageList m_Images;
    CSize m_sizeImage;
    int m_bDrawTransparent;
    int m_bIsDefault;
    COLORREF m_crInactiveBg;
    COLORREF m_crInactiveFg;
    COLORREF m_crActiveBg;
    COLORREF m_crActiveFg;
};
