// The message-map entries of the standard window messages (ON_WM_*), each with the
// adapter that decodes the message's parameters into the handler's arguments as the
// platform does. Included by Wnd/Wnd.h.
#pragma once

namespace afx_msgmap_detail {

inline CPoint PointOf(LPARAM l) { return CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l)); }
inline CWnd* WndOf(WPARAM w) { return CWnd::FromHandle(reinterpret_cast<HWND>(w)); }
inline CWnd* WndOfL(LPARAM l) { return CWnd::FromHandle(reinterpret_cast<HWND>(l)); }
inline CDC* DCOf(WPARAM w) { return CDC::FromHandle(reinterpret_cast<HDC>(w)); }

// void OnXxx()
template <auto PMF> LRESULT Msg_v(CCmdTarget* p, AFX_MSGCALL&) { return CallMember<PMF>(p); }
// OnXxx(UINT nFlags, CPoint point) for client mouse messages
template <auto PMF> LRESULT Msg_Mouse(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)c.wParam, PointOf(c.lParam));
}
// OnNcXxx(UINT nHitTest, CPoint point)
template <auto PMF> LRESULT Msg_NcMouse(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)c.wParam, PointOf(c.lParam));
}
// OnXxx(UINT nChar, UINT nRepCnt, UINT nFlags) for keys and characters
template <auto PMF> LRESULT Msg_Key(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)c.wParam, (UINT)LOWORD(c.lParam), (UINT)HIWORD(c.lParam));
}
template <auto PMF> LRESULT Msg_MouseWheel(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)LOWORD(c.wParam), (short)HIWORD(c.wParam), PointOf(c.lParam));
}
template <auto PMF> LRESULT Msg_Create(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, reinterpret_cast<LPCREATESTRUCT>(c.lParam));
}
template <auto PMF> LRESULT Msg_DC(CCmdTarget* p, AFX_MSGCALL& c) { return CallMember<PMF>(p, DCOf(c.wParam)); }
template <auto PMF> LRESULT Msg_Wnd(CCmdTarget* p, AFX_MSGCALL& c) { return CallMember<PMF>(p, WndOf(c.wParam)); }
template <auto PMF> LRESULT Msg_WndL(CCmdTarget* p, AFX_MSGCALL& c) { return CallMember<PMF>(p, WndOfL(c.lParam)); }
template <auto PMF> LRESULT Msg_Size(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)c.wParam, (int)(short)LOWORD(c.lParam), (int)(short)HIWORD(c.lParam));
}
template <auto PMF> LRESULT Msg_Move(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (int)(short)LOWORD(c.lParam), (int)(short)HIWORD(c.lParam));
}
template <auto PMF> LRESULT Msg_Scroll(CCmdTarget* p, AFX_MSGCALL& c)
{
    // The sender may be any control that scrolls (an up-down control, a slider), not only a
    // scroll bar: handlers get its window under the scroll-bar type and test its id or
    // class before using it as one, so the pointer is passed through unchecked.
    return CallMember<PMF>(p, (UINT)LOWORD(c.wParam), (UINT)(short)HIWORD(c.wParam),
                           reinterpret_cast<CScrollBar*>(WndOfL(c.lParam)));
}
template <auto PMF> LRESULT Msg_Timer(CCmdTarget* p, AFX_MSGCALL& c) { return CallMember<PMF>(p, (UINT_PTR)c.wParam); }
template <auto PMF> LRESULT Msg_SetCursor(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, WndOf(c.wParam), (UINT)(short)LOWORD(c.lParam), (UINT)HIWORD(c.lParam));
}
template <auto PMF> LRESULT Msg_HitTest(CCmdTarget* p, AFX_MSGCALL& c) { return CallMember<PMF>(p, PointOf(c.lParam)); }
template <auto PMF> LRESULT Msg_ContextMenu(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, WndOf(c.wParam), PointOf(c.lParam));
}
template <auto PMF> LRESULT Msg_Activate(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)LOWORD(c.wParam), WndOfL(c.lParam), (BOOL)HIWORD(c.wParam));
}
template <auto PMF> LRESULT Msg_ActivateApp(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (BOOL)c.wParam, (DWORD)c.lParam);
}
template <auto PMF> LRESULT Msg_MouseActivate(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, WndOf(c.wParam), (UINT)(short)LOWORD(c.lParam), (UINT)HIWORD(c.lParam));
}
template <auto PMF> LRESULT Msg_Bool(CCmdTarget* p, AFX_MSGCALL& c) { return CallMember<PMF>(p, (BOOL)c.wParam); }
template <auto PMF> LRESULT Msg_ShowWindow(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (BOOL)c.wParam, (UINT)c.lParam);
}
template <auto PMF> LRESULT Msg_WindowPos(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, reinterpret_cast<WINDOWPOS*>(c.lParam));
}
template <auto PMF> LRESULT Msg_MinMax(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, reinterpret_cast<MINMAXINFO*>(c.lParam));
}
template <auto PMF> LRESULT Msg_Style(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (int)c.wParam, reinterpret_cast<LPSTYLESTRUCT>(c.lParam));
}
template <auto PMF> LRESULT Msg_NcCalcSize(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (BOOL)c.wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(c.lParam));
}
template <auto PMF> LRESULT Msg_SysCommand(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)c.wParam, c.lParam);
}
template <auto PMF> LRESULT Msg_SettingChange(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)c.wParam, reinterpret_cast<LPCTSTR>(c.lParam));
}
template <auto PMF> LRESULT Msg_ParentNotify(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)LOWORD(c.wParam), c.lParam);
}
template <auto PMF> LRESULT Msg_CopyData(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, WndOf(c.wParam), reinterpret_cast<COPYDATASTRUCT*>(c.lParam));
}
template <auto PMF> LRESULT Msg_EnterIdle(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)c.wParam, WndOfL(c.lParam));
}
template <auto PMF> LRESULT Msg_Sizing(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)c.wParam, reinterpret_cast<LPRECT>(c.lParam));
}
template <auto PMF> LRESULT Msg_Uint(CCmdTarget* p, AFX_MSGCALL& c) { return CallMember<PMF>(p, (UINT)c.wParam); }
template <auto PMF> LRESULT Msg_MenuSelect(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)LOWORD(c.wParam), (UINT)HIWORD(c.wParam), reinterpret_cast<HMENU>(c.lParam));
}
template <auto PMF> LRESULT Msg_InitMenu(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, AfxMenuFromHandle(reinterpret_cast<HMENU>(c.wParam)));
}
template <auto PMF> LRESULT Msg_InitMenuPopup(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, AfxMenuFromHandle(reinterpret_cast<HMENU>(c.wParam)),
                           (UINT)LOWORD(c.lParam), (BOOL)HIWORD(c.lParam));
}
template <auto PMF> LRESULT Msg_MenuChar(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)LOWORD(c.wParam), (UINT)HIWORD(c.wParam),
                           AfxMenuFromHandle(reinterpret_cast<HMENU>(c.lParam)));
}
template <auto PMF> LRESULT Msg_DrawItem(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (int)c.wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam));
}
template <auto PMF> LRESULT Msg_MeasureItem(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (int)c.wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam));
}
template <auto PMF> LRESULT Msg_CompareItem(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (int)c.wParam, reinterpret_cast<LPCOMPAREITEMSTRUCT>(c.lParam));
}
template <auto PMF> LRESULT Msg_DeleteItem(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (int)c.wParam, reinterpret_cast<LPDELETEITEMSTRUCT>(c.lParam));
}
// OnCtlColor(CDC*, CWnd*, UINT nCtlColor): matches every WM_CTLCOLORxxx message.
template <auto PMF> LRESULT Msg_CtlColor(CCmdTarget* p, AFX_MSGCALL& c)
{
    UINT nCtlColor = (c.nMsg >= WM_CTLCOLORMSGBOX && c.nMsg <= WM_CTLCOLORSTATIC) ? c.nMsg - WM_CTLCOLORMSGBOX
                                                                                  : (UINT)c.nCode;
    return CallMember<PMF>(p, DCOf(c.wParam), WndOfL(c.lParam), nCtlColor);
}

}  // namespace afx_msgmap_detail

#define PC_ON_WM(msg, adapter, fn) {(UINT)(msg), 0, 0, 0, nullptr, &afx_msgmap_detail::adapter<&ThisClass::fn>},

#define ON_WM_ACTIVATE() PC_ON_WM(WM_ACTIVATE, Msg_Activate, OnActivate)
#define ON_WM_ACTIVATEAPP() PC_ON_WM(WM_ACTIVATEAPP, Msg_ActivateApp, OnActivateApp)
#define ON_WM_CANCELMODE() PC_ON_WM(WM_CANCELMODE, Msg_v, OnCancelMode)
#define ON_WM_CHILDACTIVATE() PC_ON_WM(WM_CHILDACTIVATE, Msg_v, OnChildActivate)
#define ON_WM_CLOSE() PC_ON_WM(WM_CLOSE, Msg_v, OnClose)
#define ON_WM_CONTEXTMENU() PC_ON_WM(WM_CONTEXTMENU, Msg_ContextMenu, OnContextMenu)
#define ON_WM_COPYDATA() PC_ON_WM(WM_COPYDATA, Msg_CopyData, OnCopyData)
#define ON_WM_CREATE() PC_ON_WM(WM_CREATE, Msg_Create, OnCreate)
#define ON_WM_CTLCOLOR() PC_ON_WM(WM_CTLCOLOR, Msg_CtlColor, OnCtlColor)
#define ON_WM_DESTROY() PC_ON_WM(WM_DESTROY, Msg_v, OnDestroy)
#define ON_WM_ENABLE() PC_ON_WM(WM_ENABLE, Msg_Bool, OnEnable)
#define ON_WM_ENDSESSION() PC_ON_WM(WM_ENDSESSION, Msg_Bool, OnEndSession)
#define ON_WM_ENTERIDLE() PC_ON_WM(WM_ENTERIDLE, Msg_EnterIdle, OnEnterIdle)
#define ON_WM_ERASEBKGND() PC_ON_WM(WM_ERASEBKGND, Msg_DC, OnEraseBkgnd)
#define ON_WM_GETMINMAXINFO() PC_ON_WM(WM_GETMINMAXINFO, Msg_MinMax, OnGetMinMaxInfo)
#define ON_WM_ICONERASEBKGND() PC_ON_WM(WM_ICONERASEBKGND, Msg_DC, OnIconEraseBkgnd)
#define ON_WM_KILLFOCUS() PC_ON_WM(WM_KILLFOCUS, Msg_Wnd, OnKillFocus)
#define ON_WM_MENUCHAR() PC_ON_WM(WM_MENUCHAR, Msg_MenuChar, OnMenuChar)
#define ON_WM_MENUSELECT() PC_ON_WM(WM_MENUSELECT, Msg_MenuSelect, OnMenuSelect)
#define ON_WM_MOVE() PC_ON_WM(WM_MOVE, Msg_Move, OnMove)
#define ON_WM_PAINT() PC_ON_WM(WM_PAINT, Msg_v, OnPaint)
#define ON_WM_PARENTNOTIFY() PC_ON_WM(WM_PARENTNOTIFY, Msg_ParentNotify, OnParentNotify)
#define ON_WM_QUERYDRAGICON() PC_ON_WM(WM_QUERYDRAGICON, Msg_v, OnQueryDragIcon)
#define ON_WM_QUERYENDSESSION() PC_ON_WM(WM_QUERYENDSESSION, Msg_v, OnQueryEndSession)
#define ON_WM_QUERYNEWPALETTE() PC_ON_WM(WM_QUERYNEWPALETTE, Msg_v, OnQueryNewPalette)
#define ON_WM_QUERYOPEN() PC_ON_WM(WM_QUERYOPEN, Msg_v, OnQueryOpen)
#define ON_WM_SETFOCUS() PC_ON_WM(WM_SETFOCUS, Msg_Wnd, OnSetFocus)
#define ON_WM_SHOWWINDOW() PC_ON_WM(WM_SHOWWINDOW, Msg_ShowWindow, OnShowWindow)
#define ON_WM_SIZE() PC_ON_WM(WM_SIZE, Msg_Size, OnSize)
#define ON_WM_SIZING() PC_ON_WM(WM_SIZING, Msg_Sizing, OnSizing)
#define ON_WM_MOVING() PC_ON_WM(WM_MOVING, Msg_Sizing, OnMoving)
#define ON_WM_ENTERSIZEMOVE() PC_ON_WM(WM_ENTERSIZEMOVE, Msg_v, OnEnterSizeMove)
#define ON_WM_EXITSIZEMOVE() PC_ON_WM(WM_EXITSIZEMOVE, Msg_v, OnExitSizeMove)
#define ON_WM_WINDOWPOSCHANGING() PC_ON_WM(WM_WINDOWPOSCHANGING, Msg_WindowPos, OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() PC_ON_WM(WM_WINDOWPOSCHANGED, Msg_WindowPos, OnWindowPosChanged)
#define ON_WM_STYLECHANGING() PC_ON_WM(WM_STYLECHANGING, Msg_Style, OnStyleChanging)
#define ON_WM_STYLECHANGED() PC_ON_WM(WM_STYLECHANGED, Msg_Style, OnStyleChanged)
#define ON_WM_NCACTIVATE() PC_ON_WM(WM_NCACTIVATE, Msg_Bool, OnNcActivate)
#define ON_WM_NCCALCSIZE() PC_ON_WM(WM_NCCALCSIZE, Msg_NcCalcSize, OnNcCalcSize)
#define ON_WM_NCCREATE() PC_ON_WM(WM_NCCREATE, Msg_Create, OnNcCreate)
#define ON_WM_NCDESTROY() PC_ON_WM(WM_NCDESTROY, Msg_v, OnNcDestroy)
#define ON_WM_NCHITTEST() PC_ON_WM(WM_NCHITTEST, Msg_HitTest, OnNcHitTest)
#define ON_WM_NCLBUTTONDBLCLK() PC_ON_WM(WM_NCLBUTTONDBLCLK, Msg_NcMouse, OnNcLButtonDblClk)
#define ON_WM_NCLBUTTONDOWN() PC_ON_WM(WM_NCLBUTTONDOWN, Msg_NcMouse, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() PC_ON_WM(WM_NCLBUTTONUP, Msg_NcMouse, OnNcLButtonUp)
#define ON_WM_NCMBUTTONDBLCLK() PC_ON_WM(WM_NCMBUTTONDBLCLK, Msg_NcMouse, OnNcMButtonDblClk)
#define ON_WM_NCMBUTTONDOWN() PC_ON_WM(WM_NCMBUTTONDOWN, Msg_NcMouse, OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP() PC_ON_WM(WM_NCMBUTTONUP, Msg_NcMouse, OnNcMButtonUp)
#define ON_WM_NCMOUSEMOVE() PC_ON_WM(WM_NCMOUSEMOVE, Msg_NcMouse, OnNcMouseMove)
#define ON_WM_NCPAINT() PC_ON_WM(WM_NCPAINT, Msg_v, OnNcPaint)
#define ON_WM_NCRBUTTONDBLCLK() PC_ON_WM(WM_NCRBUTTONDBLCLK, Msg_NcMouse, OnNcRButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() PC_ON_WM(WM_NCRBUTTONDOWN, Msg_NcMouse, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() PC_ON_WM(WM_NCRBUTTONUP, Msg_NcMouse, OnNcRButtonUp)
#define ON_WM_SYSCHAR() PC_ON_WM(WM_SYSCHAR, Msg_Key, OnSysChar)
#define ON_WM_SYSCOMMAND() PC_ON_WM(WM_SYSCOMMAND, Msg_SysCommand, OnSysCommand)
#define ON_WM_SYSDEADCHAR() PC_ON_WM(WM_SYSDEADCHAR, Msg_Key, OnSysDeadChar)
#define ON_WM_SYSKEYDOWN() PC_ON_WM(WM_SYSKEYDOWN, Msg_Key, OnSysKeyDown)
#define ON_WM_SYSKEYUP() PC_ON_WM(WM_SYSKEYUP, Msg_Key, OnSysKeyUp)
#define ON_WM_COMPACTING() PC_ON_WM(WM_COMPACTING, Msg_Uint, OnCompacting)
#define ON_WM_FONTCHANGE() PC_ON_WM(WM_FONTCHANGE, Msg_v, OnFontChange)
#define ON_WM_PALETTECHANGED() PC_ON_WM(WM_PALETTECHANGED, Msg_Wnd, OnPaletteChanged)
#define ON_WM_PALETTEISCHANGING() PC_ON_WM(WM_PALETTEISCHANGING, Msg_Wnd, OnPaletteIsChanging)
#define ON_WM_SYSCOLORCHANGE() PC_ON_WM(WM_SYSCOLORCHANGE, Msg_v, OnSysColorChange)
#define ON_WM_TIMECHANGE() PC_ON_WM(WM_TIMECHANGE, Msg_v, OnTimeChange)
#define ON_WM_SETTINGCHANGE() PC_ON_WM(WM_SETTINGCHANGE, Msg_SettingChange, OnSettingChange)
#define ON_WM_CHAR() PC_ON_WM(WM_CHAR, Msg_Key, OnChar)
#define ON_WM_DEADCHAR() PC_ON_WM(WM_DEADCHAR, Msg_Key, OnDeadChar)
#define ON_WM_HSCROLL() PC_ON_WM(WM_HSCROLL, Msg_Scroll, OnHScroll)
#define ON_WM_VSCROLL() PC_ON_WM(WM_VSCROLL, Msg_Scroll, OnVScroll)
#define ON_WM_KEYDOWN() PC_ON_WM(WM_KEYDOWN, Msg_Key, OnKeyDown)
#define ON_WM_KEYUP() PC_ON_WM(WM_KEYUP, Msg_Key, OnKeyUp)
#define ON_WM_LBUTTONDBLCLK() PC_ON_WM(WM_LBUTTONDBLCLK, Msg_Mouse, OnLButtonDblClk)
#define ON_WM_LBUTTONDOWN() PC_ON_WM(WM_LBUTTONDOWN, Msg_Mouse, OnLButtonDown)
#define ON_WM_LBUTTONUP() PC_ON_WM(WM_LBUTTONUP, Msg_Mouse, OnLButtonUp)
#define ON_WM_MBUTTONDBLCLK() PC_ON_WM(WM_MBUTTONDBLCLK, Msg_Mouse, OnMButtonDblClk)
#define ON_WM_MBUTTONDOWN() PC_ON_WM(WM_MBUTTONDOWN, Msg_Mouse, OnMButtonDown)
#define ON_WM_MBUTTONUP() PC_ON_WM(WM_MBUTTONUP, Msg_Mouse, OnMButtonUp)
#define ON_WM_MOUSEACTIVATE() PC_ON_WM(WM_MOUSEACTIVATE, Msg_MouseActivate, OnMouseActivate)
#define ON_WM_MOUSEMOVE() PC_ON_WM(WM_MOUSEMOVE, Msg_Mouse, OnMouseMove)
#define ON_WM_MOUSEWHEEL() PC_ON_WM(WM_MOUSEWHEEL, Msg_MouseWheel, OnMouseWheel)
#define ON_WM_MOUSEHOVER() PC_ON_WM(WM_MOUSEHOVER, Msg_Mouse, OnMouseHover)
#define ON_WM_MOUSELEAVE() PC_ON_WM(WM_MOUSELEAVE, Msg_v, OnMouseLeave)
#define ON_WM_RBUTTONDBLCLK() PC_ON_WM(WM_RBUTTONDBLCLK, Msg_Mouse, OnRButtonDblClk)
#define ON_WM_RBUTTONDOWN() PC_ON_WM(WM_RBUTTONDOWN, Msg_Mouse, OnRButtonDown)
#define ON_WM_RBUTTONUP() PC_ON_WM(WM_RBUTTONUP, Msg_Mouse, OnRButtonUp)
#define ON_WM_SETCURSOR() PC_ON_WM(WM_SETCURSOR, Msg_SetCursor, OnSetCursor)
#define ON_WM_TIMER() PC_ON_WM(WM_TIMER, Msg_Timer, OnTimer)
#define ON_WM_CAPTURECHANGED() PC_ON_WM(WM_CAPTURECHANGED, Msg_WndL, OnCaptureChanged)
#define ON_WM_INITMENU() PC_ON_WM(WM_INITMENU, Msg_InitMenu, OnInitMenu)
#define ON_WM_INITMENUPOPUP() PC_ON_WM(WM_INITMENUPOPUP, Msg_InitMenuPopup, OnInitMenuPopup)
#define ON_WM_ENTERMENULOOP() PC_ON_WM(WM_ENTERMENULOOP, Msg_Bool, OnEnterMenuLoop)
#define ON_WM_EXITMENULOOP() PC_ON_WM(WM_EXITMENULOOP, Msg_Bool, OnExitMenuLoop)
#define ON_WM_COMPAREITEM() PC_ON_WM(WM_COMPAREITEM, Msg_CompareItem, OnCompareItem)
#define ON_WM_DELETEITEM() PC_ON_WM(WM_DELETEITEM, Msg_DeleteItem, OnDeleteItem)
#define ON_WM_DRAWITEM() PC_ON_WM(WM_DRAWITEM, Msg_DrawItem, OnDrawItem)
#define ON_WM_MEASUREITEM() PC_ON_WM(WM_MEASUREITEM, Msg_MeasureItem, OnMeasureItem)
#define ON_WM_GETDLGCODE() PC_ON_WM(WM_GETDLGCODE, Msg_v, OnGetDlgCode)
#define ON_WM_DESTROYCLIPBOARD() PC_ON_WM(WM_DESTROYCLIPBOARD, Msg_v, OnDestroyClipboard)
#define ON_WM_DRAWCLIPBOARD() PC_ON_WM(WM_DRAWCLIPBOARD, Msg_v, OnDrawClipboard)
#define ON_WM_RENDERFORMAT() PC_ON_WM(WM_RENDERFORMAT, Msg_Uint, OnRenderFormat)
#define ON_WM_RENDERALLFORMATS() PC_ON_WM(WM_RENDERALLFORMATS, Msg_v, OnRenderAllFormats)

// Messages a parent reflects to the control that sent them.
namespace afx_msgmap_detail {
// HBRUSH CtlColor(CDC* pDC, UINT nCtlColor); a NULL brush lets the parent answer.
template <auto PMF> LRESULT Msg_CtlColorReflect(CCmdTarget* p, AFX_MSGCALL& c)
{
    AFX_CTLCOLOR* ctl = reinterpret_cast<AFX_CTLCOLOR*>(c.lParam);
    return CallMember<PMF>(p, CDC::FromHandle(ctl->hDC), ctl->nCtlType);
}
// void HScroll(UINT nSBCode, UINT nPos), void VScroll(UINT nSBCode, UINT nPos)
template <auto PMF> LRESULT Msg_ScrollReflect(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)LOWORD(c.wParam), (UINT)(short)HIWORD(c.wParam));
}
// void ParentNotify(UINT message, LPARAM lParam)
template <auto PMF> LRESULT Msg_ParentNotifyReflect(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, (UINT)LOWORD(c.wParam), c.lParam);
}
template <class S, auto PMF> LRESULT Msg_StructReflect(CCmdTarget* p, AFX_MSGCALL& c)
{
    return CallMember<PMF>(p, reinterpret_cast<S*>(c.lParam));
}
}  // namespace afx_msgmap_detail

#define ON_WM_CTLCOLOR_REFLECT() PC_ON_WM(WM_REFLECT_BASE + WM_CTLCOLOR, Msg_CtlColorReflect, CtlColor)
#define ON_WM_HSCROLL_REFLECT() PC_ON_WM(WM_REFLECT_BASE + WM_HSCROLL, Msg_ScrollReflect, HScroll)
#define ON_WM_VSCROLL_REFLECT() PC_ON_WM(WM_REFLECT_BASE + WM_VSCROLL, Msg_ScrollReflect, VScroll)
#define ON_WM_PARENTNOTIFY_REFLECT() PC_ON_WM(WM_REFLECT_BASE + WM_PARENTNOTIFY, Msg_ParentNotifyReflect, ParentNotify)
#define ON_WM_DRAWITEM_REFLECT() \
    {WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, nullptr, &afx_msgmap_detail::Msg_StructReflect<DRAWITEMSTRUCT, &ThisClass::DrawItem>},
#define ON_WM_MEASUREITEM_REFLECT() \
    {WM_REFLECT_BASE + WM_MEASUREITEM, 0, 0, 0, nullptr, &afx_msgmap_detail::Msg_StructReflect<MEASUREITEMSTRUCT, &ThisClass::MeasureItem>},
#define ON_WM_COMPAREITEM_REFLECT() \
    {WM_REFLECT_BASE + WM_COMPAREITEM, 0, 0, 0, nullptr, &afx_msgmap_detail::Msg_StructReflect<COMPAREITEMSTRUCT, &ThisClass::CompareItem>},
#define ON_WM_DELETEITEM_REFLECT() \
    {WM_REFLECT_BASE + WM_DELETEITEM, 0, 0, 0, nullptr, &afx_msgmap_detail::Msg_StructReflect<DELETEITEMSTRUCT, &ThisClass::DeleteItem>},
