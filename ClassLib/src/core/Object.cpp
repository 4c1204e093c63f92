// CObject, the process-wide list of run-time classes, and the diagnostic dump context.
#include <ClassLib/Core/Object.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

// The list lives on the heap and is never destroyed: classes of libraries that are
// unloaded late at exit remove themselves from it after every static of this library
// may already be gone.
struct ClassRegistry
{
    std::mutex mutex;
    std::vector<const CRuntimeClass*> classes;
};

ClassRegistry& Registry()
{
    static ClassRegistry* registry = new ClassRegistry;
    return *registry;
}

}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF,
                                             NULL, NULL};
static const AFX_CLASSINIT _init_CObject(RUNTIME_CLASS(CObject));

AFX_CLASSINIT::AFX_CLASSINIT(const CRuntimeClass* pNewClass)
    : m_pClass(pNewClass)
{
    if (m_pClass == NULL)
        return;
    ClassRegistry& registry = Registry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    registry.classes.push_back(m_pClass);
}

AFX_CLASSINIT::~AFX_CLASSINIT()
{
    if (m_pClass == NULL)
        return;
    ClassRegistry& registry = Registry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    auto it = std::find(registry.classes.begin(), registry.classes.end(), m_pClass);
    if (it != registry.classes.end())
        registry.classes.erase(it);
}

CObject* CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    if (pBaseClass == NULL)
        return FALSE;
    // The declared chain is finite by construction; the bound only protects against a
    // record damaged at run time.
    int nDepth = 0;
    for (const CRuntimeClass* pClass = this; pClass != NULL && nDepth < 4096;
         pClass = pClass->m_pBaseClass, ++nDepth) {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    ClassRegistry& registry = Registry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    for (const CRuntimeClass* pClass : registry.classes) {
        if (pClass->m_lpszClassName != NULL &&
            std::strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return const_cast<CRuntimeClass*>(pClass);
    }
    return NULL;
}

CObject::~CObject() = default;

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}

void CObject::Dump(CDumpContext&) const {}

CObject* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject)
{
    if (pObject != NULL && pObject->IsKindOf(pClass))
        return pObject;
    return NULL;
}

CObject* AfxStaticDownCast(const CRuntimeClass* pClass, CObject* pObject)
{
#ifdef _DEBUG
    if (pObject != NULL && !pObject->IsKindOf(pClass)) {
        std::fprintf(stderr, "STATIC_DOWNCAST: object of class %s is not a %s\n",
                     pObject->GetRuntimeClass()->m_lpszClassName, pClass->m_lpszClassName);
    }
#else
    (void)pClass;
#endif
    return pObject;
}

// --- CDumpContext ---------------------------------------------------------------------

CDumpContext afxDump;

namespace {
void DumpText(const char* text)
{
#ifdef _DEBUG
    std::fputs(text, stderr);
#else
    (void)text;
#endif
}

template <class T> void DumpFormat(const char* format, T value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), format, value);
    DumpText(buffer);
}
}  // namespace

void CDumpContext::Flush()
{
#ifdef _DEBUG
    std::fflush(stderr);
#endif
}

CDumpContext& CDumpContext::operator<<(LPCSTR lpsz)
{
    DumpText(lpsz != NULL ? lpsz : "(NULL)");
    return *this;
}
CDumpContext& CDumpContext::operator<<(const void* lp)
{
    DumpFormat("$%p", lp);
    return *this;
}
CDumpContext& CDumpContext::operator<<(const CObject* pOb)
{
    if (pOb == NULL)
        return *this << "NULL";
    return *this << *pOb;
}
CDumpContext& CDumpContext::operator<<(const CObject& ob)
{
    *this << "a " << ob.GetRuntimeClass()->m_lpszClassName << " at "
          << static_cast<const void*>(&ob) << "\n";
    ob.Dump(*this);
    return *this;
}
CDumpContext& CDumpContext::operator<<(char ch)
{
    char text[2] = {ch, 0};
    DumpText(text);
    return *this;
}
CDumpContext& CDumpContext::operator<<(BYTE by)
{
    DumpFormat("%u", static_cast<unsigned>(by));
    return *this;
}
CDumpContext& CDumpContext::operator<<(short n)
{
    DumpFormat("%d", static_cast<int>(n));
    return *this;
}
CDumpContext& CDumpContext::operator<<(WORD w)
{
    DumpFormat("%u", static_cast<unsigned>(w));
    return *this;
}
CDumpContext& CDumpContext::operator<<(int n)
{
    DumpFormat("%d", n);
    return *this;
}
CDumpContext& CDumpContext::operator<<(UINT u)
{
    DumpFormat("%u", u);
    return *this;
}
CDumpContext& CDumpContext::operator<<(long n)
{
    DumpFormat("%ld", n);
    return *this;
}
CDumpContext& CDumpContext::operator<<(unsigned long n)
{
    DumpFormat("%lu", n);
    return *this;
}
CDumpContext& CDumpContext::operator<<(long long n)
{
    DumpFormat("%lld", n);
    return *this;
}
CDumpContext& CDumpContext::operator<<(unsigned long long n)
{
    DumpFormat("%llu", n);
    return *this;
}
CDumpContext& CDumpContext::operator<<(float f)
{
    DumpFormat("%g", static_cast<double>(f));
    return *this;
}
CDumpContext& CDumpContext::operator<<(double d)
{
    DumpFormat("%g", d);
    return *this;
}

void CDumpContext::HexDump(LPCSTR lpszLine, const BYTE* pby, int nBytes, int nWidth)
{
    if (pby == NULL || nBytes <= 0)
        return;
    if (nWidth <= 0)
        nWidth = 16;
    for (int i = 0; i < nBytes; ++i) {
        if (i % nWidth == 0) {
            if (i != 0)
                *this << "\n";
            *this << (lpszLine != NULL ? lpszLine : "");
        }
        char text[4];
        std::snprintf(text, sizeof(text), " %02X", pby[i]);
        DumpText(text);
    }
    *this << "\n";
}
