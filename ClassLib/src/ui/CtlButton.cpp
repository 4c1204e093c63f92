// CButton, CBitmapButton and CStatic.
#include <ClassLib/AfxWin.h>

#include "ControlClasses.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CBitmapButton, CButton)
IMPLEMENT_DYNAMIC(CStatic, CWnd)

CButton::CButton() = default;

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    pc::RegisterControlClasses();
    return CWnd::Create(WC_BUTTON, lpszCaption, dwStyle, rect, pParentWnd, nID);
}

UINT CButton::GetState() const { return (UINT)::SendMessage(m_hWnd, BM_GETSTATE, 0, 0); }
void CButton::SetState(BOOL bHighlight) { ::SendMessage(m_hWnd, BM_SETSTATE, bHighlight, 0); }
int CButton::GetCheck() const { return (int)::SendMessage(m_hWnd, BM_GETCHECK, 0, 0); }
void CButton::SetCheck(int nCheck) { ::SendMessage(m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0); }
UINT CButton::GetButtonStyle() const { return (UINT)GetStyle() & 0xFFFF; }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, BM_SETSTYLE, nStyle, bRedraw);
    ModifyStyle(0x0F, nStyle & 0x0F);
}
HBITMAP CButton::SetBitmap(HBITMAP hBitmap)
{
    return reinterpret_cast<HBITMAP>(::SendMessage(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}
HBITMAP CButton::GetBitmap() const { return reinterpret_cast<HBITMAP>(::SendMessage(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0)); }
HICON CButton::SetIcon(HICON hIcon)
{
    return reinterpret_cast<HICON>(::SendMessage(m_hWnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
}
HICON CButton::GetIcon() const { return reinterpret_cast<HICON>(::SendMessage(m_hWnd, BM_GETIMAGE, IMAGE_ICON, 0)); }
void CButton::Click() { ::SendMessage(m_hWnd, BM_CLICK, 0, 0); }

void CButton::DrawItem(LPDRAWITEMSTRUCT)
{
    // An owner-drawn button whose class does not draw it stays empty.
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}

// ---- CBitmapButton ----------------------------------------------------------------------

CBitmapButton::CBitmapButton() = default;

BOOL CBitmapButton::LoadBitmaps(LPCTSTR lpszBitmapResource, LPCTSTR lpszBitmapResourceSel,
                                LPCTSTR lpszBitmapResourceFocus, LPCTSTR lpszBitmapResourceDisabled)
{
    m_bitmap.DeleteObject();
    m_bitmapSel.DeleteObject();
    m_bitmapFocus.DeleteObject();
    m_bitmapDisabled.DeleteObject();
    if (!lpszBitmapResource || !m_bitmap.LoadBitmap(lpszBitmapResource)) {
        TRACE("Failed to load the bitmap of a bitmap button.\n");
        return FALSE;
    }
    BOOL ok = TRUE;
    if (lpszBitmapResourceSel && !m_bitmapSel.LoadBitmap(lpszBitmapResourceSel))
        ok = FALSE;
    if (lpszBitmapResourceFocus && !m_bitmapFocus.LoadBitmap(lpszBitmapResourceFocus))
        ok = FALSE;
    if (lpszBitmapResourceDisabled && !m_bitmapDisabled.LoadBitmap(lpszBitmapResourceDisabled))
        ok = FALSE;
    return ok;
}

BOOL CBitmapButton::LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel, UINT nIDBitmapResourceFocus,
                                UINT nIDBitmapResourceDisabled)
{
    return LoadBitmaps(MAKEINTRESOURCE(nIDBitmapResource), nIDBitmapResourceSel ? MAKEINTRESOURCE(nIDBitmapResourceSel) : nullptr,
                       nIDBitmapResourceFocus ? MAKEINTRESOURCE(nIDBitmapResourceFocus) : nullptr,
                       nIDBitmapResourceDisabled ? MAKEINTRESOURCE(nIDBitmapResourceDisabled) : nullptr);
}

BOOL CBitmapButton::AutoLoad(UINT nID, CWnd* pParent)
{
    if (!SubclassDlgItem(nID, pParent))
        return FALSE;
    CString name;
    GetWindowText(name);
    if (name.IsEmpty())
        return FALSE;
    CString up = name + "U", down = name + "D", focus = name + "F", disabled = name + "X";
    if (!LoadBitmaps(up, down, focus, disabled) && !m_bitmap.GetSafeHandle())
        return FALSE;
    SizeToContent();
    return TRUE;
}

void CBitmapButton::SizeToContent()
{
    BITMAP bm = {};
    if (!m_bitmap.GetSafeHandle() || !m_bitmap.GetBitmap(&bm))
        return;
    SetWindowPos(nullptr, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (!lpDIS || !m_bitmap.GetSafeHandle())
        return;
    CBitmap* pBitmap = &m_bitmap;
    UINT state = lpDIS->itemState;
    if ((state & ODS_SELECTED) && m_bitmapSel.GetSafeHandle())
        pBitmap = &m_bitmapSel;
    else if ((state & ODS_FOCUS) && m_bitmapFocus.GetSafeHandle())
        pBitmap = &m_bitmapFocus;
    else if ((state & ODS_DISABLED) && m_bitmapDisabled.GetSafeHandle())
        pBitmap = &m_bitmapDisabled;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CDC memDC;
    memDC.CreateCompatibleDC(pDC);
    CBitmap* pOld = memDC.SelectObject(pBitmap);
    CRect rect(lpDIS->rcItem);
    pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(pOld);
}

// ---- CStatic ------------------------------------------------------------------------------

CStatic::CStatic() = default;

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    pc::RegisterControlClasses();
    return CWnd::Create(WC_STATIC, lpszText, dwStyle, rect, pParentWnd, nID);
}

HICON CStatic::SetIcon(HICON hIcon) { return reinterpret_cast<HICON>(::SendMessage(m_hWnd, STM_SETICON, reinterpret_cast<WPARAM>(hIcon), 0)); }
HICON CStatic::GetIcon() const { return reinterpret_cast<HICON>(::SendMessage(m_hWnd, STM_GETICON, 0, 0)); }
HBITMAP CStatic::SetBitmap(HBITMAP hBitmap)
{
    return reinterpret_cast<HBITMAP>(::SendMessage(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}
HBITMAP CStatic::GetBitmap() const { return reinterpret_cast<HBITMAP>(::SendMessage(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0)); }
HCURSOR CStatic::SetCursor(HCURSOR hCursor)
{
    return reinterpret_cast<HCURSOR>(::SendMessage(m_hWnd, STM_SETIMAGE, IMAGE_CURSOR, reinterpret_cast<LPARAM>(hCursor)));
}
HCURSOR CStatic::GetCursor() { return reinterpret_cast<HCURSOR>(::SendMessage(m_hWnd, STM_GETIMAGE, IMAGE_CURSOR, 0)); }

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}
