// The class library's windows: include this for CWnd, message maps, device contexts, drawing
// objects and the system values (it includes ClassLib/Afx.h for the rest). The standard
// controls, dialogs, menus, the document/view framework, frames, printing and OLE come in
// from their own layers when they are part of the build.
#pragma once

#include <ClassLib/Afx.h>

#include <ClassLib/Gdi/GdiTypes.h>
#include <ClassLib/Gdi/GdiObject.h>
#include <ClassLib/Gdi/DC.h>
#include <ClassLib/Gdi/GdiApi.h>
#include <ClassLib/Gdi/ImageList.h>
#include <ClassLib/Gdi/ResourceImages.h>
#include <ClassLib/Wnd/Messages.h>
#include <ClassLib/Wnd/Styles.h>
#include <ClassLib/Wnd/Keys.h>
#include <ClassLib/Wnd/MsgMap.h>
#include <ClassLib/Wnd/CmdTarget.h>
#include <ClassLib/Wnd/WndClass.h>
#include <ClassLib/Wnd/Wnd.h>
#include <ClassLib/Wnd/WinApi.h>
#include <ClassLib/Wnd/System.h>
#include <ClassLib/Wnd/Cursor.h>
#include <ClassLib/Wnd/ScrollBar.h>
#include <ClassLib/Wnd/RectTracker.h>
#include <ClassLib/Wnd/UiApp.h>

#if __has_include(<ClassLib/Controls/Controls.h>)
#include <ClassLib/Controls/Controls.h>
#endif
#if __has_include(<ClassLib/Dialogs/Dialogs.h>)
#include <ClassLib/Dialogs/Dialogs.h>
#endif
#if __has_include(<ClassLib/Menus/Menu.h>)
#include <ClassLib/Menus/Menu.h>
#endif
#if __has_include(<ClassLib/DocView/DocView.h>)
#include <ClassLib/DocView/DocView.h>
#endif
#if __has_include(<ClassLib/Frames/Frames.h>)
#include <ClassLib/Frames/Frames.h>
#endif
#if __has_include(<ClassLib/Printing/Printing.h>)
#include <ClassLib/Printing/Printing.h>
#endif
#if __has_include(<ClassLib/Ole/Ole.h>)
#include <ClassLib/Ole/Ole.h>
#endif
