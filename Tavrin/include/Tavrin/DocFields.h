// The fields a reference document and a target document have in common, and their archive
// form, so that both records with equal fields are stored byte for byte alike.
#pragma once

#include <ClassLib/Afx.h>

struct AFX_EXT_CLASS CDocFields
{
    // Ids start at 0; the source is the record's own default.
    explicit CDocFields(int nDocSource)
        : m_nDocSource(nDocSource), m_nPdmObjectID(0), m_nPdmClassID(0)
    {
    }

    // Archive form: name, location, source, product-data class id, product-data object id.
    void SerializeDocFields(CArchive& ar);

    CString m_strDocName;     // DOCNAME
    int m_nDocSource;         // DOCSOURCE
    int m_nPdmObjectID;       // DOCPDMOBJECTID
    int m_nPdmClassID;        // DOCPDMCLASSID
    CString m_strDocLocation; // DOCLOCATION
};
