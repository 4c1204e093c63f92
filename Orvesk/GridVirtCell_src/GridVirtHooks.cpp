#include "GridVirtHooks.h"

#include "GridDateTimeCtrl.h"

namespace {
// The grid's own date editor, unless a module sets another.
class CGridDefaultDateEditors : public CGridDateEditorHooks {
public:
    CWnd* CreateDateEditor(CGridCtrl* pGrid, const CRect& rect, UINT nID, int nRow, int nCol,
                           const COleDateTime& date) override
    {
        CRect rc = rect;
        CGridDateTimeCtrl* pPicker = new CGridDateTimeCtrl(pGrid, rc, 0, nID, nRow, nCol, date);
        if (!pPicker->GetSafeHwnd()) {
            delete pPicker;
            return NULL;
        }
        return pPicker;
    }
    void SetTime(CWnd* pPicker, const COleDateTime& date) override
    {
        if (CGridDateTimeCtrl* p = dynamic_cast<CGridDateTimeCtrl*>(pPicker))
            p->SetInitialDate(date);
    }
    void TypeFirstChar(CWnd* pPicker, UINT nChar) override
    {
        if (CGridDateTimeCtrl* p = dynamic_cast<CGridDateTimeCtrl*>(pPicker))
            p->TypeFirstChar(nChar);
    }
    void EndEdit(CWnd* pPicker) override
    {
        if (CGridDateTimeCtrl* p = dynamic_cast<CGridDateTimeCtrl*>(pPicker))
            if (::IsWindow(p->GetSafeHwnd()))
                p->EndEdit();
    }
};

CGridDefaultDateEditors g_defaultDateEditors;
CGridDateEditorHooks* g_pDateEditorHooks = &g_defaultDateEditors;
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
