// CTrellanDoc: the placeholder document of the document-browser template; it holds
// nothing (the browser frame builds its own panes).
#pragma once

#include <ClassLib/AfxWin.h>

class CTrellanDoc : public CDocument
{
    DECLARE_DYNCREATE(CTrellanDoc)
public:
    CTrellanDoc();
    ~CTrellanDoc() override;
    BOOL OnNewDocument() override;
    void Serialize(CArchive& ar) override;
};
