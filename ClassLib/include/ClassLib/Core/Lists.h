// Doubly linked lists: the template CList<TYPE, ARG_TYPE> and the platform's CObList,
// CPtrList and CStringList. A POSITION is a node of the list; NULL ends an iteration.
//
// Asking for the head or tail of an empty list, or passing a NULL position where an
// element is needed, throws CInvalidArgException instead of reading through NULL.
// Adding a list to itself adds each of its elements once.
#pragma once

#include <ClassLib/Core/CollectionHelpers.h>

#include <memory>
#include <new>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&> class CList : public CObject
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    typedef TYPE BASE_TYPE;
    typedef ARG_TYPE BASE_ARG_TYPE;

    // nBlockSize is accepted for the platform's sake; nodes are allocated one by one.
    explicit CList(INT_PTR nBlockSize = 10)
        : m_pNodeHead(NULL)
        , m_pNodeTail(NULL)
        , m_nCount(0)
        , m_nBlockSize(nBlockSize)
    {
    }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
    TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }

    TYPE RemoveHead()
    {
        CNode* pOldNode = NonEmpty(m_pNodeHead);
        TYPE returnValue(std::move(pOldNode->data));
        Unlink(pOldNode);
        return returnValue;
    }
    TYPE RemoveTail()
    {
        CNode* pOldNode = NonEmpty(m_pNodeTail);
        TYPE returnValue(std::move(pOldNode->data));
        Unlink(pOldNode);
        return returnValue;
    }

    POSITION AddHead(ARG_TYPE newElement) { return Link(NewNode(newElement), NULL, m_pNodeHead); }
    POSITION AddTail(ARG_TYPE newElement) { return Link(NewNode(newElement), m_pNodeTail, NULL); }

    void AddHead(CList* pNewList)
    {
        if (pNewList == NULL)
            AfxThrowInvalidArgException();
        // Counted first: the list may be this one, whose head moves as elements arrive.
        INT_PTR nCount = pNewList->m_nCount;
        CNode* pNode = pNewList->m_pNodeTail;
        for (INT_PTR i = 0; i < nCount; ++i, pNode = pNode->pPrev)
            AddHead(pNode->data);
    }
    void AddTail(CList* pNewList)
    {
        if (pNewList == NULL)
            AfxThrowInvalidArgException();
        INT_PTR nCount = pNewList->m_nCount;
        CNode* pNode = pNewList->m_pNodeHead;
        for (INT_PTR i = 0; i < nCount; ++i, pNode = pNode->pNext)
            AddTail(pNode->data);
    }

    void RemoveAll()
    {
        CNode* pNode = m_pNodeHead;
        while (pNode != NULL) {
            CNode* pNext = pNode->pNext;
            delete pNode;
            pNode = pNext;
        }
        m_pNodeHead = m_pNodeTail = NULL;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return ToPosition(m_pNodeHead); }
    POSITION GetTailPosition() const { return ToPosition(m_pNodeTail); }

    // The element at rPosition; rPosition moves to the next (previous) one, NULL past the end.
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* pNode = FromPosition(rPosition);
        rPosition = ToPosition(pNode->pNext);
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* pNode = FromPosition(rPosition);
        rPosition = ToPosition(pNode->pNext);
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* pNode = FromPosition(rPosition);
        rPosition = ToPosition(pNode->pPrev);
        return pNode->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* pNode = FromPosition(rPosition);
        rPosition = ToPosition(pNode->pPrev);
        return pNode->data;
    }

    TYPE& GetAt(POSITION position) { return FromPosition(position)->data; }
    const TYPE& GetAt(POSITION position) const { return FromPosition(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { FromPosition(pos)->data = newElement; }
    void RemoveAt(POSITION position) { Unlink(FromPosition(position)); }

    // NULL inserts at the head (before) or the tail (after).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (position == NULL)
            return AddHead(newElement);
        CNode* pOldNode = FromPosition(position);
        return Link(NewNode(newElement), pOldNode->pPrev, pOldNode);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (position == NULL)
            return AddTail(newElement);
        CNode* pOldNode = FromPosition(position);
        return Link(NewNode(newElement), pOldNode, pOldNode->pNext);
    }

    // The first element equal to searchValue after startAfter (from the head when NULL).
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const
    {
        CNode* pNode = startAfter == NULL ? m_pNodeHead : FromPosition(startAfter)->pNext;
        for (; pNode != NULL; pNode = pNode->pNext) {
            if (CompareElements<TYPE>(&pNode->data, &searchValue))
                return ToPosition(pNode);
        }
        return NULL;
    }

    // The position of the nIndex-th element (from 0), NULL when out of range.
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return NULL;
        CNode* pNode = m_pNodeHead;
        while (nIndex-- > 0)
            pNode = pNode->pNext;
        return ToPosition(pNode);
    }

    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD>(m_nCount));
            for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
                SerializeElements(ar, &pNode->data, 1);
        } else {
            DWORD nNewCount = ar.ReadCount();
            while (nNewCount-- > 0) {
                TYPE newData[1]{};
                SerializeElements(ar, newData, 1);
                AddTail(newData[0]);
            }
        }
    }

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;
    INT_PTR m_nBlockSize;

private:
    static POSITION ToPosition(CNode* pNode) { return reinterpret_cast<POSITION>(pNode); }
    static CNode* FromPosition(POSITION position)
    {
        if (position == NULL || position == BEFORE_START_POSITION)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(position);
    }
    static CNode* NonEmpty(CNode* pNode)
    {
        if (pNode == NULL)
            AfxThrowInvalidArgException();
        return pNode;
    }

    template <class A> static CNode* NewNode(const A& newElement)
    {
        try {
            std::unique_ptr<CNode> pNode(new CNode{NULL, NULL, TYPE()});
            pNode->data = newElement;
            return pNode.release();
        } catch (const std::bad_alloc&) {
            AfxThrowMemoryException();
        }
    }

    POSITION Link(CNode* pNode, CNode* pPrev, CNode* pNext)
    {
        pNode->pPrev = pPrev;
        pNode->pNext = pNext;
        if (pPrev != NULL)
            pPrev->pNext = pNode;
        else
            m_pNodeHead = pNode;
        if (pNext != NULL)
            pNext->pPrev = pNode;
        else
            m_pNodeTail = pNode;
        ++m_nCount;
        return ToPosition(pNode);
    }

    void Unlink(CNode* pOldNode)
    {
        if (pOldNode->pPrev != NULL)
            pOldNode->pPrev->pNext = pOldNode->pNext;
        else
            m_pNodeHead = pOldNode->pNext;
        if (pOldNode->pNext != NULL)
            pOldNode->pNext->pPrev = pOldNode->pPrev;
        else
            m_pNodeTail = pOldNode->pPrev;
        delete pOldNode;
        --m_nCount;
    }
};

// Object pointers; Serialize writes the count and each object through the archive's
// object form (class name or class index, then the object's fields). The list does not
// own the objects.
class AFX_EXT_CLASS CObList : public CList<CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10)
        : CList<CObject*, CObject*>(nBlockSize)
    {
    }
    void Serialize(CArchive& ar) override;
};

// Untyped pointers; they cannot be archived (Serialize throws CNotSupportedException).
class AFX_EXT_CLASS CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10)
        : CList<void*, void*>(nBlockSize)
    {
    }
    void Serialize(CArchive& ar) override;
};

class AFX_EXT_CLASS CStringList : public CList<CString, const CString&>
{
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10)
        : CList<CString, const CString&>(nBlockSize)
    {
    }
};
