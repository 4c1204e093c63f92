#include "TaskTreeViewHooks.h"

#include <ClassLib/DocView/Document.h>
#include <ClassLib/DocView/View.h>

CTaskTreeViewHooks::~CTaskTreeViewHooks() = default;

CTaskTreeViewHooks* ProjectFindTaskTreeView(const CDocument* pDoc)
{
    if (pDoc == NULL)
        return NULL;
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = pDoc->GetNextView(pos);
        if (CTaskTreeViewHooks* pHooks = dynamic_cast<CTaskTreeViewHooks*>(pView))
            return pHooks;
    }
    return NULL;
}
