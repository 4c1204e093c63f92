// CChildFrame: the document frame the program was generated with; no template uses it.
#pragma once

#include <ClassLib/AfxWin.h>

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();
    ~CChildFrame() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
