// The settable hooks of the grid sources: the task tip factory and the in-place editors.
#include "GridTaskHooks.h"
#include "GridEditHooks.h"

namespace
{
PFN_GRID_CREATE_TASKTIP g_pfnCreateTaskTip = NULL;
CGridEditorHooks* g_pEditorHooks = NULL;
CGridTaskRowHooks* g_pTaskRowHooks = NULL;
}

PFN_GRID_CREATE_TASKTIP GridSetTaskTipFactory(PFN_GRID_CREATE_TASKTIP pfnCreate)
{
    PFN_GRID_CREATE_TASKTIP pfnOld = g_pfnCreateTaskTip;
    g_pfnCreateTaskTip = pfnCreate;
    return pfnOld;
}

PFN_GRID_CREATE_TASKTIP GridGetTaskTipFactory()
{
    return g_pfnCreateTaskTip;
}

CGridEditorHooks* GridSetEditorHooks(CGridEditorHooks* pHooks)
{
    CGridEditorHooks* pOld = g_pEditorHooks;
    g_pEditorHooks = pHooks;
    return pOld;
}

CGridEditorHooks* GridGetEditorHooks()
{
    return g_pEditorHooks;
}

CGridTaskRowHooks* GridSetTaskRowHooks(CGridTaskRowHooks* pHooks)
{
    CGridTaskRowHooks* pOld = g_pTaskRowHooks;
    g_pTaskRowHooks = pHooks;
    return pOld;
}

CGridTaskRowHooks* GridGetTaskRowHooks()
{
    return g_pTaskRowHooks;
}
