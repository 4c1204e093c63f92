// Control views: a list or tree control over the whole view.
#include "Framework.h"

IMPLEMENT_DYNCREATE(CCtrlView, CView)
IMPLEMENT_DYNCREATE(CListView, CCtrlView)
IMPLEMENT_DYNCREATE(CTreeView, CCtrlView)

BEGIN_MESSAGE_MAP(CCtrlView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CCtrlView::CCtrlView(LPCTSTR lpszClass, DWORD dwStyle)
    : m_strClass(lpszClass != nullptr ? lpszClass : ""), m_dwDefaultStyle(dwStyle), m_dwControlStyle(0)
{
}

CCtrlView::~CCtrlView() = default;

BOOL CCtrlView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= m_dwDefaultStyle;
    return CView::PreCreateWindow(cs);
}

void CCtrlView::OnDraw(CDC*)
{
    // The control draws itself.
}

CWnd* CCtrlView::GetControlWnd() const
{
    return nullptr;
}

BOOL CCtrlView::CreateControl(DWORD)
{
    return TRUE;
}

int CCtrlView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    // The control takes the control styles (the low word) the view was made with.
    m_dwControlStyle = lpcs->style & 0xFFFF;
    if (!CreateControl(WS_CHILD | WS_VISIBLE | m_dwControlStyle))
        return -1;
    return 0;
}

void CCtrlView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (CWnd* pCtrl = GetControlWnd())
        if (pCtrl->m_hWnd != nullptr)
            pCtrl->MoveWindow(0, 0, cx, cy, TRUE);
}

void CCtrlView::OnSetFocus(CWnd* pOldWnd)
{
    CWnd* pCtrl = GetControlWnd();
    if (pCtrl != nullptr && pCtrl->m_hWnd != nullptr)
        pCtrl->SetFocus();
    else
        CView::OnSetFocus(pOldWnd);
}

BOOL CCtrlView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

BOOL CCtrlView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
    CWnd* pCtrl = GetControlWnd();
    if (pCtrl != nullptr && pHdr != nullptr && pHdr->hwndFrom == pCtrl->m_hWnd)
    {
        // The view's reflected entries answer for the control, then the view's own, then
        // the parent of the view.
        LRESULT lResult = 0;
        if (ReflectChildNotify(WM_NOTIFY, wParam, lParam, &lResult))
        {
            if (pResult != nullptr)
                *pResult = lResult;
            return TRUE;
        }
        if (CView::OnNotify(wParam, lParam, pResult))
            return TRUE;
        if (CWnd* pParent = GetParent())
        {
            NMHDR copy = *pHdr;
            (void)copy;
            LRESULT l = pParent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), lParam);
            if (pResult != nullptr)
                *pResult = l;
            return TRUE;
        }
        return FALSE;
    }
    return CView::OnNotify(wParam, lParam, pResult);
}

BOOL CCtrlView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return CView::OnCommand(wParam, lParam);
}

CListView::CListView() : CCtrlView(WC_LISTVIEW, AFX_WS_DEFAULT_VIEW)
{
}

CListView::~CListView() = default;

BOOL CListView::CreateControl(DWORD dwStyle)
{
    CRect rc;
    GetClientRect(&rc);
    return m_list.Create(dwStyle, rc, this, AFX_IDW_PANE_FIRST);
}

CTreeView::CTreeView() : CCtrlView(WC_TREEVIEW, AFX_WS_DEFAULT_VIEW)
{
}

CTreeView::~CTreeView() = default;

BOOL CTreeView::CreateControl(DWORD dwStyle)
{
    CRect rc;
    GetClientRect(&rc);
    return m_tree.Create(dwStyle, rc, this, AFX_IDW_PANE_FIRST);
}
