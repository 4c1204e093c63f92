// Hash maps: the template CMap<KEY, ARG_KEY, VALUE, ARG_VALUE> and the platform's
// CMapStringToPtr, CMapStringToOb, CMapStringToString, CMapPtrToPtr, CMapWordToPtr,
// CMapPtrToWord and CMapWordToOb.
//
// The table has a fixed number of buckets (17 unless InitHashTable says otherwise; it
// is not resized by itself); a new entry goes to the front of its bucket, and iteration
// runs bucket by bucket, as on the platform. InitHashTable on a map that already holds
// entries moves them into the new table instead of losing them.
#pragma once

#include <ClassLib/Core/CollectionHelpers.h>

#include <memory>
#include <new>

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap : public CObject
{
protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;  // the full hash, so iteration can find the next bucket
        KEY key;
        VALUE value;
    };

public:
    typedef KEY BASE_KEY;
    typedef ARG_KEY BASE_ARG_KEY;
    typedef VALUE BASE_VALUE;
    typedef ARG_VALUE BASE_ARG_VALUE;

    // nBlockSize is accepted for the platform's sake; entries are allocated one by one.
    explicit CMap(INT_PTR nBlockSize = 10)
        : m_pHashTable(NULL)
        , m_nHashTableSize(17)
        , m_nCount(0)
        , m_nBlockSize(nBlockSize)
    {
    }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        UINT nHash;
        CAssoc* pAssoc = GetAssocAt(key, nHash);
        if (pAssoc == NULL)
            return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }

    // The value for key, added (default-constructed) when the key is new.
    VALUE& operator[](ARG_KEY key)
    {
        UINT nHash;
        CAssoc* pAssoc = GetAssocAt(key, nHash);
        if (pAssoc != NULL)
            return pAssoc->value;
        if (m_pHashTable == NULL)
            AllocTable(m_nHashTableSize);
        pAssoc = NewAssoc(key);
        pAssoc->nHashValue = nHash;
        UINT nBucket = nHash % m_nHashTableSize;
        pAssoc->pNext = m_pHashTable[nBucket];
        m_pHashTable[nBucket] = pAssoc;
        ++m_nCount;
        return pAssoc->value;
    }

    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_pHashTable == NULL)
            return FALSE;
        UINT nHash = HashKey<ARG_KEY>(key);
        CAssoc** ppAssocPrev = &m_pHashTable[nHash % m_nHashTableSize];
        for (CAssoc* pAssoc = *ppAssocPrev; pAssoc != NULL; pAssoc = pAssoc->pNext) {
            if (pAssoc->nHashValue == nHash && CompareElements(&pAssoc->key, &key)) {
                *ppAssocPrev = pAssoc->pNext;
                delete pAssoc;
                --m_nCount;
                return TRUE;
            }
            ppAssocPrev = &pAssoc->pNext;
        }
        return FALSE;
    }

    void RemoveAll()
    {
        if (m_pHashTable != NULL) {
            for (UINT nBucket = 0; nBucket < m_nHashTableSize; ++nBucket) {
                CAssoc* pAssoc = m_pHashTable[nBucket];
                while (pAssoc != NULL) {
                    CAssoc* pNext = pAssoc->pNext;
                    delete pAssoc;
                    pAssoc = pNext;
                }
            }
            delete[] m_pHashTable;
            m_pHashTable = NULL;
        }
        m_nCount = 0;
    }

    // NULL for an empty map; else a position for GetNextAssoc.
    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }

    // The entry at rNextPosition; rNextPosition moves to the next entry, NULL after the last.
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        if (rNextPosition == NULL || m_pHashTable == NULL)
            AfxThrowInvalidArgException();
        CAssoc* pAssocRet = reinterpret_cast<CAssoc*>(rNextPosition);
        if (rNextPosition == BEFORE_START_POSITION) {
            pAssocRet = NULL;
            for (UINT nBucket = 0; nBucket < m_nHashTableSize && pAssocRet == NULL; ++nBucket)
                pAssocRet = m_pHashTable[nBucket];
            if (pAssocRet == NULL)
                AfxThrowInvalidArgException();
        }
        CAssoc* pAssocNext = pAssocRet->pNext;
        if (pAssocNext == NULL) {
            for (UINT nBucket = pAssocRet->nHashValue % m_nHashTableSize + 1;
                 nBucket < m_nHashTableSize && pAssocNext == NULL; ++nBucket)
                pAssocNext = m_pHashTable[nBucket];
        }
        rNextPosition = reinterpret_cast<POSITION>(pAssocNext);
        rKey = pAssocRet->key;
        rValue = pAssocRet->value;
    }

    UINT GetHashTableSize() const { return m_nHashTableSize; }

    // Sets the number of buckets (a prime somewhat above the expected count works best).
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE)
    {
        if (nHashSize == 0)
            AfxThrowInvalidArgException();
        if (m_pHashTable == NULL) {
            m_nHashTableSize = nHashSize;
            if (bAllocNow)
                AllocTable(nHashSize);
            return;
        }
        CAssoc** pOldTable = m_pHashTable;
        UINT nOldSize = m_nHashTableSize;
        m_pHashTable = NULL;
        AllocTable(nHashSize);
        m_nHashTableSize = nHashSize;
        for (UINT nBucket = 0; nBucket < nOldSize; ++nBucket) {
            CAssoc* pAssoc = pOldTable[nBucket];
            while (pAssoc != NULL) {
                CAssoc* pNext = pAssoc->pNext;
                UINT nNewBucket = pAssoc->nHashValue % nHashSize;
                pAssoc->pNext = m_pHashTable[nNewBucket];
                m_pHashTable[nNewBucket] = pAssoc;
                pAssoc = pNext;
            }
        }
        delete[] pOldTable;
    }

    void Serialize(CArchive& ar) override
    {
        const auto elements = [](CArchive& archive, KEY& key, VALUE& value) {
            SerializeElements(archive, &key, 1);
            SerializeElements(archive, &value, 1);
        };
        SerializePairs(ar, elements, elements);
    }

protected:
    // The archive form all maps share: the count, then every pair, with storePair(ar, key,
    // value) writing one and loadPair(ar, key, value) reading one into fresh elements.
    template <class StorePair, class LoadPair>
    void SerializePairs(CArchive& ar, StorePair storePair, LoadPair loadPair)
    {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD>(m_nCount));
            if (m_nCount == 0)
                return;
            for (UINT nBucket = 0; nBucket < m_nHashTableSize; ++nBucket) {
                for (CAssoc* pAssoc = m_pHashTable[nBucket]; pAssoc != NULL; pAssoc = pAssoc->pNext)
                    storePair(ar, pAssoc->key, pAssoc->value);
            }
        } else {
            DWORD nNewCount = ar.ReadCount();
            while (nNewCount-- > 0) {
                KEY newKey{};
                VALUE newValue{};
                loadPair(ar, newKey, newValue);
                SetAt(newKey, newValue);
            }
        }
    }

    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    INT_PTR m_nCount;
    INT_PTR m_nBlockSize;

    // The entry for key or NULL; nHash receives the key's hash either way.
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHash) const
    {
        nHash = HashKey<ARG_KEY>(key);
        if (m_pHashTable == NULL)
            return NULL;
        for (CAssoc* pAssoc = m_pHashTable[nHash % m_nHashTableSize]; pAssoc != NULL;
             pAssoc = pAssoc->pNext) {
            if (pAssoc->nHashValue == nHash && CompareElements(&pAssoc->key, &key))
                return pAssoc;
        }
        return NULL;
    }

private:
    void AllocTable(UINT nHashSize)
    {
        try {
            m_pHashTable = new CAssoc*[nHashSize]();
        } catch (const std::bad_alloc&) {
            AfxThrowMemoryException();
        }
    }

    static CAssoc* NewAssoc(ARG_KEY key)
    {
        try {
            std::unique_ptr<CAssoc> pAssoc(new CAssoc{NULL, 0, KEY(), VALUE()});
            pAssoc->key = key;
            return pAssoc.release();
        } catch (const std::bad_alloc&) {
            AfxThrowMemoryException();
        }
    }
};

// Pointer-valued maps cannot be archived: their Serialize throws CNotSupportedException.
class AFX_EXT_CLASS CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10)
        : CMap(nBlockSize)
    {
    }
    void Serialize(CArchive& ar) override;
};

// Serialize writes the count, then each key as a string and its object in the
// archive's object form. The map does not own the objects.
class AFX_EXT_CLASS CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10)
        : CMap(nBlockSize)
    {
    }
    void Serialize(CArchive& ar) override;
};

class AFX_EXT_CLASS CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR>
{
    DECLARE_SERIAL(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10)
        : CMap(nBlockSize)
    {
    }
};

class AFX_EXT_CLASS CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10)
        : CMap(nBlockSize)
    {
    }
    void Serialize(CArchive& ar) override;
};

class AFX_EXT_CLASS CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10)
        : CMap(nBlockSize)
    {
    }
    void Serialize(CArchive& ar) override;
};

class AFX_EXT_CLASS CMapPtrToWord : public CMap<void*, void*, WORD, WORD>
{
    DECLARE_DYNAMIC(CMapPtrToWord)
public:
    explicit CMapPtrToWord(INT_PTR nBlockSize = 10)
        : CMap(nBlockSize)
    {
    }
    void Serialize(CArchive& ar) override;
};

// Serialize writes the count, then each WORD key and its object.
class AFX_EXT_CLASS CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapWordToOb)
public:
    explicit CMapWordToOb(INT_PTR nBlockSize = 10)
        : CMap(nBlockSize)
    {
    }
    void Serialize(CArchive& ar) override;
};
