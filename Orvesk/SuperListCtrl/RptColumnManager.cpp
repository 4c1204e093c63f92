// The report list's column manager: definitions, the shown set and the profile layout.
#include "SuperListCtrl/RptColumnManager.h"

#include "SuperListCtrl/RptListCtrl.h"

#include <cstdlib>
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

CString Section(LPCTSTR lpszName)
{
    CString s;
    s.Format("ReportLists\\%s", lpszName != nullptr ? lpszName : "");
    return s;
}

CString Entry(LPCTSTR lpszFormat, int i)
{
    CString s;
    s.Format(lpszFormat, i);
    return s;
}

int ProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    return static_cast<int>(AfxGetApp()->GetProfileInt(lpszSection, lpszEntry, nDefault));
}

}  // namespace

void CRptColumnDef::Clear()
{
    delete[] text;
    delete[] textdt;
    delete[] descr;
    text = textdt = descr = nullptr;
    lookupSource = nullptr;
    keyField = -1;
}

void CRptColumnDef::SetText(char*& field, LPCTSTR lpsz)
{
    char* p = CopyText(lpsz);
    delete[] field;
    field = p;
}

CRptColumnManager::CRptColumnManager() = default;

CRptColumnManager::CRptColumnManager(const CRptColumnManager& other)
{
    SetShown(other.m_nShown, other.m_pShown);
    for (int i = 0; i < other.m_nDefs; ++i)
    {
        const CRptColumnDef& d = other.m_pDefs[i];
        DefineColumn(d.id, d.text, d.textdt, d.format, d.width, d.flags, d.image, d.descr);
        m_pDefs[m_nDefs - 1].lookupSource = d.lookupSource;
        m_pDefs[m_nDefs - 1].keyField = d.keyField;
    }
}

CRptColumnManager::~CRptColumnManager()
{
    for (int i = 0; i < m_nDefs; ++i)
        m_pDefs[i].Clear();
    delete[] m_pDefs;
    delete[] m_pShown;
}

void CRptColumnManager::DefineColumn(int id, LPCTSTR text, LPCTSTR textdt, int format, int width, DWORD flags,
                                     int image, LPCTSTR descr)
{
    // One element more; the definitions are plain records, their texts move with them.
    CRptColumnDef* pNew = new CRptColumnDef[static_cast<size_t>(m_nDefs) + 1];
    for (int i = 0; i < m_nDefs; ++i)
        pNew[i] = m_pDefs[i];
    delete[] m_pDefs;
    m_pDefs = pNew;
    CRptColumnDef& d = m_pDefs[m_nDefs++];
    d.id = id;
    d.format = format;
    d.width = width;
    d.flags = flags;
    d.image = image;
    d.text = CopyText(text);
    d.textdt = CopyText(textdt);
    d.descr = CopyText(descr);
    d.lookupSource = nullptr;
    d.keyField = -1;
    d.displayField = 0;
}

void CRptColumnManager::SetShown(int count, const int* ids)
{
    delete[] m_pShown;
    m_pShown = nullptr;
    m_nShown = 0;
    if (count <= 0 || ids == nullptr)
        return;
    m_pShown = new int[static_cast<size_t>(count)];
    std::memcpy(m_pShown, ids, sizeof(int) * static_cast<size_t>(count));
    m_nShown = count;
}

void CRptColumnManager::SetDefaultColumns(int count, const int* ids)
{
    SetShown(count, ids);
}

int CRptColumnManager::FindColumnDef(int id) const
{
    if (id < 0)
        return -1;
    for (int i = 0; i < m_nDefs; ++i)
        if (m_pDefs[i].id == id)
            return i;
    return -1;
}

int CRptColumnManager::FindShownColumn(int id) const
{
    if (id < 0)
        return -1;
    for (int i = 0; i < m_nShown; ++i)
        if (m_pShown[i] == id)
            return i;
    return -1;
}

void CRptColumnManager::SetColumnLookup(int id, void* source, int keyField, int displayField)
{
    int i = FindColumnDef(id);
    if (i < 0)
        return;
    CRptColumnDef& d = m_pDefs[i];
    d.lookupSource = source;
    d.keyField = keyField;
    d.displayField = displayField;
    d.flags |= RPTCOL_COMBO;
    d.flags &= ~static_cast<DWORD>(RPTCOL_EDIT);
}

// ---- Profile ------------------------------------------------------------------------------

void CRptColumnManager::WriteToProfile(LPCTSTR lpszName) const
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    CString section = Section(lpszName);
    pApp->WriteProfileInt(section, "NumDef", m_nShown);
    for (int i = 0; i < m_nShown; ++i)
        pApp->WriteProfileInt(section, Entry("DefColId %d", i), m_pShown[i]);
    pApp->WriteProfileInt(section, "DefNum", m_nDefs);
    for (int i = 0; i < m_nDefs; ++i)
    {
        const CRptColumnDef& d = m_pDefs[i];
        pApp->WriteProfileInt(section, Entry("ColDef_id_%d", i), d.id);
        pApp->WriteProfileInt(section, Entry("ColDef_align_%d", i), d.format);
        pApp->WriteProfileInt(section, Entry("ColDef_width_%d", i), d.width);
        pApp->WriteProfileInt(section, Entry("ColDef_image_%d", i), d.image);
        pApp->WriteProfileInt(section, Entry("ColDef_dwdata_%d", i), static_cast<int>(d.flags));
        pApp->WriteProfileString(section, Entry("ColDef_text_%d", i), d.text != nullptr ? d.text : "");
        pApp->WriteProfileString(section, Entry("ColDef_textdt_%d", i), d.textdt != nullptr ? d.textdt : "");
        pApp->WriteProfileString(section, Entry("ColDef_descr_%d", i), d.descr != nullptr ? d.descr : "");
    }
}

void CRptColumnManager::ReadFromProfile(LPCTSTR lpszName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    CString section = Section(lpszName);
    int n = ProfileInt(section, "NumDef", 0);
    if (n == 0)
        return;
    // A damaged count is bounded; the entries themselves decide what is shown.
    if (n < 0)
        n = 0;
    if (n > kMaxProfileColumns)
        n = kMaxProfileColumns;
    std::vector<int> shown;
    shown.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
    {
        int id = ProfileInt(section, Entry("DefColId %d", i), -1);
        if (id < 0)
            continue;
        // An id shown twice would make two columns that read back as one.
        bool bDup = false;
        for (int s : shown)
            bDup = bDup || s == id;
        if (!bDup)
            shown.push_back(id);
    }
    SetShown(static_cast<int>(shown.size()), shown.data());

    int m = ProfileInt(section, "DefNum", -1);
    if (m > kMaxProfileColumns)
        m = kMaxProfileColumns;
    for (int i = 0; i < m; ++i)
    {
        int id = ProfileInt(section, Entry("ColDef_id_%d", i), -1);
        int k = FindColumnDef(id);
        if (k < 0)
            continue;
        CRptColumnDef& d = m_pDefs[k];
        d.format = ProfileInt(section, Entry("ColDef_align_%d", i), d.format);
        d.width = ProfileInt(section, Entry("ColDef_width_%d", i), d.width);
        d.image = ProfileInt(section, Entry("ColDef_image_%d", i), d.image);
        d.flags = static_cast<DWORD>(ProfileInt(section, Entry("ColDef_dwdata_%d", i), static_cast<int>(d.flags)));
        d.SetText(d.text, pApp->GetProfileString(section, Entry("ColDef_text_%d", i), ""));
        d.SetText(d.textdt, pApp->GetProfileString(section, Entry("ColDef_textdt_%d", i), ""));
        d.SetText(d.descr, pApp->GetProfileString(section, Entry("ColDef_descr_%d", i), ""));
    }
}

// ---- The list's columns -------------------------------------------------------------------

void CRptColumnManager::ApplyToList(CRptListCtrl* pList)
{
    if (pList == nullptr || pList->GetSafeHwnd() == nullptr)
        return;
    CHeaderCtrl* pHeader = pList->GetHeaderCtrl();
    if (pHeader == nullptr || pHeader->GetSafeHwnd() == nullptr)
        return;
    CRptHeaderCtrl* pRptHeader = pList->GetRptHeader();
    pList->ClearColumnMasks();
    int old = pHeader->GetItemCount();
    int k = 0;
    for (int s = 0; s < m_nShown; ++s)
    {
        int i = FindColumnDef(m_pShown[s]);
        if (i < 0)
            continue;
        const CRptColumnDef& d = m_pDefs[i];
        int nCol = pList->InsertColumn(old + k, d.text != nullptr ? d.text : "", d.format | HDF_OWNERDRAW, d.width, d.id);
        ++k;
        if (nCol < 0)
            continue;
        // The header item carries the column id for the read-back.
        HDITEM item;
        std::memset(&item, 0, sizeof(item));
        item.mask = HDI_LPARAM | HDI_FORMAT;
        pHeader->GetItem(nCol, &item);
        item.lParam = d.id;
        item.fmt |= HDF_OWNERDRAW;
        pHeader->SetItem(nCol, &item);
        DWORD bit = 1u << (d.id & 31);
        pList->AddColumnMaskBits(d.flags, bit);
        if (pRptHeader != nullptr)
        {
            if (d.flags & RPTCOL_SORTABLE)
                pRptHeader->m_dwAscendingMask |= bit;
            if (d.flags & RPTCOL_NOSORTMARK)
                pRptHeader->m_dwNoMarkMask |= bit;
            if (d.flags & RPTCOL_FIXEDWIDTH)
                pRptHeader->m_dwLockedMask |= bit;
        }
        if ((d.flags & RPTCOL_HEADERIMAGE) && pRptHeader != nullptr && pRptHeader->GetSafeHwnd() != nullptr)
            pList->SetColumnImage(nCol, d.image);
    }
    for (int i = 0; i < old; ++i)
        pList->DeleteColumn(0);
    pHeader->Invalidate();
    pList->Invalidate();
}

void CRptColumnManager::ReadFromList(CRptListCtrl* pList)
{
    if (pList == nullptr || pList->GetSafeHwnd() == nullptr)
        return;
    CHeaderCtrl* pHeader = pList->GetHeaderCtrl();
    if (pHeader == nullptr || pHeader->GetSafeHwnd() == nullptr)
        return;
    int n = pHeader->GetItemCount();
    // A header that no longer matches the shown set is not read back.
    if (n != m_nShown)
        return;
    for (int i = n - 1; i >= 0; --i)
    {
        HDITEM item;
        std::memset(&item, 0, sizeof(item));
        item.mask = HDI_WIDTH | HDI_LPARAM;
        pHeader->GetItem(i, &item);
        int id = static_cast<int>(item.lParam);
        m_pShown[i] = id;
        int k = FindColumnDef(id);
        if (k >= 0)
            m_pDefs[k].width = item.cxy;
    }
}
