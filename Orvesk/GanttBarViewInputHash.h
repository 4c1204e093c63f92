// What the chart layout reads, folded into one number as it is read. The input check and the
// layout itself fold the same things in the same order (per task: its fields, the subtrees of
// its children, its links), so a layout records the inputs it was made from on its own walk.
#pragma once

#include "ProjectSpanWalk.h"
#include "ReadAhead.h"
#include "TaskItem.h"

#include <cstdint>
#include <cstring>

class CLayoutInputHash
{
public:
    void Add(uint64_t v)
    {
        m_h ^= v;
        m_h *= 0x100000001B3ull;
        m_h ^= m_h >> 29;
    }
    void Add(const void* p) { Add(Address(p)); }

    // The fields of the task (or of the empty entry) that the layout reads; the caller has
    // noted the task's lines with the read-ahead.
    void AddTaskFields(const CTaskItem* pTask)
    {
        if (pTask == NULL) {
            AddRecord(Fold(Address(pTask), 0));
            return;
        }
        const uint64_t nStatus = static_cast<uint64_t>(pTask->m_dtStart.GetStatus()) |
                                 static_cast<uint64_t>(pTask->m_dtFinish.GetStatus()) << 8 |
                                 static_cast<uint64_t>(pTask->m_strName.IsEmpty()) << 16;
        // The task's words are folded apart from the running value (so that the next task's
        // work need not wait for this one's), then once into it.
        const uint64_t a = Fold(Address(pTask), DateBits(pTask->m_dtStart));
        const uint64_t b = Fold(DateBits(pTask->m_dtFinish), nStatus);
        const uint64_t c =
            Fold(Pack(pTask->m_nRowInGrid, pTask->m_nFlag), Pack(pTask->m_nDuration, pTask->m_nProgress));
        const uint64_t d = Fold(static_cast<uint64_t>(static_cast<uint32_t>(pTask->m_nMilestone)),
                                Pack(static_cast<int>(pTask->m_listChildren.GetCount()),
                                     static_cast<int>(pTask->m_listLinks.GetCount())));
        AddRecord(Fold(a, b) ^ Fold(c ^ 0x8EBC6AF09C88C6E3ull, d));
        m_nCritical += CriticalTerm(pTask, pTask->m_nCritical);
    }
    // The critical marks count apart from the walk's order, as a sum: the mark of a task that
    // a critical chain raised after the walk had folded it is put right here.
    void CriticalRaised(const CTaskItem* pTask)
    {
        m_nCritical += CriticalTerm(pTask, 1) - CriticalTerm(pTask, 0);
    }
    // One entry of a task's link list (the caller has noted it with the read-ahead).
    void AddLink(const CTaskLink* pLink)
    {
        if (pLink == NULL)
            AddRecord(Fold(Address(pLink), 1));
        else
            AddRecord(Fold(Address(pLink), Pack(pLink->m_nSuccID, pLink->m_nType)));
    }
    void AddLinks(const CTaskItem* pTask, CReadAhead& ahead)
    {
        for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;) {
            ahead.Touch(pos);
            const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            if (pLink != NULL)
                ahead.Touch(pLink);
            AddLink(pLink);
        }
    }
    // The whole subtrees of the tasks of the list (each task taken in by pSpan first, if given).
    void AddTasks(const CTaskItemList& list, CReadAhead& ahead, CTaskTreeSpanWalk* pSpan = NULL)
    {
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
            ahead.Touch(pos);
            CTaskItem* pTask = list.GetNext(pos);
            if (pTask != NULL) {
                ahead.TouchRange(&pTask->m_strName, &pTask->m_listLinks + 1);
                if (pSpan != NULL)
                    pSpan->Meet(pTask);
            }
            AddTaskFields(pTask);
            if (pTask == NULL)
                continue;
            AddTasks(pTask->m_listChildren, ahead, pSpan);
            AddLinks(pTask, ahead);
        }
    }

    uint64_t Value() const { return Fold(m_h, m_nCritical); }

    static uint64_t Address(const void* p) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)); }
    static uint64_t DateBits(const COleDateTime& dt)
    {
        const DATE d = dt;
        uint64_t v = 0;
        std::memcpy(&v, &d, sizeof(v));
        return v;
    }

private:
    static uint64_t Pack(int nHigh, int nLow)
    {
        return static_cast<uint64_t>(static_cast<uint32_t>(nHigh)) << 32 | static_cast<uint32_t>(nLow);
    }
    // Two words folded into one through their full 128-bit product.
    static uint64_t Fold(uint64_t a, uint64_t b)
    {
        const unsigned __int128 p =
            static_cast<unsigned __int128>(a ^ 0xA0761D6478BD642Full) * (b ^ 0xE7037ED1A0B428DBull);
        return static_cast<uint64_t>(p) ^ static_cast<uint64_t>(p >> 64);
    }
    void AddRecord(uint64_t nRecord) { m_h = Fold(m_h, nRecord); }
    static uint64_t CriticalTerm(const CTaskItem* pTask, int nCritical)
    {
        return Fold(Address(pTask) ^ 0x5851F42D4C957F2Dull, static_cast<uint64_t>(static_cast<uint32_t>(nCritical)));
    }

    uint64_t m_h = 0xCBF29CE484222325ull;
    uint64_t m_nCritical = 0;
};
