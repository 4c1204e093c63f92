// Frames, bars and splitters, and the list, header and tree controls they show.
#pragma once

#include <ClassLib/Controls/CommonCtrlDefs.h>
#include <ClassLib/Controls/HeaderCtrl.h>
#include <ClassLib/Controls/ListCtrl.h>
#include <ClassLib/Controls/TreeCtrl.h>
#include <ClassLib/Controls/TabCtrl.h>
#include <ClassLib/Frames/FrameWnd.h>
#include <ClassLib/Frames/MDIWnd.h>
#include <ClassLib/Frames/ControlBar.h>
#include <ClassLib/Frames/ToolBar.h>
#include <ClassLib/Frames/StatusBar.h>
#include <ClassLib/Frames/SplitterWnd.h>
#include <ClassLib/Frames/OleIPFrameWnd.h>
#include <ClassLib/Frames/PropertySheet.h>
#include <ClassLib/Frames/DialogBar.h>
