#include <Tavrin/TargetDoc.h>

#include "DocArchive.h"

IMPLEMENT_SERIAL(CTargetDoc, CObject, 1)

CTargetDoc::CTargetDoc()
    : m_nDocSource(0), m_nPdmObjectID(0), m_nPdmClassID(0)
{
}

CTargetDoc::CTargetDoc(const CTargetDoc& src)
    : CObject(),
      m_strDocName(src.m_strDocName),
      m_nDocSource(src.m_nDocSource),
      m_nPdmObjectID(src.m_nPdmObjectID),
      m_nPdmClassID(src.m_nPdmClassID),
      m_strDocLocation(src.m_strDocLocation)
{
}

CTargetDoc& CTargetDoc::operator=(const CTargetDoc& src)
{
    m_strDocName = src.m_strDocName;
    m_nDocSource = src.m_nDocSource;
    m_nPdmObjectID = src.m_nPdmObjectID;
    m_nPdmClassID = src.m_nPdmClassID;
    m_strDocLocation = src.m_strDocLocation;
    return *this;
}

CTargetDoc::~CTargetDoc()
{
}

void CTargetDoc::Serialize(CArchive& ar)
{
    tavrin::SerializeDocFields(ar, m_strDocName, m_strDocLocation, m_nDocSource, m_nPdmClassID,
                               m_nPdmObjectID);
}
