// Drag and drop: COleDropTarget makes a window a drop target (Register); its handlers are
// asked as data is dragged over the window and dropped on it. COleDropSource decides,
// for a drag this program starts, when the drag goes on or is cancelled.
#pragma once

#include <ClassLib/Ole/DataObject.h>
#include <ClassLib/Wnd/Wnd.h>

#include <memory>

#ifndef MK_ALT
#define MK_ALT 0x0020
#endif

typedef LONG SCODE;
#define DRAGDROP_S_DROP ((SCODE)0x00040100L)
#define DRAGDROP_S_CANCEL ((SCODE)0x00040101L)
#define DRAGDROP_S_USEDEFAULTCURSORS ((SCODE)0x00040102L)

class AFX_EXT_CLASS COleDropTarget : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    ~COleDropTarget() override;

    // FALSE when the window has no window or is registered already.
    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    // Points are in the window's client coordinates; the key state has MK_CONTROL,
    // MK_SHIFT, MK_ALT and the mouse buttons. The results are DROPEFFECT_* values.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // (DROPEFFECT)-1 lets OnDrop decide, which is the default.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                                CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // Asked before every enter and move; DROPEFFECT_SCROLL in the result skips OnDragEnter
    // or OnDragOver for that step.
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    HWND GetRegisteredWindow() const { return m_hWnd; }

private:
    class Bridge;
    HWND m_hWnd;
    std::unique_ptr<Bridge> m_bridge;
};

class AFX_EXT_CLASS COleDropSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource();
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
    virtual BOOL OnBeginDrag(CWnd* pWnd);
};
