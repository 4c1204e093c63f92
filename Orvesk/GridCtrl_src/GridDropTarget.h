// The grid's drop target: takes text dropped on the grid window and hands every drag event
// to the grid it serves. Events for any other window are refused.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Ole/DataObject.h>

class CGridCtrl;

// The class library has no drop-target registration yet, so the target keeps its own
// record of the window it serves; the drag events reach it through the same handlers a
// registered target gets.
class CGridDropTarget : public CCmdTarget
{
public:
    CGridDropTarget();
    virtual ~CGridDropTarget();

    // Serves the grid's window; only once. FALSE when already registered or the grid has
    // no window.
    BOOL Register(CGridCtrl* pGridCtrl);
    virtual void Revoke();
    BOOL IsRegistered() const { return m_bRegistered; }
    CGridCtrl* GetGrid() const { return m_pGridCtrl; }

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                   CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                  CPoint point);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                        CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

protected:
    // The event concerns the registered grid's window.
    BOOL IsGridWindow(CWnd* pWnd) const;

    CGridCtrl* m_pGridCtrl;
    BOOL m_bRegistered;
};
