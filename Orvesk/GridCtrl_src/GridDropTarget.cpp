// The grid's drop target.
#include "GridDropTarget.h"
#include "GridCtrl.h"

CGridDropTarget::CGridDropTarget()
    : m_pGridCtrl(NULL), m_bRegistered(FALSE)
{
}

CGridDropTarget::~CGridDropTarget()
{
    Revoke();
}

BOOL CGridDropTarget::Register(CGridCtrl* pGridCtrl)
{
    if (m_bRegistered)
        return FALSE;
    ASSERT(pGridCtrl && pGridCtrl->IsKindOf(RUNTIME_CLASS(CGridCtrl)));
    if (!pGridCtrl || !pGridCtrl->IsKindOf(RUNTIME_CLASS(CGridCtrl)) || !pGridCtrl->GetSafeHwnd())
        return FALSE;
    m_pGridCtrl = pGridCtrl;
    m_bRegistered = COleDropTarget::Register(pGridCtrl);
    return m_bRegistered;
}

void CGridDropTarget::Revoke()
{
    m_bRegistered = FALSE;
    COleDropTarget::Revoke();
}

BOOL CGridDropTarget::IsGridWindow(CWnd* pWnd) const
{
    return m_bRegistered && m_pGridCtrl && pWnd && pWnd->GetSafeHwnd()
           && pWnd->GetSafeHwnd() == m_pGridCtrl->GetSafeHwnd();
}

DROPEFFECT CGridDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                        CPoint point)
{
    TRACE("In CGridDropTarget::OnDragEnter\n");
    if (!IsGridWindow(pWnd))
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CGridDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                       CPoint point)
{
    if (!IsGridWindow(pWnd))
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDragOver(pDataObject, dwKeyState, point);
}

BOOL CGridDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                             CPoint point)
{
    TRACE("In CGridDropTarget::OnDrop\n");
    if (!IsGridWindow(pWnd))
        return FALSE;
    return m_pGridCtrl->OnDrop(pDataObject, dropEffect, point);
}

void CGridDropTarget::OnDragLeave(CWnd* pWnd)
{
    TRACE("In CGridDropTarget::OnDragLeave\n");
    if (!IsGridWindow(pWnd))
        return;
    m_pGridCtrl->OnDragLeave();
}

DROPEFFECT CGridDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point)
{
    if (!IsGridWindow(pWnd))
        return DROPEFFECT_NONE;
    (void)point;
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
