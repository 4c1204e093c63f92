// CListCtrl: the LVM_* messages its setters send, answered when the list's message map
// leaves them to the default handling.
#include "../framework/Framework.h"

bool CListCtrl::HandleListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    switch (message)
    {
    case WM_SETREDRAW:
        m_bRedrawOff = wParam == 0;
        if (!m_bRedrawOff)
            UpdateScrollBars();
        return false;  // the window's own handling follows
    case LVM_GETBKCOLOR:
        lResult = static_cast<LRESULT>(m_clrBk);
        return true;
    case LVM_GETTEXTCOLOR:
        lResult = static_cast<LRESULT>(m_clrText);
        return true;
    case LVM_GETTEXTBKCOLOR:
        lResult = static_cast<LRESULT>(m_clrTextBk);
        return true;
    case LVM_SETBKCOLOR:
    case LVM_SETTEXTCOLOR:
    case LVM_SETTEXTBKCOLOR:
    {
        COLORREF cr = static_cast<COLORREF>(lParam);
        (message == LVM_SETBKCOLOR ? m_clrBk : message == LVM_SETTEXTCOLOR ? m_clrText : m_clrTextBk) = cr;
        Invalidate();
        lResult = TRUE;
        return true;
    }
    case LVM_GETIMAGELIST:
    {
        CImageList* p = GetImageList(static_cast<int>(wParam));
        lResult = reinterpret_cast<LRESULT>(p != nullptr ? p->GetSafeHandle() : nullptr);
        return true;
    }
    case LVM_SETIMAGELIST:
    {
        HIMAGELIST hNew = reinterpret_cast<HIMAGELIST>(lParam);
        CImageList* pNew = hNew != nullptr ? CImageList::FromHandle(hNew) : nullptr;
        CImageList** slot = nullptr;
        switch (static_cast<int>(wParam))
        {
        case LVSIL_NORMAL:
            slot = &m_pImageNormal;
            break;
        case LVSIL_SMALL:
            slot = &m_pImageSmall;
            break;
        case LVSIL_STATE:
            slot = &m_pImageState;
            break;
        default:
            lResult = 0;
            return true;
        }
        CImageList* pOld = *slot;
        *slot = pNew;
        m_nRowHeight = 0;
        UpdateScrollBars();
        Invalidate();
        lResult = reinterpret_cast<LRESULT>(pOld != nullptr ? pOld->GetSafeHandle() : nullptr);
        return true;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        lResult = static_cast<LRESULT>(m_dwExStyle);
        return true;
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
    {
        DWORD dwOld = m_dwExStyle;
        DWORD dwMask = wParam != 0 ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
        m_dwExStyle = (m_dwExStyle & ~dwMask) | (static_cast<DWORD>(lParam) & dwMask);
        Invalidate();
        lResult = static_cast<LRESULT>(dwOld);
        return true;
    }
    case LVM_GETITEMCOUNT:
        lResult = GetItemCount();
        return true;
    case LVM_GETHEADER:
        lResult = reinterpret_cast<LRESULT>(m_hWndHeader);
        return true;
    case LVM_GETTOPINDEX:
        lResult = GetTopIndex();
        return true;
    default:
        return false;
    }
}
