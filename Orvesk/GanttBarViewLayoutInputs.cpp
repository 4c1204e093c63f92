// Everything the chart layout reads, folded into one number. The task tree syncs the chart on
// every grid paint and several times in one edit; a sync whose layout inputs are those of the
// chart's last layout keeps the shapes it has instead of building the same ones again. The
// layout folds the same inputs on its own walk (BuildChart), so the number it records is that
// of what it read, after the header dates and critical marks it brought up to date first.
// Every change of a task field or list the layout reads moves the task stamp (TrackedField.h):
// a sync on the stamp of the last layout, with the same settings, need not walk the tasks.
#include "GanttBarView.h"

#include "GanttBarViewInputHash.h"
#include "ProjectDoc.h"
#include "ReadAhead.h"

#include <cstdint>
#include <cstring>
#include <vector>

std::vector<uint64_t> CGanttBarView::CalendarKey()
{
    auto address = [](const void* p) { return CLayoutInputHash::Address(p); };
    std::vector<uint64_t> key;
    CProjectDoc* pDoc = GetDocument();
    key.push_back(address(pDoc));
    if (pDoc == NULL)
        return key;
    key.push_back(static_cast<uint64_t>(static_cast<uint32_t>(pDoc->m_nCalBaseID)));
    // (An empty entry is its 0 alone: the key reads back one way only.)
    key.push_back(static_cast<uint64_t>(pDoc->m_listDayOfWeek.GetCount()));
    for (POSITION pos = pDoc->m_listDayOfWeek.GetHeadPosition(); pos != NULL;) {
        const CDayOfWeek* pDay = pDoc->m_listDayOfWeek.GetNext(pos);
        key.push_back(address(pDay));
        if (pDay != NULL)
            key.push_back(static_cast<uint64_t>(static_cast<uint32_t>(pDay->m_nDay)) << 32 |
                          static_cast<uint32_t>(pDay->m_bWorking));
    }
    key.push_back(static_cast<uint64_t>(pDoc->m_listCalendarItems.GetCount()));
    for (POSITION pos = pDoc->m_listCalendarItems.GetHeadPosition(); pos != NULL;) {
        const CCalendarItem* pItem = pDoc->m_listCalendarItems.GetNext(pos);
        key.push_back(address(pItem));
        if (pItem != NULL) {
            key.push_back(CLayoutInputHash::DateBits(pItem->m_dtFrom));
            key.push_back(static_cast<uint64_t>(pItem->m_dtFrom.GetStatus()));
            key.push_back(CLayoutInputHash::DateBits(pItem->m_dtTo));
            key.push_back(static_cast<uint64_t>(pItem->m_dtTo.GetStatus()));
            key.push_back(static_cast<uint64_t>(static_cast<uint32_t>(pItem->m_bWorking)));
        }
    }
    return key;
}

CProjectDoc* CGanttBarView::AddLayoutSettings(CLayoutInputHash& h)
{
    double dDayWidth = m_wndChart.GetDayWidth();
    uint64_t nWidth = 0;
    std::memcpy(&nWidth, &dDayWidth, sizeof(nWidth));
    h.Add(nWidth);
    int nYear = 0, nMonth = 0, nDay = 0;
    m_wndChart.GetOriginDate(nYear, nMonth, nDay);
    h.Add(static_cast<uint64_t>(nYear) << 32 | static_cast<uint64_t>(nMonth) << 16 | static_cast<uint64_t>(nDay));
    h.Add(static_cast<uint64_t>(m_wndChart.GetSafeHwnd() != NULL));

    h.Add(static_cast<uint64_t>(m_arrCollapsedRows.GetSize()));
    for (INT_PTR i = 0; i < m_arrCollapsedRows.GetSize(); ++i)
        h.Add(static_cast<uint64_t>(m_arrCollapsedRows[i]));

    CProjectDoc* pDoc = GetDocument();
    h.Add(pDoc);
    if (pDoc == NULL)
        return NULL;
    // The rest days the bars step over.
    for (const uint64_t v : CalendarKey())
        h.Add(v);
    h.Add(static_cast<uint64_t>(pDoc->m_listTasks.GetCount()));
    return pDoc;
}

uint64_t CGanttBarView::LayoutInputs()
{
    CLayoutInputHash h;
    if (CProjectDoc* pDoc = AddLayoutSettings(h)) {
        CReadAhead ahead(m_inputsTrail, m_inputsTrailSpare);
        h.AddTasks(pDoc->m_listTasks, ahead);
    }
    return h.Value();
}

uint64_t CGanttBarView::LayoutSettings()
{
    CLayoutInputHash h;
    AddLayoutSettings(h);
    return h.Value();
}

void CGanttBarView::NoteShapesInputs(uint64_t nInputs, uint64_t nSettings)
{
    m_nShapesInputs = nInputs;
    m_bShapesInputsKnown = TRUE;
    m_nShapesStamp = CTaskStamp::Now();
    m_nShapesStructure = CTaskStamp::Structure();
    m_nShapesSettings = nSettings;
}

BOOL CGanttBarView::ShapesCurrent()
{
    if (!m_bShapesInputsKnown)
        return FALSE;
    const uint64_t nStamp = CTaskStamp::Now();
    const uint64_t nSettings = LayoutSettings();
    if (nStamp == m_nShapesStamp && nSettings == m_nShapesSettings) {
        if (s_bVerifyLayoutInputs && LayoutInputs() != m_nShapesInputs)
            s_nStaleLayoutInputs++;
        return TRUE;
    }
    // A task or link came, went or moved: the layout changes, no walk needed to tell.
    if (CTaskStamp::Structure() != m_nShapesStructure)
        return FALSE;
    // Written, perhaps to the same values: the walk tells.
    if (LayoutInputs() != m_nShapesInputs)
        return FALSE;
    m_nShapesStamp = nStamp;
    m_nShapesSettings = nSettings;
    return TRUE;
}
