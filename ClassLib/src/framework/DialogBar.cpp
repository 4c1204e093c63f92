// CDialogBar: a bar built from a dialog template.
#include "Framework.h"

#include <ClassLib/Frames/DialogBar.h>

#include <vector>

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

namespace {

// Builds the template's controls in a hidden dialog; the bar then takes them over.
class CBarBuilder : public CDialog
{
public:
    BOOL Build(const AFX_DLG_TEMPLATE* pTemplate, CWnd* pParent)
    {
        m_tpl = *pTemplate;
        m_tpl.dwStyle = (pTemplate->dwStyle & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE |
                                                 WS_BORDER | WS_THICKFRAME)) |
                        WS_CHILD | DS_CONTROL;
        m_tpl.x = 0;
        m_tpl.y = 0;
        return CreateDlgIndirect(&m_tpl, pParent);
    }
    BOOL OnInitDialog() override { return FALSE; }

private:
    AFX_DLG_TEMPLATE m_tpl{};
};

}  // namespace

CDialogBar::CDialogBar() : m_sizeDefault(0, 0), m_pBuilder(nullptr)
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CDialogBar::~CDialogBar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    delete m_pBuilder;
}

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    const AFX_DLG_TEMPLATE* pTemplate = static_cast<const AFX_DLG_TEMPLATE*>(AfxFindResource(lpszTemplateName, RT_DIALOG));
    if (pTemplate == nullptr || pParentWnd == nullptr)
    {
        TRACE("Error: dialog bar template not found.\n");
        return FALSE;
    }
    m_dwStyle = nStyle & CBRS_ALL;
    if (!CWnd::Create(AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr), nullptr,
                      (nStyle & ~CBRS_ALL) | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(0, 0, 10, 10), pParentWnd, nID))
        return FALSE;
    delete m_pBuilder;
    CBarBuilder* pBuilder = new CBarBuilder;
    m_pBuilder = pBuilder;
    if (!pBuilder->Build(pTemplate, this))
        return FALSE;
    CRect rc;
    pBuilder->GetWindowRect(&rc);
    m_sizeDefault = rc.Size();
    // The controls become the bar's own children, in template order.
    std::vector<CWnd*> controls;
    for (CWnd* p = pBuilder->GetWindow(GW_CHILD); p != nullptr; p = p->GetWindow(GW_HWNDNEXT))
        controls.push_back(p);
    for (CWnd* p : controls)
        p->SetParent(this);
    pBuilder->DestroyWindow();
    SetFont(pBuilder->GetFont(), FALSE);
    MoveWindow(0, 0, m_sizeDefault.cx, m_sizeDefault.cy, FALSE);
    if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd))
    {
        m_pDockSite = pFrame;
        pFrame->AddControlBar(this);
        pFrame->RecalcLayout();
    }
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = m_sizeDefault;
    if (bStretch)
    {
        if (CFrameWnd* pFrame = GetDockingFrame())
        {
            CRect rc;
            pFrame->GetClientRect(&rc);
            if (bHorz)
                size.cx = rc.Width();
            else
                size.cy = rc.Height();
        }
    }
    return size;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (CWnd* p = GetWindow(GW_CHILD); p != nullptr; p = p->GetWindow(GW_HWNDNEXT))
    {
        int nID = p->GetDlgCtrlID();
        if (nID <= 0 || nID == 0xFFFF)
            continue;
        state.m_pOther = p;
        state.m_nID = static_cast<UINT>(nID);
        // Labels and frames have no command.
        char cls[32] = {0};
        ::GetClassName(p->m_hWnd, cls, sizeof(cls));
        BOOL bStatic = _stricmp(cls, "STATIC") == 0;
        state.DoUpdate(pTarget, bDisableIfNoHndler && !bStatic);
    }
}

BOOL CDialogBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The frame answers the controls' commands.
    if (CFrameWnd* pFrame = GetDockingFrame())
    {
        pFrame->SendMessage(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return CControlBar::OnCommand(wParam, lParam);
}

BOOL CDialogBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CControlBar::OnNotify(wParam, lParam, pResult))
        return TRUE;
    if (CFrameWnd* pFrame = GetDockingFrame())
    {
        LRESULT l = pFrame->SendMessage(WM_NOTIFY, wParam, lParam);
        if (pResult != nullptr)
            *pResult = l;
        return TRUE;
    }
    return FALSE;
}
