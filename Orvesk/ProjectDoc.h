// The project document: one open project with its header, task tree, removed tasks,
// calendar, resources and permissions, fetched from the project server as XML or kept in
// a local project file. It is a server document; its model, exchange, lifecycle and commands
// are spread over the ProjectDoc*.cpp files by concern.
#pragma once

#include <ClassLib/Afx.h>
#include <ClassLib/DocView/OleServer.h>
#include <DataAccess/DataAccess.h>
#include <Tavrin/CalendarItem.h>
#include <Tavrin/DayOfWeek.h>
#include <Tavrin/HotLink.h>
#include <Tavrin/ResInfo.h>
#include <XmlDom/XmlDom.h>

#include "PermInfo.h"
#include "ProjectInfo.h"
#include "TaskItem.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

typedef CTypedPtrList<CObList, CDayOfWeek*> CDayOfWeekList;
typedef CTypedPtrList<CObList, CCalendarItem*> CCalendarItemList;
class CRestDayCounter;
class CProjectSchedule;
typedef CList<tagPermInfo, tagPermInfo&> CPermInfoList;

class CServerSrvrItem;

class AFX_EXT_CLASS CProjectDoc : public COleServerDoc
{
    DECLARE_DYNCREATE(CProjectDoc)

public:
    CProjectDoc();
    virtual ~CProjectDoc();

    // ---- the local project file -------------------------------------------------------
    // The archive of the whole document: header, tasks, calendar, resources, permissions
    // and the trailing calendar fields. Removed tasks are never written.
    void Serialize(CArchive& ar) override;

    // ---- the server document ------------------------------------------------------------
    CServerSrvrItem* GetEmbeddedItem();
    COleServerItem* OnGetEmbeddedItem() override;
    CDocObjectServer* GetDocObjectServer(LPOLEDOCUMENTSITE pDocSite) override;
    // The in-place frame for a container's window: the document's view moves into it when
    // the document has a window, else the template makes a view in it. NULL when the
    // template cannot make the frame.
    COleIPFrameWnd* CreateInPlaceFrame(CWnd* pParentWnd) override;
    // Moves the view back to where it came from, then destroys the in-place frame.
    void DestroyInPlaceFrame(COleIPFrameWnd* pFrameWnd) override;

    // ---- lifecycle and opening (ProjectDocLifecycle.cpp) ------------------------------
    // A new local project in a new window (a further document of this one's template).
    void FileNew();
    // Server mode: the server open; local mode: the file at the path, or a file the user
    // picks when the path is empty.
    void FileOpen(CString strPath);
    // Creates the document's frame and views and fills it (OnNewDocument): 1 when it is
    // shown; 0 after a failure, when the document has been deleted.
    int OpenDocument(int nID, int nViewType);
    // Fetches the project (and its calendar) from the server: 1 when it was fetched and
    // read, else 0.
    int GetData();
    BOOL OnNewDocument() override;
    // Only the server document's step: the project data stay (a file document is read
    // before the new-document step runs).
    void DeleteContents() override;
    BOOL SaveModified() override;
    // Ends an in-place cell edit of one of the document's views that has the keyboard, so
    // that what it holds reaches the document.
    void EndCellEdit();

    // ---- views (ProjectDocViews.cpp) --------------------------------------------------
    // TASKID of the task in a row of the task tree view; -1 without such a view.
    int GetTaskID(int nRow);
    // Has the task tree view mark the critical tasks.
    void RefreshCritialTask();
    // The header's START (earliest task start), FINISH and DEADLINE (latest task finish)
    // from the tasks, each task's early and late plan dates widened to its start on the way.
    void UpdateHeaderDates();
    // Rows deeper than the level are hidden, the others shown.
    void ChangeExpand(int nLevel);
    // Shows a view of the class: activates an existing one or opens it in a new window.
    int NewView(CRuntimeClass* pViewClass);
    // Replaces the active view in its frame by a new one of the class.
    int SwitchToView(CRuntimeClass* pViewClass);
    bool GetIPAddress(CString& strAddress);

    // ---- saving to the server (ProjectDocSave.cpp) ------------------------------------
    // Sends the project, then its calendar and permissions: 1 saved, 0 not.
    int SaveProject();

    // ---- connection settings (ProjectDocConnection.cpp) -------------------------------
    int ReadReg();
    // When the settings are there but name no server: tells the user so and gives TRUE.
    // Called where a server operation is about to run with no service address.
    BOOL TellServerNameMissing();
    void SaveConnection();

    // ---- creating tasks and projects (ProjectDocNew.cpp) ------------------------------
    int NewTask(int nFirst, int nParentTaskID);
    int NewProject(CString strLoginName);
    int NewProject(CString strLoginName, CString strName, CString strGoal, COleDateTime dtStart,
                   COleDateTime dtFinish, COleDateTime dtDeadline, int nCost);
    // The task with the id in the subtree below pStart (the whole project when NULL), depth
    // first; 0 when none.
    unsigned long GetParentTaskItembyTaskID(int nTaskID, CTaskItem* pStart);

#ifdef _DEBUG
    void AssertValid() const override;
    void Dump(CDumpContext& dc) const override;
#endif

    // Writes the document to the file through a temporary file in the same folder, which
    // replaces the file only when it is complete. FALSE (with the reason in strError) when
    // it could not be written; the old file is then untouched.
    BOOL SaveLocalFile(LPCTSTR lpszPath, CString& strError);
    // Reads the document from the file. FALSE (with the reason in strError) when the file
    // cannot be read or is damaged; the document then keeps what it held.
    BOOL LoadLocalFile(LPCTSTR lpszPath, CString& strError);
    // The same, telling the user in a message box when it fails.
    BOOL WriteLocalFile(LPCTSTR lpszPath);
    BOOL ReadLocalFile(LPCTSTR lpszPath);

    // ---- project exchange XML ---------------------------------------------------------
    // Builds the text the server save sends: header, members, the top-level tasks and the
    // removed tasks, each with its subtree; one progress step per top-level and per removed
    // task. It changes no FLAG, so a save that fails can be sent again as it was.
    void WriteProjectXml(CString& strXml);
    // Marks what a save has delivered: the header and the top-level tasks get FLAG 0 unless
    // it is 3, the removed tasks FLAG 0. The save calls it once the server has taken the
    // text; tasks below the top level keep their FLAG.
    void ResetSaveFlags();

    // Loads a project XML text and reads its document element with Parse; FALSE when the
    // text is not XML.
    BOOL ParseProjectXml(const CString& strXml);
    // The same for a text the caller hands over: it is released once converted, so that a
    // large project's text is not held beside its tree.
    BOOL ParseProjectXml(CString&& strXml);

    // The header's elements ID to PROGRESS (after "<PROJECT>").
    void AppendProjectHeaderXml(CString& strXml) const;
    // "<MEMBERS>" with one MEMBER per project member, "</MEMBERS>".
    void AppendMembersXml(CString& strXml) const;

    int Parse(const CXmlNode& element);
    int ParseTask(const CXmlNode& element, CTaskItem* pParent);
    // The same for an element whose name and first child's text are known (see
    // CXmlElementBatch).
    int ParseTask(const CXmlNode& element, const char* pszName, const char* raw, CTaskItem* pParent);
    int ParseLink(const CXmlNode& element, CTaskItem* pTask, CTaskLink* pLink);
    int ParseDocument(const CXmlNode& element, CTaskItem* pTask);
    int ParseRefDoc(const CXmlNode& element, CRefDoc* pDoc);
    int ParseTargetDoc(const CXmlNode& element, CTargetDoc* pDoc);
    int ParseMember(const CXmlNode& element);
    int ParseAssignee(const CXmlNode& element, CTaskItem* pTask);
    int ParseHotLink(const CXmlNode& element, CTargetDoc* pDoc, CHotLink* pHotLink);

    // ---- calendar ---------------------------------------------------------------------
    // Fetches the calendar of the open project: 0 normally, -1 when the service component
    // cannot be created.
    int LoadCalendar();
    // Appends the CALENDAR document's periods and weekdays and sets its id, name and base;
    // always 1 (a text that is not a CALENDAR document changes nothing).
    int ParseCal(const CString& strXml);
    int ParseCalData(const CXmlNode& element);
    // 1 when the day is a rest day: by the first dated period that holds it, else by its
    // weekday.
    int IsRestDay(int nYear, int nMonth, int nDay);
    // 1 when the weekday (0 Sunday ... 6 Saturday) is a rest day by the weekday list or the
    // base calendar.
    int IsRestDay(int nWeekDay);
    // The calendar's rest days by day number, asked of IsRestDay once per day and shared by
    // the chart's layout and the task grid's schedule; made afresh whenever CalendarKey
    // differs from the one it was made for.
    CRestDayCounter& RestDays();
    // The calendar as values (its base, every weekday entry and period with its address),
    // equal for two calls exactly when no entry was added, removed or changed in between.
    std::vector<uint64_t> CalendarKey() const;

    // ---- the schedule (ProjectDocSchedule.cpp) ------------------------------------------
    // The schedule of the task tree, worked on in place; the task tree view is its reader
    // and editor. Taken in afresh (rows, links, calendar) on first use after the tree, the
    // rows or the links changed (ForgetSchedule) or the calendar did.
    CProjectSchedule& Schedule();
    // bLinks: links may have been added or deleted too, not only the tree and rows changed.
    void ForgetSchedule(bool bLinks = true) { m_nScheduleStale = std::max(m_nScheduleStale, bLinks ? 2 : 1); }
    bool ScheduleStale() const { return m_nScheduleStale != 0; }

    // ---- resources and permissions ----------------------------------------------------
    int GetResources();
    int ParseResources(const CString& strXml);
    int GetUsersPermission();
    int ParsePermission(const CString& strXml);
    // The permissions XML, or "" when there is no record; returns 1.
    int SaveUsersPermission(CString& strXml);
    // The stored value of the permission kind (0-5) of the first record of the user; 0 when
    // there is none. An empty code means the logged-in user (logging in first when nobody
    // is).
    int IsHavePermission(CString strCode, int nKind);

    // ---- lists and lookups ------------------------------------------------------------
    // Deletes every task (with its subtree) of the task and removed-task lists and the
    // calendar entries.
    void DetachList();
    // Deletes the removed tasks.
    void DetachDeleteList();
    // Empties the task list and every children list without deleting a task.
    void RemoveAllList();
    // Replaces (or, with an empty new code, removes) the first assignee code equal to the
    // old one in every task of the project.
    void ReplaceTaskAssignee(const CString& strOld, const CString& strNew);
    CString GetResNameByCode(const CString& strCode);
    CString GetResNameByID(int nID);

    CString GetLoginName() const { return m_strLoginName; }
    void SetLoginName(const CString& strName) { m_strLoginName = strName; }
    void SetProjectID(int nID) { m_nProjectID = nID; m_ProjectInfo.m_nProjID = nID; }
    void SetViewType(int nType) { m_nViewType = nType; }
    int GetViewType() const { return m_nViewType; }

protected:
    // Appends the error report of a data-access object's error records for the interface
    // to the text; returns 1 (the same report as the task object's).
    static int OleDBException(const CDbErrorInfo* pObject, const CDbGuid& iid, HRESULT hr, CString& strError);

    // Command handlers.
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFileOpenFrom();
    void OnFileOpenFrom(CString strPath);
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    afx_msg void OnSaveToServer();
    afx_msg void OnProjPublish();
    afx_msg void OnProjPause();
    afx_msg void OnProjDelete();
    afx_msg void OnProjInfo();
    afx_msg void OnCustomizeCalendar();
    afx_msg void OnOption();
    afx_msg void OnGanttView();
    afx_msg void OnResView();
    afx_msg void OnExpandHide();

    // A new document of this one's template with this one's login, or NULL.
    CProjectDoc* CreateSiblingDocument();
    // Saves to the server and, when that worked, deletes the removed tasks.
    int SaveToServerAndPurge();
    // Rebuilds the service URL from server and site; empty without a server.
    void BuildServiceUrl();
    // The common steps of both NewProject: the header sent as a new project.
    int CreateProjectOnServer();

    // The calendar XML built from the calendar members; returns 0.
    int SaveCalendar(CString& strXml);
    // Deletes the weekday entries and the dated periods.
    void DetachListCalendar();
    // Makes the logged-in user a member holding every permission.
    void ModifyLoginUserPerm();

public:
    CWnd* m_pOrigParent;                // where the view was before it moved in place
    int m_nMaxRowInGrid;                      // highest ROWINGRID of the tasks
    int m_nProjectID;                      // server id of the open project
    std::string m_strRevision;          // the server's revision of the text held here, "" none
    CTaskItemList m_listTasks;          // top-level tasks; each owns its subtree
    CTaskItemList m_listDeletedTasks;       // removed tasks (FLAG 3), sent last by the next save
    CProjectInfo m_ProjectInfo;         // the header with its members
    CDayOfWeekList m_listDayOfWeek;     // working flag per weekday
    CCalendarItemList m_listCalendarItems; // dated working and rest periods
    CString m_strFilePath;              // the local project file
    int m_bLocalFile;                        // 1 local file, 0 server
    CResInfoList m_listResources;       // every resource the server knows
    CPermInfoList m_listPermissions;    // the users' rights on this project
    int m_nCalBaseID;                   // -1 24 hours, -2 standard (Saturday, Sunday off)
    CString m_strLoginName;             // code of the logged-in user, empty for nobody
    CString m_strPassword;              // the password as typed at the login
    int m_nCalID;
    CString m_strCalName;
    CString m_strServiceUrl;            // the service description URL
    CString m_strVDir;                  // site
    CString m_strProxyServerAddress;
    CString m_strProxyServerPort;
    CString m_strServer;
    BOOL m_bNoServerName = FALSE;       // the settings were read and name no server
    int m_bAutomation;                  // 0: the proxy settings go to the service component
    int m_nViewType;                    // 1 network, 2 Gantt, 3 documents

private:
    CProjectDoc(const CProjectDoc&) = delete;
    CProjectDoc& operator=(const CProjectDoc&) = delete;

    int m_nParseDepth; // nesting of TASK elements being read

    std::unique_ptr<CRestDayCounter> m_pRestDays;  // RestDays, for the calendar of m_restDaysKey
    std::vector<uint64_t> m_restDaysKey;
    std::unique_ptr<CProjectSchedule> m_pSchedule;
    int m_nScheduleStale = 2;  // 1 the tree or rows changed, 2 the links too
    std::vector<uint64_t> m_scheduleCalendarKey;  // the calendar m_pSchedule was given
    // What the last walk of UpdateHeaderDates read, in order, for the next walk to ask for
    // ahead of its turn (the tasks and list nodes of a large project lie scattered far
    // beyond the caches); the spare is the trail being written.
    std::vector<const void*> m_headerDatesTrail, m_headerDatesTrailSpare;

    DECLARE_MESSAGE_MAP()
};
