// The root of the class library's object model: CObject with its run-time class record
// (CRuntimeClass), and the macros that give a class a name, dynamic creation and
// serialization.
//
// Every class implemented with IMPLEMENT_DYNAMIC, IMPLEMENT_DYNCREATE or IMPLEMENT_SERIAL
// registers its record in one process-wide list while its library is loaded, so
// CRuntimeClass::FromName and archives find classes of any loaded library. The base named
// in IMPLEMENT_* is the one IsKindOf follows; it may differ from the C++ base class.
#pragma once

#include <ClassLib/Core/WinTypes.h>

class CObject;
class CArchive;
class CDumpContext;

// Marks a schema number as versionable: a reader accepts any stored schema of the class
// and asks CArchive::GetObjectSchema which one it got.
#define VERSIONABLE_SCHEMA (0x80000000)

struct AFX_EXT_CLASS CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF: not serializable
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;  // the declared base; NULL for CObject

    // A new object of the class, or NULL when the class cannot be created dynamically.
    CObject* CreateObject() const;
    // TRUE when this class is pBaseClass or has it in its declared base chain.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of that name (exact, case-sensitive), or NULL.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);

    // Archive form of a class: WORD schema, WORD name length, the name's bytes.
    void Store(CArchive& ar) const;
    // Reads that form; returns the registered class, or NULL when the name is too long or
    // unknown. *pwSchemaNum receives the stored schema. Data cut short throws
    // CArchiveException endOfFile.
    static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);
};

// Adds a class record to the process-wide list for as long as the object lives; the
// IMPLEMENT_* macros create one of these per class at static initialisation.
struct AFX_EXT_CLASS AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(const CRuntimeClass* pNewClass);
    ~AFX_CLASSINIT();
    AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
    AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;

private:
    const CRuntimeClass* m_pClass;
};

class AFX_EXT_CLASS CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    // Copies are for derived records only; nothing can slice-copy a bare CObject.
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// Diagnostic output of Dump: writes to the standard error stream in the debug build and
// nowhere otherwise.
class AFX_EXT_CLASS CDumpContext
{
public:
    CDumpContext() = default;
    int GetDepth() const { return m_nDepth; }
    void SetDepth(int nNewDepth) { m_nDepth = nNewDepth; }
    void Flush();

    CDumpContext& operator<<(LPCSTR lpsz);
    CDumpContext& operator<<(const void* lp);
    CDumpContext& operator<<(const CObject* pOb);
    CDumpContext& operator<<(const CObject& ob);
    CDumpContext& operator<<(char ch);
    CDumpContext& operator<<(BYTE by);
    CDumpContext& operator<<(short n);
    CDumpContext& operator<<(WORD w);
    CDumpContext& operator<<(int n);
    CDumpContext& operator<<(UINT u);
    CDumpContext& operator<<(long n);
    CDumpContext& operator<<(unsigned long n);
    CDumpContext& operator<<(long long n);
    CDumpContext& operator<<(unsigned long long n);
    CDumpContext& operator<<(float f);
    CDumpContext& operator<<(double d);
    void HexDump(LPCSTR lpszLine, const BYTE* pby, int nBytes, int nWidth);

private:
    int m_nDepth = 0;
};

extern AFX_EXT_DATA CDumpContext afxDump;

// Helpers behind the downcast macros and the archive extraction of serial classes.
AFX_EXT_API CObject* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject);
AFX_EXT_API CObject* AfxStaticDownCast(const CRuntimeClass* pClass, CObject* pObject);
AFX_EXT_API CObject* AfxReadObjectOfClass(CArchive& ar, const CRuntimeClass* pClassRefRequested);

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

// The object as a class_name*, or NULL when it is NULL or not of that (declared) kind.
#define DYNAMIC_DOWNCAST(class_name, object)                                                       \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))
// The object as a class_name*; in the debug build it asserts the kind.
#define STATIC_DOWNCAST(class_name, object)                                                        \
    (static_cast<class_name*>(AfxStaticDownCast(RUNTIME_CLASS(class_name), (object))))

#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static const CRuntimeClass class##class_name;                                                  \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name)                                                              \
    DECLARE_DYNAMIC(class_name)                                                                    \
    static CObject* CreateObject();

// The extraction operator is an inline friend so that it is found through the class
// itself and needs no export of its own from the class's library.
#define DECLARE_SERIAL(class_name)                                                                 \
    DECLARE_DYNCREATE(class_name)                                                                  \
    friend inline CArchive& operator>>(CArchive& ar, class_name*& pOb)                             \
    {                                                                                              \
        pOb = static_cast<class_name*>(AfxReadObjectOfClass(ar, RUNTIME_CLASS(class_name)));       \
        return ar;                                                                                 \
    }

#define PC_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                    \
    const CRuntimeClass class_name::class##class_name = {                                          \
        #class_name, static_cast<int>(sizeof(class class_name)), (wSchema), (pfnNew),              \
        RUNTIME_CLASS(base_class_name)};                                                           \
    CRuntimeClass* class_name::GetRuntimeClass() const                                             \
    {                                                                                              \
        return RUNTIME_CLASS(class_name);                                                          \
    }                                                                                              \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                             \
    PC_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                           \
    CObject* class_name::CreateObject()                                                            \
    {                                                                                              \
        return new class_name;                                                                     \
    }                                                                                              \
    PC_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                     \
    CObject* class_name::CreateObject()                                                            \
    {                                                                                              \
        return new class_name;                                                                     \
    }                                                                                              \
    PC_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)
