// The grid's own editors behind the cells' editor table: text cells open a CInPlaceEdit,
// list cells a CInPlaceList.
#include "GridEditHooks.h"
#include "GridCtrl.h"
#include "InPlaceEdit.h"
#include "InPlaceList.h"

namespace
{
class CGridDefaultEditors : public CGridEditorHooks
{
public:
    CWnd* CreateEdit(CGridCtrl* pGrid, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                     LPCTSTR pszText, UINT nFirstChar) override
    {
        CRect rc = rect;
        CInPlaceEdit* pEdit = new CInPlaceEdit(pGrid, rc, dwStyle, nID, nRow, nCol, pszText, nFirstChar);
        if (!pEdit->GetSafeHwnd())
        {
            delete pEdit;
            return NULL;
        }
        return pEdit;
    }

    CWnd* CreateList(CGridCtrl* pGrid, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                     const CStringArray& options, LPCTSTR pszText, UINT nFirstChar) override
    {
        CRect rc = rect;
        CInPlaceList* pList = new CInPlaceList(pGrid, rc, dwStyle, nID, nRow, nCol, options, pszText,
                                               nFirstChar);
        if (!pList->GetSafeHwnd())
        {
            delete pList;
            return NULL;
        }
        return pList;
    }

    void EndEdit(CWnd* pEditor) override
    {
        if (!pEditor || !::IsWindow(pEditor->GetSafeHwnd()))
            return;
        if (CInPlaceEdit* pEdit = dynamic_cast<CInPlaceEdit*>(pEditor))
            pEdit->EndEdit();
        else if (CInPlaceList* pList = dynamic_cast<CInPlaceList*>(pEditor))
            pList->EndEdit();
    }

    CWnd* GetListEdit(CWnd* pList) override
    {
        CInPlaceList* p = dynamic_cast<CInPlaceList*>(pList);
        return p ? p->GetEdit() : NULL;
    }
};

CGridDefaultEditors g_defaultEditors;
} // namespace

CGridEditorHooks* GridDefaultEditorHooks()
{
    return &g_defaultEditors;
}
