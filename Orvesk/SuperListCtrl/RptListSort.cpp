// Sorting by a column click, and copying rows to the clipboard.
#include "SuperListCtrl/RptListSort.h"

#include "SuperListCtrl/RptListCtrl.h"

#include <cstring>

CRptSortHelper::CRptSortHelper(CRptListCtrl* pList, int nColumn, BOOL bNumeric, BOOL bGrouped)
    : m_pList(pList), m_nColumn(nColumn), m_bInt(bNumeric || bGrouped)
{
    int n = pList->GetItemCount();
    if (m_bInt)
        m_ints.resize(static_cast<size_t>(n));
    else
        m_texts.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
    {
        DWORD_PTR d = static_cast<DWORD_PTR>(pList->GetItemData(i));
        CString text;
        pList->GetCellText(i, nColumn, text, d, TRUE);
        if (m_bInt)
        {
            m_ints[static_cast<size_t>(i)] = {d, TextValue(text, bGrouped)};
            pList->SetItemData(i, reinterpret_cast<DWORD_PTR>(&m_ints[static_cast<size_t>(i)]));
        }
        else
        {
            m_texts[static_cast<size_t>(i)].itemData = d;
            m_texts[static_cast<size_t>(i)].text = text;
            pList->SetItemData(i, reinterpret_cast<DWORD_PTR>(&m_texts[static_cast<size_t>(i)]));
        }
    }
}

CRptSortHelper::~CRptSortHelper()
{
    // Each row gets back the item data its own sort item carries, wherever the row went.
    int n = m_pList->GetItemCount();
    for (int i = 0; i < n; ++i)
    {
        DWORD_PTR p = static_cast<DWORD_PTR>(m_pList->GetItemData(i));
        if (m_bInt)
            m_pList->SetItemData(i, reinterpret_cast<const CRptSortItemInt*>(p)->itemData);
        else
            m_pList->SetItemData(i, reinterpret_cast<const CRptSortItem*>(p)->itemData);
    }
}

void CRptSortHelper::Sort(BOOL bAscending)
{
    PFNLVCOMPARE pfn = m_bInt ? (bAscending ? &CompareIntAsc : &CompareIntDesc)
                              : (bAscending ? &CompareTextAsc : &CompareTextDesc);
    m_pList->SortItems(pfn, reinterpret_cast<DWORD_PTR>(this));
}

long long CRptSortHelper::TextValue(LPCTSTR lpszText, BOOL bGrouped)
{
    CString s(lpszText != nullptr ? lpszText : "");
    if (bGrouped)
        s.Remove('.');
    const char* p = s;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool bNeg = false;
    if (*p == '-' || *p == '+')
        bNeg = *p++ == '-';
    long long v = 0;
    // Saturates instead of overflowing on an absurdly long number.
    for (; *p >= '0' && *p <= '9'; ++p)
        v = v > 922337203685477579LL ? v : v * 10 + (*p - '0');
    return bNeg ? -v : v;
}

int CALLBACK CRptSortHelper::CompareTextAsc(LPARAM l1, LPARAM l2, LPARAM)
{
    const CRptSortItem* a = reinterpret_cast<const CRptSortItem*>(l1);
    const CRptSortItem* b = reinterpret_cast<const CRptSortItem*>(l2);
    return a->text.CompareNoCase(b->text);
}

int CALLBACK CRptSortHelper::CompareTextDesc(LPARAM l1, LPARAM l2, LPARAM lSort)
{
    return CompareTextAsc(l2, l1, lSort);
}

int CALLBACK CRptSortHelper::CompareIntAsc(LPARAM l1, LPARAM l2, LPARAM)
{
    const CRptSortItemInt* a = reinterpret_cast<const CRptSortItemInt*>(l1);
    const CRptSortItemInt* b = reinterpret_cast<const CRptSortItemInt*>(l2);
    if (a->value == b->value)
        return 0;
    return a->value > b->value ? 1 : -1;
}

int CALLBACK CRptSortHelper::CompareIntDesc(LPARAM l1, LPARAM l2, LPARAM lSort)
{
    return CompareIntAsc(l2, l1, lSort);
}

// ---- The list's side ----------------------------------------------------------------------

BOOL CRptListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult != nullptr)
        *pResult = 0;
    if (!(m_dwStyle & RPTS_SORTONCLICK))
        return FALSE;
    NMLISTVIEW* pNm = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    SortByColumn(pNm->iSubItem);
    return FALSE;
}

void CRptListCtrl::SortByColumn(int nColumn)
{
    if (nColumn < 0 || nColumn >= GetColumnCount())
        return;
    if (m_bRecordsetMode)
    {
        // The record set sorts itself; its first column is the empty one.
        if (nColumn != 0)
            SortRecordset(nColumn);
        return;
    }
    CWaitCursor wait;
    int nId = ColumnId(nColumn);
    if (m_pColumnManager != nullptr)
    {
        int k = m_pColumnManager->FindColumnDef(nId);
        if (k >= 0 && !(m_pColumnManager->GetDef(k).flags & RPTCOL_SORTABLE))
            return;
    }
    bool bCategories = m_pCategoryManager != nullptr;
    if (bCategories)
        m_pCategoryManager->Dissolve(this);
    BOOL bAscending = !m_header.IsSortAscending(nColumn);
    m_header.SetSortColumn(nColumn, bAscending ? 1 : 0);
    DWORD bit = nId >= 0 ? 1u << (nId & 31) : 0;
    BOOL bGrouped = (m_dwGroupedMask & bit) != 0;
    BOOL bNumeric = !bGrouped && (m_dwNumericMask & bit) != 0;
    {
        CRptSortHelper helper(this, nColumn, bNumeric, bGrouped);
        helper.Sort(bAscending);
    }
    if (bCategories)
        m_pCategoryManager->Build(this);
    else
    {
        int nSel = FirstSelected();
        if (nSel >= 0)
            EnsureVisible(nSel, FALSE);
    }
}

// ---- Clipboard ----------------------------------------------------------------------------

CString CRptListCtrl::ClipboardText(BOOL bSelectedOnly)
{
    CString out;
    int nColumns = GetColumnCount();
    bool bFirstLine = true;
    auto addRow = [&](int nRow) {
        if (!bFirstLine)
            out += "\n";
        bFirstLine = false;
        for (int c = 0; c < nColumns; ++c)
        {
            if (c > 0)
                out += "\t";
            CString cell;
            GetCellText(nRow, c, cell);
            out += cell;
        }
    };
    if (bSelectedOnly)
    {
        POSITION pos = GetFirstSelectedItemPosition();
        while (pos != nullptr)
            addRow(GetNextSelectedItem(pos));
    }
    else
    {
        for (int r = 0; r < GetItemCount(); ++r)
            addRow(r);
    }
    return out;
}

void CRptListCtrl::CopyToClipboard(BOOL bSelectedOnly)
{
    CWaitCursor wait;
    if (bSelectedOnly && GetSelectedCount() == 0)
        return;
    CString text = ClipboardText(bSelectedOnly);
    if (text.IsEmpty() || !::OpenClipboard(m_hWnd))
        return;
    ::EmptyClipboard();
    size_t n = static_cast<size_t>(text.GetLength());
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, n + 1);
    if (hMem != nullptr)
    {
        char* p = static_cast<char*>(::GlobalLock(hMem));
        if (p != nullptr)
        {
            std::memcpy(p, static_cast<LPCTSTR>(text), n + 1);
            ::GlobalUnlock(hMem);
            if (::SetClipboardData(CF_TEXT, hMem) == nullptr)
                ::GlobalFree(hMem);
        }
        else
            ::GlobalFree(hMem);
    }
    ::CloseClipboard();
}
