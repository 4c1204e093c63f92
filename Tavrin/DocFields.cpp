#include "DocArchive.h"

namespace tavrin {

void SerializeDocFields(CArchive& ar, CString& strName, CString& strLocation, int& nSource,
                        int& nPdmClassID, int& nPdmObjectID)
{
    if (ar.IsStoring()) {
        ar << strName << strLocation;
        ar << nSource << nPdmClassID << nPdmObjectID;
    } else {
        ar >> strName >> strLocation;
        ar >> nSource >> nPdmClassID >> nPdmObjectID;
    }
}

} // namespace tavrin
