#include "GridVirtHooks.h"

namespace {
CGridDateEditorHooks* g_pDateEditorHooks = NULL;
PFN_GRID_TASK_DATES g_pfnTaskDates = NULL;
}  // namespace

CGridDateEditorHooks* GridSetDateEditorHooks(CGridDateEditorHooks* pHooks)
{
    CGridDateEditorHooks* pOld = g_pDateEditorHooks;
    g_pDateEditorHooks = pHooks;
    return pOld;
}

CGridDateEditorHooks* GridGetDateEditorHooks() { return g_pDateEditorHooks; }

PFN_GRID_TASK_DATES GridSetTaskDatesReader(PFN_GRID_TASK_DATES pfnRead)
{
    PFN_GRID_TASK_DATES pfnOld = g_pfnTaskDates;
    g_pfnTaskDates = pfnRead;
    return pfnOld;
}

PFN_GRID_TASK_DATES GridGetTaskDatesReader() { return g_pfnTaskDates; }
