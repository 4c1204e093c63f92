// CRptListCtrl: hit testing, clicks, keys, moving between editable cells, opening editors
// and taking their results, header notifications, column moves and selection operations.
#include "SuperListCtrl/RptListCtrl.h"
#include "SuperListCtrl/RptInCombo.h"
#include "SuperListCtrl/RptInEdit.h"

#include <algorithm>
#include <cstring>

// ---- Geometry -----------------------------------------------------------------------------

int CRptListCtrl::HitTestEx(CPoint point, int* pColumn)
{
    if (pColumn != nullptr)
        *pColumn = 0;
    if ((GetStyle() & LVS_TYPEMASK) != LVS_REPORT)
        return HitTest(point);
    int nTop = GetTopIndex();
    int nBottom = std::min(GetItemCount(), nTop + GetCountPerPage() + 1);
    int nColumns = GetColumnCount();
    for (int r = nTop; r < nBottom; ++r)
    {
        CRect rc;
        GetItemRect(r, &rc, LVIR_BOUNDS);
        if (!rc.PtInRect(point))
            continue;
        int x = rc.left;
        for (int c = 0; c < nColumns; ++c)
        {
            int cx = GetColumnWidth(c);
            if (point.x >= x && point.x <= x + cx)
            {
                if (pColumn != nullptr)
                    *pColumn = c;
                return r;
            }
            x += cx;
        }
        if (pColumn != nullptr)
            *pColumn = -1;
        return r;
    }
    return -1;
}

BOOL CRptListCtrl::GetCellRect(int nRow, int nColumn, CRect& rect)
{
    if (nColumn < 0 || nColumn >= GetColumnCount() || GetColumnWidth(nColumn) <= 4)
        return FALSE;
    if (!GetItemRect(nRow, &rect, LVIR_BOUNDS))
        return FALSE;
    rect.bottom -= 1;
    for (int c = 0; c < nColumn; ++c)
        rect.left += GetColumnWidth(c);
    rect.right = rect.left + GetColumnWidth(nColumn);
    return TRUE;
}

void CRptListCtrl::EnsureColumnVisible(int nColumn)
{
    if (nColumn < 0 || nColumn >= GetColumnCount() || GetColumnWidth(nColumn) <= 4 || GetItemCount() == 0)
        return;
    CRect rc;
    if (!GetCellRect(0, nColumn, rc))
        return;
    CRect client;
    GetClientRect(&client);
    if (rc.left < client.left)
        Scroll(CSize(rc.left - client.left, 0));
    else if (rc.right > client.right)
        Scroll(CSize(rc.right - client.right, 0));
}

// ---- Categories ---------------------------------------------------------------------------

void CRptListCtrl::ToggleCategory(int nRow)
{
    if (m_pCategoryManager == nullptr)
        return;
    int nCategory = m_pCategoryManager->IndexOfCategory(static_cast<DWORD_PTR>(GetItemData(nRow)));
    CRptCategoryEntry* pEntry = m_pCategoryManager->GetCategory(nCategory);
    if (pEntry == nullptr)
        return;
    if (pEntry->open)
    {
        m_pCategoryManager->CloseCategory(nRow, this);
        CRect rcRow, client;
        GetClientRect(&client);
        if (GetItemRect(nRow, &rcRow, LVIR_BOUNDS) && rcRow.right < client.right)
        {
            CRect rc(rcRow.right, rcRow.bottom, client.right, client.bottom);
            InvalidateRect(&rc);
        }
    }
    else
        m_pCategoryManager->OpenCategory(nCategory, nRow, this);
    pEntry->open = !pEntry->open;
    CRect rcCell;
    if (GetCellRect(nRow, 0, rcCell))
    {
        rcCell.right += 1;
        rcCell.bottom += 1;
        InvalidateRect(&rcCell, FALSE);
    }
    UpdateScrollBars();
}

// ---- Clicks -------------------------------------------------------------------------------

BOOL CRptListCtrl::OpenEditorFor(int nRow, int nColumn, BOOL bClickThrough)
{
    int nId = ColumnId(nColumn);
    if (nId < 0)
        return FALSE;
    DWORD bit = 1u << (nId & 31);
    if (m_dwEditMask & bit)
        return EditTextCell(nRow, nColumn, bClickThrough);
    if (m_dwComboMask & bit)
        return EditComboCell(nRow, nColumn, FALSE, bClickThrough);
    if (m_dwComboEditMask & bit)
        return EditComboCell(nRow, nColumn, TRUE, bClickThrough);
    return FALSE;
}

void CRptListCtrl::HandleClick(NMHDR*, LRESULT* pResult)
{
    if (pResult != nullptr)
        *pResult = 1;
    if (GetFocus() != this)
        SetFocus();
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    int nColumn = -1;
    int nRow = HitTestEx(pt, &nColumn);
    if (nRow < 0)
        return;
    bool bCategory = IsCategoryRow(nRow);
    if (bCategory && nColumn == 0)
    {
        ToggleCategory(nRow);
        return;
    }
    if (nColumn != m_nCursorCol)
    {
        CRect rc;
        if (GetCellRect(nRow, m_nCursorCol, rc))
            InvalidateRect(&rc);
        if (GetCellRect(nRow, nColumn, rc))
            InvalidateRect(&rc);
        m_nCursorCol = nColumn;
    }
    // The click just gave the row the focus: a first click only selects.
    if (m_nClickRowWasFocused != nRow)
    {
        SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        return;
    }
    if (!bCategory)
        OpenEditorFor(nRow, nColumn, TRUE);
}

void CRptListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (GetFocus() != this)
        SetFocus();
    // Which row had the focus before this press decides whether the click edits.
    m_nClickRowWasFocused = GetNextItem(-1, LVNI_FOCUSED);
    CListCtrl::OnLButtonDown(nFlags, point);
}

void CRptListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CListCtrl::OnLButtonUp(nFlags, point);
}

void CRptListCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (GetFocus() != this)
        SetFocus();
    int nColumn = -1;
    int nRow = HitTestEx(point, &nColumn);
    m_nLastDblRow = nRow;
    m_nLastDblCol = nColumn;
    if (nRow >= 0 && IsCategoryRow(nRow) && nColumn != 0)
    {
        ToggleCategory(nRow);
        return;
    }
    CListCtrl::OnLButtonDblClk(nFlags, point);
}

// ---- The list tip -------------------------------------------------------------------------

void CRptListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    const bool bButtons = (nFlags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
    if ((m_dwStyle & RPTS_LISTTIPS) && !bButtons && m_tip.GetSafeHwnd() != nullptr && GetFocus() == this)
    {
        int nColumn = -1;
        const int nRow = HitTestEx(point, &nColumn);
        const bool bSkip = HasCategories() && (nColumn == 0 || IsCategoryRow(nRow));
        CRect rcCell;
        if (nRow >= 0 && nColumn >= 0 && !bSkip && GetCellRect(nRow, nColumn, rcCell) && !IsImageCell(nColumn))
        {
            int nOffset = 6;
            if (nColumn == 0)
            {
                CRect rcLabel;
                if (GetItemRect(nRow, &rcLabel, LVIR_LABEL))
                    nOffset = rcLabel.left + 3 - rcCell.left;
            }
            rcCell.top -= 1;
            CString text;
            GetCellText(nRow, nColumn, text);
            m_tip.Show(rcCell, text, nOffset - 1);
        }
    }
    CListCtrl::OnMouseMove(nFlags, point);
}

// ---- Keys ---------------------------------------------------------------------------------

BOOL CRptListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && pMsg->hwnd == m_hWnd &&
        (m_dwStyle & (RPTS_ENTEREDITS | RPTS_ENTERDBLCLK)))
    {
        int nRow = FirstSelected();
        if (nRow >= 0 && IsCategoryRow(nRow))
        {
            ToggleCategory(nRow);
            return TRUE;
        }
        if ((m_dwStyle & RPTS_ENTEREDITS) && nRow >= 0 && m_nCursorCol >= 0)
        {
            int nId = ColumnId(m_nCursorCol);
            DWORD bit = nId >= 0 ? 1u << (nId & 31) : 0;
            if ((m_dwEditMask | m_dwComboMask | m_dwComboEditMask) & bit)
            {
                OpenEditorFor(nRow, m_nCursorCol, FALSE);
                return TRUE;
            }
        }
        if (m_dwStyle & RPTS_ENTERDBLCLK)
        {
            NMHDR hdr;
            std::memset(&hdr, 0, sizeof(hdr));
            hdr.hwndFrom = m_hWnd;
            hdr.idFrom = static_cast<UINT_PTR>(OwnerCtrlId());
            hdr.code = NM_DBLCLK;
            if (CWnd* pTarget = NotifyTarget())
                pTarget->SendMessage(WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
            return TRUE;
        }
    }
    return CListCtrl::PreTranslateMessage(pMsg);
}

bool CRptListCtrl::MoveCursorKey(UINT nChar)
{
    int nFocus = GetNextItem(-1, LVNI_FOCUSED);
    int nNew;
    if (nChar == VK_LEFT)
    {
        if (m_nCursorCol <= 0)
            return true;
        nNew = m_nCursorCol - 1;
    }
    else
    {
        if (m_nCursorCol >= GetColumnCount() - 1)
            return true;
        nNew = m_nCursorCol + 1;
    }
    int nOld = m_nCursorCol;
    m_nCursorCol = nNew;
    if (nFocus < 0)
        return false;
    EnsureColumnVisible(nNew);
    CRect rc;
    if (GetCellRect(nFocus, nOld, rc))
        InvalidateRect(&rc);
    if (GetCellRect(nFocus, nNew, rc))
        InvalidateRect(&rc);
    return true;
}

void CRptListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Left and Right move the cell cursor instead of scrolling; the key goes on to the list
    // control only when no row has the focus and the cursor could move.
    if ((nChar == VK_LEFT || nChar == VK_RIGHT) && (m_dwStyle & RPTS_CELLCURSOR))
    {
        bool bAtEdge = nChar == VK_LEFT ? m_nCursorCol <= 0 : m_nCursorCol >= GetColumnCount() - 1;
        if (bAtEdge || GetNextItem(-1, LVNI_FOCUSED) >= 0)
        {
            NMLVKEYDOWN kd;
            std::memset(&kd, 0, sizeof(kd));
            kd.hdr.hwndFrom = m_hWnd;
            kd.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
            kd.hdr.code = LVN_KEYDOWN;
            kd.wVKey = static_cast<WORD>(nChar);
            if (CWnd* pParent = GetParent())
                pParent->SendMessage(WM_NOTIFY, kd.hdr.idFrom, reinterpret_cast<LPARAM>(&kd));
            MoveCursorKey(nChar);
            return;
        }
        MoveCursorKey(nChar);
    }
    CListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

BOOL CRptListCtrl::OnKeyDownNotify(NMHDR*, LRESULT* pResult)
{
    // The list tip (when there is one) hides on every key.
    m_tip.Hide();
    if (pResult != nullptr)
        *pResult = 0;
    return FALSE;
}

// ---- Moving between editable cells --------------------------------------------------------

LRESULT CRptListCtrl::OnEditNavigate(WPARAM wParam, LPARAM lParam)
{
    int nRows = GetItemCount();
    int nColumns = GetColumnCount();
    switch (static_cast<int>(wParam))
    {
    case RPT_NAV_NEXTCELL:
    case RPT_NAV_PREVCELL:
    {
        const int* pCell = reinterpret_cast<const int*>(lParam);
        if (pCell == nullptr || nColumns == 0)
            return 0;
        int nRow = pCell[0];
        int nCol = pCell[1];
        bool bNext = wParam == RPT_NAV_NEXTCELL;
        DWORD editors = m_dwEditMask | m_dwComboMask | m_dwComboEditMask;
        // At most one pass over every cell: no editable cell ends the walk.
        for (long nSteps = static_cast<long>(nRows) * nColumns + 1; nSteps > 0; --nSteps)
        {
            if (bNext)
            {
                if (++nCol >= nColumns)
                {
                    nCol = 0;
                    ++nRow;
                }
                if (nRow >= nRows)
                    return 0;
            }
            else
            {
                if (--nCol < 0)
                {
                    nCol = nColumns - 1;
                    --nRow;
                }
                if (nRow < 0)
                    return 0;
            }
            int nId = ColumnId(nCol);
            if (nId >= 0 && (editors & (1u << (nId & 31))))
            {
                m_nCursorCol = nCol;
                int nSel = FirstSelected();
                if (GetSelectedCount() == 1 && nSel != nRow)
                    SetItemState(nSel, 0, LVIS_SELECTED | LVIS_FOCUSED);
                SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                if (!IsCategoryRow(nRow))
                    OpenEditorFor(nRow, nCol, FALSE);
                return 1;
            }
        }
        return 0;
    }
    case RPT_NAV_LEFT:
    case RPT_NAV_RIGHT:
    {
        if (wParam == RPT_NAV_LEFT)
            m_nCursorCol = std::max(0, m_nCursorCol - 1);
        else
            m_nCursorCol = std::min(nColumns - 1, m_nCursorCol + 1);
        int nSel = FirstSelected();
        CRect rc;
        if (nSel >= 0 && GetItemRect(nSel, &rc, LVIR_BOUNDS))
        {
            rc.bottom -= 1;
            InvalidateRect(&rc);
        }
        EnsureColumnVisible(m_nCursorCol);
        return 1;
    }
    case RPT_NAV_UP:
    case RPT_NAV_DOWN:
    {
        int nFocus = GetNextItem(-1, LVNI_FOCUSED);
        int nTarget = wParam == RPT_NAV_UP ? nFocus - 1 : nFocus + 1;
        if (nFocus < 0 || nTarget < 0 || nTarget >= nRows)
            return 0;
        if (GetSelectedCount() == 1 && (GetItemState(nFocus, LVIS_SELECTED) & LVIS_SELECTED))
            SetItemState(nFocus, 0, LVIS_SELECTED | LVIS_FOCUSED);
        SetItemState(nTarget, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        return 1;
    }
    default:
        return 0;
    }
}

// ---- Opening editors ----------------------------------------------------------------------

BOOL CRptListCtrl::EditorRect(int nRow, int nColumn, int nRightInset, CRect& rect)
{
    if (!EnsureVisible(nRow, TRUE))
        return FALSE;
    EnsureColumnVisible(nColumn);
    if (nColumn < 0 || nColumn >= GetColumnCount() || GetColumnWidth(nColumn) <= 4)
        return FALSE;
    CRect rc;
    if (!GetItemRect(nRow, &rc, LVIR_BOUNDS))
        return FALSE;
    rect = rc;
    rect.top += 1;
    rect.bottom -= m_nBandHeight + 2;
    for (int c = 0; c < nColumn; ++c)
        rect.left += GetColumnWidth(c);
    rect.left += 6;
    rect.right = rect.left + GetColumnWidth(nColumn) - nRightInset;
    CRect client;
    GetClientRect(&client);
    rect.right = std::min(rect.right, client.right);
    return TRUE;
}

BOOL CRptListCtrl::EditComboCell(int nRow, int nColumn, BOOL bEditable, BOOL bClickThrough)
{
    CRect rect;
    if (!EditorRect(nRow, nColumn, 6, rect))
        return FALSE;
    CRptCellInfo info;
    info.m_nKind = RPT_CELL_EDITREQUEST;
    info.m_nCtrlId = OwnerCtrlId();
    info.m_nRow = nRow;
    info.m_nColumn = ColumnId(nColumn);
    info.m_dwItemData = static_cast<DWORD_PTR>(GetItemData(nRow));
    info.m_nEditLimit = 128;
    GetCellText(nRow, nColumn, info.m_strText);
    info.m_pChoices = new CStringArray;
    if (NotifyOwner(&info) == 0)
    {
        delete info.m_pChoices;
        return FALSE;
    }
    // The combo owns the choices from here and deletes itself when its window goes.
    CRptInCombo* pCombo = new CRptInCombo(nRow, nColumn, info.m_strText, info.m_pChoices, bEditable, bClickThrough);
    pCombo->SetPlainButton(m_pCategoryManager == nullptr);
    if (m_dwStyle & RPTS_CELLFORMAT)
    {
        CRptCellInfo format;
        format.m_nKind = RPT_CELL_FORMAT;
        format.m_nCtrlId = OwnerCtrlId();
        format.m_nRow = nRow;
        format.m_nColumn = ColumnId(nColumn);
        format.m_dwItemData = static_cast<DWORD_PTR>(GetItemData(nRow));
        NotifyOwner(&format);
        pCombo->SetEditorFont(EditorFont(format));
        if (format.m_nFlags & RPT_FMT_COLOR)
            pCombo->SetTextColor(format.m_clrText);
    }
    if (!pCombo->Create(rect, this, RPT_EDITOR_ID))
    {
        delete pCombo;
        return FALSE;
    }
    return TRUE;
}

BOOL CRptListCtrl::EditTextCell(int nRow, int nColumn, BOOL bClickThrough)
{
    CRect rect;
    if (!EditorRect(nRow, nColumn, 12, rect))
        return FALSE;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    LVCOLUMN col;
    std::memset(&col, 0, sizeof(col));
    col.mask = LVCF_FMT;
    GetColumn(nColumn, &col);
    const int nAlign = col.fmt & LVCFMT_JUSTIFYMASK;
    if (nAlign == LVCFMT_RIGHT)
        dwStyle |= ES_RIGHT | ES_MULTILINE;
    else if (nAlign == LVCFMT_CENTER)
        dwStyle |= ES_CENTER | ES_MULTILINE;
    CString text;
    GetCellText(nRow, nColumn, text);
    // The editor deletes itself when its window goes.
    CRptInEdit* pEdit = new CRptInEdit(nRow, nColumn, text, bClickThrough);
    if (!pEdit->Create(dwStyle, rect, this, RPT_EDITOR_ID))
    {
        delete pEdit;
        return FALSE;
    }
    if (m_dwStyle & RPTS_CELLFORMAT)
    {
        CRptCellInfo info;
        info.m_nKind = RPT_CELL_FORMAT;
        info.m_nCtrlId = OwnerCtrlId();
        info.m_nRow = nRow;
        info.m_nColumn = ColumnId(nColumn);
        info.m_dwItemData = static_cast<DWORD_PTR>(GetItemData(nRow));
        NotifyOwner(&info);
        pEdit->SetFont(EditorFont(info));
        if (info.m_nFlags & RPT_FMT_COLOR)
        {
            long nStart = 0, nEnd = 0;
            pEdit->GetSel(nStart, nEnd);
            CHARFORMAT cf;
            std::memset(&cf, 0, sizeof(cf));
            cf.cbSize = sizeof(cf);
            cf.dwMask = CFM_COLOR;
            cf.crTextColor = info.m_clrText;
            pEdit->SetSel(0, -1);
            pEdit->SetSelectionCharFormat(cf);
            pEdit->SetSel(nStart, nEnd);
        }
    }
    return TRUE;
}

CFont* CRptListCtrl::EditorFont(const CRptCellInfo& info)
{
    if ((info.m_nFlags & RPT_FMT_FONT) && info.m_hFont != nullptr)
        return CFont::FromHandle(info.m_hFont);
    if (info.m_nFlags & RPT_FMT_BOLD)
        return &m_fontBold;
    if (info.m_nFlags & RPT_FMT_ITALIC)
        return &m_fontItalic;
    if (info.m_nFlags & RPT_FMT_UNDERLINE)
        return &m_fontUnderline;
    return m_fontNormal.GetSafeHandle() != nullptr ? &m_fontNormal : GetFont();
}

// ---- The end of an edit -------------------------------------------------------------------

BOOL CRptListCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVDISPINFO* pInfo = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    if (pResult != nullptr)
        *pResult = 0;
    if (pInfo == nullptr || pInfo->item.pszText == nullptr)
        return TRUE;
    CString text(pInfo->item.pszText);
    int nColumn = pInfo->item.iSubItem;
    int nId = ColumnId(nColumn);
    auto apply = [&](int nRow) {
        CRptCellInfo info;
        info.m_nKind = RPT_CELL_EDITDONE;
        info.m_nCtrlId = OwnerCtrlId();
        info.m_nRow = nRow;
        info.m_nColumn = nId;
        info.m_dwItemData = static_cast<DWORD_PTR>(GetItemData(nRow));
        info.m_strText = text;
        if (NotifyOwner(&info))
            SetCellText(nRow, nColumn, info.m_dwItemData, info.m_strText);
        else
            ResetCellText(nRow, nColumn, info.m_dwItemData);
    };
    if ((m_dwStyle & RPTS_EDITALLSELECTED) && GetSelectedCount() > 1)
    {
        POSITION pos = GetFirstSelectedItemPosition();
        while (pos != nullptr)
            apply(GetNextSelectedItem(pos));
        SetFocus();
    }
    else
        apply(pInfo->item.iItem);
    return TRUE;
}

// ---- Header notifications -----------------------------------------------------------------

BOOL CRptListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
    if (pHdr == nullptr || m_header.GetSafeHwnd() == nullptr || pHdr->hwndFrom != m_header.GetSafeHwnd())
        return CListCtrl::OnNotify(wParam, lParam, pResult);
    NMHEADER* pNm = reinterpret_cast<NMHEADER*>(lParam);
    switch (static_cast<int>(pHdr->code))
    {
    case static_cast<int>(NM_RCLICK):
    {
        DWORD pos = ::GetMessagePos();
        CPoint pt(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
        m_header.ScreenToClient(&pt);
        m_nHeaderColClicked = -1;
        CRect rc;
        for (int i = 0; m_header.GetItemRect(i, &rc); ++i)
            if (rc.PtInRect(pt))
                m_nHeaderColClicked = i;
        break;
    }
    case static_cast<int>(HDN_BEGINTRACKA):
    case static_cast<int>(HDN_BEGINTRACKW):
    {
        int nId = ColumnId(pNm->iItem);
        if (nId >= 0 && (m_header.m_dwLockedMask & (1u << (nId & 31))))
        {
            *pResult = 1;
            return TRUE;
        }
        if (GetFocus() != this)
            SetFocus();
        break;
    }
    case static_cast<int>(HDN_TRACKA):
    case static_cast<int>(HDN_TRACKW):
    case static_cast<int>(HDN_ITEMCHANGINGA):
    case static_cast<int>(HDN_ITEMCHANGINGW):
        if (pNm->pitem != nullptr && (pNm->pitem->mask & HDI_WIDTH))
        {
            if (m_pBkBitmap != nullptr)
            {
                CPoint pt;
                ::GetCursorPos(&pt);
                ScreenToClient(&pt);
                CRect client;
                GetClientRect(&client);
                client.left = pt.x;
                InvalidateRect(&client);
            }
            if (pNm->iItem > 0 && pNm->pitem->cxy < 16)
            {
                *pResult = 1;
                return TRUE;
            }
        }
        break;
    default:
        break;
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

// ---- Moving a column ----------------------------------------------------------------------

int CRptListCtrl::MoveColumn(CWnd* pWnd, int nFrom, int nTo)
{
    CRptListCtrl* pList = static_cast<CRptListCtrl*>(pWnd);
    if (pList == nullptr || nFrom == 0)
        return -1;
    if (nTo == 0)
        nTo = 1;
    if (nTo == nFrom)
        return -1;
    int nColumns = pList->GetColumnCount();
    if (nFrom < 0 || nFrom >= nColumns || nTo < 0 || nTo > nColumns)
        return -1;
    // The column lands before the item nTo: at nTo when it moves left, at nTo - 1 when it
    // moves right (its old place goes away). Its record moves as a whole, so its sub-item
    // number, its cells and the other columns' numbers stay as they are.
    int nDest = nTo > nFrom ? nTo - 1 : nTo;
    if (nDest == nFrom)
        return -1;
    pList->SetRedraw(FALSE);
    char szHead[160] = {0};
    HDITEM hd;
    std::memset(&hd, 0, sizeof(hd));
    hd.mask = HDI_FORMAT | HDI_WIDTH | HDI_LPARAM | HDI_TEXT | HDI_IMAGE;
    hd.pszText = szHead;
    hd.cchTextMax = 159;
    pList->m_header.GetItem(nFrom, &hd);
    Column col = pList->m_columns[static_cast<size_t>(nFrom)];
    pList->m_columns.erase(pList->m_columns.begin() + nFrom);
    pList->m_columns.insert(pList->m_columns.begin() + nDest, col);
    pList->m_header.DeleteItem(nFrom);
    hd.fmt |= HDF_OWNERDRAW;
    hd.pszText = szHead;
    pList->m_header.InsertItem(nDest, &hd);
    pList->SetRedraw(TRUE);
    pList->Invalidate();
    pList->m_header.Invalidate();
    return nDest;
}

// ---- Scrolling ----------------------------------------------------------------------------

void CRptListCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    m_tip.Hide();
    if (GetFocus() != this)
        SetFocus();
    CListCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CRptListCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    m_tip.Hide();
    if (GetFocus() != this)
        SetFocus();
    CListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}

// ---- Selection ----------------------------------------------------------------------------

void CRptListCtrl::SelectFirst()
{
    if (GetItemCount() == 0)
        return;
    SetFocus();
    SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(0, FALSE);
}

void CRptListCtrl::SelectLast()
{
    int n = GetItemCount();
    if (n == 0)
        return;
    SetFocus();
    SetItemState(n - 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(n - 1, FALSE);
}

void CRptListCtrl::SelectNext()
{
    int nSel = FirstSelected();
    if (nSel < 0 || nSel + 1 >= GetItemCount())
        return;
    SetFocus();
    SetItemState(nSel + 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(nSel + 1, FALSE);
}

void CRptListCtrl::SelectPrev()
{
    int nSel = FirstSelected();
    if (nSel <= 0)
        return;
    SetFocus();
    SetItemState(nSel - 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(nSel - 1, FALSE);
}

BOOL CRptListCtrl::CanMoveUp() const
{
    return GetItemCount() > 0 && FirstSelected() > 0;
}

BOOL CRptListCtrl::CanMoveDown() const
{
    return GetItemCount() > 0 && FirstSelected() < GetItemCount() - 1;
}

void CRptListCtrl::DeselectAll()
{
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED))
        SetItemState(i, 0, LVIS_SELECTED | LVIS_FOCUSED);
}
