#include "ProjRoleList.h"

#include <algorithm>
#include <cstdlib>
#include <map>

BEGIN_MESSAGE_MAP(CProjRoleList, CListCtrl)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CProjRoleList::DefineColumn(int nID, LPCTSTR lpszText, int nFormat, int nWidth, DWORD dwFlags, int nImage,
                                 LPCTSTR lpszDescription)
{
    m_columns.push_back(CColumn{nID, lpszText, nFormat, nWidth, dwFlags, nImage, lpszDescription});
}

void CProjRoleList::ReadFromProfile(LPCTSTR lpszName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    CString strSection;
    strSection.Format("ReportLists\\%s", lpszName);
    if ((int)pApp->GetProfileInt(strSection, "NumDef", 0) == 0)
        return;
    const int nDefs = (int)pApp->GetProfileInt(strSection, "DefNum", -1);
    for (int i = 0; i < nDefs && i < 1000; ++i) {
        CString strEntry;
        strEntry.Format("ColDef_id_%d", i);
        const int nID = (int)pApp->GetProfileInt(strSection, strEntry, -1);
        auto it = std::find_if(m_columns.begin(), m_columns.end(), [nID](const CColumn& c) { return c.nID == nID; });
        if (nID < 0 || it == m_columns.end())
            continue;
        strEntry.Format("ColDef_align_%d", i);
        it->nFormat = (int)pApp->GetProfileInt(strSection, strEntry, it->nFormat);
        strEntry.Format("ColDef_width_%d", i);
        it->nWidth = (int)pApp->GetProfileInt(strSection, strEntry, it->nWidth);
        strEntry.Format("ColDef_image_%d", i);
        it->nImage = (int)pApp->GetProfileInt(strSection, strEntry, it->nImage);
        strEntry.Format("ColDef_dwdata_%d", i);
        it->dwFlags = (DWORD)pApp->GetProfileInt(strSection, strEntry, (int)it->dwFlags);
        strEntry.Format("ColDef_text_%d", i);
        it->strText = pApp->GetProfileString(strSection, strEntry, "");
        strEntry.Format("ColDef_descr_%d", i);
        it->strDescription = pApp->GetProfileString(strSection, strEntry, "");
    }
}

void CProjRoleList::WriteToProfile(LPCTSTR lpszName)
{
    if (GetSafeHwnd() != NULL) {
        for (size_t i = 0; i < m_columns.size(); ++i)
            m_columns[i].nWidth = GetColumnWidth((int)i);
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    CString strSection;
    strSection.Format("ReportLists\\%s", lpszName);
    CString strEntry;
    pApp->WriteProfileInt(strSection, "NumDef", (int)m_columns.size());
    for (size_t i = 0; i < m_columns.size(); ++i) {
        strEntry.Format("DefColId %d", (int)i);
        pApp->WriteProfileInt(strSection, strEntry, m_columns[i].nID);
    }
    pApp->WriteProfileInt(strSection, "DefNum", (int)m_columns.size());
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const CColumn& c = m_columns[i];
        const int n = (int)i;
        strEntry.Format("ColDef_id_%d", n);
        pApp->WriteProfileInt(strSection, strEntry, c.nID);
        strEntry.Format("ColDef_align_%d", n);
        pApp->WriteProfileInt(strSection, strEntry, c.nFormat);
        strEntry.Format("ColDef_width_%d", n);
        pApp->WriteProfileInt(strSection, strEntry, c.nWidth);
        strEntry.Format("ColDef_image_%d", n);
        pApp->WriteProfileInt(strSection, strEntry, c.nImage);
        strEntry.Format("ColDef_dwdata_%d", n);
        pApp->WriteProfileInt(strSection, strEntry, (int)c.dwFlags);
        strEntry.Format("ColDef_text_%d", n);
        pApp->WriteProfileString(strSection, strEntry, c.strText);
        strEntry.Format("ColDef_textdt_%d", n);
        pApp->WriteProfileString(strSection, strEntry, "");
        strEntry.Format("ColDef_descr_%d", n);
        pApp->WriteProfileString(strSection, strEntry, c.strDescription);
    }
}

void CProjRoleList::SetCellImageList(CImageList* pImages)
{
    SetImageList(pImages, LVSIL_SMALL);
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_SUBITEMIMAGES);
}

void CProjRoleList::SetHeaderImageList(CImageList* pImages)
{
    if (CHeaderCtrl* pHeader = GetHeaderCtrl())
        pHeader->SetImageList(pImages);
}

void CProjRoleList::ApplyColumns()
{
    while (DeleteColumn(0)) {
    }
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const CColumn& c = m_columns[i];
        LVCOLUMN col = {};
        col.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        col.fmt = c.nFormat & LVCFMT_JUSTIFYMASK;
        col.cx = c.nWidth;
        col.pszText = const_cast<LPTSTR>((LPCTSTR)c.strText);
        col.iSubItem = c.nID;
        if (c.nImage >= 0) {
            col.mask |= LVCF_IMAGE;
            col.fmt |= LVCFMT_IMAGE;
            col.iImage = c.nImage;
        }
        InsertColumn((int)i, &col);
    }
}

void CProjRoleList::SetItemInt(int nRow, int nCol, int nValue)
{
    LVITEM item = {};
    item.mask = LVIF_IMAGE | LVIF_TEXT;
    item.iItem = nRow;
    item.iSubItem = nCol;
    item.iImage = nValue;
    item.pszText = const_cast<LPTSTR>("");
    SetItem(&item);
}

CString CProjRoleList::GetCellText(int nRow, int nCol) const
{
    if (nCol == 0)
        return GetItemText(nRow, 0);
    LVITEM item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nRow;
    item.iSubItem = nCol;
    if (!GetItem(&item))
        return CString();
    CString strText;
    strText.Format("%d", item.iImage);
    return strText;
}

int CProjRoleList::HitTestEx(CPoint point, int* pCol) const
{
    LVHITTESTINFO info = {};
    info.pt = point;
    const int nRow = const_cast<CProjRoleList*>(this)->SubItemHitTest(&info);
    if (pCol != NULL)
        *pCol = nRow >= 0 ? info.iSubItem : -1;
    return nRow;
}

void CProjRoleList::SortByColumn(int nCol, BOOL bAscending)
{
    std::map<DWORD_PTR, CString> texts;
    for (int i = 0; i < GetItemCount(); ++i)
        texts[GetItemData(i)] = GetCellText(i, nCol);
    struct CSortContext
    {
        std::map<DWORD_PTR, CString>* pTexts;
        BOOL bAscending;
    } context{&texts, bAscending};
    SortItems(
        [](LPARAM l1, LPARAM l2, LPARAM lData) -> int {
            auto* pContext = reinterpret_cast<CSortContext*>(lData);
            const int n = strcmp((*pContext->pTexts)[(DWORD_PTR)l1], (*pContext->pTexts)[(DWORD_PTR)l2]);
            return pContext->bAscending ? n : -n;
        },
        (DWORD_PTR)&context);
}

void CProjRoleList::OnPaint()
{
    CListCtrl::OnPaint();
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcHeader(0, 0, 0, 0);
    if (CHeaderCtrl* pHeader = GetHeaderCtrl())
        pHeader->GetWindowRect(&rcHeader);
    const int nTop = rcClient.top + rcHeader.Height();
    CClientDC dc(this);

    if (GetItemCount() == 0) {
        // An empty list says so under its header.
        CRect rcText(rcClient.left, nTop + 2, rcClient.right, rcClient.bottom);
        dc.FillSolidRect(&rcText, ::GetSysColor(COLOR_WINDOW));
        CFont* pOldFont = dc.SelectObject(GetFont());
        dc.SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
        dc.SetBkMode(TRANSPARENT);
        dc.DrawText("没有项目成员", &rcText, DT_CENTER | DT_TOP | DT_SINGLELINE);
        dc.SelectObject(pOldFont);
        return;
    }

    // The cells' pictures (the tick boxes) over the cells.
    CImageList* pImages = GetImageList(LVSIL_SMALL);
    if (pImages == NULL)
        return;
    const int nColumns = (int)m_columns.size();
    const int nLast = std::min(GetItemCount(), GetTopIndex() + GetCountPerPage() + 1);
    for (int nRow = GetTopIndex(); nRow < nLast; ++nRow) {
        for (int nCol = 1; nCol < nColumns; ++nCol) {
            CRect rcCell;
            if (!GetSubItemRect(nRow, nCol, LVIR_BOUNDS, rcCell) || rcCell.top < nTop)
                continue;
            const int nImage = atoi(GetCellText(nRow, nCol));
            if (nImage < 0 || nImage >= pImages->GetImageCount())
                continue;
            dc.IntersectClipRect(&rcCell);
            pImages->Draw(&dc, nImage, CPoint(rcCell.left + 4, rcCell.top + (rcCell.Height() - 16) / 2), ILD_TRANSPARENT);
            dc.SelectClipRgn(NULL);
        }
    }
}
