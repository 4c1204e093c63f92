// The task property sheet: the general, predecessor, reference-document and target-document
// pages (the advanced page is built but not shown).
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Frames/PropertySheet.h>

#include "TaskDocPage.h"
#include "TaskNormalPage.h"
#include "TaskPreTaskPage.h"

// The advanced page: two template lists, never filled.
class CTaskAdvPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CTaskAdvPage)

public:
    CTaskAdvPage();
};

class CTaskPropertyDlg : public CPropertySheet
{
    DECLARE_DYNAMIC(CTaskPropertyDlg)

public:
    CTaskPropertyDlg(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CTaskPropertyDlg();

    void SetResources(const CTaskResList& resources);
    void SetPredecessorData(const CStringArray& arLinkTypes, const CStringArray& arTaskNames,
                            const CUIntArray& arTaskIds);
    void SetGeneral(int bDatesEditable, CString strName, CString strDescription, const CStringArray& arAssignees,
                    const CObList& links, COleDateTime dtStart, COleDateTime dtFinish, COleDateTime dtDeadline,
                    int nPriority, int nDuration, int bEstimate, int bMilestone);
    void SetRefDocs(const CObList& docs);
    void SetTargetDocs(const CObList& docs);
    void SetCalendar(int nBaseID, const CObList& listFirst, const CObList& listSecond);
    void SetCalendarID(int nID);

    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Menu commands of the pages' pop-ups go to the active page first.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    CTaskPreTaskPage m_pagePreTask;
    CTaskNormalPage m_pageNormal;
    CTaskRefDocPage m_pageRefDoc;
    CTaskTargetDocPage m_pageTargetDoc;
    CTaskAdvPage m_pageAdv;
};
