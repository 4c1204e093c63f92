// The report list bound to a record set: one column per field (after an empty, zero-width
// first column), one row per record with the record's position as item data, cell texts
// read on demand, lookup columns showing a second record set's value, edits written back
// and header clicks sorting the record set.
#include "SuperListCtrl/RptListCtrl.h"

#include <DataAccess/DaoRecordset.h>

#include <cstring>

namespace
{
// A value as the list shows it, by its variant type; false for types not shown (null).
bool ValueText(const COleVariant& value, CString& text)
{
    switch (value.vt)
    {
    case VT_I2: text.Format("%d", value.iVal); return true;
    case VT_I4: text.Format("%d", static_cast<int>(value.lVal)); return true;
    case VT_UI1: text.Format("%d", value.bVal); return true;  // a byte shows as its number
    case VT_R4: text.Format("%f", static_cast<double>(value.fltVal)); return true;
    case VT_R8: text.Format("%f", value.dblVal); return true;
    case VT_CY: text = COleCurrency(value.cyVal).Format(0, 1024); return true;
    case VT_DATE: text = COleDateTime(value.date).Format("%A, %B %d, %Y"); return true;
    case VT_BSTR: text = value.strVal; return true;
    case VT_BOOL: text = value.boolVal != 0 ? "true" : "false"; return true;
    default: return false;
    }
}

// Index of the field named so (case ignored, the last match wins), -1 when none.
int FieldByName(const CDaoRecordset& set, LPCTSTR lpszName)
{
    int nFound = -1;
    for (int i = 0; i < set.GetFieldCount(); ++i)
    {
        CDaoFieldInfo info;
        set.GetFieldInfo(i, info);
        if (info.m_strName.CompareNoCase(lpszName) == 0)
            nFound = i;
    }
    return nFound;
}
} // namespace

void CRptListCtrl::SetRecordset(CDaoRecordset* pSet)
{
    m_pRecordset = pSet;
    m_bRecordsetMode = pSet != nullptr;
}

void CRptListCtrl::BuildColumnsFromRecordset()
{
    if (m_pRecordset == nullptr || !m_pRecordset->IsOpen())
        return;
    CRptColumnManager* pManager = CreateColumnManager();
    // The list's earlier columns and their behaviour go with the earlier manager.
    DeleteAllColumns();
    ClearColumnMasks();
    const DWORD dwFirst = RPTCOL_NOSORTMARK | RPTCOL_FIXEDWIDTH;
    pManager->DefineColumn(0, "", nullptr, LVCFMT_LEFT, 0, dwFirst, -1, nullptr);
    InsertRptColumn(0, "", LVCFMT_LEFT, 0, 0, dwFirst);
    const int nFields = m_pRecordset->GetFieldCount();
    for (int i = 0; i < nFields; ++i)
    {
        CDaoFieldInfo info;
        m_pRecordset->GetFieldInfo(i, info, AFX_DAO_PRIMARY_INFO);
        bool bNumeric = info.m_nType >= dbByte && info.m_nType <= dbDouble;
        DWORD dwFlags = info.m_nType == dbBoolean ? RPTCOL_COMBO : RPTCOL_EDIT | (bNumeric ? RPTCOL_NUMERIC : 0);
        pManager->DefineColumn(i + 1, info.m_strName, nullptr, LVCFMT_LEFT, 120, dwFlags, -1, nullptr);
        InsertRptColumn(i + 1, info.m_strName, LVCFMT_LEFT, 120, i + 1, dwFlags);
    }
    std::vector<int> ids(static_cast<size_t>(nFields) + 1);
    for (int i = 0; i <= nFields; ++i)
        ids[static_cast<size_t>(i)] = i;
    pManager->SetDefaultColumns(nFields + 1, ids.data());
}

void CRptListCtrl::FillFromRecordset()
{
    if (m_pRecordset == nullptr || !m_pRecordset->IsOpen())
        return;
    DeleteAllItems();
    try
    {
        if (m_pRecordset->GetRecordCount() > 0)
            m_pRecordset->MoveLast();  // the count is complete from the last record on
    }
    catch (CDaoException* e)
    {
        e->Delete();
    }
    const long nCount = m_pRecordset->GetRecordCount();
    SetItemCount(static_cast<int>(nCount));
    for (long i = 0; i < nCount; ++i)
        InsertItemEx(static_cast<int>(i), static_cast<DWORD_PTR>(i));
    UpdateScrollBars();
}

CString CRptListCtrl::RecordsetDisplayText(int nRow, int nSubItem, DWORD_PTR dwItemData)
{
    CWnd* pOwner = GetParent();
    if (pOwner == nullptr || nSubItem < 0)
        return CString();
    // Every cell of a bound row is read on demand, also in rows that the category manager
    // inserted again; the owner answers through OnGetDispInfoRecordset.
    char buffer[2048];
    buffer[0] = 0;
    NMLVDISPINFO info;
    std::memset(&info, 0, sizeof(info));
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = LVN_GETDISPINFO;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = nRow;
    info.item.iSubItem = nSubItem;
    info.item.pszText = buffer;
    info.item.cchTextMax = static_cast<int>(sizeof(buffer));
    info.item.lParam = static_cast<LPARAM>(dwItemData);
    pOwner->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    buffer[sizeof(buffer) - 1] = 0;
    if (info.item.pszText == nullptr || info.item.pszText == LPSTR_TEXTCALLBACK)
        return CString();
    return CString(info.item.pszText);
}

LRESULT CRptListCtrl::OnGetDispInfoRecordset(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult != nullptr)
        *pResult = 0;
    NMLVDISPINFO* pInfo = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    LVITEM& item = pInfo->item;
    if ((item.mask & LVIF_TEXT) && item.pszText != nullptr && item.pszText != LPSTR_TEXTCALLBACK && item.cchTextMax > 0)
    {
        CString text;
        GetRecordsetCellText(item.iItem, item.iSubItem, static_cast<DWORD_PTR>(item.lParam), text);
        lstrcpyn(item.pszText, text, item.cchTextMax);
    }
    if (item.mask & LVIF_IMAGE)
        item.iImage = 0;
    return 0;
}

void CRptListCtrl::GetRecordsetCellText(int, int nColumn, DWORD_PTR dwItemData, CString& text)
{
    const int nField = nColumn - 1;
    if (nField < 0 || m_pRecordset == nullptr || !m_pRecordset->IsOpen())
        return;
    COleVariant value;
    try
    {
        m_pRecordset->SetAbsolutePosition(static_cast<long>(dwItemData));
        value = m_pRecordset->GetFieldValue(nField);
    }
    catch (CDaoException* e)
    {
        e->Delete();
    }
    ValueText(value, text);

    if (m_pColumnManager == nullptr)
        return;
    int k = m_pColumnManager->FindColumnDef(nColumn);
    if (k < 0 || m_pColumnManager->GetDef(k).lookupSource == nullptr)
        return;
    const CRptColumnDef& def = m_pColumnManager->GetDef(k);
    CDaoRecordset* pLookup = static_cast<CDaoRecordset*>(def.lookupSource);
    // The key is compared as a value of the key field's type; it never becomes statement text.
    try
    {
        if (value.vt != VT_NULL && value.vt != VT_EMPTY && pLookup->IsOpen() && pLookup->FindFirst(def.keyField, value))
            ValueText(pLookup->GetFieldValue(def.displayField), text);
    }
    catch (CDaoException* e)
    {
        e->Delete();
    }
}

LRESULT CRptListCtrl::HandleRecordsetCell(CRptCellInfo* pInfo)
{
    if (pInfo == nullptr || m_pRecordset == nullptr)
        return 0;
    const int nField = pInfo->m_nColumn - 1;
    const CRptColumnDef* pDef = nullptr;
    if (m_pColumnManager != nullptr)
    {
        int k = m_pColumnManager->FindColumnDef(pInfo->m_nColumn);
        if (k >= 0)
            pDef = &m_pColumnManager->GetDef(k);
    }
    CDaoRecordset* pLookup = pDef != nullptr ? static_cast<CDaoRecordset*>(pDef->lookupSource) : nullptr;

    switch (pInfo->m_nKind)
    {
    case RPT_CELL_FORMAT:
        return 1;

    case RPT_CELL_EDITREQUEST:
        if (pInfo->m_nColumn == 0)
            return 0;
        if (pInfo->m_pChoices != nullptr)
        {
            if (pLookup == nullptr)
            {
                pInfo->m_pChoices->Add("true");
                pInfo->m_pChoices->Add("false");
            }
            else
            {
                try
                {
                    if (pLookup->IsOpen() && pLookup->GetRecordCount() > 0)
                        for (pLookup->MoveFirst(); !pLookup->IsEOF(); pLookup->MoveNext())
                        {
                            COleVariant value = pLookup->GetFieldValue(pDef->displayField);
                            if (value.vt != VT_NULL && value.vt != VT_EMPTY && value.ChangeType(VT_BSTR))
                                pInfo->m_pChoices->Add(value.strVal);
                        }
                }
                catch (CDaoException* e)
                {
                    e->Delete();
                }
            }
        }
        return 1;

    case RPT_CELL_EDITDONE:
    {
        if (nField < 0)
            return 0;
        try
        {
            m_pRecordset->SetAbsolutePosition(static_cast<long>(pInfo->m_dwItemData));
        }
        catch (CDaoException* e)
        {
            e->Delete();
            TRACE("Error setting value (2)\n");
            return 0;  // writing now would change another record
        }
        COleVariant value(pInfo->m_strText);
        if (pLookup != nullptr)
        {
            // The chosen display value names the lookup record whose key is stored.
            try
            {
                if (!pLookup->IsOpen() || !pLookup->FindFirst(pDef->displayField, COleVariant(pInfo->m_strText)))
                    return 0;
                value = pLookup->GetFieldValue(pDef->keyField);
            }
            catch (CDaoException* e)
            {
                e->Delete();
                return 0;
            }
        }
        try
        {
            m_pRecordset->Edit();
            m_pRecordset->SetFieldValue(nField, value);
            m_pRecordset->Update();
            TRACE("Setting value to %s\n", static_cast<LPCTSTR>(pInfo->m_strText));
        }
        catch (CDaoException* e)
        {
            e->Delete();
            m_pRecordset->CancelUpdate();
            TRACE("Error setting value (3)\n");
        }
        return 0;  // the cell goes back to its callback text: the stored value
    }

    default:
        return 0;
    }
}

BOOL CRptListCtrl::SetColumnLookup(int nField, CDaoRecordset* pLookup, int nKeyField, int nDisplayField)
{
    ASSERT(m_pColumnManager != nullptr);
    if (m_pColumnManager == nullptr)
        return FALSE;
    const int nId = nField + 1;
    const DWORD bit = 1u << (nId & 31);
    m_dwComboMask |= bit;
    m_dwEditMask &= ~bit;
    m_pColumnManager->SetColumnLookup(nId, pLookup, nKeyField, nDisplayField);
    return TRUE;
}

BOOL CRptListCtrl::SetColumnLookup(LPCTSTR lpszField, CDaoRecordset* pLookup, LPCTSTR lpszKeyField,
                                   LPCTSTR lpszDisplayField)
{
    if (m_pRecordset == nullptr || pLookup == nullptr)
        return FALSE;
    int nField = FieldByName(*m_pRecordset, lpszField);
    int nKey = FieldByName(*pLookup, lpszKeyField);
    int nDisplay = FieldByName(*pLookup, lpszDisplayField);
    if (nField < 0 || nKey < 0 || nDisplay < 0)
        return FALSE;
    return SetColumnLookup(nField, pLookup, nKey, nDisplay);
}

void CRptListCtrl::SortRecordset(int nColumn)
{
    if (m_pRecordset == nullptr || !m_pRecordset->IsOpen() || nColumn <= 0)
        return;
    CWaitCursor wait;
    bool bCategories = m_pCategoryManager != nullptr;
    if (bCategories)
        m_pCategoryManager->Dissolve(this);
    BOOL bAscending = !m_header.IsSortAscending(nColumn);
    m_header.SetSortColumn(nColumn, bAscending ? 1 : 0);
    try
    {
        CDaoFieldInfo info;
        m_pRecordset->GetFieldInfo(nColumn - 1, info, AFX_DAO_PRIMARY_INFO);
        m_pRecordset->m_strSort = info.m_strName;
        if (!bAscending)
            m_pRecordset->m_strSort += " DESC";
        m_pRecordset->Requery();
        if (m_pRecordset->GetRecordCount() > 0)
            m_pRecordset->MoveLast();
    }
    catch (CDaoException* e)
    {
        TRACE("Error sorting the records: %s\n", static_cast<LPCTSTR>(e->m_strError));
        e->Delete();
    }
    Invalidate();
    if (bCategories)
        m_pCategoryManager->Build(this);
}
