// The bar-label format dialog as the chart's format command runs it: the dialog starts with
// the style and, on IDOK, gives the chosen one back. The dialog's owner installs the runner;
// without one the command is cancelled.
#pragma once

#include <ClassLib/Afx.h>

#include <functional>

typedef std::function<INT_PTR(int& nStyle)> GanttStyleRunner;
AFX_EXT_API GanttStyleRunner GanttSetStyleRunner(GanttStyleRunner runner);
AFX_EXT_API INT_PTR GanttRunStyleDlg(int& nStyle);
