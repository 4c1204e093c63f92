// The project document's in-place frame: its view moves in and back; a document without a
// window gets a view of its own in the frame.
#include <ClassLib/Frames/OleIPFrameWnd.h>

#include "ProjectDocAppTest.h"

namespace {

class DocInPlaceFrameTest : public ProjectDocAppTest
{
protected:
    void SetUp() override
    {
        ProjectDocAppTest::SetUp();
        pTemplate->SetServerInfo(0, 0, RUNTIME_CLASS(COleIPFrameWnd));
        ProjectSetSheetRunner([](const CString&, int, CProjSheetData& data) {
            data.strName = "嵌入的项目";
            return (INT_PTR)IDOK;
        });
    }
    void TearDown() override
    {
        ProjectSetSheetRunner(ProjectSheetRunner());
        ProjectDocAppTest::TearDown();
    }
    CProjectDoc* NewWindowedProject()
    {
        ShellDocument(1)->FileNew();
        CProjectDoc* pLast = nullptr;
        for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != NULL;)
        {
            CProjectDoc* pDoc = dynamic_cast<CProjectDoc*>(pTemplate->GetNextDoc(pos));
            if (pDoc != nullptr && pDoc->GetFirstViewPosition() != NULL)
                pLast = pDoc;
        }
        return pLast;
    }
};

TEST_F(DocInPlaceFrameTest, TheViewMovesIntoTheFrameAndBack)
{
    CProjectDoc* pDoc = NewWindowedProject();
    ASSERT_NE(pDoc, nullptr);
    CStandInTaskTreeView* pView = ViewOf(pDoc);
    ASSERT_NE(pView, nullptr);
    CWnd* pHome = pView->GetParent();
    pView->ModifyStyleEx(0, WS_EX_CLIENTEDGE);

    COleIPFrameWnd* pInPlace = pDoc->CreateInPlaceFrame(frame);
    ASSERT_NE(pInPlace, nullptr);
    EXPECT_EQ(pView->GetParent(), pInPlace);
    EXPECT_EQ(pDoc->m_pOrigParent, pHome);
    EXPECT_EQ(pView->GetExStyle() & WS_EX_CLIENTEDGE, 0u);

    pDoc->DestroyInPlaceFrame(pInPlace);
    EXPECT_EQ(pView->GetParent(), pHome);
    EXPECT_EQ(pDoc->m_pOrigParent, nullptr);
    EXPECT_NE(pView->GetExStyle() & WS_EX_CLIENTEDGE, 0u);
    EXPECT_TRUE(::IsWindow(pView->GetSafeHwnd()));
}

TEST_F(DocInPlaceFrameTest, ADocumentWithoutAWindowGetsItsOwnViewInTheFrame)
{
    CProjectDoc* pDoc = ShellDocument(1);
    ASSERT_EQ(pDoc->GetFirstViewPosition(), (POSITION)NULL);
    COleIPFrameWnd* pInPlace = pDoc->CreateInPlaceFrame(frame);
    ASSERT_NE(pInPlace, nullptr);
    POSITION pos = pDoc->GetFirstViewPosition();
    ASSERT_NE(pos, (POSITION)NULL);
    CView* pView = pDoc->GetNextView(pos);
    EXPECT_EQ(pView->GetParentFrame(), pInPlace);
    EXPECT_EQ(pDoc->m_pOrigParent, nullptr);
    // Its only window goes with the frame, and the document with its last window.
    const int nBefore = DocumentCount();
    HWND hFrame = pInPlace->GetSafeHwnd();
    pDoc->DestroyInPlaceFrame(pInPlace);
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(DocumentCount(), nBefore - 1);
}

TEST_F(DocInPlaceFrameTest, TheDocumentObjectServerBelongsToTheDocument)
{
    CProjectDoc* pDoc = ShellDocument(1);
    CDocObjectServer* pServer = pDoc->GetDocObjectServer(NULL);
    ASSERT_NE(pServer, nullptr);
    EXPECT_EQ(pServer->GetOwner(), pDoc);
    delete pServer;
}

}  // namespace
