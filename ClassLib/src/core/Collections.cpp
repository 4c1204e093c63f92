// Run-time classes and archive forms of the ready-made collections.
#include <ClassLib/Core/Collections.h>

IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)

IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CStringList, CObject, 0)

IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)
IMPLEMENT_SERIAL(CMapWordToOb, CObject, 0)

void CObArray::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_nSize));
        for (INT_PTR i = 0; i < m_nSize; ++i)
            ar << m_pData[i];
    } else {
        DWORD nCount = ar.ReadCount();
        RemoveAll();
        // One object at a time: a damaged count runs into the end of the data first.
        for (DWORD i = 0; i < nCount; ++i) {
            CObject* pObject = NULL;
            ar >> pObject;
            Add(pObject);
        }
    }
}

void CPtrArray::Serialize(CArchive&)
{
    AfxThrowNotSupportedException();
}

void CObList::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_nCount));
        for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
            ar << pNode->data;
    } else {
        DWORD nCount = ar.ReadCount();
        while (nCount-- > 0) {
            CObject* pObject = NULL;
            ar >> pObject;
            AddTail(pObject);
        }
    }
}

void CPtrList::Serialize(CArchive&)
{
    AfxThrowNotSupportedException();
}

void CMapStringToPtr::Serialize(CArchive&)
{
    AfxThrowNotSupportedException();
}
void CMapPtrToPtr::Serialize(CArchive&)
{
    AfxThrowNotSupportedException();
}
void CMapWordToPtr::Serialize(CArchive&)
{
    AfxThrowNotSupportedException();
}
void CMapPtrToWord::Serialize(CArchive&)
{
    AfxThrowNotSupportedException();
}

// Object-valued maps write each key and then its object in the archive's object form.
void CMapStringToOb::Serialize(CArchive& ar)
{
    SerializePairs(
        ar, [](CArchive& archive, CString& key, CObject*& pObject) { archive << key << pObject; },
        [](CArchive& archive, CString& key, CObject*& pObject) { archive >> key >> pObject; });
}

void CMapWordToOb::Serialize(CArchive& ar)
{
    SerializePairs(
        ar, [](CArchive& archive, WORD& key, CObject*& pObject) { archive << key << pObject; },
        [](CArchive& archive, WORD& key, CObject*& pObject) { archive >> key >> pObject; });
}
