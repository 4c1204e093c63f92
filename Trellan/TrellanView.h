// CTrellanView: the view the program was generated with; it draws nothing and no template
// uses it. It keeps the standard print commands.
#pragma once

#include <ClassLib/AfxWin.h>

class CTrellanView : public CView
{
    DECLARE_DYNCREATE(CTrellanView)
public:
    CTrellanView();
    ~CTrellanView() override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;

protected:
    DECLARE_MESSAGE_MAP()
};
