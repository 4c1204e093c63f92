// Window classes of the controls that ClassLib draws itself (lists, headers, trees, tabs).
#include "../framework/Framework.h"

#include "../framework/FrameworkStrings.h"

#include <cstring>

// The dialog layer registers the dialog window class and the standard controls' classes
// here (it does so before its first dialog too).
namespace pc {
void RegisterDialogClass();
}

namespace pc_frame {

void EnsureStandardClasses()
{
    pc::RegisterDialogClass();
}

void EnsureControlClasses()
{
    static bool s_done = false;
    if (s_done)
        return;
    s_done = true;
    const char* names[] = {WC_LISTVIEW, WC_HEADER, WC_TREEVIEW, WC_TABCONTROL};
    for (const char* name : names)
    {
        WNDCLASS wc;
        std::memset(&wc, 0, sizeof(wc));
        wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
        wc.lpfnWndProc = ControlClassProc(name);
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = name;
        AfxRegisterClass(&wc);
    }
}

}  // namespace pc_frame
