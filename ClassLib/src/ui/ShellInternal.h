// Inside the shell layer.
#pragma once

#include <ClassLib/Testing/ShellCalls.h>

// Offers the call to the installed handler (tests); TRUE when it took the call over and
// set *pnResult. SHGetFileInfo passes pnResult NULL (recorded only).
BOOL AfxShellCallTakenOver(AfxShellCallRecord& call, INT_PTR* pnResult);
