// The one archive body of both document records, so that a reference document and a
// target document with equal fields are stored byte for byte alike.
#pragma once

#include <ClassLib/Afx.h>

namespace tavrin {

void SerializeDocFields(CArchive& ar, CString& strName, CString& strLocation, int& nSource,
                        int& nPdmClassID, int& nPdmObjectID);

} // namespace tavrin
