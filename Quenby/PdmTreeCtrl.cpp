// The folder tree: one level loaded at a time from the store's node list.
#include "PdmTreeCtrl.h"

#include <ClassLib/Resources/ResourceScope.h>
#include <Pdm/PdmFactory.h>

IMPLEMENT_DYNCREATE(CPdmTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CPdmTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelchanged)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, OnItemexpanding)
END_MESSAGE_MAP()

CPdmTreeCtrl::CPdmTreeCtrl() : m_hSelItem(NULL), m_nClassId(0), m_nObjectId(0), m_listPair(10) {}

CPdmTreeCtrl::~CPdmTreeCtrl() {}

void CPdmTreeCtrl::Init()
{
    ModifyStyle(0, WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
    // The pictures are this library's: its bitmap 2000, not another module's.
    CAfxResourceScope scope("Quenby");
    m_imageList.DeleteImageList();
    m_imageList.Create(18, 18, ILC_COLOR16 | ILC_MASK, 6, 4);
    CBitmap bitmap;
    if (bitmap.LoadBitmap(IDB_PDMTREE))
        m_imageList.Add(&bitmap, RGB(255, 255, 255));
    SetImageList(&m_imageList, TVSIL_NORMAL);
}

int CPdmTreeCtrl::LoadData(UINT nClassId, UINT nObjectId)
{
    if (GetSafeHwnd() == NULL)
        return FALSE;
    BOOL bLoaded = FALSE;
    {
        CWaitCursor wait;
        SetRedraw(FALSE);
        DeleteAllItems();
        m_listPair.RemoveAll();
        m_hSelItem = NULL;
        if (nClassId != 0) {
            m_nClassId = nClassId;
            m_nObjectId = nObjectId;
            bLoaded = LoadChildData(TVI_ROOT, nClassId, nObjectId);
        }
        SetRedraw(TRUE);
        Invalidate();
        UpdateWindow();
    }
    if (nClassId == 0)
        return FALSE;
    // Selecting the first folder fills the document list.
    if (HTREEITEM hFirst = GetRootItem())
        SelectItem(hFirst);
    return bLoaded;
}

BOOL CPdmTreeCtrl::LoadChildData(HTREEITEM hParent, UINT nClassId, UINT nObjectId)
{
    if (hParent == NULL || nClassId == 0)
        return FALSE;
    if (hParent != TVI_ROOT && GetChildItem(hParent) != NULL)
        return TRUE;  // loaded before

    CPdmPtr<IPdmNodeList> pList(CreatePdmNodeList());
    if (!pList)
        return FALSE;
    if (pList->LoadChildren((LONG)nClassId, (LONG)nObjectId) != S_OK)
        return FALSE;
    LONG nCount = 0;
    if (pList->GetCount(nCount) != S_OK)
        return FALSE;
    for (LONG i = 0; i < nCount; i++) {
        PdmNodeRecord record;
        if (pList->GetItem(record) != S_OK)
            break;
        PDMPAIR pair = {(UINT)record.classId, (UINT)record.objectId};
        POSITION pos = m_listPair.AddTail(pair);
        HTREEITEM hItem = InsertItem(record.name, 0, 1, hParent, TVI_LAST);
        if (hItem == NULL)
            continue;
        SetItemData(hItem, reinterpret_cast<DWORD_PTR>(&m_listPair.GetAt(pos)));
        if (record.hasChildren != 0)
            SetItemChildState(hItem, 1);
    }
    if (hParent != TVI_ROOT)
        SetItemChildState(hParent, 0);
    return TRUE;
}

void CPdmTreeCtrl::SetItemChildState(HTREEITEM hItem, int bHasChildren)
{
    TVITEM item = {};
    item.mask = TVIF_HANDLE | TVIF_CHILDREN;
    item.hItem = hItem;
    item.cChildren = bHasChildren ? 1 : (GetChildItem(hItem) != NULL ? 1 : 0);
    SetItem(&item);
    Invalidate();
}

BOOL CPdmTreeCtrl::ItemHasChildState(HTREEITEM hItem)
{
    TVITEM item = {};
    item.mask = TVIF_HANDLE | TVIF_CHILDREN;
    item.hItem = hItem;
    if (!GetItem(&item))
        return FALSE;
    return item.cChildren != 0;
}

CString CPdmTreeCtrl::GetItemPath(HTREEITEM hItem)
{
    CString strPath;
    for (HTREEITEM h = hItem; h != NULL; h = GetParentItem(h))
        strPath = GetItemText(h) + "\\" + strPath;
    return strPath;
}

BOOL CPdmTreeCtrl::GetItemInfo(HTREEITEM hItem, UINT& nClassId, UINT& nObjectId)
{
    if (hItem == NULL)
        return FALSE;
    const PDMPAIR* pPair = reinterpret_cast<const PDMPAIR*>(GetItemData(hItem));
    if (pPair == NULL)
        return FALSE;
    nClassId = pPair->nClassId;
    nObjectId = pPair->nObjectId;
    return TRUE;
}

void CPdmTreeCtrl::OnSelchanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMTREEVIEW* pNMTreeView = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    HTREEITEM hItem = pNMTreeView->itemNew.hItem;
    if (hItem == NULL)
        return;
    m_hSelItem = hItem;
    UINT nClassId = 0, nObjectId = 0;
    if (!GetItemInfo(hItem, nClassId, nObjectId))
        return;
    if (!LoadChildData(hItem, nClassId, nObjectId)) {
        // The folder cannot be read: the list must not go on showing the documents of
        // the folder selected before. An empty pair clears it; the next selection of
        // any folder is announced again.
        if (m_nClassId != 0 || m_nObjectId != 0) {
            m_nClassId = 0;
            m_nObjectId = 0;
            if (CWnd* pParent = GetParent())
                pParent->SendMessage(WM_PDMTREE_SELCHANGED, 0, 0);
        }
        return;
    }
    if (nClassId == m_nClassId && nObjectId == m_nObjectId)
        return;
    m_nClassId = nClassId;
    m_nObjectId = nObjectId;
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_PDMTREE_SELCHANGED, (WPARAM)nClassId, (LPARAM)nObjectId);
}

void CPdmTreeCtrl::OnClick(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    CPoint point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    UINT nFlags = 0;
    HTREEITEM hItem = HitTest(point, &nFlags);
    if (hItem == NULL || !(nFlags & TVHT_ONITEMBUTTON))
        return;
    UINT nClassId = 0, nObjectId = 0;
    if (GetItemInfo(hItem, nClassId, nObjectId) && ItemHasChildState(hItem) && GetChildItem(hItem) == NULL)
        LoadChildData(hItem, nClassId, nObjectId);
}

// The expand button opens the item as soon as it is pressed, before the click is told:
// the item's level is loaded here, just before it opens, so that the button shows the
// folders below instead of vanishing for want of them.
void CPdmTreeCtrl::OnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMTREEVIEW* pNMTreeView = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    HTREEITEM hItem = pNMTreeView->itemNew.hItem;
    if (hItem == NULL || (pNMTreeView->action & TVE_EXPAND) == 0)
        return;
    UINT nClassId = 0, nObjectId = 0;
    if (GetItemInfo(hItem, nClassId, nObjectId) && ItemHasChildState(hItem) && GetChildItem(hItem) == NULL)
        LoadChildData(hItem, nClassId, nObjectId);
}
