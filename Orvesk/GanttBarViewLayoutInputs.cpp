// Everything the chart layout reads, folded into one number. The task tree syncs the chart on
// every grid paint and several times in one edit; a sync whose layout inputs are those of the
// chart's last layout keeps the shapes it has instead of building the same ones again.
#include "GanttBarView.h"

#include "ProjectDoc.h"
#include "ReadAhead.h"
#include "TaskCodes.h"
#include "TaskItem.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

class CInputHash
{
public:
    void Add(uint64_t v)
    {
        m_h ^= v;
        m_h *= 0x100000001B3ull;
        m_h ^= m_h >> 29;
    }
    void Add(const void* p) { Add(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p))); }
    void Add(const COleDateTime& dt)
    {
        const DATE d = dt;
        uint64_t v = 0;
        std::memcpy(&v, &d, sizeof(v));
        Add(v);
        Add(static_cast<uint64_t>(dt.GetStatus()));
    }
    uint64_t Value() const { return m_h; }

private:
    uint64_t m_h = 0xCBF29CE484222325ull;
};

// The walk over the tasks, read as LayoutTask reads them: the dates of every task it visits;
// the rest, the links and the children only of a task that gets shapes (the shapes keep the
// task and link objects, so those are part of it too). It reads ahead along the last walk's
// trail.
class CTaskWalk
{
public:
    CTaskWalk(CInputHash& h, const CCollapsedRowIndex<UINT>& collapsed, std::vector<const void*>& trail,
              std::vector<const void*>& spare)
        : m_h(h), m_collapsed(collapsed), m_ahead(trail, spare)
    {
    }

    void AddTasks(const CTaskItemList& list)
    {
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
            Touch(pos);
            const CTaskItem* pTask = list.GetNext(pos);
            AddTask(pTask);
        }
    }

private:
    void Touch(const void* p) { m_ahead.Touch(p); }

    void AddTask(const CTaskItem* pTask)
    {
        m_h.Add(pTask);
        if (pTask == NULL)
            return;
        // The fields read lie in the task's first four cache lines (the task record keeps them
        // together).
        Touch(&pTask->m_strName);
        Touch(&pTask->m_dtStart);
        Touch(&pTask->m_listChildren);
        Touch(&pTask->m_listLinks);
        m_h.Add(pTask->m_dtStart);
        m_h.Add(pTask->m_dtFinish);
        m_h.Add(static_cast<uint64_t>(static_cast<uint32_t>(pTask->m_nRowInGrid)) << 32 |
                static_cast<uint32_t>(pTask->m_nFlag));
        const bool bNameEmpty = pTask->m_strName.IsEmpty();
        m_h.Add(static_cast<uint64_t>(bNameEmpty));
        m_h.Add(static_cast<uint64_t>(m_collapsed.Has(static_cast<UINT>(pTask->m_nRowInGrid))));
        // A hidden task gets no shapes, but the layout refreshes the header dates and the
        // critical marks first, and those read every task: its links and children count too.
        m_h.Add(static_cast<uint64_t>(static_cast<uint32_t>(pTask->m_nDuration)) << 32 |
                static_cast<uint32_t>(pTask->m_nProgress));
        m_h.Add(static_cast<uint64_t>(static_cast<uint32_t>(pTask->m_nCritical)) << 32 |
                static_cast<uint32_t>(pTask->m_nMilestone));
        m_h.Add(static_cast<uint64_t>(pTask->m_listChildren.GetCount()) << 32 |
                static_cast<uint32_t>(pTask->m_listLinks.GetCount()));
        for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;) {
            Touch(pos);
            const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            m_h.Add(pLink);
            if (pLink != NULL) {
                Touch(pLink);
                m_h.Add(static_cast<uint64_t>(static_cast<uint32_t>(pLink->m_nSuccID)) << 32 |
                        static_cast<uint32_t>(pLink->m_nType));
            }
        }
        AddTasks(pTask->m_listChildren);
    }

    CInputHash& m_h;
    const CCollapsedRowIndex<UINT>& m_collapsed;
    CReadAhead m_ahead;
};

} // namespace

std::vector<uint64_t> CGanttBarView::CalendarKey()
{
    auto bits = [](const COleDateTime& dt) {
        const DATE d = dt;
        uint64_t v = 0;
        std::memcpy(&v, &d, sizeof(v));
        return v;
    };
    auto address = [](const void* p) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)); };
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
            key.push_back(bits(pItem->m_dtFrom));
            key.push_back(static_cast<uint64_t>(pItem->m_dtFrom.GetStatus()));
            key.push_back(bits(pItem->m_dtTo));
            key.push_back(static_cast<uint64_t>(pItem->m_dtTo.GetStatus()));
            key.push_back(static_cast<uint64_t>(static_cast<uint32_t>(pItem->m_bWorking)));
        }
    }
    return key;
}

uint64_t CGanttBarView::LayoutInputs()
{
    CInputHash h;
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
        return h.Value();
    // The rest days the bars step over.
    for (const uint64_t v : CalendarKey())
        h.Add(v);
    h.Add(static_cast<uint64_t>(pDoc->m_listTasks.GetCount()));
    // (The layout's own index of them, made now as the layout makes it.)
    m_collapsedIndex.Assign(m_arrCollapsedRows.GetData(), m_arrCollapsedRows.GetData() + m_arrCollapsedRows.GetSize());
    CTaskWalk(h, m_collapsedIndex, m_inputsTrail, m_inputsTrailSpare).AddTasks(pDoc->m_listTasks);
    return h.Value();
}

void CGanttBarView::NoteLayoutInputs()
{
    m_nShapesInputs = m_bPendingInputsKnown ? m_nPendingInputs : LayoutInputs();
    m_bShapesInputsKnown = TRUE;
    m_bPendingInputsKnown = FALSE;
}
