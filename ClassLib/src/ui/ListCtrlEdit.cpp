// Editing a list item's label in place: an edit over the label; Enter or leaving it ends
// the edit with LVN_ENDLABELEDIT (the parent's nonzero answer keeps the text), Escape
// cancels (the notification carries no text).
#include "../framework/Framework.h"

#include "../framework/FrameworkStrings.h"

#include <cstring>

namespace {

class CLabelEdit : public CEdit
{
public:
    CLabelEdit(CListCtrl* pList, int nItem) : m_pList(pList), m_nItem(nItem) {}

    void End(BOOL bAccept)
    {
        if (m_bEnding)
            return;
        m_bEnding = true;
        CString text;
        GetWindowText(text);
        CListCtrl* pList = m_pList;
        int nItem = m_nItem;
        HWND hList = pList->m_hWnd;
        ShowWindow(SW_HIDE);
        NMLVDISPINFO info;
        std::memset(&info, 0, sizeof(info));
        info.hdr.hwndFrom = hList;
        info.hdr.idFrom = static_cast<UINT_PTR>(pList->GetDlgCtrlID());
        info.hdr.code = LVN_ENDLABELEDIT;
        info.item.mask = LVIF_TEXT | LVIF_PARAM;
        info.item.iItem = nItem;
        info.item.lParam = static_cast<LPARAM>(pList->GetItemData(nItem));
        info.item.pszText = bAccept ? const_cast<LPSTR>(static_cast<LPCTSTR>(text)) : nullptr;
        LRESULT lKeep = 0;
        if (CWnd* pParent = pList->GetParent())
            lKeep = pParent->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
        if (bAccept && lKeep && ::IsWindow(hList))
            pList->SetItemText(nItem, 0, text);
        pc_frame::EndLabelEdit(pList);
        DestroyWindow();
    }

protected:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        {
            End(pMsg->wParam == VK_RETURN);
            return TRUE;
        }
        return CEdit::PreTranslateMessage(pMsg);
    }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_COMMAND && HIWORD(wParam) == EN_KILLFOCUS)
        {
            End(TRUE);
            return TRUE;
        }
        return CEdit::OnChildNotify(message, wParam, lParam, pResult);
    }
    void PostNcDestroy() override { delete this; }

    CListCtrl* m_pList;
    int m_nItem;
    bool m_bEnding = false;
};

}  // namespace

namespace pc_frame {

CEdit* BeginLabelEdit(CListCtrl* pList, int nItem)
{
    CRect rc;
    if (!pList->GetItemRect(nItem, &rc, LVIR_LABEL))
        return nullptr;
    CLabelEdit* pEdit = new CLabelEdit(pList, nItem);
    if (!pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rc, pList, 1))
    {
        delete pEdit;
        return nullptr;
    }
    pEdit->SetFont(pList->GetFont(), FALSE);
    pEdit->SetWindowText(pList->GetItemText(nItem, 0));
    pEdit->SetSel(0, -1);
    pEdit->SetFocus();
    SetLabelEdit(pList, pEdit, nItem);
    return pEdit;
}

}  // namespace pc_frame

namespace pc_frame {

void SetLabelEdit(CListCtrl* pList, CEdit* pEdit, int nItem)
{
    pList->m_pEdit = pEdit;
    pList->m_nEditItem = nItem;
}

void EndLabelEdit(CListCtrl* pList)
{
    pList->m_pEdit = nullptr;
    pList->m_nEditItem = -1;
}

}  // namespace pc_frame
