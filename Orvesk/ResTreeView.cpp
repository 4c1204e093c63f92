#include "ResTreeView.h"

#include <ClassLib/Menus/CMenu.h>

#include "GridDefines.h"
#include "ResViewsResource.h"

IMPLEMENT_DYNCREATE(CResTreeView, CTreeView)

BEGIN_MESSAGE_MAP(CResTreeView, CTreeView)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRClick)
END_MESSAGE_MAP()

CResTreeView::CResTreeView() {}

CResTreeView::~CResTreeView() {}

void CResTreeView::OnInitialUpdate()
{
    CTreeView::OnInitialUpdate();
    CTreeCtrl& tree = GetTreeCtrl();
    // Buttons, lines, lines at the root, the selection always shown, info tips.
    tree.ModifyStyle(0, 0x827);
    tree.DeleteAllItems();
    HTREEITEM hRoot = tree.InsertItem("项目资源");
    tree.InsertItem("人力", hRoot);
    tree.InsertItem("设备", hRoot);
    tree.InsertItem("材料", hRoot);
    tree.InsertItem("其他", hRoot);
    tree.Expand(hRoot, TVE_EXPAND);
}

void CResTreeView::OnUpdate(CView* /*pSender*/, LPARAM /*lHint*/, CObject* /*pHint*/)
{
}

void CResTreeView::OnDraw(CDC* /*pDC*/)
{
}

void CResTreeView::OnRClick(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    CTreeCtrl& tree = GetTreeCtrl();
    CPoint ptScreen;
    ::GetCursorPos(&ptScreen);
    CPoint ptClient = ptScreen;
    tree.ScreenToClient(&ptClient);
    UINT nFlags = 0;
    HTREEITEM hItem = tree.HitTest(ptClient, &nFlags);
    if (hItem == NULL)
        return;
    if (nFlags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON))
        tree.SelectItem(hItem);

    CMenu menu;
    if (!menu.LoadMenu(IDR_GRID_CONTEXTMENU))
        return;
    // Owned by the frame, whose command update shows commands nobody handles disabled.
    CWnd* pOwner = GetParentFrame() != NULL ? (CWnd*)GetParentFrame() : (CWnd*)this;
    if (CMenu* pPopup = menu.GetSubMenu(RES_POPUP_TREEVIEW))
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, pOwner);
}
