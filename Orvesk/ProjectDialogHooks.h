// The dialogs the project document runs that live with the project dialogs, the calendar
// and the task library: the project property sheet, the open-project dialog, the option
// sheet, the tree-state dialog, the calendar dialog and the task property sheet. Each
// dialog installs its runner here (as the login does in ProjectLogin.h); until one is
// installed (and in tests, where scripts stand in) running it answers IDCANCEL.
#pragma once

#include <ClassLib/Afx.h>
#include <ClassLib/Core/DateTime.h>
#include <Tavrin/ResInfo.h>

#include "ProjectInfo.h"

#include <functional>

#include "PermInfo.h"

class CProjectDoc;
class CTaskItem;
class CDayOfWeek;
class CCalendarItem;

typedef CList<tagPermInfo, tagPermInfo&> CPermInfoList;

// The project property sheet CProjSheet. Kind 0 a new project, 1 the project information,
// 2 the publish wizard (bitmap 21017 as watermark and header, wizard mode). The runner fills
// the base page from the fields, the role page from *pPermissions (SetPermissionList), the
// member page from *pMembers for both of its lists with nMemberFlag (SetResourceLists), runs
// the sheet and, unless it answers IDCANCEL, copies the base page back into the fields and
// the role page back into *pPermissions (GetPermissionList). The member page edits
// *pMembers in place.
struct AFX_EXT_CLASS CProjSheetData
{
    CString strName;
    CString strGoal;
    CString strCost;          // decimal text
    COleDateTime dtStart;
    COleDateTime dtFinish;
    COleDateTime dtDeadline;
    CPermInfoList* pPermissions = NULL;
    CResInfoList* pMembers = NULL;
    int nMemberFlag = 1;
};
typedef std::function<INT_PTR(const CString& strCaption, int nKind, CProjSheetData& data)>
    ProjectSheetRunner;
AFX_EXT_API ProjectSheetRunner ProjectSetSheetRunner(ProjectSheetRunner runner);
AFX_EXT_API INT_PTR ProjectRunProjSheet(const CString& strCaption, int nKind, CProjSheetData& data);

// The open-project dialog CProjOpenDlg: lists the user's projects from the service and, on
// IDOK, sets nSelectedId (below 1 when none was chosen).
typedef std::function<INT_PTR(int bAutomation, const CString& strLoginName,
                              const CString& strServiceUrl, const CString& strProxyPort,
                              const CString& strProxyAddress, int& nSelectedId)>
    ProjectOpenRunner;
AFX_EXT_API ProjectOpenRunner ProjectSetOpenRunner(ProjectOpenRunner runner);
AFX_EXT_API INT_PTR ProjectRunOpenDlg(int bAutomation, const CString& strLoginName,
                                      const CString& strServiceUrl, const CString& strProxyPort,
                                      const CString& strProxyAddress, int& nSelectedId);

// The option sheet COptionSheet with its connection page: SetSettings from the fields
// before, GetSettings into them after IDOK.
struct AFX_EXT_CLASS CProjConnectionSettings
{
    CString strServer;
    CString strSite;
    CString strProxyAddress;
    int nProxyPort = 0;
    int bAutomation = 1;
};
typedef std::function<INT_PTR(const CString& strCaption, CProjConnectionSettings& settings)>
    ProjectOptionRunner;
AFX_EXT_API ProjectOptionRunner ProjectSetOptionRunner(ProjectOptionRunner runner);
AFX_EXT_API INT_PTR ProjectRunOptionSheet(const CString& strCaption, CProjConnectionSettings& settings);

// The tree-state dialog CExpandSetDlg; on IDOK its result: mode 1 every row, 2 top level
// only, 3 the levels up to nLevels.
typedef std::function<INT_PTR(int& nMode, int& nLevels)> ProjectExpandRunner;
AFX_EXT_API ProjectExpandRunner ProjectSetExpandRunner(ProjectExpandRunner runner);
AFX_EXT_API INT_PTR ProjectRunExpandDlg(int& nMode, int& nLevels);

// The calendar dialog, given the document's calendar (weekdays, dated periods, project id,
// calendar id, base id and name, read from the document). On IDOK with bChanged set, the
// new weekdays and periods (objects made with new; the document takes them over), the name
// and the base id are handed back here.
struct AFX_EXT_CLASS CProjCalendarResult
{
    CProjCalendarResult();
    ~CProjCalendarResult(); // deletes the entries not taken over
    BOOL bChanged = FALSE;
    CTypedPtrList<CObList, CDayOfWeek*> listDayOfWeek;
    CTypedPtrList<CObList, CCalendarItem*> listCalendarItems;
    CString strCalName;
    int nCalBaseID = -2;
};
typedef std::function<INT_PTR(CProjectDoc& doc, const CString& strCalName, CProjCalendarResult& result)>
    ProjectCalendarRunner;
AFX_EXT_API ProjectCalendarRunner ProjectSetCalendarRunner(ProjectCalendarRunner runner);
AFX_EXT_API INT_PTR ProjectRunCalendarDlg(CProjectDoc& doc, const CString& strCalName,
                                          CProjCalendarResult& result);

// The task property sheet (the task library's CTask::TaskProperty with the document's
// calendar and the record's assignees, links, documents and priority) and, on IDOK, the
// values read back into the record (CTask::GetTaskProperty with the project members): name,
// description, start, finish and deadline, priority, duration, duration-is-estimate,
// milestone, assignees, links and documents.
typedef std::function<INT_PTR(CProjectDoc& doc, CTaskItem& task)> ProjectTaskPropertyRunner;
AFX_EXT_API ProjectTaskPropertyRunner ProjectSetTaskPropertyRunner(ProjectTaskPropertyRunner runner);
AFX_EXT_API INT_PTR ProjectRunTaskProperty(CProjectDoc& doc, CTaskItem& task);
