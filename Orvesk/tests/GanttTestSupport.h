// A project window for the chart's tests: a frame holding a Gantt bar view on a project
// document, and helpers that add tasks and links to the document.
#pragma once

#include <ClassLib/AfxWin.h>

#include "GanttBarView.h"
#include "ProjectDoc.h"
#include "TaskItem.h"

#include <vector>

// Fixes the clock (the chart's origin date is the day it is constructed) while it lives.
class CFixedToday
{
public:
    CFixedToday(int y, int m, int d);
    ~CFixedToday();
};

class CGanttHost
{
public:
    // The frame's client area is cx x cy; the view fills it.
    explicit CGanttHost(int cx = 900, int cy = 500);
    ~CGanttHost();

    // The view's first update: a layout and the chart shown.
    void InitialUpdate();

    CProjectDoc* doc = nullptr;
    CFrameWnd* frame = nullptr;
    CGanttBarView* view = nullptr;
    CGunterBar& chart() { return view->m_wndChart; }
};

// A task appended to the parent's children (or to the document's top level when pParent is
// NULL) at the grid row, starting on the date, lasting nDays working days (FINISH nDays - 1
// calendar days later, DURATION nDays x 86400).
CTaskItem* AddGanttTask(CProjectDoc& doc, CTaskItem* pParent, const char* pszName, int nRow,
                        const COleDateTime& dtStart, int nDays);
// The chart's shapes in list order.
std::vector<CTaskBase*> GanttShapes(CGunterBar& chart);
// A link of the type from the task at nPredRow to the successor.
CTaskLink* AddGanttLink(CTaskItem* pSucc, int nPredRow, int nType, int nPredID = 0);
