// The task record: one task of the project with its subtree, links, documents and assignees.
#pragma once

#include <ClassLib/Afx.h>
#include <Tavrin/TaskLink.h>
#include <Tavrin/RefDoc.h>
#include <Tavrin/TargetDoc.h>

#include <vector>

#include "TaskCodes.h"

class CTaskItem;
typedef CTypedPtrList<CObList, CTaskItem*> CTaskItemList;
typedef CTypedPtrList<CObList, CTaskLink*> CTaskLinkList;
typedef CTypedPtrList<CObList, CRefDoc*> CRefDocList;
typedef CTypedPtrList<CObList, CTargetDoc*> CTargetDocList;

// What the passes over the whole project read (the chart layout, the header dates, the
// critical marks, the link checks and the schedule), together in one stretch of the task
// record: at 50,000 tasks each such pass then reads a few lines of every task instead of most
// of its 600 bytes, and a walk asks for the whole stretch ahead of its turn (HotFields).
struct CTaskHotFields
{
    CString m_strName;
    int m_nRowInGrid = 0;  // 1-based row in the task grid
    int m_nFlag = 0;
    int m_nDuration = 0;    // seconds, 86400 per working day
    int m_nProgress = 0;    // percent complete
    int m_nMilestone = 0;
    int m_nCritical = 0;    // 1 on the critical path
    COleDateTime m_dtStart;
    COleDateTime m_dtFinish;
    COleDateTime m_dtEarlyStart;
    COleDateTime m_dtLateStart;
    COleDateTime m_dtDeadline;
    CTaskItemList m_listChildren; // owned, display order
    int m_nTaskID = 0;
    CTaskLinkList m_listLinks;    // owned predecessor links
};
// Four cache lines at most, the record's header included.
static_assert(sizeof(CTaskHotFields) + sizeof(void*) <= 4 * 64, "the hot fields of a task outgrew four cache lines");

class AFX_EXT_CLASS CTaskItem : public CObject, public CTaskHotFields
{
    DECLARE_SERIAL(CTaskItem)

public:
    CTaskItem();
    // Deletes the children (so the whole subtree), the links and the documents.
    virtual ~CTaskItem();

    // The local project file's form of the task and its subtree. A removed task (FLAG 3)
    // is neither written nor read.
    virtual void Serialize(CArchive& ar);

    // Empties the children lists of the whole subtree without deleting any task: for a
    // caller that has taken the task objects over elsewhere.
    void ClearChildren();

    // Appends the XML of this task's children (nothing without children); dates in the
    // task date format (string 56609). Changes no FLAG.
    void WriteXml(CString& strXml);

    // In every task below this one: the first assignee code equal to strOld becomes strNew,
    // or is removed when strNew is empty.
    void ReplaceAssignee(const CString& strOld, const CString& strNew);

    // Replaces or removes the first assignee code equal to strOld in this task only.
    void ReplaceOwnAssignee(const CString& strOld, const CString& strNew);

    // Pieces of the TASK element, shared by the document's save and WriteXml:
    // "<TASK>" up to and including the FLAG group; all ten dates or only the first six
    // (start, actual start, finish, actual finish, creation, deadline).
    void AppendXmlHead(CString& strXml, LPCTSTR lpszDateFormat, BOOL bAllDates) const;
    // ASSIGNEES, LINKS, DOCUMENTS (each only when non-empty), then the children through
    // WriteXml. PREDID is the predecessor's row when bPredByRow, else its task id.
    void AppendXmlBody(CString& strXml, BOOL bPredByRow, LPCTSTR lpszChildDateFormat);
    // ASSIGNEES, LINKS and DOCUMENTS alone (each only when non-empty).
    void AppendXmlRecords(CString& strXml, BOOL bPredByRow) const;

    // The hot fields as one object, for a walk that asks for them ahead.
    const CTaskHotFields& HotFields() const { return *this; }

public:
    CDWordArray m_arrSuccessors;  // grid rows of the tasks that have this one as predecessor
    int m_nSuccessor;  // 1 once a successor row has been added (written with the rows above)

    int m_nSubProjID;
    int m_nProjID;      // ENTIREPROJID: the project the task belongs to
    int m_nIsTask;      // 1 ordinary task, 0 sub-project (the XML's ISSUBPROJ is its negation)
    int m_nParentID;
    int m_nCost;
    int m_nActCost;
    CString m_strDesc;
    int m_nTrueDuration;
    int m_nActDuration;
    int m_nDurIsEst;
    int m_nPriority;
    int m_nStatus;
    int m_nAssignerID;
    COleDateTime m_dtCreation;
    COleDateTime m_dtActFinish;
    COleDateTime m_dtActStart;
    COleDateTime m_dtEarlyFinish;
    COleDateTime m_dtLateFinish;
    CStringArray m_arrAssignees;  // resource codes
    CRefDocList m_listRefDocs;    // owned
    CTargetDocList m_listTargetDocs; // owned
    int m_nReserved;   // kept with the task and in the local file (20)
    // The duration the task had as a leaf, kept while a level change makes it a summary
    // (whose duration is its children's span), so that it gets it back when it becomes a
    // leaf again; -1 when not known. Not stored.
    int m_nOwnDuration;
    // Kept by the project schedule that holds the task, not stored: the grid's blank rows
    // right before it, the tasks holding a link that resolves to it (one entry a link), and
    // the schedule's walk of its rows that last found it in the tree.
    int m_nScheduleGap = 0;
    std::vector<CTaskItem*> m_scheduleSuccs;
    unsigned long long m_nScheduleWalk = 0;

private:
    CTaskItem(const CTaskItem&) = delete;
    CTaskItem& operator=(const CTaskItem&) = delete;

    void WriteChildrenXml(CString& strXml, LPCTSTR lpszDateFormat);
};

// The deadline never lies before the finish: a deadline that is earlier, or not a valid
// date, becomes the finish.
inline void KeepTaskDeadline(CTaskItem* pTask)
{
    if (pTask->m_dtDeadline.GetStatus() != COleDateTime::valid || pTask->m_dtDeadline < pTask->m_dtFinish)
        pTask->m_dtDeadline = pTask->m_dtFinish;
}

// Removes from the task, and deletes, each link for which drop(pLink) holds (an empty entry
// is asked about too); TRUE when any went.
template <class Drop>
BOOL RemoveTaskLinksIf(CTaskItem* pTask, Drop drop)
{
    BOOL bRemoved = FALSE;
    POSITION pos = pTask->m_listLinks.GetHeadPosition();
    while (pos != NULL)
    {
        POSITION posLink = pos;
        CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
        if (!drop(pLink))
            continue;
        pTask->m_listLinks.RemoveAt(posLink);
        delete pLink;
        bRemoved = TRUE;
    }
    return bRemoved;
}
