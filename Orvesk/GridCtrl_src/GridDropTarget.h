// The grid's drop target: registered on the grid's window, it takes text dropped there
// and hands every drag event to the grid it serves. Events for any other window are
// refused.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Ole/DataObject.h>
#include <ClassLib/Ole/DropTarget.h>

class CGridCtrl;

class CGridDropTarget : public COleDropTarget
{
public:
    CGridDropTarget();
    ~CGridDropTarget() override;

    // Serves the grid's window; only once. FALSE when already registered, when the grid
    // has no window or when the window cannot take drops.
    BOOL Register(CGridCtrl* pGridCtrl);
    void Revoke() override;
    BOOL IsRegistered() const { return m_bRegistered; }
    CGridCtrl* GetGrid() const { return m_pGridCtrl; }

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                           CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                          CPoint point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    // The effect the keys ask for: copy with Ctrl, move otherwise. The grid does not scroll
    // itself during a drag, and the result never carries DROPEFFECT_SCROLL, so the grid's
    // enter and over handlers see every step.
    DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;

protected:
    // The event concerns the registered grid's window.
    BOOL IsGridWindow(CWnd* pWnd) const;

    CGridCtrl* m_pGridCtrl;
    BOOL m_bRegistered;
};
