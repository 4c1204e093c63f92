// A document a task produces, an object of the product-data store.
#pragma once

#include <ClassLib/Afx.h>
#include <Tavrin/DocFields.h>

class AFX_EXT_CLASS CTargetDoc : public CObject, public CDocFields
{
    DECLARE_SERIAL(CTargetDoc)

public:
    // Every creator sets source and ids; they start at 0.
    CTargetDoc();
    CTargetDoc(const CTargetDoc& src);
    CTargetDoc& operator=(const CTargetDoc& src);
    virtual ~CTargetDoc();

    // Same archive form as CRefDoc: name, location, source, product-data class id,
    // product-data object id.
    virtual void Serialize(CArchive& ar);

};
