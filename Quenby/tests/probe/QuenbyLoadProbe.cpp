// Loads the browser library (it names one of its classes, so the library is needed) and
// says whether its window classes are registered by name.
#include <LumoDocMDIFrame.h>

#include <cstdio>

int main()
{
    CRuntimeClass* pLinked = RUNTIME_CLASS(CLumoDocMDIFrame);
    CRuntimeClass* pClass = CRuntimeClass::FromName("CLumoDocMDIFrame");
    bool bFound = pClass != NULL && pClass == pLinked;
    std::printf("loaded %s\n", bFound ? "with classes" : "without classes");
    return bFound ? 0 : 1;
}
