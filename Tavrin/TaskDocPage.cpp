// The reference-document and target-document pages.
#include "TaskDocPage.h"

#include "TaskResource.h"

#include <ClassLib/Dialogs/FileDialog.h>
#include <ClassLib/Shell/Shell.h>
#include <ClassLib/Wnd/Cursor.h>
#include <Pdm/IPdmGUI.h>
#include <Pdm/PdmFactory.h>
#include <Tavrin/RefDoc.h>
#include <Tavrin/TargetDoc.h>

namespace
{
// The name after the last separator: a local path here uses '/', a stored one may use '\\'.
CString DocFileName(const CString& strPath)
{
    int nSep = strPath.ReverseFind('/');
    int nBack = strPath.ReverseFind('\\');
    if (nBack > nSep)
        nSep = nBack;
    return strPath.Mid(nSep + 1);
}
} // namespace

IMPLEMENT_DYNAMIC(CTaskDocPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CTaskDocPage, CPropertyPage)
END_MESSAGE_MAP()

CTaskDocPage::CTaskDocPage(UINT nIDTemplate, const PageInfo& info)
    : CPropertyPage(nIDTemplate), m_lstDocs(10), m_info(info)
{
}

CTaskDocPage::~CTaskDocPage()
{
    DeleteAllDocs();
}

CDocFields* CTaskDocPage::Fields(CObject* pDoc)
{
    if (CRefDoc* pRef = dynamic_cast<CRefDoc*>(pDoc))
        return pRef;
    return dynamic_cast<CTargetDoc*>(pDoc);
}

void CTaskDocPage::SetDocs(const CObList& docs)
{
    POSITION pos = docs.GetHeadPosition();
    while (pos)
    {
        const CObject* pFrom = docs.GetNext(pos);
        CObject* pDoc = NewDoc();
        CopyDoc(pDoc, pFrom);
        m_lstDocs.AddTail(pDoc);
    }
}

void CTaskDocPage::DeleteAllDocs()
{
    POSITION pos = m_lstDocs.GetHeadPosition();
    while (pos)
        delete m_lstDocs.GetNext(pos);
    m_lstDocs.RemoveAll();
}

CString CTaskDocPage::GetExtension(const CString& strName)
{
    int nDot = strName.ReverseFind('.');
    return nDot < 0 ? CString() : strName.Mid(nDot);
}

int CTaskDocPage::FindIcon(CString strExt)
{
    for (int i = 0; i < m_arExtensions.GetSize(); i++)
        if (m_arExtensions[i] == strExt)
            return i;
    return -1;
}

int CTaskDocPage::AddIcon(CString strExt)
{
    // The shell is asked for a file of that name without touching the disk; a name without
    // extension stands for the empty extension.
    CString strName = strExt.IsEmpty() ? CString(_T("file")) : strExt;
    SHFILEINFO sfiSmall, sfiLarge;
    memset(&sfiSmall, 0, sizeof sfiSmall);
    memset(&sfiLarge, 0, sizeof sfiLarge);
    ::SHGetFileInfo(strName, FILE_ATTRIBUTE_NORMAL, &sfiSmall, sizeof sfiSmall,
                    SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON | SHGFI_DISPLAYNAME | SHGFI_TYPENAME);
    ::SHGetFileInfo(strName, FILE_ATTRIBUTE_NORMAL, &sfiLarge, sizeof sfiLarge,
                    SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_LARGEICON | SHGFI_DISPLAYNAME | SHGFI_TYPENAME);
    int nIndex = (int)m_arExtensions.Add(strExt);
    // The image lists stay parallel to the extensions: a missing icon takes the generic one.
    HICON hLarge = sfiLarge.hIcon ? sfiLarge.hIcon : ::LoadIcon(NULL, IDI_APPLICATION);
    HICON hSmall = sfiSmall.hIcon ? sfiSmall.hIcon : ::LoadIcon(NULL, IDI_APPLICATION);
    if (m_imgLarge.GetSafeHandle())
        m_imgLarge.Add(hLarge);
    if (m_imgSmall.GetSafeHandle())
        m_imgSmall.Add(hSmall);
    if (sfiLarge.hIcon)
        ::DestroyIcon(sfiLarge.hIcon);
    if (sfiSmall.hIcon)
        ::DestroyIcon(sfiSmall.hIcon);
    return nIndex;
}

void CTaskDocPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, m_info.nFirstButton, m_btnFirst);
    DDX_Control(pDX, m_info.nSecondButton, m_btnSecond);
    DDX_Control(pDX, m_info.nThirdButton, m_btnThird);
    DDX_Control(pDX, m_info.nList, m_listDocs);
}

int CTaskDocPage::InsertRow(int nIndex, CObject* pDoc)
{
    CDocFields* pFields = Fields(pDoc);
    CString strExt = GetExtension(pFields->m_strDocName);
    int nIcon = FindIcon(strExt);
    if (nIcon < 0)
        nIcon = AddIcon(strExt);
    int nItem = m_listDocs.InsertItem(nIndex, pFields->m_strDocName, nIcon);
    if (nItem >= 0)
    {
        m_listDocs.SetItemText(nItem, 1, pFields->m_strDocLocation);
        // The row knows its record: names may repeat.
        m_listDocs.SetItemData(nItem, (DWORD_PTR)pDoc);
    }
    return nItem;
}

BOOL CTaskDocPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetUpButtons();

    m_imgSmall.Create(16, 16, ILC_COLOR, 1, 1);
    m_imgLarge.Create(32, 32, ILC_COLOR, 1, 1);
    m_listDocs.SetImageList(&m_imgSmall, LVSIL_SMALL);
    m_listDocs.SetImageList(&m_imgLarge, LVSIL_NORMAL);
    m_listDocs.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB | LVS_EX_INFOTIP);
    m_listDocs.InsertColumn(0, _T("文件名"), LVCFMT_LEFT, 100);
    m_listDocs.InsertColumn(1, _T("位置"), LVCFMT_LEFT, 200);

    // Each row goes in at the index the list had before the fill began: the documents show
    // in reverse order.
    int nIndex = m_listDocs.GetItemCount();
    POSITION pos = m_lstDocs.GetHeadPosition();
    while (pos)
        InsertRow(nIndex, m_lstDocs.GetNext(pos));
    return TRUE;
}

void CTaskDocPage::OnRClickList(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    ShowPopup();
    *pResult = 0;
}

void CTaskDocPage::ShowPopup()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_TASK_POPUPS))
        return;
    CMenu* pPopup = NULL;
    for (int i = 0; i < (int)menu.GetMenuItemCount(); i++)
    {
        CString str;
        menu.GetMenuString(i, str, MF_BYPOSITION);
        if (str == m_info.pszPopup)
            pPopup = menu.GetSubMenu(i);
    }
    if (!pPopup)
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, GetTopLevelParent());
}

void CTaskDocPage::AddFromPdm()
{
    IPdmGUI* pGUI = CreatePdmGUI();
    if (!pGUI)
    {
        MessageBox(_T("PDM 结构树创建失败!"), _T("提示"), MB_ICONINFORMATION);
        TRACE(_T("IPdmGUI Create Failed"));
        return;
    }
    LONG nConnect = 0;
    if (pGUI->Connect(_T("sa"), _T(""), nConnect) != S_OK)
    {
        pGUI->Release();
        return;
    }
    CString strLocation, strName;
    LONG nClassId = 0, nObjectId = 0;
    if (pGUI->SelectObject(m_info.nPdmMode, 0, strLocation, nClassId, nObjectId, strName) != S_OK)
    {
        MessageBox(_T("请检查客户端与服务端的版本是否兼容"), _T("提示"), MB_ICONINFORMATION);
        pGUI->Release();
        return;
    }
    CObject* pDoc = NewDoc();
    CDocFields* pFields = Fields(pDoc);
    pFields->m_strDocName = strName;
    pFields->m_strDocLocation = strLocation;
    pFields->m_nPdmClassID = (int)nClassId;
    pFields->m_nPdmObjectID = (int)nObjectId;
    if (m_info.nPdmSource)
        pFields->m_nDocSource = m_info.nPdmSource;
    m_lstDocs.AddTail(pDoc);
    InsertRow(m_listDocs.GetItemCount(), pDoc);
    pGUI->Release();
}

void CTaskDocPage::DeleteSelected()
{
    if (m_listDocs.GetSelectedCount() == 0)
    {
        AfxMessageBox(_T("请选择文件!"));
        return;
    }
    for (;;)
    {
        POSITION sel = m_listDocs.GetFirstSelectedItemPosition();
        if (!sel)
            break;
        int nItem = m_listDocs.GetNextSelectedItem(sel);
        CObject* pDoc = (CObject*)m_listDocs.GetItemData(nItem);
        POSITION pos = pDoc ? m_lstDocs.Find(pDoc) : NULL;
        if (pos)
        {
            m_lstDocs.RemoveAt(pos);
            delete pDoc;
        }
        m_listDocs.DeleteItem(nItem);
    }
}

// ---- Reference documents ----------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTaskRefDocPage, CTaskDocPage)

BEGIN_MESSAGE_MAP(CTaskRefDocPage, CTaskDocPage)
    ON_NOTIFY(NM_RCLICK, IDC_TASK_REFDOC_LIST, OnRClickList)
    ON_BN_CLICKED(IDC_TASK_REF_FROMPDM, OnFromPdm)
    ON_BN_CLICKED(IDC_TASK_REF_FROMDISK, OnFromDisk)
    ON_COMMAND(ID_TASK_REF_FROMDISK, OnFromDisk)
    ON_BN_CLICKED(IDC_TASK_DOC_DELETE, OnDelete)
    ON_COMMAND(ID_TASK_REF_DELETE, OnDelete)
END_MESSAGE_MAP()

namespace
{
const CTaskDocPage::PageInfo kRefInfo = {IDC_TASK_REF_FROMPDM, IDC_TASK_REF_FROMDISK, IDC_TASK_DOC_DELETE,
                                         IDC_TASK_REFDOC_LIST, "RefDoc", 1, 0};
const CTaskDocPage::PageInfo kTargetInfo = {IDC_TASK_TARGET_UNUSED, IDC_TASK_TARGET_NEW, IDC_TASK_DOC_DELETE,
                                            IDC_TASK_TARGET_LIST, "TargetDoc", 0, 1};
} // namespace

CTaskRefDocPage::CTaskRefDocPage() : CTaskDocPage(IDD_TASK_REFDOC, kRefInfo)
{
}

CObject* CTaskRefDocPage::NewDoc() const
{
    return new CRefDoc;
}

void CTaskRefDocPage::CopyDoc(CObject* pTo, const CObject* pFrom) const
{
    *static_cast<CRefDoc*>(pTo) = *static_cast<const CRefDoc*>(pFrom);
}

void CTaskRefDocPage::SetUpButtons()
{
    m_btnThird.SetBitmap(IDB_TASK_DELETEDOC, 0, RGB(192, 192, 192));
    m_btnThird.SetTooltipText(CString(_T("删除参考文档")), TRUE);
    m_btnSecond.SetBitmap(IDB_TASK_FROMDISK, 0, RGB(192, 192, 192));
    m_btnSecond.SetTooltipText(CString(_T("从本地硬盘")), TRUE);
    m_btnFirst.SetBitmap(IDB_TASK_FROMPDM, 0, RGB(192, 192, 192));
    m_btnFirst.SetTooltipText(CString(_T("从产品结构树")), TRUE);
}

void CTaskRefDocPage::OnFromPdm()
{
    AddFromPdm();
}

void CTaskRefDocPage::OnDelete()
{
    DeleteSelected();
}

void CTaskRefDocPage::OnFromDisk()
{
    CFileDialog dlg(TRUE, NULL, NULL,
                    OFN_ALLOWMULTISELECT | OFN_ENABLESIZING | OFN_READONLY | OFN_OVERWRITEPROMPT,
                    _T("All Files (*.*)|*.*||"), this);
    if (dlg.DoModal() != IDOK)
        return;
    int nIndex = m_listDocs.GetItemCount();
    POSITION pos = dlg.GetStartPosition();
    while (pos)
    {
        CString strPath = dlg.GetNextPathName(pos);
        CRefDoc* pDoc = new CRefDoc;
        pDoc->m_strDocName = DocFileName(strPath);
        pDoc->m_strDocLocation = strPath;
        pDoc->m_nDocSource = 2;
        m_lstDocs.AddTail(pDoc);
        InsertRow(nIndex++, pDoc);
    }
}

// ---- Target documents -------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTaskTargetDocPage, CTaskDocPage)

BEGIN_MESSAGE_MAP(CTaskTargetDocPage, CTaskDocPage)
    ON_NOTIFY(NM_RCLICK, IDC_TASK_TARGET_LIST, OnRClickList)
    ON_BN_CLICKED(IDC_TASK_TARGET_NEW, OnFromPdm)
    ON_COMMAND(ID_TASK_TARGET_FROMPDM, OnFromPdm)
    ON_BN_CLICKED(IDC_TASK_DOC_DELETE, OnDelete)
    ON_COMMAND(ID_TASK_TARGET_DELETE, OnDelete)
END_MESSAGE_MAP()

CTaskTargetDocPage::CTaskTargetDocPage() : CTaskDocPage(IDD_TASK_TARGETDOC, kTargetInfo)
{
}

CObject* CTaskTargetDocPage::NewDoc() const
{
    return new CTargetDoc;
}

void CTaskTargetDocPage::CopyDoc(CObject* pTo, const CObject* pFrom) const
{
    *static_cast<CTargetDoc*>(pTo) = *static_cast<const CTargetDoc*>(pFrom);
}

void CTaskTargetDocPage::SetUpButtons()
{
    m_btnThird.SetBitmap(IDB_TASK_DELETEDOC, 0, RGB(192, 192, 192));
    m_btnThird.SetTooltipText(CString(_T("删除目标文档")), TRUE);
    m_btnSecond.SetBitmap(IDB_TASK_NEWTARGET, 0, RGB(192, 192, 192));
    m_btnSecond.SetTooltipText(CString(_T("新建目标文档")), TRUE);
}

void CTaskTargetDocPage::OnFromPdm()
{
    AddFromPdm();
}

void CTaskTargetDocPage::OnDelete()
{
    DeleteSelected();
}
