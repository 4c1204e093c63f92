// Element helpers the collection templates call; a program may add overloads or
// specialisations for its own element types:
// - SerializeElements(ar, p, n): archive n elements. The default writes and reads their
//   raw bytes, as the platform does; for types that cannot be copied as bytes it throws
//   CNotSupportedException instead of corrupting memory. CString elements go through the
//   archive's string form.
// - CompareElements(p1, p2): equality used by Find and the maps.
// - HashKey(key): the maps' hash; pointer and integer keys by value, strings by text.
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Core/Archive.h>
#include <ClassLib/Core/Exceptions.h>
#include <ClassLib/Core/String.h>

#include <climits>
#include <cstddef>
#include <type_traits>

template <class TYPE>
inline void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    if constexpr (!std::is_trivially_copyable<TYPE>::value) {
        (void)ar;
        (void)pElements;
        AfxThrowNotSupportedException();
    } else {
        BYTE* pBytes = reinterpret_cast<BYTE*>(pElements);
        size_t nBytes = static_cast<size_t>(nCount) * sizeof(TYPE);
        while (nBytes > 0) {
            UINT nPart = nBytes > 0x40000000u ? 0x40000000u : static_cast<UINT>(nBytes);
            if (ar.IsStoring()) {
                ar.Write(pBytes, nPart);
            } else if (ar.Read(pBytes, nPart) != nPart) {
                AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
            }
            pBytes += nPart;
            nBytes -= nPart;
        }
    }
}

inline void AFXAPI SerializeElements(CArchive& ar, CString* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

template <class ARG_KEY> inline UINT AFXAPI HashKey(ARG_KEY key)
{
    return static_cast<UINT>(((DWORD_PTR)key) >> 4);
}

// Strings hash by their bytes (added up as signed characters, as the system's earlier
// builds did).
inline UINT PcHashString(LPCTSTR key)
{
    UINT nHash = 0;
    if (key == NULL)
        return 0;
    while (*key)
        nHash = (nHash << 5) + nHash + static_cast<UINT>(static_cast<int>(*key++));
    return nHash;
}

template <> inline UINT AFXAPI HashKey<LPCTSTR>(LPCTSTR key)
{
    return PcHashString(key);
}
template <> inline UINT AFXAPI HashKey<LPTSTR>(LPTSTR key)
{
    return PcHashString(key);
}
template <> inline UINT AFXAPI HashKey<CString>(CString key)
{
    return PcHashString(key);
}
template <> inline UINT AFXAPI HashKey<const CString&>(const CString& key)
{
    return PcHashString(key);
}

// Elements beyond this count are never asked of the allocator at once.
const INT_PTR PC_MAX_COLLECTION_BYTES = static_cast<INT_PTR>(PTRDIFF_MAX / 2);
