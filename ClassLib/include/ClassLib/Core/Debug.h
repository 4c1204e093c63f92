// Diagnostics. With _DEBUG defined, ASSERT and ASSERT_VALID check and report a failure
// (through a replaceable handler; by default a line on stderr, then the program goes on),
// and TRACE writes to stderr. Without _DEBUG they compile to nothing, except VERIFY,
// which always evaluates its expression.
#pragma once

#include <ClassLib/Core/WinTypes.h>

#include <type_traits>
#include <utility>

// Called for a failed assertion with the source file and line.
typedef void (*AfxAssertHandler)(const char* file, int line, const char* expression);
// Installs a handler (NULL restores the default) and returns the previous one.
AFX_EXT_API AfxAssertHandler AfxSetAssertHandler(AfxAssertHandler handler);
AFX_EXT_API void AfxAssertFailedLine(const char* file, int line, const char* expression = nullptr);
AFX_EXT_API void AfxTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));
AFX_EXT_API void AfxDebugBreak();

// Address checks of the platform: only NULL is known to be invalid here.
inline BOOL AfxIsValidAddress(const void* p, size_t nBytes = 1, BOOL bReadWrite = TRUE)
{
    (void)bReadWrite;
    return p != nullptr || nBytes == 0;
}
inline BOOL AfxIsValidString(const char* psz, int nLength = -1)
{
    (void)nLength;
    return psz != nullptr;
}
inline BOOL AfxIsValidString(const char16_t* psz, int nLength = -1)
{
    (void)nLength;
    return psz != nullptr;
}

namespace pc_debug_detail {
template <class T, class = void>
struct HasAssertValid : std::false_type {};
template <class T>
struct HasAssertValid<T, std::void_t<decltype(std::declval<const T&>().AssertValid())>> : std::true_type {};

template <class T>
inline void AssertValidObject(const T* p, const char* file, int line)
{
    if (!p) {
        AfxAssertFailedLine(file, line, "object pointer is NULL");
        return;
    }
    if constexpr (HasAssertValid<T>::value)
        p->AssertValid();
}
}  // namespace pc_debug_detail

#ifdef _DEBUG
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailedLine(__FILE__, __LINE__, #f))
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(p) (pc_debug_detail::AssertValidObject((p), __FILE__, __LINE__))
#define ASSERT_KINDOF(cls, p) ASSERT((p) != nullptr && (p)->IsKindOf(RUNTIME_CLASS(cls)))
#define DEBUG_ONLY(f) (f)
#define TRACE AfxTrace
#define TRACE0(sz) AfxTrace("%s", sz)
#define TRACE1(sz, p1) AfxTrace(sz, p1)
#define TRACE2(sz, p1, p2) AfxTrace(sz, p1, p2)
#define TRACE3(sz, p1, p2, p3) AfxTrace(sz, p1, p2, p3)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(p) ((void)0)
#define ASSERT_KINDOF(cls, p) ((void)0)
#define DEBUG_ONLY(f) ((void)0)
#define TRACE(...) ((void)0)
#define TRACE0(sz) ((void)0)
#define TRACE1(sz, p1) ((void)0)
#define TRACE2(sz, p1, p2) ((void)0)
#define TRACE3(sz, p1, p2, p3) ((void)0)
#endif

#define DEBUG_NEW new
#define THIS_FILE __FILE__
