// Private: window message, key and dialog codes the controls use, where the window
// layer's headers have not given them already.
#pragma once

#ifndef WM_ENABLE
#define WM_ENABLE 0x000A
#endif
#ifndef WM_SETTEXT
#define WM_SETTEXT 0x000C
#endif
#ifndef WM_GETTEXT
#define WM_GETTEXT 0x000D
#endif
#ifndef WM_GETTEXTLENGTH
#define WM_GETTEXTLENGTH 0x000E
#endif
#ifndef WM_SETFONT
#define WM_SETFONT 0x0030
#endif
#ifndef WM_GETFONT
#define WM_GETFONT 0x0031
#endif
#ifndef WM_DRAWITEM
#define WM_DRAWITEM 0x002B
#endif
#ifndef WM_MEASUREITEM
#define WM_MEASUREITEM 0x002C
#endif
#ifndef WM_DELETEITEM
#define WM_DELETEITEM 0x002D
#endif
#ifndef WM_COMPAREITEM
#define WM_COMPAREITEM 0x0039
#endif
#ifndef WM_NOTIFY
#define WM_NOTIFY 0x004E
#endif
#ifndef WM_GETDLGCODE
#define WM_GETDLGCODE 0x0087
#endif
#ifndef WM_KEYDOWN
#define WM_KEYDOWN 0x0100
#endif
#ifndef WM_KEYUP
#define WM_KEYUP 0x0101
#endif
#ifndef WM_CHAR
#define WM_CHAR 0x0102
#endif
#ifndef WM_SYSKEYDOWN
#define WM_SYSKEYDOWN 0x0104
#endif
#ifndef WM_SYSCHAR
#define WM_SYSCHAR 0x0106
#endif
#ifndef WM_INITDIALOG
#define WM_INITDIALOG 0x0110
#endif
#ifndef WM_COMMAND
#define WM_COMMAND 0x0111
#endif
#ifndef WM_HSCROLL
#define WM_HSCROLL 0x0114
#endif
#ifndef WM_VSCROLL
#define WM_VSCROLL 0x0115
#endif
#ifndef WM_CTLCOLOREDIT
#define WM_CTLCOLOREDIT 0x0133
#endif
#ifndef WM_CTLCOLORLISTBOX
#define WM_CTLCOLORLISTBOX 0x0134
#endif
#ifndef WM_CTLCOLORBTN
#define WM_CTLCOLORBTN 0x0135
#endif
#ifndef WM_CTLCOLORDLG
#define WM_CTLCOLORDLG 0x0136
#endif
#ifndef WM_CTLCOLORSTATIC
#define WM_CTLCOLORSTATIC 0x0138
#endif
#ifndef WM_CUT
#define WM_CUT 0x0300
#endif
#ifndef WM_COPY
#define WM_COPY 0x0301
#endif
#ifndef WM_PASTE
#define WM_PASTE 0x0302
#endif
#ifndef WM_CLEAR
#define WM_CLEAR 0x0303
#endif
#ifndef WM_UNDO
#define WM_UNDO 0x0304
#endif
#ifndef VK_BACK
#define VK_BACK 0x08
#endif
#ifndef VK_TAB
#define VK_TAB 0x09
#endif
#ifndef VK_RETURN
#define VK_RETURN 0x0D
#endif
#ifndef VK_SHIFT
#define VK_SHIFT 0x10
#endif
#ifndef VK_CONTROL
#define VK_CONTROL 0x11
#endif
#ifndef VK_MENU
#define VK_MENU 0x12
#endif
#ifndef VK_ESCAPE
#define VK_ESCAPE 0x1B
#endif
#ifndef VK_SPACE
#define VK_SPACE 0x20
#endif
#ifndef VK_PRIOR
#define VK_PRIOR 0x21
#endif
#ifndef VK_NEXT
#define VK_NEXT 0x22
#endif
#ifndef VK_END
#define VK_END 0x23
#endif
#ifndef VK_HOME
#define VK_HOME 0x24
#endif
#ifndef VK_LEFT
#define VK_LEFT 0x25
#endif
#ifndef VK_UP
#define VK_UP 0x26
#endif
#ifndef VK_RIGHT
#define VK_RIGHT 0x27
#endif
#ifndef VK_DOWN
#define VK_DOWN 0x28
#endif
#ifndef VK_INSERT
#define VK_INSERT 0x2D
#endif
#ifndef VK_DELETE
#define VK_DELETE 0x2E
#endif
#ifndef VK_F4
#define VK_F4 0x73
#endif
#ifndef SB_LINEUP
#define SB_LINEUP 0
#endif
#ifndef SB_LINEDOWN
#define SB_LINEDOWN 1
#endif
#ifndef SB_PAGEUP
#define SB_PAGEUP 2
#endif
#ifndef SB_PAGEDOWN
#define SB_PAGEDOWN 3
#endif
#ifndef SB_THUMBPOSITION
#define SB_THUMBPOSITION 4
#endif
#ifndef SB_THUMBTRACK
#define SB_THUMBTRACK 5
#endif
#ifndef SB_TOP
#define SB_TOP 6
#endif
#ifndef SB_BOTTOM
#define SB_BOTTOM 7
#endif
#ifndef SB_ENDSCROLL
#define SB_ENDSCROLL 8
#endif
#ifndef DLGC_WANTARROWS
#define DLGC_WANTARROWS 0x0001
#endif
#ifndef DLGC_WANTTAB
#define DLGC_WANTTAB 0x0002
#endif
#ifndef DLGC_WANTALLKEYS
#define DLGC_WANTALLKEYS 0x0004
#endif
#ifndef DLGC_WANTMESSAGE
#define DLGC_WANTMESSAGE 0x0004
#endif
#ifndef DLGC_HASSETSEL
#define DLGC_HASSETSEL 0x0008
#endif
#ifndef DLGC_DEFPUSHBUTTON
#define DLGC_DEFPUSHBUTTON 0x0010
#endif
#ifndef DLGC_UNDEFPUSHBUTTON
#define DLGC_UNDEFPUSHBUTTON 0x0020
#endif
#ifndef DLGC_RADIOBUTTON
#define DLGC_RADIOBUTTON 0x0040
#endif
#ifndef DLGC_WANTCHARS
#define DLGC_WANTCHARS 0x0080
#endif
#ifndef DLGC_STATIC
#define DLGC_STATIC 0x0100
#endif
#ifndef DLGC_BUTTON
#define DLGC_BUTTON 0x2000
#endif

// Window styles.

#ifndef WS_OVERLAPPED
#define WS_OVERLAPPED 0x00000000L
#endif
#ifndef WS_POPUP
#define WS_POPUP 0x80000000L
#endif
#ifndef WS_CHILD
#define WS_CHILD 0x40000000L
#endif
#ifndef WS_VISIBLE
#define WS_VISIBLE 0x10000000L
#endif
#ifndef WS_DISABLED
#define WS_DISABLED 0x08000000L
#endif
#ifndef WS_CLIPSIBLINGS
#define WS_CLIPSIBLINGS 0x04000000L
#endif
#ifndef WS_CLIPCHILDREN
#define WS_CLIPCHILDREN 0x02000000L
#endif
#ifndef WS_CAPTION
#define WS_CAPTION 0x00C00000L
#endif
#ifndef WS_BORDER
#define WS_BORDER 0x00800000L
#endif
#ifndef WS_DLGFRAME
#define WS_DLGFRAME 0x00400000L
#endif
#ifndef WS_VSCROLL
#define WS_VSCROLL 0x00200000L
#endif
#ifndef WS_HSCROLL
#define WS_HSCROLL 0x00100000L
#endif
#ifndef WS_SYSMENU
#define WS_SYSMENU 0x00080000L
#endif
#ifndef WS_THICKFRAME
#define WS_THICKFRAME 0x00040000L
#endif
#ifndef WS_GROUP
#define WS_GROUP 0x00020000L
#endif
#ifndef WS_TABSTOP
#define WS_TABSTOP 0x00010000L
#endif
#ifndef WS_EX_DLGMODALFRAME
#define WS_EX_DLGMODALFRAME 0x00000001L
#endif
#ifndef WS_EX_TOPMOST
#define WS_EX_TOPMOST 0x00000008L
#endif
#ifndef WS_EX_TRANSPARENT
#define WS_EX_TRANSPARENT 0x00000020L
#endif
#ifndef WS_EX_TOOLWINDOW
#define WS_EX_TOOLWINDOW 0x00000080L
#endif
#ifndef WS_EX_CLIENTEDGE
#define WS_EX_CLIENTEDGE 0x00000200L
#endif
#ifndef WS_EX_CONTEXTHELP
#define WS_EX_CONTEXTHELP 0x00000400L
#endif
#ifndef WS_EX_CONTROLPARENT
#define WS_EX_CONTROLPARENT 0x00010000L
#endif
#ifndef WS_EX_STATICEDGE
#define WS_EX_STATICEDGE 0x00020000L
#endif
#ifndef WM_LBUTTONDOWN
#define WM_LBUTTONDOWN 0x0201
#endif
#ifndef WM_LBUTTONUP
#define WM_LBUTTONUP 0x0202
#endif
