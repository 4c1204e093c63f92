// The report list's category manager.
#include "SuperListCtrl/RptCategoryManager.h"

#include <cstring>
#include <vector>

namespace {

char* CopyText(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
        return nullptr;
    size_t n = std::strlen(lpsz);
    char* p = new char[n + 1];
    std::memcpy(p, lpsz, n + 1);
    return p;
}

// Drawing of the list suspended for the lifetime of the object.
class CSuspendRedraw
{
public:
    explicit CSuspendRedraw(CListCtrl* pList) : m_pList(pList) { m_pList->SetRedraw(FALSE); }
    ~CSuspendRedraw()
    {
        m_pList->SetRedraw(TRUE);
        m_pList->Invalidate();
    }

private:
    CListCtrl* m_pList;
};

}  // namespace

CRptCategoryManager::CRptCategoryManager() = default;

CRptCategoryManager::~CRptCategoryManager()
{
    FreeRows();
    for (int i = 0; i < m_nCategories; ++i)
    {
        delete[] m_pCategories[i].name;
        delete[] m_pCategories[i].matchText;
        delete[] m_pCategories[i].items;
    }
    delete[] m_pCategories;
}

void CRptCategoryManager::FreeRows()
{
    delete[] m_pRows;
    m_pRows = nullptr;
    m_nRows = 0;
}

CString CRptCategoryManager::CategoryText(const CRptCategoryEntry& entry)
{
    CString s;
    s.Format("Categoria: %s (%d element%c)", entry.name != nullptr ? entry.name : "", entry.count,
             entry.count == 1 ? 'o' : 'i');
    return s;
}

CRptCategoryEntry& CRptCategoryManager::Append(LPCTSTR lpszName, int type)
{
    CRptCategoryEntry* pNew = new CRptCategoryEntry[static_cast<size_t>(m_nCategories) + 1];
    for (int i = 0; i < m_nCategories; ++i)
        pNew[i] = m_pCategories[i];
    delete[] m_pCategories;
    m_pCategories = pNew;
    CRptCategoryEntry& e = m_pCategories[m_nCategories++];
    e.name = CopyText(lpszName);
    e.items = m_nRows > 0 ? new DWORD_PTR[static_cast<size_t>(m_nRows)]() : nullptr;
    e.count = 0;
    e.type = type;
    e.open = 0;
    e.matchText = nullptr;
    e.low = e.high = 0;
    e.from = e.to = COleDateTime();
    return e;
}

int CRptCategoryManager::AddTextCategory(LPCTSTR lpszName, LPCTSTR lpszMatch)
{
    Append(lpszName, 0).matchText = CopyText(lpszMatch);
    return m_nCategories - 1;
}

int CRptCategoryManager::AddDateCategory(LPCTSTR lpszName, const COleDateTime& from, const COleDateTime& to)
{
    CRptCategoryEntry& e = Append(lpszName, 2);
    e.from = from;
    e.to = to;
    return m_nCategories - 1;
}

int CRptCategoryManager::AddNumberCategory(LPCTSTR lpszName, int nLow, int nHigh)
{
    CRptCategoryEntry& e = Append(lpszName, 4);
    e.low = nLow;
    e.high = nHigh;
    return m_nCategories - 1;
}

void CRptCategoryManager::AddRowToCategory(int nCategory, DWORD_PTR dwValue)
{
    if (nCategory < 0 || nCategory >= m_nCategories)
        return;
    CRptCategoryEntry& e = m_pCategories[nCategory];
    // A category never holds more values than there are captured rows.
    if (e.items == nullptr || e.count >= m_nRows)
        return;
    e.items[e.count++] = dwValue;
}

int CRptCategoryManager::FindTextCategory(LPCTSTR lpszText) const
{
    for (int i = 0; i < m_nCategories; ++i)
    {
        const CRptCategoryEntry& e = m_pCategories[i];
        if (e.type == 0 && lpszText != nullptr && std::strcmp(e.matchText != nullptr ? e.matchText : "", lpszText) == 0)
            return i;
    }
    return -1;
}

int CRptCategoryManager::FindDateCategory(const COleDateTime& t) const
{
    for (int i = 0; i < m_nCategories; ++i)
    {
        const CRptCategoryEntry& e = m_pCategories[i];
        if (e.type == 2 && e.from <= t && t < e.to)
            return i;
    }
    return -1;
}

int CRptCategoryManager::FindNumberCategory(double x) const
{
    for (int i = 0; i < m_nCategories; ++i)
    {
        const CRptCategoryEntry& e = m_pCategories[i];
        if (e.type == 4 && e.low <= x && x < e.high)
            return i;
    }
    return -1;
}

int CRptCategoryManager::IndexOfCategory(DWORD_PTR dwItemData) const
{
    for (int i = 0; i < m_nCategories; ++i)
        if (reinterpret_cast<DWORD_PTR>(&m_pCategories[i]) == dwItemData)
            return i;
    return -1;
}

void CRptCategoryManager::InsertValueRow(CListCtrl* pList, int nIndex, DWORD_PTR dwValue)
{
    pList->InsertItem(LVIF_TEXT | LVIF_PARAM, nIndex, LPSTR_TEXTCALLBACK, 0, 0, 0, static_cast<LPARAM>(dwValue));
}

BOOL CRptCategoryManager::Build(CListCtrl* pList)
{
    if (pList == nullptr || (m_pfnRow == nullptr && m_pfnBulk == nullptr))
        return FALSE;
    FreeRows();
    int n = pList->GetItemCount();
    m_nRows = n;
    m_pRows = n > 0 ? new DWORD_PTR[static_cast<size_t>(n)]() : nullptr;
    // Every category gets room for the captured rows.
    for (int c = 0; c < m_nCategories; ++c)
    {
        delete[] m_pCategories[c].items;
        m_pCategories[c].items = n > 0 ? new DWORD_PTR[static_cast<size_t>(n)]() : nullptr;
        m_pCategories[c].count = 0;
    }
    if (m_pfnRow != nullptr)
    {
        for (int i = 0; i < n; ++i)
        {
            m_pRows[i] = static_cast<DWORD_PTR>(pList->GetItemData(i));
            m_pfnRow(m_lUser, this, &m_pRows[i]);
        }
    }
    else
    {
        for (int i = 0; i < n; ++i)
            m_pRows[i] = static_cast<DWORD_PTR>(i);
        m_pfnBulk(m_lUser, this);
    }
    Fill(pList);
    return TRUE;
}

void CRptCategoryManager::Fill(CListCtrl* pList)
{
    CSuspendRedraw suspend(pList);
    pList->DeleteAllItems();
    int nRow = 0;
    for (int c = 0; c < m_nCategories; ++c)
    {
        CRptCategoryEntry& e = m_pCategories[c];
        pList->InsertItem(LVIF_TEXT | LVIF_PARAM, nRow++, CategoryText(e), 0, 0, 0, reinterpret_cast<LPARAM>(&e));
        if (e.open)
            for (int k = 0; k < e.count; ++k)
                InsertValueRow(pList, nRow++, e.items[k]);
    }
}

void CRptCategoryManager::OpenCategory(int nCategory, int nRow, CListCtrl* pList)
{
    if (nCategory < 0 || nCategory >= m_nCategories || pList == nullptr)
        return;
    CSuspendRedraw suspend(pList);
    const CRptCategoryEntry& e = m_pCategories[nCategory];
    for (int k = 0; k < e.count; ++k)
        InsertValueRow(pList, nRow + 1 + k, e.items[k]);
}

void CRptCategoryManager::CloseCategory(int nRow, CListCtrl* pList)
{
    if (pList == nullptr || nRow < 0)
        return;
    CSuspendRedraw suspend(pList);
    while (nRow + 1 < pList->GetItemCount() &&
           IndexOfCategory(static_cast<DWORD_PTR>(pList->GetItemData(nRow + 1))) < 0)
        pList->DeleteItem(nRow + 1);
}

void CRptCategoryManager::Dissolve(CListCtrl* pList)
{
    if (pList == nullptr)
        return;
    {
        CSuspendRedraw suspend(pList);
        pList->DeleteAllItems();
        for (int i = 0; i < m_nRows; ++i)
            InsertValueRow(pList, i, m_pRows[i]);
    }
    for (int c = 0; c < m_nCategories; ++c)
        m_pCategories[c].count = 0;
}

int CRptCategoryManager::AddRow(CListCtrl* pList, DWORD_PTR dwValue)
{
    if (pList == nullptr || m_pfnRow == nullptr)
        return -1;
    // The captured rows and every category's slots grow by one.
    DWORD_PTR* pRows = new DWORD_PTR[static_cast<size_t>(m_nRows) + 1]();
    for (int i = 0; i < m_nRows; ++i)
        pRows[i] = m_pRows[i];
    delete[] m_pRows;
    m_pRows = pRows;
    m_pRows[m_nRows++] = dwValue;
    for (int c = 0; c < m_nCategories; ++c)
    {
        DWORD_PTR* pItems = new DWORD_PTR[static_cast<size_t>(m_nRows)]();
        for (int k = 0; k < m_pCategories[c].count; ++k)
            pItems[k] = m_pCategories[c].items[k];
        delete[] m_pCategories[c].items;
        m_pCategories[c].items = pItems;
    }
    int nOld = m_nCategories;
    std::vector<int> counts(static_cast<size_t>(nOld));
    std::vector<DWORD_PTR> oldAddress(static_cast<size_t>(nOld));
    for (int c = 0; c < nOld; ++c)
    {
        counts[static_cast<size_t>(c)] = m_pCategories[c].count;
        oldAddress[static_cast<size_t>(c)] = reinterpret_cast<DWORD_PTR>(&m_pCategories[c]);
    }
    m_pfnRow(m_lUser, this, &m_pRows[m_nRows - 1]);
    // New categories moved the entries: the category rows follow them.
    if (m_nCategories != nOld)
    {
        for (int r = 0; r < pList->GetItemCount(); ++r)
        {
            DWORD_PTR d = static_cast<DWORD_PTR>(pList->GetItemData(r));
            for (int c = 0; c < nOld; ++c)
                if (oldAddress[static_cast<size_t>(c)] == d)
                    pList->SetItemData(r, reinterpret_cast<DWORD_PTR>(&m_pCategories[c]));
        }
    }
    int nNewRow = -1;
    for (int c = 0; c < m_nCategories; ++c)
    {
        CRptCategoryEntry& e = m_pCategories[c];
        if (c >= nOld)
        {
            int nAt = pList->GetItemCount();
            pList->InsertItem(LVIF_TEXT | LVIF_PARAM, nAt, CategoryText(e), 0, 0, 0, reinterpret_cast<LPARAM>(&e));
            CRect rc;
            if (pList->GetItemRect(nAt, &rc, LVIR_BOUNDS))
                pList->InvalidateRect(&rc);
            continue;
        }
        if (e.count == counts[static_cast<size_t>(c)])
            continue;
        int nRow = -1;
        for (int r = 0; r < pList->GetItemCount() && nRow < 0; ++r)
            if (static_cast<DWORD_PTR>(pList->GetItemData(r)) == reinterpret_cast<DWORD_PTR>(&e))
                nRow = r;
        if (nRow < 0)
            continue;
        pList->SetItemText(nRow, 0, CategoryText(e));
        CRect rc;
        if (pList->GetItemRect(nRow, &rc, LVIR_BOUNDS))
            pList->InvalidateRect(&rc);
        if (e.open)
        {
            InsertValueRow(pList, nRow + 1, dwValue);
            nNewRow = nRow + 1;
        }
    }
    return nNewRow;
}
