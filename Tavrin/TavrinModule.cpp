// The task library's module: registered with the class library's resource tables when the
// library is loaded, forgotten again when it is unloaded.
#include <ClassLib/Resources/Resources.h>

AFX_MODULE_RESOURCES(Tavrin)
{
    (void)hModule;
}

namespace {

struct CTavrinModuleUnload
{
    ~CTavrinModuleUnload()
    {
        if (HINSTANCE hModule = AfxFindModule("Tavrin"))
            AfxUnregisterModule(hModule);
    }
};

const CTavrinModuleUnload s_unload;

} // namespace
