// The document-browser library's module: registered with the class library's resource
// tables when the library is loaded, forgotten again when it is unloaded. The resources
// themselves are registered by the files in res/.
#include <ClassLib/Resources/Resources.h>

AFX_MODULE_RESOURCES(Quenby)
{
    (void)hModule;
}

namespace {

struct CQuenbyModuleUnload
{
    ~CQuenbyModuleUnload()
    {
        if (HINSTANCE hModule = AfxFindModule("Quenby"))
            AfxUnregisterModule(hModule);
    }
};

const CQuenbyModuleUnload s_unload;

}  // namespace
