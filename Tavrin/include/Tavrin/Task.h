// The task object: one round trip through the task property sheet (TaskProperty, then on
// result 1 GetTaskProperty), after which the caller destroys it.
#pragma once

#include <ClassLib/Afx.h>
#include <ClassLib/Core/DateTime.h>
#include <Tavrin/ResInfo.h>
#include <Tavrin/Session.h>

class AFX_EXT_CLASS CTask : public CObject
{
    DECLARE_DYNCREATE(CTask)

public:
    CTask();
    CTask(int nProjectID, CSession& session, int nAssignerID);
    virtual ~CTask();

    // Deletes the records of the reference-document, target-document and link lists.
    void DetachList();

    // Runs the sheet over the values: 1 OK (values taken over), 2 closed any other way,
    // -4 OK but a resource of the general page's resource text is unknown.
    int TaskProperty(int nCalendarID, CList<tagResInfo, tagResInfo&>& resources, CStringArray& arTaskNames,
                     CUIntArray& arTaskIds, COleDateTime dtStart, COleDateTime dtFinish, COleDateTime dtDeadline,
                     int nPriority, CStringArray& arAssignees, CObList& refDocs, CObList& targetDocs,
                     const CObList& links, int nBaseCalendarID, CObList& listCalFirst, CObList& listCalSecond,
                     CString strName, CString strDescription, int nDuration, int bEstimate, int nGeneral,
                     int bMilestone);

    // Copies the confirmed values out; the caller owns the copied records and has deleted
    // the former elements of its lists (and emptied its resource list) before the call.
    void GetTaskProperty(CList<tagResInfo, tagResInfo&>& resources, CString& strName, CString& strDescription,
                         COleDateTime& dtStart, COleDateTime& dtFinish, COleDateTime& dtDeadline,
                         int& nPriority, int& nDuration, int& bEstimate, CStringArray& arAssignees,
                         CObList& links, CObList& refDocs, CObList& targetDocs, int& bMilestone);

    // Asks the user for a new task and writes it in one transaction: the new task's id; 0
    // when the sheet is not closed with OK; -1 resource query failed; -2 a write (or the
    // commit) failed; -3 no new id; -4 unknown resource; -5 unknown link type; -6 unknown
    // predecessor.
    int NewTask();
    // Appends the tasks of a project (bByParent 0) or the children of a task (nonzero),
    // depth first, each followed by its children or its sub-project's tasks.
    void GetAllTask(CStringArray& arNames, CUIntArray& arIds, int nID, int bByParent);
    // Appends the error report of the object's records for the interface; returns 1.
    static int OleDBException(const CDbErrorInfo* pObject, const CDbGuid& iid, HRESULT hr, CString& strError);

    // The sheet's caption for a task name: "新建任务" for none, else "任务信息".
    static CString SheetTitle(const CString& strName);

    CObList m_lstLinks;
    CObList m_lstTargetDocs;
    CObList m_lstRefDocs;
    int m_nProjectID;
    CSession m_session;
    int m_nAssignerID;
    CString m_strName;
    CString m_strDescription;
    COleDateTime m_dtStart;
    COleDateTime m_dtDeadline;
    COleDateTime m_dtFinish;
    int m_nPriority;
    int m_nDuration;
    int m_bEstimate;
    int m_bMilestone;
    CStringArray m_arAssignees;
    CList<tagResInfo, tagResInfo&> m_lstResources;
};
