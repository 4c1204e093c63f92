// CArchive: objects and classes, with the index tables that turn repeated classes and
// objects into references.
#include <ClassLib/Core/Archive.h>

#include <cstring>

#include "ArchiveMaps.h"

namespace {

// Class names longer than this are not names of this system's classes.
const WORD kMaxClassNameLength = 63;

}  // namespace

// --- class records --------------------------------------------------------------------

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLen = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema & ~VERSIONABLE_SCHEMA);
    ar << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema = 0;
    WORD nLen = 0;
    ar >> wSchema;
    ar >> nLen;
    if (pwSchemaNum != NULL)
        *pwSchemaNum = wSchema;
    if (nLen > kMaxClassNameLength)
        return NULL;
    char szClassName[kMaxClassNameLength + 1];
    if (ar.Read(szClassName, nLen) != nLen)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    szClassName[nLen] = 0;
    // A name with a NUL inside is not a class name.
    if (std::strlen(szClassName) != nLen)
        return NULL;
    return FromName(szClassName);
}

// --- storing --------------------------------------------------------------------------

namespace {

void WriteIndexTag(CArchive& ar, DWORD nIndex, bool bClass)
{
    if (nIndex < CArchive::wBigObjectTag) {
        ar << static_cast<WORD>(bClass ? (CArchive::wClassTag | nIndex) : nIndex);
    } else {
        ar << static_cast<WORD>(CArchive::wBigObjectTag);
        ar << static_cast<DWORD>(bClass ? (CArchive::dwBigClassTag | nIndex) : nIndex);
    }
}

}  // namespace

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring()) {
        CheckStoring();
        if (m_pMaps->nStoreCount > nMaxMapCount)
            ThrowArchive(CArchiveException::badIndex);
        if (pOb != NULL)
            m_pMaps->stored.emplace(pOb, m_pMaps->nStoreCount);
        ++m_pMaps->nStoreCount;
    } else {
        CheckLoading();
        if (m_pMaps->loaded.size() > nMaxMapCount)
            ThrowArchive(CArchiveException::badIndex);
        m_pMaps->loaded.push_back(Maps::Entry{NULL, const_cast<CObject*>(pOb), 0});
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckStoring();
    if (pClassRef == NULL)
        AfxThrowInvalidArgException();
    if (pClassRef->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException();  // not serializable
    auto found = m_pMaps->stored.find(pClassRef);
    if (found != m_pMaps->stored.end()) {
        WriteIndexTag(*this, found->second, true);
        return;
    }
    if (m_pMaps->nStoreCount > nMaxMapCount)
        ThrowArchive(CArchiveException::badIndex);
    *this << static_cast<WORD>(wNewClassTag);
    pClassRef->Store(*this);
    m_pMaps->stored.emplace(pClassRef, m_pMaps->nStoreCount++);
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckStoring();
    if (pOb == NULL) {
        *this << static_cast<WORD>(wNullTag);
        return;
    }
    auto found = m_pMaps->stored.find(pOb);
    if (found != m_pMaps->stored.end()) {
        WriteIndexTag(*this, found->second, false);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    if (m_pMaps->nStoreCount > nMaxMapCount)
        ThrowArchive(CArchiveException::badIndex);
    m_pMaps->stored.emplace(pOb, m_pMaps->nStoreCount++);
    const_cast<CObject*>(pOb)->Serialize(*this);
}

// --- loading --------------------------------------------------------------------------

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema,
                                   DWORD* pObTag)
{
    CheckLoading();
    if (pClassRefRequested != NULL && pClassRefRequested->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException();

    WORD wTag = 0;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag) {
        *this >> obTag;
    } else {
        obTag = (static_cast<DWORD>(wTag & wClassTag) << 16) | (wTag & ~wClassTag);
    }

    if ((obTag & dwBigClassTag) == 0) {
        // A null or object tag where a class was expected.
        if (pObTag == NULL)
            ThrowArchive(CArchiveException::badIndex);
        *pObTag = obTag;
        return NULL;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == NULL || pClassRef->m_wSchema == 0xFFFF)
            ThrowArchive(CArchiveException::badClass);
        if ((pClassRef->m_wSchema & VERSIONABLE_SCHEMA) == 0 && pClassRef->m_wSchema != nSchema)
            ThrowArchive(CArchiveException::badSchema);
        if (m_pMaps->loaded.size() > nMaxMapCount)
            ThrowArchive(CArchiveException::badIndex);
        m_pMaps->loaded.push_back(Maps::Entry{pClassRef, NULL, nSchema});
    } else {
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_pMaps->loaded.size() ||
            m_pMaps->loaded[nClassIndex].pClass == NULL)
            ThrowArchive(CArchiveException::badIndex);
        pClassRef = const_cast<CRuntimeClass*>(m_pMaps->loaded[nClassIndex].pClass);
        nSchema = m_pMaps->loaded[nClassIndex].nSchema;
    }

    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        ThrowArchive(CArchiveException::badClass);

    if (pSchema != NULL)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    if (pObTag != NULL)
        *pObTag = obTag;
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    CheckLoading();
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);

    if (pClassRef == NULL) {
        if (obTag == wNullTag)
            return NULL;
        if (obTag >= m_pMaps->loaded.size() || m_pMaps->loaded[obTag].pObject == NULL)
            ThrowArchive(CArchiveException::badIndex);
        CObject* pOb = m_pMaps->loaded[obTag].pObject;
        if (pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
            ThrowArchive(CArchiveException::badClass);
        return pOb;
    }

    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL)
        ThrowArchive(CArchiveException::badClass);
    size_t nIndex = m_pMaps->loaded.size();
    if (nIndex > nMaxMapCount) {
        delete pOb;
        ThrowArchive(CArchiveException::badIndex);
    }
    m_pMaps->loaded.push_back(Maps::Entry{NULL, pOb, 0});

    UINT nSchemaOuter = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        // The object never reached its owner: it goes, and nothing can refer to it again.
        m_pMaps->loaded[nIndex].pObject = NULL;
        m_nObjectSchema = nSchemaOuter;
        delete pOb;
        throw;
    }
    m_nObjectSchema = nSchemaOuter;
    return pOb;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef, NULL, NULL);
}

CObject* AfxReadObjectOfClass(CArchive& ar, const CRuntimeClass* pClassRefRequested)
{
    return ar.ReadObject(pClassRefRequested);
}

CArchive& operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}

CArchive& operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}
