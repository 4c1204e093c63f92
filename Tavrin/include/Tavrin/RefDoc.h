// A reference document a task works from: a file on disk (source 2) or an object of the
// product-data store.
#pragma once

#include <ClassLib/Afx.h>
#include <Tavrin/DocFields.h>

class AFX_EXT_CLASS CRefDoc : public CObject, public CDocFields
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

};
