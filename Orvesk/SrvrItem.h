// The project document's server item: what a container would draw and store of an embedded
// project. Its picture is empty; an embedded (not linked) item stores the whole document.
#pragma once

#include <ClassLib/DocView/OleServer.h>

class CProjectDoc;

class CServerSrvrItem : public COleServerItem
{
    DECLARE_DYNAMIC(CServerSrvrItem)

public:
    explicit CServerSrvrItem(CProjectDoc* pContainerDoc);
    ~CServerSrvrItem() override;

    CProjectDoc* GetDocument() const;

    void Serialize(CArchive& ar) override;
    BOOL OnDraw(CDC* pDC, CSize& rSize) override;
    BOOL OnGetExtent(DVASPECT dwDrawAspect, CSize& rSize) override;
};
