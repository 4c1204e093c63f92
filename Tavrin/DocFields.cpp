#include <Tavrin/DocFields.h>

void CDocFields::SerializeDocFields(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strDocName << m_strDocLocation;
        ar << m_nDocSource << m_nPdmClassID << m_nPdmObjectID;
    } else {
        ar >> m_strDocName >> m_strDocLocation;
        ar >> m_nDocSource >> m_nPdmClassID >> m_nPdmObjectID;
    }
}
