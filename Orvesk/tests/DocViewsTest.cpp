// The document's views: the task tree view's read-outs, opening a view of another class in
// a window of its own, and switching the active view.
#include "ProjectDocAppTest.h"

#include <ClassLib/Frames/MDIWnd.h>

#include "ProjectDocIds.h"

namespace {

class CStandInOtherView : public CView
{
    DECLARE_DYNCREATE(CStandInOtherView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CStandInOtherView, CView)

int CountViews(CDocument* pDoc, CRuntimeClass* pClass)
{
    int n = 0;
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != NULL)
        if (pDoc->GetNextView(pos)->IsKindOf(pClass))
            ++n;
    return n;
}

class DocViewsTest : public ProjectDocAppTest
{
protected:
    void SetUp() override
    {
        ProjectDocAppTest::SetUp();
        nProject = server.AddOwnProject(SampleServerProject("桥梁工程"));
        server.SetResources("<RESOURCES><RESOURCE><RESCODE>u1</RESCODE></RESOURCE></RESOURCES>");
        pDoc = OpenServerProject(nProject);
        ASSERT_NE(pDoc, nullptr);
    }
    LONG nProject = 0;
    CProjectDoc* pDoc = nullptr;
};

TEST_F(DocViewsTest, TheTaskTreeViewAnswersForTheDocument)
{
    EXPECT_EQ(pDoc->GetTaskID(1), 11);
    EXPECT_EQ(pDoc->GetTaskID(2), 12);
    EXPECT_EQ(pDoc->GetTaskID(9), -1);
    pDoc->RefreshCritialTask();
    EXPECT_EQ(ViewOf(pDoc)->nSpans, 1);

    CProjectDoc alone;
    EXPECT_EQ(alone.GetTaskID(1), -1);
    alone.RefreshCritialTask(); // no view: nothing
    alone.ChangeExpand(1);
    CString strAddress = "x";
    EXPECT_TRUE(alone.GetIPAddress(strAddress));
    EXPECT_EQ(strAddress, CString("x"));
}

TEST_F(DocViewsTest, NewViewOpensAWindowOnceAndThenActivatesIt)
{
    CMDIChildWnd* pFirst = frame->MDIGetActive();
    ASSERT_NE(pFirst, nullptr);
    // The active view's own class: nothing to do.
    EXPECT_EQ(pDoc->NewView(RUNTIME_CLASS(CStandInTaskTreeView)), 1);
    EXPECT_EQ(CountViews(pDoc, RUNTIME_CLASS(CView)), 1);

    EXPECT_EQ(pDoc->NewView(RUNTIME_CLASS(CStandInOtherView)), 1);
    AfxPumpMessages();
    EXPECT_EQ(CountViews(pDoc, RUNTIME_CLASS(CStandInOtherView)), 1);
    CMDIChildWnd* pSecond = frame->MDIGetActive();
    EXPECT_NE(pSecond, pFirst);

    frame->MDIActivate(pFirst);
    AfxPumpMessages();
    EXPECT_EQ(pDoc->NewView(RUNTIME_CLASS(CStandInOtherView)), 1);
    AfxPumpMessages();
    EXPECT_EQ(CountViews(pDoc, RUNTIME_CLASS(CStandInOtherView)), 1);
    EXPECT_EQ(frame->MDIGetActive(), pSecond);
}

TEST_F(DocViewsTest, SwitchToViewReplacesTheActiveView)
{
    CMDIChildWnd* pChild = frame->MDIGetActive();
    ASSERT_NE(pChild, nullptr);
    EXPECT_EQ(pDoc->SwitchToView(RUNTIME_CLASS(CStandInTaskTreeView)), 1);
    EXPECT_EQ(pDoc->SwitchToView(RUNTIME_CLASS(CStandInOtherView)), 1);
    AfxPumpMessages();
    // The document outlived its only view and now has the new one, active in the same frame.
    EXPECT_EQ(CountViews(pDoc, RUNTIME_CLASS(CStandInTaskTreeView)), 0);
    EXPECT_EQ(CountViews(pDoc, RUNTIME_CLASS(CStandInOtherView)), 1);
    EXPECT_EQ(frame->MDIGetActive(), pChild);
    ASSERT_NE(pChild->GetActiveView(), nullptr);
    EXPECT_TRUE(pChild->GetActiveView()->IsKindOf(RUNTIME_CLASS(CStandInOtherView)));
    EXPECT_EQ(pDoc->GetTaskID(1), -1);
}

} // namespace
