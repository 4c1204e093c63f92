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

#include <ClassLib/Controls/Controls.h>
#include <ClassLib/Dialogs/Dialogs.h>
#include <ClassLib/Menus/Menu.h>
#include <ClassLib/DocView/DocView.h>
#include <ClassLib/Frames/Frames.h>
#include <ClassLib/Printing/Printing.h>
#include <ClassLib/Ole/Ole.h>
