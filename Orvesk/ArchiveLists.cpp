#include "ArchiveLists.h"

void ThrowDamagedArchive(CArchive& ar)
{
    CString strFile = ar.m_strFileName;
    if (strFile.IsEmpty() && ar.GetFile() != NULL)
        strFile = ar.GetFile()->GetFilePath();
    AfxThrowArchiveException(CArchiveException::badIndex, strFile);
}

CObject* ReadListObject(CArchive& ar, CRuntimeClass* pClass)
{
    UINT nSchema = 0;
    DWORD dwObTag = 0;
    CRuntimeClass* pClassRef = ar.ReadClass(pClass, &nSchema, &dwObTag);
    if (pClassRef == NULL)
        ThrowDamagedArchive(ar);

    CObject* pObject = pClassRef->CreateObject();
    if (pObject == NULL)
        AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
    try {
        ar.MapObject(pObject);
        ar.SetObjectSchema(nSchema);
        pObject->Serialize(ar);
    } catch (...) {
        delete pObject;
        throw;
    }
    return pObject;
}

int ReadRecordCount(CArchive& ar)
{
    int nCount = 0;
    ar >> nCount;
    if (nCount < 0)
        ThrowDamagedArchive(ar);
    return nCount;
}
