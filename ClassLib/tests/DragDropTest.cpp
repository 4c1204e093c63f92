// Drag and drop: a drag this program starts, dropped by a script on a registered target,
// with the calls the target sees in order and the data it reads.
#include <ClassLib/Testing.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// "任务名称" in code page 936, with its terminating zero.
const char kText[] = "\xC8\xCE\xCE\xF1\xC3\xFB\xB3\xC6";

class CRecordingTarget : public COleDropTarget
{
public:
    std::vector<std::string> calls;
    std::string dropped;
    CPoint lastPoint;

    DROPEFFECT Effect(DWORD keys) const { return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE; }
    DROPEFFECT OnDragScroll(CWnd*, DWORD keys, CPoint) override
    {
        calls.push_back("scroll");
        return Effect(keys);  // no scroll bit: enter and over are still asked
    }
    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD keys, CPoint pt) override
    {
        calls.push_back("enter");
        lastPoint = pt;
        return data->IsDataAvailable(CF_TEXT) ? Effect(keys) : DROPEFFECT_NONE;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD keys, CPoint pt) override
    {
        calls.push_back("over");
        lastPoint = pt;
        return data->IsDataAvailable(CF_TEXT) ? Effect(keys) : DROPEFFECT_NONE;
    }
    void OnDragLeave(CWnd*) override { calls.push_back("leave"); }
    BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, CPoint) override
    {
        calls.push_back("drop");
        HGLOBAL h = data->GetGlobalData(CF_TEXT);
        if (!h)
            return FALSE;
        dropped.assign(static_cast<const char*>(GlobalLock(h)), GlobalSize(h));
        GlobalUnlock(h);
        GlobalFree(h);
        return TRUE;
    }
};

class DragDropTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                 nullptr, nullptr));
        ASSERT_TRUE(target.Register(&wnd));
        source.CacheGlobalData(CF_TEXT, AfxGlobalFromBytes(kText, sizeof kText));
    }
    void TearDown() override
    {
        target.Revoke();
        wnd.DestroyWindow();
        CWndTestBase::TearDown();
    }
    CWnd wnd;
    CRecordingTarget target;
    COleDataSource source;
};

}  // namespace

TEST_F(DragDropTest, DropWithControlCopiesAndTheTargetReadsTheText)
{
    AfxTestPushDragScript([this](COleDataSource* pSource, DWORD allowed) {
        EXPECT_EQ(allowed, DWORD(DROPEFFECT_COPY | DROPEFFECT_MOVE));
        return AfxTestDropOn(&wnd, pSource, CPoint(40, 30), MK_CONTROL | MK_LBUTTON);
    });
    EXPECT_EQ(source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_COPY);
    EXPECT_EQ(target.calls, (std::vector<std::string>{"scroll", "enter", "scroll", "over", "drop"}));
    EXPECT_EQ(target.dropped, std::string(kText, sizeof kText));
    EXPECT_EQ(target.lastPoint, CPoint(40, 30));
}

TEST_F(DragDropTest, DropWithoutControlMovesAndLeavingDropsNothing)
{
    EXPECT_EQ(AfxTestDropOn(&wnd, &source, CPoint(5, 5), MK_LBUTTON), DROPEFFECT_MOVE);
    target.calls.clear();
    target.dropped.clear();
    EXPECT_EQ(AfxTestDropOn(&wnd, &source, CPoint(5, 5), MK_LBUTTON, true), DROPEFFECT_NONE);
    EXPECT_EQ(target.calls, (std::vector<std::string>{"scroll", "enter", "scroll", "over", "leave"}));
    EXPECT_TRUE(target.dropped.empty());
}

TEST_F(DragDropTest, DataTheTargetRefusesIsNotDropped)
{
    COleDataSource other;
    other.CacheGlobalData(static_cast<CLIPFORMAT>(RegisterClipboardFormat("Private")), AfxGlobalFromBytes("x", 1));
    EXPECT_EQ(AfxTestDropOn(&wnd, &other, CPoint(5, 5), MK_LBUTTON), DROPEFFECT_NONE);
    EXPECT_EQ(target.calls.back(), "leave");  // a drop nobody accepts leaves
}

TEST_F(DragDropTest, UnscriptedDragOnAHeadlessPlatformDropsNowhere)
{
    EXPECT_EQ(source.DoDragDrop(), DROPEFFECT_NONE);
    EXPECT_TRUE(target.calls.empty());
    // A revoked target is no longer asked.
    target.Revoke();
    EXPECT_EQ(AfxTestDropOn(&wnd, &source, CPoint(5, 5), MK_LBUTTON), DROPEFFECT_NONE);
    EXPECT_TRUE(target.calls.empty());
    EXPECT_TRUE(target.Register(&wnd));
    EXPECT_FALSE(target.Register(&wnd));  // only once
}
