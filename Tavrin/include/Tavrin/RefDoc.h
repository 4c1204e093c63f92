// A reference document a task works from: a file on disk (source 2) or an object of the
// product-data store.
#pragma once

#include <ClassLib/Afx.h>

class AFX_EXT_CLASS CRefDoc : public CObject
{
    DECLARE_SERIAL(CRefDoc)

public:
    CRefDoc();
    CRefDoc(const CRefDoc& src);
    CRefDoc& operator=(const CRefDoc& src);
    virtual ~CRefDoc();

    // Archive form (shared with CTargetDoc): name, location, source, product-data class id,
    // product-data object id.
    virtual void Serialize(CArchive& ar);

    CString m_strDocName;     // DOCNAME
    int m_nDocSource;         // DOCSOURCE
    int m_nPdmObjectID;       // DOCPDMOBJECTID
    int m_nPdmClassID;        // DOCPDMCLASSID
    CString m_strDocLocation; // DOCLOCATION
};
