#include <Tavrin/TaskLink.h>

IMPLEMENT_SERIAL(CTaskLink, CObject, 1)

CTaskLink::CTaskLink()
    : m_nPredID(0), m_nSuccID(0), m_nType(0), m_nLogicalType(0), m_nSequence(0), m_nLag(0)
{
}

CTaskLink::CTaskLink(const CTaskLink& src)
    : CObject(),
      m_strPredName(src.m_strPredName),
      m_nPredID(src.m_nPredID),
      m_nSuccID(src.m_nSuccID),
      m_nType(src.m_nType),
      m_nLogicalType(src.m_nLogicalType),
      m_nSequence(src.m_nSequence),
      m_nLag(src.m_nLag)
{
}

CTaskLink& CTaskLink::operator=(const CTaskLink& src)
{
    m_strPredName = src.m_strPredName;
    m_nPredID = src.m_nPredID;
    m_nSuccID = src.m_nSuccID;
    m_nType = src.m_nType;
    m_nLogicalType = src.m_nLogicalType;
    m_nSequence = src.m_nSequence;
    m_nLag = src.m_nLag;
    return *this;
}

CTaskLink::~CTaskLink()
{
}

void CTaskLink::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nLag << m_nType << m_nLogicalType << m_nPredID << m_nSuccID << m_nSequence;
        ar << m_strPredName;
    } else {
        ar >> m_nLag >> m_nType >> m_nLogicalType >> m_nPredID >> m_nSuccID >> m_nSequence;
        ar >> m_strPredName;
    }
}
