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

uint64_t DateBits(const COleDateTime& dt)
{
    const DATE d = dt;
    uint64_t v = 0;
    std::memcpy(&v, &d, sizeof(v));
    return v;
}

uint64_t Pack(int nHigh, int nLow)
{
    return static_cast<uint64_t>(static_cast<uint32_t>(nHigh)) << 32 | static_cast<uint32_t>(nLow);
}

// Two words folded into one through their full 128-bit product.
inline uint64_t Fold(uint64_t a, uint64_t b)
{
    const unsigned __int128 p =
        static_cast<unsigned __int128>(a ^ 0xA0761D6478BD642Full) * (b ^ 0xE7037ED1A0B428DBull);
    return static_cast<uint64_t>(p) ^ static_cast<uint64_t>(p >> 64);
}

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
    // One step of the running value for a whole record: the record's words are folded apart
    // from it (so that the next record's work need not wait for this one's), then once into it.
    void AddRecord(uint64_t nRecord) { m_h = Fold(m_h, nRecord); }
    uint64_t Value() const { return m_h; }

private:
    uint64_t m_h = 0xCBF29CE484222325ull;
};

// The walk over the tasks, read as LayoutTask reads them: the dates of every task it visits;
// the rest, the links and the children only of a task that gets shapes (the shapes keep the
// task and link objects, so those are part of it too). It reads ahead along the last walk's
// trail. (Whether a task's row is collapsed follows from its row and the collapsed rows,
// both counted already.)
class CTaskWalk
{
public:
    CTaskWalk(CInputHash& h, std::vector<const void*>& trail, std::vector<const void*>& spare)
        : m_h(h), m_ahead(trail, spare)
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
        const uint64_t nAddress = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(pTask));
        if (pTask == NULL) {
            m_h.AddRecord(Fold(nAddress, 0));
            return;
        }
        // The fields read lie in the task's first four cache lines (the task record keeps them
        // together).
        m_ahead.TouchRange(&pTask->m_strName, &pTask->m_listLinks + 1);
        const uint64_t nStatus = static_cast<uint64_t>(pTask->m_dtStart.GetStatus()) |
                                 static_cast<uint64_t>(pTask->m_dtFinish.GetStatus()) << 8 |
                                 static_cast<uint64_t>(pTask->m_strName.IsEmpty()) << 16;
        // A hidden task gets no shapes, but the layout refreshes the header dates and the
        // critical marks first, and those read every task: its links and children count too.
        const uint64_t a = Fold(nAddress, DateBits(pTask->m_dtStart));
        const uint64_t b = Fold(DateBits(pTask->m_dtFinish), nStatus);
        const uint64_t c = Fold(Pack(pTask->m_nRowInGrid, pTask->m_nFlag), Pack(pTask->m_nDuration, pTask->m_nProgress));
        const uint64_t d = Fold(Pack(pTask->m_nCritical, pTask->m_nMilestone),
                                Pack(static_cast<int>(pTask->m_listChildren.GetCount()),
                                     static_cast<int>(pTask->m_listLinks.GetCount())));
        m_h.AddRecord(Fold(a, b) ^ Fold(c ^ 0x8EBC6AF09C88C6E3ull, d));
        for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;) {
            Touch(pos);
            const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            const uint64_t nLink = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(pLink));
            if (pLink == NULL) {
                m_h.AddRecord(Fold(nLink, 1));
                continue;
            }
            Touch(pLink);
            m_h.AddRecord(Fold(nLink, Pack(pLink->m_nSuccID, pLink->m_nType)));
        }
        AddTasks(pTask->m_listChildren);
    }

    CInputHash& m_h;
    CReadAhead m_ahead;
};

} // namespace

std::vector<uint64_t> CGanttBarView::CalendarKey()
{
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
            key.push_back(DateBits(pItem->m_dtFrom));
            key.push_back(static_cast<uint64_t>(pItem->m_dtFrom.GetStatus()));
            key.push_back(DateBits(pItem->m_dtTo));
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
    CTaskWalk(h, m_inputsTrail, m_inputsTrailSpare).AddTasks(pDoc->m_listTasks);
    return h.Value();
}

void CGanttBarView::NoteLayoutInputs()
{
    m_nShapesInputs = m_bPendingInputsKnown ? m_nPendingInputs : LayoutInputs();
    m_bShapesInputsKnown = TRUE;
    m_bPendingInputsKnown = FALSE;
}
