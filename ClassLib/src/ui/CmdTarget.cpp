// Message-map lookup and command routing.
#include <ClassLib/Wnd/CmdTarget.h>
#include <ClassLib/Wnd/Wnd.h>
#include <ClassLib/Wnd/WinApi.h>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() = default;
CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

bool IsRouted(UINT nMessage)
{
    return nMessage == WM_COMMAND || nMessage == WM_NOTIFY || nMessage == WM_REFLECT_BASE + WM_COMMAND ||
           nMessage == WM_REFLECT_BASE + WM_NOTIFY;
}

}  // namespace

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->pfnThunk; ++e) {
            if (e->pnRegisteredMsg) {
                if (*e->pnRegisteredMsg == nMessage && nMessage != 0)
                    return e;
                continue;
            }
            if (e->nMessage == nMessage && e->nCode == 0 && !IsRouted(e->nMessage))
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::DispatchCmdMsg(UINT nMsg, UINT nCode, UINT nID, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo,
                                LRESULT* pResult)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->pfnThunk; ++e) {
            if (e->pnRegisteredMsg || e->nMessage != nMsg)
                continue;
            if ((WORD)e->nCode != (WORD)nCode)
                continue;
            if (nID < e->nID || nID > e->nLastID)
                continue;
            if (pHandlerInfo) {
                pHandlerInfo->pTarget = this;
                pHandlerInfo->pEntry = e;
                return TRUE;
            }
            AFX_MSGCALL call{nMsg, 0, 0, nID, nCode, pExtra, TRUE};
            if (nMsg == WM_COMMAND && (WORD)nCode == (WORD)CN_UPDATE_COMMAND_UI) {
                CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
                if (pCmdUI)
                    pCmdUI->m_bContinueRouting = FALSE;
                e->pfnThunk(this, call);
                return pCmdUI ? !pCmdUI->m_bContinueRouting : TRUE;
            }
            LRESULT r = e->pfnThunk(this, call);  // 'this' may be gone afterwards
            if (pResult)
                *pResult = r;
            return call.bHandled;
        }
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = 0;
    UINT code = (UINT)nCode;
    if ((UINT)nCode != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD((UINT)nCode);
        code = LOWORD((UINT)nCode);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;
    return DispatchCmdMsg(nMsg, code, nID, pExtra, pHandlerInfo, nullptr);
}

// ---- CCmdUI -------------------------------------------------------------------------------------------
CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(nullptr), m_pSubMenu(nullptr), m_pOther(nullptr), m_pParentMenu(nullptr),
      m_bEnableChanged(FALSE), m_bContinueRouting(FALSE), m_nIndexMax(0)
{
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pOther) {
        // A window losing its enabled state gives the focus away first.
        if (!bOn && ::GetFocus() == m_pOther->GetSafeHwnd())
            if (CWnd* pParent = m_pOther->GetParent())
                pParent->SetFocus();
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pOther)
        m_pOther->SendMessage(0x00F1 /* BM_SETCHECK */, (WPARAM)nCheck, 0);
}

void CCmdUI::SetRadio(BOOL bOn) { SetCheck(bOn ? 1 : 0); }

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pOther && lpszText)
        m_pOther->SetWindowText(lpszText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;  // separators and the like
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{nullptr, nullptr};
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}
