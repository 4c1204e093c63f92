// CRptInCombo and its parts: the text part, the drop button, the drop list, keys, the end
// of the edit and the self-deletion of every piece after its window.
#include "SuperListCtrl/RptInCombo.h"

#include <ClassLib/Wnd/Keys.h>

#include <algorithm>
#include <cstring>

#include "SuperListCtrl/RptInEdit.h"
#include "SuperListCtrl/RptListCtrl.h"

namespace {

bool IsSearchChar(UINT nChar)
{
    return (nChar >= 'a' && nChar <= 'z') || (nChar >= 'A' && nChar <= 'Z') || (nChar >= '0' && nChar <= '9');
}

bool IsNavKey(const MSG* pMsg, UINT nKey)
{
    return pMsg->message == WM_KEYDOWN && pMsg->wParam == nKey;
}

// Enter, Escape and Tab count on key-down and character messages alike.
bool IsEndKey(const MSG* pMsg, UINT nKey)
{
    return (pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR) && pMsg->wParam == nKey;
}

} // namespace

// ---- The combo ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CRptInCombo, CWnd)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_GETDLGCODE()
    ON_MESSAGE(WM_RPT_COMBOSETTEXT, OnComboSetText)
END_MESSAGE_MAP()

CRptInCombo::CRptInCombo(int nItem, int nSubItem, LPCTSTR lpszText, CStringArray* pChoices, BOOL bEditable,
                         BOOL bClickThrough)
    : m_nItem(nItem), m_nSubItem(nSubItem), m_strInitial(lpszText), m_pChoices(pChoices), m_bEditable(bEditable),
      m_bClickThrough(bClickThrough), m_nButtonWidth(::GetSystemMetrics(SM_CXHSCROLL)),
      m_clrText(::GetSysColor(COLOR_WINDOWTEXT))
{
    m_bmpButton.LoadOEMBitmap(OBM_COMBO);
}

CRptInCombo::~CRptInCombo()
{
    if (m_pDropList != nullptr) {
        m_pDropList->m_pCombo = nullptr;
        m_pDropList = nullptr;
    }
    delete m_pChoices;
}

CFont* CRptInCombo::TextFont()
{
    if (m_pFont != nullptr)
        return m_pFont;
    CWnd* pList = GetParent();
    return pList != nullptr ? pList->GetFont() : nullptr;
}

BOOL CRptInCombo::Create(const RECT& rect, CWnd* pList, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!CWnd::Create(lpszClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, pList, nID))
        return FALSE;
    CRect client;
    GetClientRect(&client);
    CRect rcText(0, 0, std::max(0, client.Width() - m_nButtonWidth), client.Height());
    if (m_bEditable) {
        m_pEdit = new CRptInComboEdit(this);
        if (!m_pEdit->Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rcText, this, nID + 1)) {
            delete m_pEdit;
            m_pEdit = nullptr;
        } else {
            m_pEdit->SetFont(TextFont());
            CHARFORMAT cf;
            std::memset(&cf, 0, sizeof(cf));
            cf.cbSize = sizeof(cf);
            cf.dwMask = CFM_COLOR;
            cf.crTextColor = m_clrText;
            m_pEdit->SetDefaultCharFormat(cf);
            m_pEdit->SetAutoComplete(FALSE);
            m_pEdit->SetWindowText(m_strInitial);
            m_pEdit->SetAutoComplete(TRUE);
            m_pEdit->SetEventMask(m_pEdit->GetEventMask() | ENM_CHANGE);
        }
    } else {
        m_strStaticText = m_strInitial;
        m_pStatic = new CRptInComboStatic(this);
        LPCTSTR lpszStatic = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
        if (!m_pStatic->Create(lpszStatic, m_strInitial, WS_CHILD | WS_VISIBLE, rcText, this, nID + 1)) {
            delete m_pStatic;
            m_pStatic = nullptr;
        } else
            m_pStatic->SetFont(TextFont());
    }
    for (int i = 0; i < ChoiceCount(); ++i) {
        const CString& s = m_pChoices->GetAt(i);
        if (!s.IsEmpty() && s == m_strInitial) {
            m_nCurrent = i;
            break;
        }
    }
    SetFocus();
    if (m_bClickThrough && m_pEdit != nullptr)
        RptClickThrough(m_pEdit);
    return TRUE;
}

CString CRptInCombo::GetText() const
{
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) {
        CString s;
        m_pEdit->GetWindowText(s);
        return s;
    }
    return m_strStaticText;
}

CRect CRptInCombo::ButtonRect()
{
    CRect client;
    GetClientRect(&client);
    return CRect(std::max(0, client.right - m_nButtonWidth), 0, client.right, client.bottom);
}

void CRptInCombo::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CRect rcButton = ButtonRect();
    CRect rcText(0, 0, rcButton.left, client.bottom);
    dc.FillSolidRect(&rcText, ::GetSysColor(COLOR_WINDOW));
    dc.FillSolidRect(&rcButton, ::GetSysColor(COLOR_BTNFACE));
    BITMAP bm;
    std::memset(&bm, 0, sizeof(bm));
    if (m_bmpButton.GetSafeHandle() != nullptr && m_bmpButton.GetBitmap(&bm)) {
        CDC dcMem;
        dcMem.CreateCompatibleDC(&dc);
        CBitmap* pOld = dcMem.SelectObject(&m_bmpButton);
        const int x = rcButton.left + (rcButton.Width() - bm.bmWidth) / 2;
        const int y = rcButton.top + (rcButton.Height() - bm.bmHeight) / 2;
        dc.BitBlt(x, y, bm.bmWidth, bm.bmHeight, &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
    }
    const COLORREF clrHi = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    const bool bOpen = IsDropped();
    CRect rc = rcButton;
    if (!m_bPlainButton && !bOpen) {
        dc.Draw3dRect(&rc, clrFace, RGB(0, 0, 0));
        rc.DeflateRect(1, 1);
    }
    if (bOpen)
        dc.Draw3dRect(&rc, clrShadow, clrHi);
    else
        dc.Draw3dRect(&rc, clrHi, clrShadow);
    if (!m_bPlainButton && bOpen) {
        rc.DeflateRect(1, 1);
        dc.Draw3dRect(&rc, RGB(0, 0, 0), clrFace);
    }
}

void CRptInCombo::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (CWnd* pPart = GetTextPart())
        if (pPart->GetSafeHwnd() != nullptr)
            pPart->MoveWindow(0, 0, std::max(0, cx - m_nButtonWidth), cy);
}

UINT CRptInCombo::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CRptInCombo::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr && !m_bDestroying)
        m_pEdit->SetFocus();
}

bool CRptInCombo::IsOwnWindow(CWnd* pWnd)
{
    if (pWnd == nullptr)
        return false;
    const HWND h = pWnd->GetSafeHwnd();
    return h == GetSafeHwnd() || (m_pEdit != nullptr && h == m_pEdit->GetSafeHwnd()) ||
           (m_pStatic != nullptr && h == m_pStatic->GetSafeHwnd()) ||
           (m_pDropList != nullptr && h == m_pDropList->GetSafeHwnd());
}

void CRptInCombo::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    if (m_bDestroying || IsOwnWindow(pNewWnd))
        return;
    if (!m_bCancelled)
        EndWithCurrentText();
    DestroyCombo();
}

void CRptInCombo::EndEdit(const CString& strText)
{
    if (RptSendEndLabelEdit(this, m_nItem, m_nSubItem, m_strInitial, strText, m_bCancelled))
        m_strInitial = strText;  // a second end of the same edit reports nothing
}

void CRptInCombo::EndWithCurrentText()
{
    EndEdit(GetText());
}

void CRptInCombo::CloseDropList()
{
    if (m_pDropList == nullptr)
        return;
    CRptInComboList* pList = m_pDropList;
    m_pDropList = nullptr;
    pList->m_pCombo = nullptr;
    pList->DestroyWindow();
    if (GetSafeHwnd() != nullptr && !m_bDestroying)
        InvalidateRect(ButtonRect(), FALSE);
}

void CRptInCombo::DestroyCombo()
{
    if (m_bDestroying)
        return;
    m_bDestroying = TRUE;
    CloseDropList();
    DestroyWindow();
}

void CRptInCombo::LeaveAndNavigate(int nDirection)
{
    CWnd* pList = GetParent();
    const int nItem = m_nItem;
    const int nSubItem = m_nSubItem;
    if (!m_bCancelled)
        EndWithCurrentText();
    DestroyCombo();
    RptSendEditNavigate(pList, nItem, nSubItem, nDirection);
}

void CRptInCombo::SelectChoice(int nIndex)
{
    if (nIndex < 0 || nIndex >= ChoiceCount())
        return;
    m_nCurrent = nIndex;
    SendMessage(WM_RPT_COMBOSETTEXT, static_cast<WPARAM>(nIndex),
                reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(m_pChoices->GetAt(nIndex))));
}

void CRptInCombo::SearchFirstChar(UINT nChar)
{
    const int nCount = ChoiceCount();
    const int nStart = m_nCurrent >= 0 ? m_nCurrent : 0;
    auto matches = [&](int i) {
        const CString& s = m_pChoices->GetAt(i);
        return !s.IsEmpty() && static_cast<unsigned char>(s[0]) == nChar;
    };
    for (int i = nStart; i < nCount; ++i)
        if (matches(i)) {
            SelectChoice(i);
            return;
        }
    for (int i = 0; i < nStart && i < nCount; ++i)
        if (matches(i)) {
            SelectChoice(i);
            return;
        }
}

LRESULT CRptInCombo::OnComboSetText(WPARAM wParam, LPARAM lParam)
{
    const CString strText(reinterpret_cast<LPCTSTR>(lParam));
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) {
        m_pEdit->SetAutoComplete(FALSE);
        m_pEdit->SetWindowText(strText);
        m_pEdit->SetAutoComplete(TRUE);
    } else {
        m_strStaticText = strText;
        if (m_pStatic != nullptr && m_pStatic->GetSafeHwnd() != nullptr) {
            m_pStatic->SetWindowText(strText);
            m_pStatic->Invalidate();
        }
    }
    if (static_cast<int>(wParam) >= 0)
        m_nCurrent = static_cast<int>(wParam);
    return 0;
}

void CRptInCombo::ToggleDropList()
{
    if (IsDropped()) {
        CloseDropList();
        return;
    }
    CWnd* pList = GetParent();
    if (pList == nullptr || ChoiceCount() == 0)
        return;
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(TextFont());
    const int nItemHeight = dc.GetTextExtent("X").cx + 3;
    dc.SelectObject(pOld);
    int nHeight = std::min((ChoiceCount() + 1) * nItemHeight, 100);
    if (nHeight == 0)
        nHeight = 20;
    CRect rc;
    GetWindowRect(&rc);
    pList->ScreenToClient(&rc);
    CRect rcDrop(rc.left, rc.bottom, rc.right, rc.bottom + nHeight);
    m_pDropList = new CRptInComboList(this);
    if (!m_pDropList->CreateEx(WS_EX_TOPMOST, "LISTBOX", "",
                               WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_SORT | LBS_NOTIFY, rcDrop, pList,
                               GetDlgCtrlID() + 2)) {
        delete m_pDropList;
        m_pDropList = nullptr;
        return;
    }
    m_pDropList->SetFont(TextFont());
    m_pDropList->SetItemHeight(0, static_cast<UINT>(nItemHeight));
    for (int i = 0; i < ChoiceCount(); ++i)
        m_pDropList->AddString(m_pChoices->GetAt(i));
    rcDrop.bottom = rcDrop.top + std::min(nItemHeight * ChoiceCount(), 100);
    m_pDropList->MoveWindow(&rcDrop);
    m_pDropList->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const int nSel = m_pDropList->FindStringExact(-1, GetText());
    if (nSel >= 0)
        m_pDropList->SetCurSel(nSel);
    m_pDropList->SetFocus();
}

void CRptInCombo::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    if (ChoiceCount() > 0 && ButtonRect().PtInRect(point))
        ToggleDropList();
    else
        CloseDropList();
    if (GetSafeHwnd() != nullptr)
        InvalidateRect(ButtonRect(), FALSE);
}

void CRptInCombo::SendDblClk()
{
    CWnd* pList = GetParent();
    CWnd* pTarget = pList != nullptr ? pList->GetParent() : nullptr;
    if (pTarget == nullptr)
        return;
    NMHDR hdr;
    std::memset(&hdr, 0, sizeof(hdr));
    hdr.hwndFrom = pList->GetSafeHwnd();
    hdr.idFrom = static_cast<UINT_PTR>(pList->GetDlgCtrlID());
    hdr.code = NM_DBLCLK;
    pTarget->SendMessage(WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

void CRptInCombo::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDblClk(nFlags, point);
    SendDblClk();
}

BOOL CRptInCombo::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN && pMsg->message != WM_CHAR)
        return CWnd::PreTranslateMessage(pMsg);
    CWnd* pList = GetParent();
    if (IsNavKey(pMsg, VK_UP)) {
        SelectChoice(m_nCurrent - 1);
        return TRUE;
    }
    if (IsNavKey(pMsg, VK_DOWN)) {
        SelectChoice(m_nCurrent + 1);
        return TRUE;
    }
    if (IsEndKey(pMsg, VK_RETURN)) {
        EndWithCurrentText();
        if (pList != nullptr)
            pList->SetFocus();
        return TRUE;
    }
    if (IsEndKey(pMsg, VK_ESCAPE)) {
        m_bCancelled = TRUE;
        if (pList != nullptr)
            pList->SetFocus();
        return TRUE;
    }
    if (IsEndKey(pMsg, VK_TAB)) {
        LeaveAndNavigate((::GetKeyState(VK_SHIFT) & 0x8000) ? RPT_NAV_PREVCELL : RPT_NAV_NEXTCELL);
        return TRUE;
    }
    if (IsNavKey(pMsg, VK_LEFT)) {
        LeaveAndNavigate(RPT_NAV_LEFT);
        return TRUE;
    }
    if (IsNavKey(pMsg, VK_RIGHT)) {
        LeaveAndNavigate(RPT_NAV_RIGHT);
        return TRUE;
    }
    // Typed characters carry their case: the search looks at character messages.
    if (!m_bEditable && pMsg->message == WM_CHAR && IsSearchChar(static_cast<UINT>(pMsg->wParam))) {
        SearchFirstChar(static_cast<UINT>(pMsg->wParam));
        return TRUE;
    }
    ::TranslateMessage(pMsg);
    ::DispatchMessage(pMsg);
    return TRUE;
}

void CRptInCombo::PostNcDestroy()
{
    delete this;
}

// ---- The editable text part -----------------------------------------------------------------

BEGIN_MESSAGE_MAP(CRptInComboEdit, CRichEditCtrl)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_GETDLGCODE()
    ON_CONTROL_REFLECT(EN_CHANGE, OnTextChange)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
END_MESSAGE_MAP()

BOOL CRptInComboEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_UP || pMsg->wParam == VK_DOWN)) {
        m_pCombo->SelectChoice(m_pCombo->m_nCurrent + (pMsg->wParam == VK_UP ? -1 : 1));
        return TRUE;
    }
    return CRichEditCtrl::PreTranslateMessage(pMsg);
}

UINT CRptInComboEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CRptInComboEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DELETE || nChar == VK_BACK)
        m_bSuppressComplete = TRUE;
    CRichEditCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CRptInComboEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE || nChar == VK_RETURN || nChar == VK_TAB) {
        if (nChar == VK_ESCAPE)
            m_pCombo->m_bCancelled = TRUE;
        m_pCombo->SetFocus();
        return;
    }
    CRichEditCtrl::OnChar(nChar, nRepCnt, nFlags);
}

void CRptInComboEdit::OnTextChange()
{
    if (!m_bCompleting) {
        AutoComplete();
        // Delete and Backspace hold off one completion only.
        m_bSuppressComplete = FALSE;
    }
}

void CRptInComboEdit::AutoComplete()
{
    if (!m_bAutoComplete || m_bSuppressComplete || m_bCompleting)
        return;
    CString strTyped;
    GetWindowText(strTyped);
    if (strTyped.IsEmpty())
        return;
    const int nTyped = strTyped.GetLength();
    for (int i = 0; i < m_pCombo->ChoiceCount(); ++i) {
        const CString& s = m_pCombo->m_pChoices->GetAt(i);
        if (s.GetLength() < nTyped || s == strTyped)
            continue;
        if (s.Left(nTyped).CompareNoCase(strTyped) != 0)
            continue;
        m_bCompleting = TRUE;
        SetWindowText(s);
        SetSel(nTyped, s.GetLength());
        m_bCompleting = FALSE;
        return;
    }
}

void CRptInComboEdit::OnKillFocus(CWnd* pNewWnd)
{
    CRichEditCtrl::OnKillFocus(pNewWnd);
    CRptInCombo* pCombo = m_pCombo;
    if (pCombo->m_bDestroying || pCombo->IsOwnWindow(pNewWnd))
        return;
    // The text goes to the combo, which reports it (null when cancelled) and goes.
    CString strText;
    GetWindowText(strText);
    pCombo->SendMessage(WM_RPT_COMBOSETTEXT, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strText)));
    pCombo->EndEdit(strText);
    pCombo->DestroyCombo();
}

void CRptInComboEdit::OnRButtonDown(UINT, CPoint)
{
}

void CRptInComboEdit::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CRichEditCtrl::OnLButtonDblClk(nFlags, point);
    m_pCombo->SendDblClk();
}

void CRptInComboEdit::OnEditCopy() { Copy(); }
void CRptInComboEdit::OnEditCut() { Cut(); }
void CRptInComboEdit::OnEditPaste() { Paste(); }
void CRptInComboEdit::OnEditUndo() { Undo(); }

// ---- The fixed text part --------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CRptInComboStatic, CWnd)
    ON_WM_PAINT()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

BOOL CRptInComboStatic::PreTranslateMessage(MSG* pMsg)
{
    if (IsNavKey(pMsg, VK_UP) || IsNavKey(pMsg, VK_DOWN)) {
        m_pCombo->SelectChoice(m_pCombo->m_nCurrent + (pMsg->wParam == VK_UP ? -1 : 1));
        return TRUE;
    }
    if (pMsg->message == WM_CHAR && IsSearchChar(static_cast<UINT>(pMsg->wParam))) {
        m_pCombo->SearchFirstChar(static_cast<UINT>(pMsg->wParam));
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

UINT CRptInComboStatic::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CRptInComboStatic::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_WINDOW));
    CFont* pOld = dc.SelectObject(m_pCombo->TextFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_pCombo->m_clrText);
    dc.TextOut(0, 0, m_pCombo->m_strStaticText);
    dc.SelectObject(pOld);
}

void CRptInComboStatic::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    m_pCombo->CloseDropList();
}

void CRptInComboStatic::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    CRptInCombo* pCombo = m_pCombo;
    if (pCombo->m_bDestroying || pCombo->IsOwnWindow(pNewWnd))
        return;
    pCombo->DestroyCombo();
}

void CRptInComboStatic::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDblClk(nFlags, point);
    m_pCombo->SendDblClk();
}

// ---- The drop list --------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CRptInComboList, CListBox)
    ON_WM_LBUTTONUP()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

UINT CRptInComboList::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

BOOL CRptInComboList::PreTranslateMessage(MSG* pMsg)
{
    if (IsEndKey(pMsg, VK_RETURN) && pMsg->message == WM_KEYDOWN) {
        Choose();
        return TRUE;
    }
    if (IsEndKey(pMsg, VK_ESCAPE) && pMsg->message == WM_KEYDOWN) {
        Close();
        return TRUE;
    }
    return CListBox::PreTranslateMessage(pMsg);
}

void CRptInComboList::Choose()
{
    CRptInCombo* pCombo = m_pCombo;
    if (pCombo == nullptr)
        return;
    const int nSel = GetCurSel();
    CString strText;
    if (nSel >= 0)
        GetText(nSel, strText);
    // The list is sorted: its index is mapped back to the combo's own choice.
    int nChoice = -1;
    for (int i = 0; nSel >= 0 && i < pCombo->ChoiceCount(); ++i)
        if (pCombo->m_pChoices->GetAt(i) == strText) {
            nChoice = i;
            break;
        }
    pCombo->m_pDropList = nullptr;
    m_pCombo = nullptr;  // the focus change below is no loss of the combo's
    pCombo->SetFocus();
    pCombo->InvalidateRect(pCombo->ButtonRect(), FALSE);
    if (nSel >= 0)
        pCombo->SendMessage(WM_RPT_COMBOSETTEXT, static_cast<WPARAM>(nChoice),
                            reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strText)));
    DestroyWindow();
}

void CRptInComboList::Close()
{
    CRptInCombo* pCombo = m_pCombo;
    if (pCombo == nullptr)
        return;
    pCombo->m_pDropList = nullptr;
    m_pCombo = nullptr;
    pCombo->SetFocus();
    pCombo->InvalidateRect(pCombo->ButtonRect(), FALSE);
    DestroyWindow();
}

void CRptInComboList::OnLButtonUp(UINT nFlags, CPoint point)
{
    CListBox::OnLButtonUp(nFlags, point);
    Choose();
}

void CRptInComboList::OnKillFocus(CWnd* pNewWnd)
{
    CListBox::OnKillFocus(pNewWnd);
    CRptInCombo* pCombo = m_pCombo;
    if (pCombo == nullptr)
        return;
    // The focus left for a window outside the combo: the edit ends there too.
    pCombo->m_pDropList = nullptr;
    m_pCombo = nullptr;
    if (pCombo->GetSafeHwnd() != nullptr)
        pCombo->InvalidateRect(pCombo->ButtonRect(), FALSE);
    DestroyWindow();
    if (!pCombo->IsOwnWindow(pNewWnd)) {
        if (!pCombo->m_bCancelled)
            pCombo->EndWithCurrentText();
        pCombo->DestroyCombo();
    }
}

void CRptInComboList::PostNcDestroy()
{
    if (m_pCombo != nullptr)
        m_pCombo->m_pDropList = nullptr;
    delete this;
}
