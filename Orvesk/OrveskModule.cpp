// The library's entry: when the library is loaded it registers itself, its resources and its
// run-time classes (the classes register through their own static records); when it is
// unloaded it leaves the module list.
#include <ClassLib/Afx.h>

namespace {

struct COrveskModule
{
    HINSTANCE hModule;

    COrveskModule()
    {
        TRACE("Orvesk.DLL Initializing!\n");
        hModule = AfxRegisterModule("Orvesk");
    }

    ~COrveskModule()
    {
        TRACE("Orvesk.DLL Terminating!\n");
    }
};

const COrveskModule g_module;

} // namespace
