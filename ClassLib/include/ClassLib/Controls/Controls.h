// The standard controls of the class library.
#pragma once

#include <ClassLib/Controls/ControlStyles.h>
#include <ClassLib/Controls/CommonControls.h>
#include <ClassLib/Controls/InitCommonControls.h>
#include <ClassLib/Controls/ControlMaps.h>
#include <ClassLib/Controls/Edit.h>
#include <ClassLib/Controls/Button.h>
#include <ClassLib/Controls/Static.h>
#include <ClassLib/Controls/ComboBox.h>
#include <ClassLib/Controls/CommonCtrls.h>
#include <ClassLib/Controls/ToolTipCtrl.h>
