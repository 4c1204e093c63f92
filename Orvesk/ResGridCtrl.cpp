#include "ResGridCtrl.h"

#include <ClassLib/DocView/View.h>
#include <ClassLib/Menus/CMenu.h>

#include <cstdlib>

#include "GridItem.h"
#include "ProjectDoc.h"
#include "ResViewsResource.h"

IMPLEMENT_DYNCREATE(CResGridCtrl, CGridCtrl)

BEGIN_MESSAGE_MAP(CResGridCtrl, CGridCtrl)
    ON_WM_RBUTTONUP()
    ON_COMMAND(ID_RES_ADD_ROW, OnAddRow)
    ON_COMMAND(ID_RES_DELETE_ROW, OnDeleteRow)
    ON_NOTIFY(GRIDN_ENDLABELEDIT, IDC_GRID_INPLACE_CONTROL, OnEndEditCell)
END_MESSAGE_MAP()

namespace {

const char kCaption[] = "系统提示";

// The member whose code is strCode (exact bytes); NULL when none.
POSITION FindMember(CResInfoList& list, const CString& strCode)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        POSITION at = pos;
        if (list.GetNext(pos).strCode == strCode)
            return at;
    }
    return NULL;
}

} // namespace

CResGridCtrl::CResGridCtrl() {}

CResGridCtrl::~CResGridCtrl() {}

BOOL CResGridCtrl::SameCode(const CString& strA, const CString& strB)
{
    const int nLen = strA.GetLength();
    if (nLen != strB.GetLength())
        return FALSE;
    const unsigned char* a = (const unsigned char*)(LPCTSTR)strA;
    const unsigned char* b = (const unsigned char*)(LPCTSTR)strB;
    for (int i = 0; i < nLen; ++i) {
        unsigned char ca = a[i], cb = b[i];
        if (ca >= 0x80) {
            // A double-byte character: lead and trail byte must match as they are.
            if (ca != cb)
                return FALSE;
            if (i + 1 < nLen) {
                ++i;
                if (a[i] != b[i])
                    return FALSE;
            }
            continue;
        }
        if (ca >= 'A' && ca <= 'Z')
            ca = (unsigned char)(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z')
            cb = (unsigned char)(cb - 'A' + 'a');
        if (ca != cb)
            return FALSE;
    }
    return TRUE;
}

CProjectDoc* CResGridCtrl::GetProjectDoc() const
{
    CView* pView = dynamic_cast<CView*>(GetParent());
    return pView != NULL ? dynamic_cast<CProjectDoc*>(pView->GetDocument()) : NULL;
}

void CResGridCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    CGridCtrl::OnRButtonUp(nFlags, point);
    CMenu menu;
    if (!menu.LoadMenu(IDR_GRID_CONTEXTMENU))
        return;
    CPoint ptScreen;
    ::GetCursorPos(&ptScreen);
    if (CMenu* pPopup = menu.GetSubMenu(RES_POPUP_RESGRIDVIEW))
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, this);
}

int CResGridCtrl::AppendRow()
{
    const int nRow = InsertRow(_T(""));
    if (nRow >= 0)
        SetRowHeight(nRow, m_nDefCellHeight);
    return nRow;
}

void CResGridCtrl::OnAddRow()
{
    AppendRow();
    Invalidate();
}

void CResGridCtrl::OnDeleteRow()
{
    const int nRow = GetFocusCell().row;
    if (nRow < GetFixedRowCount() || nRow >= GetRowCount())
        return;
    const CString strCode = GetItemText(nRow, 1);
    CProjectDoc* pDoc = GetProjectDoc();
    if (!strCode.IsEmpty() && pDoc != NULL) {
        pDoc->ReplaceTaskAssignee(strCode, "");
        CResInfoList& members = pDoc->m_ProjectInfo.m_listMembers;
        if (POSITION pos = FindMember(members, strCode))
            members.RemoveAt(pos);
    }
    DeleteRow(nRow);
    Invalidate();
}

void CResGridCtrl::OnEndEditCell(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pNMHDR != NULL && ::IsWindow(GetSafeHwnd())) {
        GridItem& item = ((GridDispInfo*)pNMHDR)->item;
        if (item.col == 1 && item.szText.IsEmpty())
            MessageBox("请填写完整，否则，此行资源将不做保存! ", kCaption, MB_ICONINFORMATION);
        if (item.col == 1 && !item.szText.IsEmpty()) {
            for (int nRow = GetFixedRowCount(); nRow < GetRowCount(); ++nRow) {
                if (nRow != item.row && SameCode(GetItemText(nRow, 1), item.szText)) {
                    MessageBox("代号不能重复!", kCaption, MB_ICONINFORMATION);
                    item.szText += "1";
                    SetFocus();
                    break;
                }
            }
        }
        ApplyEdit(item.row, item.col, item.szText);
    }
    CGridCtrl::OnEndInPlaceEdit(pNMHDR, pResult);
}

void CResGridCtrl::ApplyEdit(int nRow, int nCol, const CString& strNew)
{
    // The row's code as it stood before this edit ties the row to its member.
    const CString strOldCode = GetItemText(nRow, 1);
    const CString strCode = nCol == 1 ? strNew : strOldCode;
    if (strCode.IsEmpty())
        return;
    CProjectDoc* pDoc = GetProjectDoc();
    if (pDoc == NULL)
        return;
    CResInfoList& members = pDoc->m_ProjectInfo.m_listMembers;
    POSITION pos = strOldCode.IsEmpty() ? NULL : FindMember(members, strOldCode);

    // The row's texts with the edit in place.
    CString strText[6];
    for (int nCell = 1; nCell <= 5; ++nCell)
        strText[nCell] = nCell == nCol ? strNew : GetItemText(nRow, nCell);

    tagResInfo res;
    if (pos != NULL) {
        res = members.GetAt(pos);
    } else {
        // A member the list does not hold yet: made wholly from the row.
        res.nID = nRow;
        res.nType = 1;
        res.bIsAdmin = 1;
        res.bIsManager = 0;
        res.bIsExt = 0;
        res.nActCost = 0;
        res.strCode = strText[1];
        res.strName = strText[2];
        res.strDesc = strText[3];
        res.strUnit = strText[4];
        res.nCost = atoi(strText[5]);
    }
    switch (nCol) {
    case 1:
        if (pos != NULL && res.strCode != strNew)
            pDoc->ReplaceTaskAssignee(res.strCode, strNew);
        res.strCode = strNew;
        res.strName = strText[2];
        res.strDesc = strText[3];
        res.strUnit = strText[4];
        res.nCost = atoi(strText[5]);
        break;
    case 2:
        res.strName = strNew;
        break;
    case 3:
        res.strDesc = strNew;
        break;
    case 4:
        res.strUnit = strNew;
        break;
    case 5:
        res.nCost = atoi(strNew);
        break;
    default:
        return;
    }
    if (pos != NULL)
        members.SetAt(pos, res);
    else
        members.AddTail(res);
}
