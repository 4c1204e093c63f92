#include <Tavrin/TargetDoc.h>

IMPLEMENT_SERIAL(CTargetDoc, CObject, 1)

CTargetDoc::CTargetDoc()
    : CDocFields(0)
{
}

CTargetDoc::CTargetDoc(const CTargetDoc& src)
    : CObject(), CDocFields(src)
{
}

CTargetDoc& CTargetDoc::operator=(const CTargetDoc& src)
{
    CDocFields::operator=(src);
    return *this;
}

CTargetDoc::~CTargetDoc()
{
}

void CTargetDoc::Serialize(CArchive& ar)
{
    SerializeDocFields(ar);
}
