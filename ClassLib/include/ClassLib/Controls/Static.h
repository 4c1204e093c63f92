// CStatic: text, pictures, rectangles and etched lines.
#pragma once

#include <ClassLib/Controls/ControlStyles.h>
#include <ClassLib/Wnd/Wnd.h>

class AFX_EXT_CLASS CStatic : public CWnd
{
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic();
    virtual BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);

    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
    HCURSOR SetCursor(HCURSOR hCursor);
    HCURSOR GetCursor();

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
