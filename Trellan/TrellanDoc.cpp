#include "TrellanDoc.h"

IMPLEMENT_DYNCREATE(CTrellanDoc, CDocument)

CTrellanDoc::CTrellanDoc() {}

CTrellanDoc::~CTrellanDoc() {}

BOOL CTrellanDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

void CTrellanDoc::Serialize(CArchive&)
{
    // Nothing is kept.
}
