#include <Tavrin/RefDoc.h>

IMPLEMENT_SERIAL(CRefDoc, CObject, 1)

CRefDoc::CRefDoc()
    : CDocFields(2)
{
}

CRefDoc::CRefDoc(const CRefDoc& src)
    : CObject(), CDocFields(src)
{
}

CRefDoc& CRefDoc::operator=(const CRefDoc& src)
{
    CDocFields::operator=(src);
    return *this;
}

CRefDoc::~CRefDoc()
{
}

void CRefDoc::Serialize(CArchive& ar)
{
    SerializeDocFields(ar);
}
