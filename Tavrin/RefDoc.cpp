#include <Tavrin/RefDoc.h>

#include "DocArchive.h"

IMPLEMENT_SERIAL(CRefDoc, CObject, 1)

CRefDoc::CRefDoc()
    : m_nDocSource(2), m_nPdmObjectID(0), m_nPdmClassID(0)
{
}

CRefDoc::CRefDoc(const CRefDoc& src)
    : CObject(),
      m_strDocName(src.m_strDocName),
      m_nDocSource(src.m_nDocSource),
      m_nPdmObjectID(src.m_nPdmObjectID),
      m_nPdmClassID(src.m_nPdmClassID),
      m_strDocLocation(src.m_strDocLocation)
{
}

CRefDoc& CRefDoc::operator=(const CRefDoc& src)
{
    m_strDocName = src.m_strDocName;
    m_nDocSource = src.m_nDocSource;
    m_nPdmObjectID = src.m_nPdmObjectID;
    m_nPdmClassID = src.m_nPdmClassID;
    m_strDocLocation = src.m_strDocLocation;
    return *this;
}

CRefDoc::~CRefDoc()
{
}

void CRefDoc::Serialize(CArchive& ar)
{
    tavrin::SerializeDocFields(ar, m_strDocName, m_strDocLocation, m_nDocSource, m_nPdmClassID,
                               m_nPdmObjectID);
}
