// Arrays: the template CArray<TYPE, ARG_TYPE> and the platform's ready-made arrays
// (CObArray, CPtrArray, CStringArray, CByteArray, CWordArray, CDWordArray, CUIntArray).
//
// New elements start zero-filled and then default-constructed, as on the platform.
// Elements are moved properly when the array grows or shifts (never copied as raw bytes),
// an element of the array itself may be passed to Add, SetAtGrow and InsertAt, and an
// index out of range throws CInvalidArgException rather than touching memory outside
// the array. Running out of memory throws CMemoryException.
#pragma once

#include <ClassLib/Core/CollectionHelpers.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject
{
public:
    typedef TYPE BASE_TYPE;
    typedef ARG_TYPE BASE_ARG_TYPE;

    CArray()
        : m_pData(NULL)
        , m_nSize(0)
        , m_nMaxSize(0)
        , m_nGrowBy(0)
    {
    }
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    ~CArray() override { DestroyAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    // Grows (new elements zero-filled, then default-constructed) or shrinks to nNewSize.
    // nGrowBy >= 0 sets how many elements to add at a time when the storage must grow
    // (0: choose by size); -1 keeps the current setting.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        if (nNewSize == 0) {
            DestroyAll();
            return;
        }
        if (nNewSize > m_nMaxSize) {
            INT_PTR nStep = m_nGrowBy;
            if (nStep == 0)
                nStep = std::min<INT_PTR>(1024, std::max<INT_PTR>(4, m_nSize / 8));
            INT_PTR nNewMax = m_pData == NULL ? std::max(nNewSize, m_nGrowBy)
                                              : std::max(nNewSize, m_nMaxSize + nStep);
            Reallocate(nNewMax);
        }
        Resize(nNewSize);
    }

    void FreeExtra()
    {
        if (m_nSize == m_nMaxSize)
            return;
        if (m_nSize == 0)
            DestroyAll();
        else
            Reallocate(m_nSize);
    }

    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_pData[CheckIndex(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_pData[CheckIndex(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[CheckIndex(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_pData[CheckIndex(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_pData[CheckIndex(nIndex)]; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    // Sets the element, growing the array when nIndex lies beyond its end.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        if (nIndex >= m_nSize) {
            if (IsOwnElement(newElement)) {
                TYPE copy = TakeCopy(newElement);
                SetSize(nIndex + 1, -1);
                m_pData[nIndex] = std::move(copy);
                return;
            }
            SetSize(nIndex + 1, -1);
        }
        m_pData[nIndex] = newElement;
    }

    INT_PTR Add(ARG_TYPE newElement)
    {
        INT_PTR nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }

    // Appends src's elements; returns the index of the first one.
    INT_PTR Append(const CArray& src)
    {
        INT_PTR nOldSize = m_nSize;
        INT_PTR nCount = src.m_nSize;
        SetSize(m_nSize + nCount);
        // src may be this array: its first nCount elements are still the original ones.
        for (INT_PTR i = 0; i < nCount; ++i)
            m_pData[nOldSize + i] = src.m_pData[i];
        return nOldSize;
    }

    void Copy(const CArray& src)
    {
        if (this == &src)
            return;
        SetSize(src.m_nSize);
        for (INT_PTR i = 0; i < src.m_nSize; ++i)
            m_pData[i] = src.m_pData[i];
    }

    // Inserts nCount copies of newElement before nIndex; an index at or past the end
    // grows the array so the copies start at nIndex.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0)
            AfxThrowInvalidArgException();
        if (nCount == 0)
            return;
        if (IsOwnElement(newElement)) {
            TYPE copy = TakeCopy(newElement);
            InsertCopies(nIndex, copy, nCount);
        } else {
            InsertCopies(nIndex, newElement, nCount);
        }
    }

    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
    {
        if (pNewArray == NULL || nStartIndex < 0)
            AfxThrowInvalidArgException();
        if (pNewArray->m_nSize == 0)
            return;
        if (pNewArray == this) {
            CArray copy;
            copy.Copy(*this);
            InsertAt(nStartIndex, &copy);
            return;
        }
        InsertAt(nStartIndex, pNewArray->m_pData[0], pNewArray->m_nSize);
        for (INT_PTR i = 1; i < pNewArray->m_nSize; ++i)
            m_pData[nStartIndex + i] = pNewArray->m_pData[i];
    }

    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex > m_nSize || nCount > m_nSize - nIndex)
            AfxThrowInvalidArgException();
        if (nCount == 0)
            return;
        std::move(m_pData + nIndex + nCount, m_pData + m_nSize, m_pData + nIndex);
        std::destroy(m_pData + m_nSize - nCount, m_pData + m_nSize);
        m_nSize -= nCount;
    }

    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD>(m_nSize));
            SerializeElements(ar, m_pData, m_nSize);
        } else {
            INT_PTR nCount = static_cast<INT_PTR>(ar.ReadCount());
            SetSize(0, -1);
            // Grown as the data arrives, so a damaged count meets the end of the data before
            // it can claim memory the file does not back.
            INT_PTR nDone = 0;
            while (nDone < nCount) {
                INT_PTR nChunk = std::min<INT_PTR>(nCount - nDone, 4096);
                if (nDone + nChunk > m_nMaxSize)
                    Reallocate(std::min(nCount, std::max(nDone + nChunk, m_nMaxSize * 2)));
                Resize(nDone + nChunk);
                SerializeElements(ar, m_pData + nDone, nChunk);
                nDone += nChunk;
            }
        }
    }

protected:
    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;

private:
    INT_PTR CheckIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
        return nIndex;
    }

    // TRUE when the argument must be taken into a TYPE of its own before the storage
    // changes: it is an element of this array, or something (a pointer into an element's
    // text, say) that is not a TYPE at all.
    template <class A> bool IsOwnElement(const A& value) const
    {
        if constexpr (std::is_same<std::decay_t<A>, TYPE>::value) {
            const TYPE* p = std::addressof(value);
            return m_pData != NULL && !std::less<const TYPE*>()(p, m_pData) &&
                   std::less<const TYPE*>()(p, m_pData + m_nSize);
        } else {
            (void)value;
            return true;
        }
    }

    template <class A> static TYPE TakeCopy(const A& value)
    {
        if constexpr (std::is_same<std::decay_t<A>, TYPE>::value) {
            return TYPE(value);
        } else {
            TYPE copy = TYPE();
            copy = value;
            return copy;
        }
    }

    template <class A> void InsertCopies(INT_PTR nIndex, const A& value, INT_PTR nCount)
    {
        if (nIndex >= m_nSize) {
            SetSize(nIndex + nCount, -1);
        } else {
            INT_PTR nOldSize = m_nSize;
            SetSize(m_nSize + nCount, -1);
            std::move_backward(m_pData + nIndex, m_pData + nOldSize, m_pData + nOldSize + nCount);
        }
        for (INT_PTR i = 0; i < nCount; ++i)
            m_pData[nIndex + i] = value;
    }

    static TYPE* Allocate(INT_PTR nCount)
    {
        if (nCount <= 0)
            return NULL;
        if (static_cast<size_t>(nCount) >
            static_cast<size_t>(PC_MAX_COLLECTION_BYTES) / sizeof(TYPE))
            AfxThrowMemoryException();
        try {
            return std::allocator<TYPE>().allocate(static_cast<size_t>(nCount));
        } catch (const std::bad_alloc&) {
            AfxThrowMemoryException();
        }
    }

    // Moves the elements into storage for nNewMax (>= m_nSize) elements.
    void Reallocate(INT_PTR nNewMax)
    {
        TYPE* pNew = Allocate(nNewMax);
        if (m_pData != NULL) {
            std::uninitialized_move(m_pData, m_pData + m_nSize, pNew);
            std::destroy(m_pData, m_pData + m_nSize);
            std::allocator<TYPE>().deallocate(m_pData, static_cast<size_t>(m_nMaxSize));
        }
        m_pData = pNew;
        m_nMaxSize = nNewMax;
    }

    // Constructs or destroys elements so that m_nSize becomes nNewSize (<= m_nMaxSize).
    void Resize(INT_PTR nNewSize)
    {
        if (nNewSize > m_nSize) {
            for (INT_PTR i = m_nSize; i < nNewSize; ++i) {
                std::memset(static_cast<void*>(m_pData + i), 0, sizeof(TYPE));
                ::new (static_cast<void*>(m_pData + i)) TYPE;
                m_nSize = i + 1;
            }
        } else if (nNewSize < m_nSize) {
            std::destroy(m_pData + nNewSize, m_pData + m_nSize);
            m_nSize = nNewSize;
        }
    }

    void DestroyAll()
    {
        if (m_pData != NULL) {
            std::destroy(m_pData, m_pData + m_nSize);
            std::allocator<TYPE>().deallocate(m_pData, static_cast<size_t>(m_nMaxSize));
        }
        m_pData = NULL;
        m_nSize = 0;
        m_nMaxSize = 0;
    }
};

// Object pointers; Serialize writes the count and each object through the archive's
// object form. The array does not own the objects.
class AFX_EXT_CLASS CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_SERIAL(CObArray)
public:
    CObArray() = default;
    void Serialize(CArchive& ar) override;
};

// Untyped pointers; they cannot be archived (Serialize throws CNotSupportedException).
class AFX_EXT_CLASS CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray() = default;
    void Serialize(CArchive& ar) override;
};

class AFX_EXT_CLASS CStringArray : public CArray<CString, const CString&>
{
    DECLARE_SERIAL(CStringArray)
public:
    CStringArray() = default;
};

class AFX_EXT_CLASS CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_SERIAL(CByteArray)
public:
    CByteArray() = default;
};

class AFX_EXT_CLASS CWordArray : public CArray<WORD, WORD>
{
    DECLARE_SERIAL(CWordArray)
public:
    CWordArray() = default;
};

class AFX_EXT_CLASS CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_SERIAL(CDWordArray)
public:
    CDWordArray() = default;
};

class AFX_EXT_CLASS CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
public:
    CUIntArray() = default;
};
