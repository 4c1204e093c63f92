// Registering the common controls' window classes.
#include "../framework/Framework.h"

#include "../framework/FrameworkStrings.h"

#include <ClassLib/Controls/InitCommonControls.h>

void InitCommonControls()
{
    pc_frame::EnsureStandardClasses();  // up-down, date picker, progress... with the dialog class
    pc_frame::EnsureControlClasses();
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce)
{
    if (picce == nullptr || picce->dwSize < sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    InitCommonControls();
    return TRUE;
}
