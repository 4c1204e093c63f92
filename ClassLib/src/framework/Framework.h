// What the framework's sources include: the window layer with the menu layer, and the
// framework's own headers.
#pragma once

#include <ClassLib/AfxWin.h>
// Menus come in with the menu layer's umbrella header (through AfxWin.h); until then
// frames work without menu bars.
#if __has_include(<ClassLib/Menus/Menu.h>)
#define PC_FRAME_MENUS 1
#else
#define PC_FRAME_MENUS 0
#endif
#if __has_include(<ClassLib/Dialogs/FileDialog.h>)
#define PC_FRAME_FILEDIALOG 1
#else
#define PC_FRAME_FILEDIALOG 0
#endif
#if __has_include(<ClassLib/Dialogs/PrintDialog.h>)
#define PC_FRAME_PRINTDIALOG 1
#else
#define PC_FRAME_PRINTDIALOG 0
#endif
#include <ClassLib/DocView/DocView.h>
#include <ClassLib/Frames/Frames.h>

// File dialog flags the framework passes on (the dialog layer defines them too).
#ifndef OFN_READONLY
#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#endif

#if !PC_FRAME_MENUS
#ifndef MF_SEPARATOR
#define MF_SEPARATOR 0x00000800u
#define MF_POPUP 0x00000010u
#endif
#endif

namespace pc_frame {
// The descendant window with that id, searched depth first (only windows with an object
// of their own when bOnlyPerm).
CWnd* FindDescendant(const CWnd* pWnd, int nID, BOOL bOnlyPerm);
// A control object goes away: it no longer waits to get its window back (ControlTakeOver.cpp).
void ForgetTakenOver(CWnd* pWnd);
}  // namespace pc_frame
