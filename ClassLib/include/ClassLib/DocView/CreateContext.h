// CCreateContext: what a frame needs to build its views: the view class to create, the
// document they show, the template, and the frame and view a new window is made beside.
#pragma once

#include <ClassLib/Core/Object.h>

class CDocument;
class CDocTemplate;
class CFrameWnd;
class CView;

struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
