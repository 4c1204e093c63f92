// The document view: a placeholder edit view shown for view type 3.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/DocView/EditView.h>

class AFX_EXT_CLASS CDocView : public CEditView
{
    DECLARE_DYNCREATE(CDocView)

public:
    CDocView();
    ~CDocView() override;

    void OnDraw(CDC* pDC) override;
};
