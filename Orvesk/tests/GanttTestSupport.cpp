#include "GanttTestSupport.h"

#include <ClassLib/Core/Clock.h>
#include <ClassLib/DocView/CreateContext.h>

#include "Gantt_src/TaskShapes.h"

CFixedToday::CFixedToday(int y, int m, int d)
{
    const COleDateTime dt(y, m, d, 9, 0, 0);
    AfxTestSetCurrentTime(&dt);
}

CFixedToday::~CFixedToday() { AfxTestSetCurrentTime(nullptr); }

CGanttHost::CGanttHost(int cx, int cy)
{
    doc = new CProjectDoc;
    doc->m_bAutoDelete = FALSE;  // the host deletes it after the frame
    frame = new CFrameWnd;
    frame->Create(NULL, "Gantt", WS_OVERLAPPEDWINDOW, CRect(0, 0, cx, cy));
    CCreateContext ctx;
    ctx.m_pNewViewClass = RUNTIME_CLASS(CGanttBarView);
    ctx.m_pCurrentDoc = doc;
    view = static_cast<CGanttBarView*>(frame->CreateView(&ctx));
    CRect rc;
    frame->GetClientRect(&rc);
    if (view != nullptr)
        view->MoveWindow(&rc);
}

CGanttHost::~CGanttHost()
{
    if (frame != nullptr && frame->GetSafeHwnd() != NULL)
        frame->DestroyWindow();  // deletes the frame and the view
    delete doc;
}

void CGanttHost::InitialUpdate()
{
    view->OnInitialUpdate();
}

CTaskItem* AddGanttTask(CProjectDoc& doc, CTaskItem* pParent, const char* pszName, int nRow,
                        const COleDateTime& dtStart, int nDays)
{
    CTaskItem* pTask = new CTaskItem;
    pTask->m_strName = pszName;
    pTask->m_nRowInGrid = nRow;
    pTask->m_dtStart = dtStart;
    pTask->m_dtFinish = dtStart + COleDateTimeSpan(nDays > 0 ? nDays - 1 : 0, 0, 0, 0);
    pTask->m_nDuration = nDays * 86400;
    pTask->m_nTrueDuration = pTask->m_nDuration;
    pTask->m_nIsTask = 1;
    if (pParent != NULL)
        pParent->m_listChildren.AddTail(pTask);
    else
        doc.m_listTasks.AddTail(pTask);
    return pTask;
}

CTaskLink* AddGanttLink(CTaskItem* pSucc, int nPredRow, int nType, int nPredID)
{
    CTaskLink* pLink = new CTaskLink;
    pLink->m_nSuccID = nPredRow;
    pLink->m_nType = nType;
    pLink->m_nPredID = nPredID;
    pSucc->m_listLinks.AddTail(pLink);
    return pLink;
}

std::vector<CTaskBase*> GanttShapes(CGunterBar& chart)
{
    std::vector<CTaskBase*> out;
    CObList& list = chart.GetShapeList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        out.push_back(static_cast<CTaskBase*>(list.GetNext(pos)));
    return out;
}
