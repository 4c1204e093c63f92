// Scroll views, edit views, server documents and the command line of the application.
#include "FrameTestSupport.h"

#include <ClassLib/Core/File.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

class CBigView : public CScrollView
{
    DECLARE_DYNCREATE(CBigView)
public:
    CPoint m_ptOrgSeen;
    void OnDraw(CDC* pDC) override
    {
        m_ptOrgSeen = pDC->GetViewportOrg();
        pDC->TextOut(100, 50, "at 100,50");
    }
    void PostNcDestroy() override {}  // the test owns the object
};
IMPLEMENT_DYNCREATE(CBigView, CScrollView)

class ViewsTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        ASSERT_TRUE(host.CreateHost(400, 300));
    }
    void TearDown() override
    {
        host.DestroyWindow();
        FrameTest::TearDown();
    }
    CNotifyHost host;
};

TEST_F(ViewsTest, AScrollViewScrollsItsDocument)
{
    CBigView view;
    ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host, AFX_IDW_PANE_FIRST));
    view.SetScrollSizes(MM_TEXT, CSize(1000, 800));
    EXPECT_EQ(CSize(1000, 800), view.GetTotalSize());
    int nMap = 0;
    SIZE total, page, line;
    view.GetDeviceScrollSizes(nMap, total, page, line);
    EXPECT_EQ(MM_TEXT, nMap);
    EXPECT_EQ(100, page.cx);  // a tenth of the total
    EXPECT_EQ(10, line.cx);   // a tenth of the page
    view.ScrollToPosition(CPoint(100, 50));
    EXPECT_EQ(CPoint(100, 50), view.GetScrollPosition());
    view.Invalidate();
    view.UpdateWindow();
    EXPECT_EQ(CPoint(-100, -50), view.m_ptOrgSeen);
    // Not past the end.
    view.ScrollToPosition(CPoint(5000, 5000));
    CRect client;
    view.GetClientRect(&client);
    EXPECT_EQ(CPoint(1000 - client.Width(), 800 - client.Height()), view.GetScrollPosition());
    // A line down, a page up.
    view.ScrollToPosition(CPoint(0, 100));
    // Vertically a page is 80 and a line 8.
    view.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
    EXPECT_EQ(108, view.GetScrollPosition().y);
    view.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0));
    EXPECT_EQ(28, view.GetScrollPosition().y);
    view.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0));
    EXPECT_EQ(0, view.GetScrollPosition().y);
    view.DestroyWindow();
}

TEST_F(ViewsTest, ScaleToFitHasNoScrollPosition)
{
    CBigView view;
    ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host, AFX_IDW_PANE_FIRST));
    view.SetScaleToFitSize(CSize(600, 400));
    EXPECT_EQ(CPoint(0, 0), view.GetScrollPosition());
    CClientDC dc(&view);
    view.OnPrepareDC(&dc);
    CPoint pt(600, 400);
    dc.LPtoDP(&pt);
    CRect client;
    view.GetClientRect(&client);
    EXPECT_EQ(client.Width(), pt.x);
    EXPECT_EQ(client.Height(), pt.y);
    view.DestroyWindow();
}

class CNoteView : public CEditView
{
    DECLARE_DYNCREATE(CNoteView)
public:
    void PostNcDestroy() override {}
};
IMPLEMENT_DYNCREATE(CNoteView, CEditView)

TEST_F(ViewsTest, AnEditViewStoresItsTextRaw)
{
    CNoteView view;
    ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host, AFX_IDW_PANE_FIRST));
    view.GetEditCtrl().SetWindowText("line one\r\nline two");
    EXPECT_EQ(18u, view.GetBufferLength());
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        view.Serialize(ar);
        ar.Close();
    }
    EXPECT_EQ(18u, static_cast<UINT>(file.GetLength()));
    view.GetEditCtrl().SetWindowText("");
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        view.Serialize(ar);
    }
    CString text;
    view.GetEditCtrl().GetWindowText(text);
    EXPECT_STREQ("line one\r\nline two", text);
    view.DestroyWindow();
}

// A server document of the kind the project document is.
class CServerDoc;
class CServerItem : public COleServerItem
{
public:
    explicit CServerItem(COleServerDoc* pDoc) : COleServerItem(pDoc, TRUE) {}
    BOOL OnDraw(CDC* pDC, CSize&) override
    {
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowOrg(0, 0);
        pDC->SetWindowExt(3000, 3000);
        return TRUE;
    }
    BOOL OnGetExtent(DVASPECT nAspect, CSize& rSize) override
    {
        if (nAspect != DVASPECT_CONTENT)
            return COleServerItem::OnGetExtent(nAspect, rSize);
        rSize = CSize(3000, 3000);
        return TRUE;
    }
    void SetLinked(BOOL b) { m_bLinked = b; }
};

class CServerDoc : public COleServerDoc
{
public:
    CString m_strData = "payload";
    COleServerItem* OnGetEmbeddedItem() override { return new CServerItem(this); }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_strData;
        else
            ar >> m_strData;
    }
};

TEST_F(ViewsTest, AServerDocumentHandsOutItsEmbeddedItem)
{
    CServerDoc doc;
    doc.m_bAutoDelete = FALSE;
    COleServerItem* pItem = doc.GetEmbeddedItem();
    ASSERT_NE(nullptr, pItem);
    EXPECT_EQ(pItem, doc.GetEmbeddedItem());  // made once
    EXPECT_EQ(&doc, pItem->GetDocument());
    CSize size;
    EXPECT_TRUE(pItem->OnGetExtent(DVASPECT_CONTENT, size));
    EXPECT_EQ(CSize(3000, 3000), size);
    EXPECT_FALSE(pItem->OnGetExtent(DVASPECT_ICON, size));
    EXPECT_FALSE(doc.IsInPlaceActive());
    EXPECT_EQ(nullptr, doc.GetDocObjectServer(nullptr));
    // The embedded item stores the document; a linked item stores nothing.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pItem->Serialize(ar);
        ar.Close();
    }
    EXPECT_EQ(8u, static_cast<UINT>(file.GetLength()));  // length byte and 7 bytes
    static_cast<CServerItem*>(pItem)->SetLinked(TRUE);
    CMemFile empty;
    {
        CArchive ar(&empty, CArchive::store);
        pItem->Serialize(ar);
        ar.Close();
    }
    EXPECT_EQ(0u, static_cast<UINT>(empty.GetLength()));
    EXPECT_TRUE(AfxOleInit());
}

// ---- The application's command line -------------------------------------------------------

class CLineApp : public CWinApp
{
public:
    CLineApp() : CWinApp("LineApp") {}
};

TEST_F(ViewsTest, ParseCommandLineReadsTheArgumentsOfTheProgram)
{
    CLineApp app;
    char a0[] = "/usr/bin/planner";
    char a1[] = "/home/u/My Plans/a.tlp";
    char a2[] = "/nologo";
    char* argv[] = {a0, a1, a2, nullptr};
    AfxSetCommandLine(3, argv);
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
    EXPECT_STREQ("/home/u/My Plans/a.tlp", info.m_strFileName);
    EXPECT_FALSE(info.m_bShowSplash);
    // Nothing to do: the program starts without a document.
    info.m_nShellCommand = CCommandLineInfo::FileNothing;
    EXPECT_TRUE(app.ProcessShellCommand(info));
    EXPECT_EQ(0, app.GetOpenDocumentCount());
    info.m_nShellCommand = CCommandLineInfo::AppUnregister;
    EXPECT_FALSE(app.ProcessShellCommand(info));
    AfxSetCommandLine(0, nullptr);
    EXPECT_EQ(&app, AfxGetApp());
}

TEST_F(ViewsTest, TheProfileLivesUnderTheRegistryKey)
{
    CLineApp app;
    app.SetRegistryKey("Local AppWizard-Generated Applications");
    EXPECT_STREQ("Local AppWizard-Generated Applications", app.m_pszRegistryKey);
    EXPECT_STREQ("LineApp", app.m_pszProfileName);
}

}  // namespace
