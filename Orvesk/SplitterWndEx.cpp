#include "SplitterWndEx.h"

#include <ClassLib/Frames/FrameWnd.h>
#include <ClassLib/Registry/Registry.h>

IMPLEMENT_DYNAMIC(CSplitterWndEx, CSplitterWnd)

BEGIN_MESSAGE_MAP(CSplitterWndEx, CSplitterWnd)
    ON_WM_CREATE()
    ON_WM_LBUTTONUP()
    ON_WM_DESTROY()
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace
{
CString KeyName(const CString& strRegName)
{
    return CString(_T("SOFTWARE\\LumoSplitter\\")) + strRegName;
}
} // namespace

CSplitterWndEx::CSplitterWndEx()
    : m_clrHighlight(::GetSysColor(COLOR_BTNHIGHLIGHT)),
      m_clrShadow(::GetSysColor(COLOR_BTNSHADOW)),
      m_clrFace(::GetSysColor(COLOR_BTNFACE)),
      m_nLeftWidth(0),
      m_nRightWidth(0),
      m_strRegName(_T("KW"))
{
}

CSplitterWndEx::~CSplitterWndEx()
{
    SaveWidths();
}

BOOL CSplitterWndEx::CreatePanes(CWnd* pParent, LPCTSTR lpszRegName, CRuntimeClass* pLeft, CRuntimeClass* pRight,
                                 CCreateContext* pContext)
{
    SetRegName(lpszRegName);
    if (!CreateStatic(pParent, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!CreateView(0, 0, pLeft, CSize(270, 0), pContext))
    {
        TRACE("Failed to create %s\n", pLeft->m_lpszClassName);
        return FALSE;
    }
    if (!CreateView(0, 1, pRight, CSize(0, 0), pContext))
    {
        TRACE("Failed to create %s\n", pRight->m_lpszClassName);
        return FALSE;
    }
    ShowWindow(SW_SHOW);
    GetPane(0, 0)->ShowWindow(SW_SHOW);
    GetPane(0, 1)->ShowWindow(SW_SHOW);

    if (CFrameWnd* pFrame = pParent->GetParentFrame())
    {
        pFrame->SetActiveView((CView*)GetPane(0, 0), TRUE);
        pFrame->RecalcLayout(TRUE);
    }
    return TRUE;
}

void CSplitterWndEx::FitToContainer(int cx, int cy)
{
    if (!GetSafeHwnd())
        return;
    if (m_nLeftWidth == 0 && m_nRightWidth == 0)
    {
        SetRowInfo(0, cy, 10);
        SetColumnInfo(0, cx / 3, 10);
        SetColumnInfo(1, 2 * cx / 3, 10);
    }
    else
    {
        SetColumnInfo(0, m_nLeftWidth, 10);
        SetColumnInfo(1, m_nRightWidth, 10);
    }
    MoveWindow(-2, -2, cx + 4, cy + 4, TRUE);
}

int CSplitterWndEx::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CSplitterWnd::OnCreate(lpcs) == -1)
        return -1;
    LoadWidths();
    return 0;
}

void CSplitterWndEx::StoreCurrentWidths()
{
    if (GetColumnCount() < 2)
        return;
    int cxCur = 0, cxMin = 0;
    GetColumnInfo(0, cxCur, cxMin);
    m_nLeftWidth = cxCur;
    GetColumnInfo(1, cxCur, cxMin);
    m_nRightWidth = cxCur;
}

void CSplitterWndEx::OnLButtonUp(UINT nFlags, CPoint point)
{
    CSplitterWnd::OnLButtonUp(nFlags, point);
    StoreCurrentWidths();
}

void CSplitterWndEx::OnDestroy()
{
    StoreCurrentWidths();
    SaveWidths();
    CSplitterWnd::OnDestroy();
}

void CSplitterWndEx::OnPaint()
{
    CPaintDC dc(this);
    OnDrawSplitterParts(&dc);
}

void CSplitterWndEx::LoadWidths()
{
    HKEY hKey = NULL;
    if (::RegOpenKeyEx(HKEY_LOCAL_MACHINE, KeyName(m_strRegName), 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    DWORD dwLeft = 0, dwRight = 0, dwType = 0, cb = sizeof(DWORD);
    if (::RegQueryValueEx(hKey, _T("LeftWidth"), NULL, &dwType, (LPBYTE)&dwLeft, &cb) == ERROR_SUCCESS &&
        dwType == REG_DWORD)
    {
        cb = sizeof(DWORD);
        if (::RegQueryValueEx(hKey, _T("RightWidth"), NULL, &dwType, (LPBYTE)&dwRight, &cb) == ERROR_SUCCESS &&
            dwType == REG_DWORD)
        {
            m_nLeftWidth = (int)dwLeft;
            m_nRightWidth = (int)dwRight;
        }
    }
    ::RegCloseKey(hKey);
}

void CSplitterWndEx::SaveWidths()
{
    HKEY hKey = NULL;
    const CString strKey = KeyName(m_strRegName);
    if (::RegOpenKeyEx(HKEY_LOCAL_MACHINE, strKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
    {
        DWORD dwDisposition = 0;
        if (::RegCreateKeyEx(HKEY_LOCAL_MACHINE, strKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                             &hKey, &dwDisposition) != ERROR_SUCCESS)
            return;
    }
    DWORD dwLeft = (DWORD)m_nLeftWidth, dwRight = (DWORD)m_nRightWidth;
    ::RegSetValueEx(hKey, _T("LeftWidth"), 0, REG_DWORD, (const BYTE*)&dwLeft, sizeof(DWORD));
    ::RegSetValueEx(hKey, _T("RightWidth"), 0, REG_DWORD, (const BYTE*)&dwRight, sizeof(DWORD));
    ::RegCloseKey(hKey);
}

void CSplitterWndEx::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect)
{
    if (!pDC)
    {
        RedrawWindow(&rect, NULL, RDW_INVALIDATE | RDW_NOCHILDREN);
        return;
    }
    if (nType == splitBorder)
    {
        CRect rc = rect;
        pDC->Draw3dRect(&rc, m_clrFace, m_clrFace);
        rc.InflateRect(-1, -1);
        pDC->Draw3dRect(&rc, m_clrShadow, m_clrHighlight);
        return;
    }
    ASSERT(nType == splitBox || nType == splitBar || nType == splitIntersection);
    // Flat bars: the face colour, no edges.
    pDC->FillSolidRect(&rect, m_clrFace);
}
