// CListCtrl label widths: each row's label is measured once (again when its text or the
// list's font changes); the widest label comes from a count of rows per width, so that
// inserting, changing or deleting an item costs the same however many items there are.
#include "ListCtrlLabels.h"

#include <algorithm>
#include <cstring>

CListCtrl::MeasureScope::MeasureScope(const CListCtrl* pList)
    : m_pList(pList), m_bOuter(pList->m_pMeasureScope == nullptr)
{
    if (!m_bOuter)
        return;
    m_pList->m_pMeasureScope = this;
    m_pList->m_nCallbackLabelWidth = -1;
}

CListCtrl::MeasureScope::~MeasureScope()
{
    if (!m_bOuter)
        return;
    m_pList->m_pMeasureScope = nullptr;
    m_pList->m_nCallbackLabelWidth = -1;
    if (m_dc)
        m_dc->SelectObject(m_pOldFont);
}

CDC* CListCtrl::MeasureScope::DC()
{
    if (!m_dc)
    {
        CListCtrl* pMutable = const_cast<CListCtrl*>(m_pList);
        m_dc.reset(new CClientDC(pMutable));
        m_pOldFont = m_dc->SelectObject(pMutable->GetFont());
    }
    return m_dc.get();
}

void CListCtrl::MeasureScope::CheckFont()
{
    if (m_bFontChecked)
        return;
    m_bFontChecked = true;
    m_pList->CheckLabelFont();
}

int CListCtrl::MeasureText(LPCTSTR lpsz, int nLength) const
{
    if (lpsz == nullptr || nLength <= 0)
        return 0;
    if (m_pMeasureScope != nullptr)
        return m_pMeasureScope->DC()->GetTextExtent(lpsz, nLength).cx;
    CListCtrl* pMutable = const_cast<CListCtrl*>(this);
    CClientDC dc(pMutable);
    CFont* pOld = dc.SelectObject(pMutable->GetFont());
    int cx = dc.GetTextExtent(lpsz, nLength).cx;
    dc.SelectObject(pOld);
    return cx;
}

int CListCtrl::GetStringWidth(LPCTSTR lpsz) const
{
    if (lpsz == nullptr)
        return 0;
    return MeasureText(lpsz, static_cast<int>(std::strlen(lpsz)));
}

// Widths measured with another font are forgotten. WM_SETFONT forgets them at once; each
// measure scope (every layout and paint) checks the font once more before it uses them.
void CListCtrl::CheckLabelFont() const
{
    if (m_hWnd == nullptr)
        return;
    CFont* pFont = const_cast<CListCtrl*>(this)->GetFont();
    HGDIOBJ hFont = pFont != nullptr ? pFont->GetSafeHandle() : nullptr;
    if (hFont == m_hLabelFont)
        return;
    const_cast<CListCtrl*>(this)->ForgetLabelWidths();
    m_hLabelFont = hFont;
}

namespace {
template <class TRow>
bool IsCallbackLabel(const TRow& row)
{
    return !row.cells.empty() && row.cells[0].callback;
}
}  // namespace

// A row's label is now in the list (inserted, or its text set): not measured yet.
void CListCtrl::AddLabel(Row& row)
{
    row.labelWidth = -1;
    m_nCallbackLabelWidth = -1;
    if (IsCallbackLabel(row))
        ++m_nCallbackLabels;
    else
        ++m_nUnmeasuredLabels;
}

// A row's label leaves the list (deleted, or about to get another text).
void CListCtrl::ForgetLabel(Row& row)
{
    m_nCallbackLabelWidth = -1;
    if (IsCallbackLabel(row))
        --m_nCallbackLabels;
    else if (row.labelWidth < 0)
        --m_nUnmeasuredLabels;
    else
    {
        auto it = m_labelWidthCount.find(row.labelWidth);
        if (it != m_labelWidthCount.end() && --it->second == 0)
            m_labelWidthCount.erase(it);
    }
    row.labelWidth = -1;
}

// Every label to be measured again (the font changed, or the rows came from elsewhere).
void CListCtrl::ForgetLabelWidths()
{
    m_labelWidthCount.clear();
    m_nUnmeasuredLabels = 0;
    m_nCallbackLabels = 0;
    m_nCallbackLabelWidth = -1;
    for (Row& row : m_rows)
        AddLabel(row);
}

void CListCtrl::MeasureLabel(Row& row) const
{
    if (row.labelWidth >= 0 || IsCallbackLabel(row))
        return;
    const CString& text = row.cells.empty() ? CString() : row.cells[0].text;
    row.labelWidth = MeasureText(text, text.GetLength());
    ++m_labelWidthCount[row.labelWidth];
    --m_nUnmeasuredLabels;
}

int CListCtrl::LabelWidth(int nItem) const
{
    if (m_pMeasureScope != nullptr)
        m_pMeasureScope->CheckFont();
    Row& row = const_cast<Row&>(m_rows[static_cast<size_t>(nItem)]);
    if (IsCallbackLabel(row))
        return GetStringWidth(CellText(nItem, 0));
    MeasureLabel(row);
    return row.labelWidth;
}

int CListCtrl::WidestLabel() const
{
    const bool bScoped = m_pMeasureScope != nullptr;
    if (bScoped)
        m_pMeasureScope->CheckFont();
    if (m_nUnmeasuredLabels > 0)
    {
        MeasureScope scope(this);
        for (const Row& row : m_rows)
            MeasureLabel(const_cast<Row&>(row));
    }
    int cx = m_labelWidthCount.empty() ? 0 : m_labelWidthCount.rbegin()->first;
    if (m_nCallbackLabels > 0)
    {
        // The parent's labels are asked once per layout (the scope keeps the answer).
        int cxCallback = m_nCallbackLabelWidth;
        if (cxCallback < 0)
        {
            MeasureScope scope(this);
            cxCallback = 0;
            for (int i = 0; i < GetItemCount(); ++i)
            {
                if (IsCallbackLabel(m_rows[static_cast<size_t>(i)]))
                    cxCallback = std::max(cxCallback, GetStringWidth(CellText(i, 0)));
            }
            if (bScoped)
                m_nCallbackLabelWidth = cxCallback;  // until the enclosing scope closes
        }
        cx = std::max(cx, cxCallback);
    }
    return cx;
}
