// A scoped switch of the module searched first for resources, as a library does around
// code that must find its own resources where ids collide between modules:
//
//   CAfxResourceScope scope(AfxFindModule("Orvesk"));
//   bitmap.LoadBitmap(135);   // Orvesk's bitmap 135, not the program's
//
// The module searched first before the scope is restored when it ends.
#pragma once

#include <ClassLib/Resources/Resources.h>

class CAfxResourceScope
{
public:
    explicit CAfxResourceScope(HINSTANCE hModule) : m_hPrevious(CurrentModule()) { AfxSetResourceHandle(hModule); }
    explicit CAfxResourceScope(const char* pszModule) : CAfxResourceScope(AfxFindModule(pszModule)) {}
    ~CAfxResourceScope() { AfxSetResourceHandle(m_hPrevious); }

    CAfxResourceScope(const CAfxResourceScope&) = delete;
    CAfxResourceScope& operator=(const CAfxResourceScope&) = delete;

private:
    // The module set with AfxSetResourceHandle, NULL when none is (the application's
    // module then comes first).
    static HINSTANCE CurrentModule()
    {
        HINSTANCE hCurrent = AfxGetResourceHandle();
        return hCurrent == AfxGetInstanceHandle() ? nullptr : hCurrent;
    }

    HINSTANCE m_hPrevious;
};
