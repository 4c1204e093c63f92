// The document list: filling from the store's document list, the extension icons, the
// list styles, the notifications and the context menu.
#include "PdmDocListCtrl.h"

#include <ClassLib/Resources/ResourceScope.h>
#include <ClassLib/Shell/Shell.h>
#include <Pdm/PdmFactory.h>

#include <vector>

IMPLEMENT_DYNCREATE(CPdmDocListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CPdmDocListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemchanged)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblclk)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRclick)
    ON_COMMAND(ID_DOCLIST_ICON, OnDoclistIcon)
    ON_COMMAND(ID_DOCLIST_SMALL, OnDoclistSmall)
    ON_COMMAND(ID_DOCLIST_LIST, OnDoclistList)
    ON_COMMAND(ID_DOCLIST_REPORT, OnDoclistReport)
    ON_COMMAND(ID_DOCLIST_OPEN, OnDoclistOpen)
    ON_COMMAND(ID_DOCLIST_NEWDOC, OnDoclistNewdoc)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CPdmDocListCtrl::CPdmDocListCtrl()
    : m_bBrowseOnly(1), m_nListStyle(0), m_nClassId(0), m_nObjectId(0), m_nSelItem(-1), m_listPair(10)
{
}

CPdmDocListCtrl::~CPdmDocListCtrl() {}

void CPdmDocListCtrl::Init(int bBrowseOnly, int nStyle)
{
    m_bBrowseOnly = bBrowseOnly;
    m_nListStyle = nStyle;
    InsertColumn(0, "文件名", LVCFMT_LEFT, 120);
    InsertColumn(1, "大小", LVCFMT_RIGHT, 60);
    InsertColumn(2, "类型", LVCFMT_LEFT, 80);
    InsertColumn(3, "修改时间", LVCFMT_LEFT, 100);
    if (m_imageLarge.GetSafeHandle() == NULL)
        m_imageLarge.Create(32, 32, ILC_COLORDDB | ILC_MASK, 1, 500);
    if (m_imageSmall.GetSafeHandle() == NULL)
        m_imageSmall.Create(16, 16, ILC_COLORDDB | ILC_MASK, 1, 500);
    SetImageList(&m_imageLarge, LVSIL_NORMAL);
    SetImageList(&m_imageSmall, LVSIL_SMALL);
    ModifyStyle(0, WS_CHILD | WS_VISIBLE | LVS_AUTOARRANGE | LVS_SHOWSELALWAYS | LVS_SINGLESEL);
    switch (nStyle) {
    case 0:
        ModifyStyle(LVS_TYPEMASK, LVS_ICON);
        break;
    case 1:
        ModifyStyle(LVS_TYPEMASK, LVS_SMALLICON);
        break;
    case 2:
        ModifyStyle(LVS_TYPEMASK, LVS_LIST);
        break;
    default:
        ModifyStyle(LVS_TYPEMASK, LVS_REPORT | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
        break;
    }
}

BOOL CPdmDocListCtrl::LoadData(UINT nClassId, UINT nObjectId)
{
    if (GetSafeHwnd() == NULL)
        return FALSE;
    // No folder: the list is emptied without asking the store, so that a folder that
    // could not be read never leaves another folder's documents on show.
    CPdmPtr<IPdmDocList> pList;
    if (nClassId != 0 && nObjectId != 0) {
        pList.reset(CreatePdmDocList());
        if (!pList)
            return FALSE;
    }

    CWaitCursor wait;
    SetRedraw(FALSE);
    DeleteAllItems();
    m_listPair.RemoveAll();
    m_arrClassId.RemoveAll();
    m_arrClassName.RemoveAll();
    m_nClassId = nClassId;
    m_nObjectId = nObjectId;
    // The rows are new: no row of the folder shown before stays selected for OpenDoc.
    m_nSelItem = -1;

    BOOL bLoaded = FALSE;
    if (pList && pList->LoadDocuments((LONG)nClassId, (LONG)nObjectId) == S_OK) {
        bLoaded = TRUE;
        LONG nCount = 0;
        if (pList->GetCount(nCount) != S_OK)
            nCount = 0;
        for (LONG i = 0; i < nCount; i++) {
            PdmDocRecord record;
            if (pList->GetItem(record) != S_OK)
                break;
            PDMPAIR pair = {(UINT)record.classId, (UINT)record.objectId};
            POSITION pos = m_listPair.AddTail(pair);
            int nItem = InsertItem((int)i, record.fileName, ExtImage(record.fileName));
            if (nItem >= 0)
                SetItemData(nItem, reinterpret_cast<DWORD_PTR>(&m_listPair.GetAt(pos)));
        }
        if (!m_bBrowseOnly)
            GetDocClassInfo();
    }
    SetRedraw(TRUE);
    Invalidate();
    UpdateWindow();
    return bLoaded;
}

BOOL CPdmDocListCtrl::GetItemInfo(int nItem, UINT& nClassId, UINT& nObjectId)
{
    nClassId = 0;
    nObjectId = 0;
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    const PDMPAIR* pPair = reinterpret_cast<const PDMPAIR*>(GetItemData(nItem));
    if (pPair == NULL)
        return FALSE;
    nClassId = pPair->nClassId;
    nObjectId = pPair->nObjectId;
    return TRUE;
}

// ---- extension icons -------------------------------------------------------------------

CString CPdmDocListCtrl::GetFileExtName(CString strFileName)
{
    if (strFileName.IsEmpty())
        return CString();
    int nDot = strFileName.ReverseFind('.');
    if (nDot < 0)
        return CString();
    return strFileName.Mid(nDot);
}

namespace {

// Extensions are compared without regard to the case of their letters.
std::string ExtKey(CString strExt)
{
    strExt.MakeUpper();
    return std::string((LPCTSTR)strExt, strExt.GetLength());
}

}  // namespace

int CPdmDocListCtrl::FindExtType(CString strExt)
{
    auto it = m_mapExt.find(ExtKey(strExt));
    return it != m_mapExt.end() ? it->second : -1;
}

namespace {

// Adds the icon as image nIndex; when there is no icon, a transparent picture takes its
// place, so that an extension's index stays the index of its icon.
void AddIconAt(CImageList& imageList, HICON hIcon, int nSize, int nIndex)
{
    if (hIcon != NULL) {
        imageList.Add(hIcon);
        DestroyIcon(hIcon);
    }
    while (imageList.GetImageCount() <= nIndex) {
        std::vector<BYTE> white((size_t)nSize * nSize * 4, 0xFF);
        CBitmap blank;
        if (!blank.CreateBitmap(nSize, nSize, 1, 32, white.data()) || imageList.Add(&blank, RGB(255, 255, 255)) < 0)
            break;
    }
}

HICON ShellIcon(const CString& strExt, UINT uSize)
{
    SHFILEINFO sfi = {};
    const UINT uFlags = SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_TYPENAME | SHGFI_DISPLAYNAME | uSize;
    if (SHGetFileInfo(strExt, FILE_ATTRIBUTE_NORMAL, &sfi, sizeof(sfi), uFlags) && sfi.hIcon != NULL)
        return sfi.hIcon;
    return NULL;
}

}  // namespace

int CPdmDocListCtrl::AddExtTypeIcon(CString strExt)
{
    HICON hSmall = ShellIcon(strExt, SHGFI_SMALLICON);
    HICON hLarge = ShellIcon(strExt, SHGFI_LARGEICON);
    // The shell knows nothing of an empty extension: names without one get the icon of
    // a file without extension.
    if (strExt.IsEmpty()) {
        if (hSmall == NULL)
            hSmall = ShellIcon("file", SHGFI_SMALLICON);
        if (hLarge == NULL)
            hLarge = ShellIcon("file", SHGFI_LARGEICON);
    }
    int nIndex = (int)m_arrExt.Add(strExt);
    m_mapExt.emplace(ExtKey(strExt), nIndex);
    AddIconAt(m_imageLarge, hLarge, 32, nIndex);
    AddIconAt(m_imageSmall, hSmall, 16, nIndex);
    return nIndex;
}

int CPdmDocListCtrl::ExtImage(const CString& strFileName)
{
    CString strExt = GetFileExtName(strFileName);
    int nImage = FindExtType(strExt);
    if (nImage == -1)
        nImage = AddExtTypeIcon(strExt);
    return nImage;
}

void CPdmDocListCtrl::DetachImageList(CImageList& imageList)
{
    if (imageList.GetSafeHandle() == NULL)
        return;
    for (int i = imageList.GetImageCount() - 1; i >= 0; i--)
        imageList.Remove(i);
    imageList.DeleteImageList();
}

void CPdmDocListCtrl::OnDestroy()
{
    SetImageList(NULL, LVSIL_NORMAL);
    SetImageList(NULL, LVSIL_SMALL);
    DetachImageList(m_imageLarge);
    DetachImageList(m_imageSmall);
    CListCtrl::OnDestroy();
}

void CPdmDocListCtrl::GetDocClassInfo()
{
    m_arrClassId.RemoveAll();
    m_arrClassName.RemoveAll();
    if (m_nClassId == 0)
        return;
    CPdmPtr<IPdmAvailList> pList(CreatePdmAvailList());
    if (!pList || pList->LoadClasses((LONG)m_nClassId, 1) != S_OK)
        return;
    LONG nCount = 0;
    if (pList->GetCount(nCount) != S_OK)
        return;
    for (LONG i = 0; i < nCount; i++) {
        PdmClassRecord record;
        if (pList->GetItem(record) != S_OK)
            break;
        if (record.classId > 0 && !record.name.IsEmpty()) {
            m_arrClassId.Add((UINT)record.classId);
            m_arrClassName.Add(record.name);
        }
    }
}

// ---- list styles -------------------------------------------------------------------------

BOOL CPdmDocListCtrl::SetTypeStyle(DWORD dwType, int nStyle)
{
    if ((GetStyle() & LVS_TYPEMASK) == dwType)
        return FALSE;
    DWORD dwAdd = dwType;
    if (dwType == LVS_REPORT)
        dwAdd |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    ModifyStyle(LVS_TYPEMASK, dwAdd);
    m_nListStyle = nStyle;
    return TRUE;
}

BOOL CPdmDocListCtrl::ViewIcon() { return SetTypeStyle(LVS_ICON, 0); }
BOOL CPdmDocListCtrl::ViewSmall() { return SetTypeStyle(LVS_SMALLICON, 1); }
BOOL CPdmDocListCtrl::ViewList() { return SetTypeStyle(LVS_LIST, 2); }
BOOL CPdmDocListCtrl::ViewReport() { return SetTypeStyle(LVS_REPORT, 3); }

void CPdmDocListCtrl::AnnounceStyle(BOOL bChanged)
{
    if (!bChanged)
        return;
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_PDMDOC_VIEWCHANGE, (WPARAM)m_nListStyle, 0);
}

void CPdmDocListCtrl::OnDoclistIcon() { AnnounceStyle(ViewIcon()); }
void CPdmDocListCtrl::OnDoclistSmall() { AnnounceStyle(ViewSmall()); }
void CPdmDocListCtrl::OnDoclistList() { AnnounceStyle(ViewList()); }
void CPdmDocListCtrl::OnDoclistReport() { AnnounceStyle(ViewReport()); }
void CPdmDocListCtrl::OnDoclistOpen() { OpenDoc(); }
void CPdmDocListCtrl::OnDoclistNewdoc() { NewDoc(); }

// ---- notifications -----------------------------------------------------------------------

void CPdmDocListCtrl::OnItemchanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLISTVIEW* pNMListView = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (pNMListView->uNewState == (LVIS_SELECTED | LVIS_FOCUSED))
        m_nSelItem = pNMListView->iItem;
    *pResult = 0;
}

void CPdmDocListCtrl::OnDblclk(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    CPoint point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    int nItem = HitTest(point);
    if (nItem < 0)
        return;
    m_nSelItem = nItem;
    UINT nClassId = 0, nObjectId = 0;
    GetItemInfo(nItem, nClassId, nObjectId);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_PDMDOC_DBLCLK, (WPARAM)nClassId, (LPARAM)nObjectId);
}

void CPdmDocListCtrl::OnRclick(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    if (m_nClassId == 0 || m_nObjectId == 0)
        return;
    CPoint point;
    GetCursorPos(&point);
    CPoint client = point;
    ScreenToClient(&client);
    int nItem = HitTest(client);

    // The menu is this library's 104, whatever the program's menu 104 is.
    CMenu menu;
    {
        CAfxResourceScope scope("Quenby");
        if (!menu.LoadMenu(IDR_PDMDOCLIST_MENU))
            return;
    }
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == NULL)
        return;
    if (CMenu* pView = pPopup->GetSubMenu(0))
        pView->CheckMenuRadioItem(0, 3, (UINT)m_nListStyle, MF_BYPOSITION);
    if (nItem < 0)
        pPopup->EnableMenuItem(2, MF_BYPOSITION | MF_GRAYED);
    if (m_bBrowseOnly)
        pPopup->EnableMenuItem(3, MF_BYPOSITION | MF_GRAYED);
    if (CMenu* pNew = pPopup->GetSubMenu(3)) {
        pNew->EnableMenuItem(ID_DOCLIST_NEWFOLDER, MF_BYCOMMAND | MF_GRAYED);
        if (m_arrClassId.GetSize() == 0)
            pNew->EnableMenuItem(ID_DOCLIST_NEWDOC, MF_BYCOMMAND | MF_GRAYED);
    }
    for (UINT nPos : {4u, 6u, 7u, 8u, 10u})
        pPopup->EnableMenuItem(nPos, MF_BYPOSITION | MF_GRAYED);
    pPopup->TrackPopupMenu(TPM_LEFTALIGN, point.x, point.y, this);
}
