// The library's entry: when the library is loaded, COM is started on the loading thread;
// a library that cannot start COM refuses to load, which ends the process that loads it
// (as the loader ends a program whose library fails to load). COM is not stopped when the
// library is unloaded. The module's registration with the class library (resources and
// run-time classes) is QuenbyModule.cpp's and the classes' own.
#include <ClassLib/Core/Debug.h>
#include <ClassLib/Shell/Com.h>

#include <cstdio>
#include <unistd.h>

namespace {

struct CQuenbyEntry
{
    CQuenbyEntry()
    {
        HRESULT hr = CoInitialize(NULL);
        if (FAILED(hr)) {
            AfxTrace("Com Initialize Failed!\n");
            std::fprintf(stderr, "Quenby: the library cannot be loaded: COM did not start (0x%08X)\n",
                         (unsigned)hr);
            std::fflush(stderr);
            _exit(127);
        }
    }
};

const CQuenbyEntry s_entry;

}  // namespace
