// CEditView: a multi-line edit over the view.
#include "Framework.h"

#include <ClassLib/DocView/EditView.h>

#include <vector>

IMPLEMENT_DYNCREATE(CEditView, CCtrlView)

const DWORD CEditView::dwStyleDefault = AFX_WS_DEFAULT_VIEW | AFX_WS_DEFAULT_EDITVIEW_STYLE;

CEditView::CEditView() : CCtrlView("EDIT", AFX_WS_DEFAULT_VIEW | AFX_WS_DEFAULT_EDITVIEW_STYLE)
{
}

CEditView::~CEditView() = default;

BOOL CEditView::CreateControl(DWORD dwStyle)
{
    CRect rc;
    GetClientRect(&rc);
    // The edit control takes the edit styles of the view; scroll bars are its own.
    DWORD dwEdit = (dwStyle & 0xFFFF) | WS_CHILD | WS_VISIBLE | (GetStyle() & (WS_HSCROLL | WS_VSCROLL));
    return m_edit.Create(dwEdit, rc, this, AFX_IDW_PANE_FIRST);
}

UINT CEditView::GetBufferLength() const
{
    return m_edit.m_hWnd != nullptr ? static_cast<UINT>(m_edit.GetWindowTextLength()) : 0;
}

void CEditView::GetSelectedText(CString& strResult) const
{
    strResult.Empty();
    if (m_edit.m_hWnd == nullptr)
        return;
    int nStart = 0, nEnd = 0;
    m_edit.GetSel(nStart, nEnd);
    CString text;
    m_edit.GetWindowText(text);
    if (nEnd > nStart && nStart >= 0 && nEnd <= text.GetLength())
        strResult = text.Mid(nStart, nEnd - nStart);
}

void CEditView::SerializeRaw(CArchive& ar)
{
    if (ar.IsStoring())
    {
        CString text;
        if (m_edit.m_hWnd != nullptr)
            m_edit.GetWindowText(text);
        if (!text.IsEmpty())
            ar.Write(static_cast<LPCTSTR>(text), static_cast<UINT>(text.GetLength()));
    }
    else
    {
        // The rest of the file, whatever its length.
        std::vector<char> bytes;
        char buf[4096];
        for (;;)
        {
            UINT n = ar.Read(buf, sizeof(buf));
            if (n == 0)
                break;
            bytes.insert(bytes.end(), buf, buf + n);
        }
        CString text(bytes.empty() ? "" : bytes.data(), static_cast<int>(bytes.size()));
        if (m_edit.m_hWnd != nullptr)
            m_edit.SetWindowText(text);
    }
}

void CEditView::Serialize(CArchive& ar)
{
    SerializeRaw(ar);
}
