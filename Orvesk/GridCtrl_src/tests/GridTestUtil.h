// Helpers of the grid tests that need windows: a parent that logs what the grid tells it,
// a grid that logs its own edit calls and scroll messages, and a fixture that puts a grid
// into a visible top-level window.
#pragma once

#include "GridCtrl.h"

#include <ClassLib/Testing.h>

#include <vector>

// What the grid sent to its parent (and owner).
struct GridParentEntry
{
    UINT msg;       // WM_NOTIFY or a WM_GRID_* message
    int code;       // the notification code (WM_NOTIFY)
    int row, col;   // the notification's cell
    WPARAM wParam;
    LPARAM lParam;
};

class CGridTestParent : public CWnd
{
public:
    std::vector<GridParentEntry> log;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY)
        {
            const GridNotify* p = reinterpret_cast<const GridNotify*>(lParam);
            log.push_back({message, (int)p->hdr.code, p->iRow, p->iColumn, wParam, lParam});
            return 0;
        }
        if (message >= WM_GRID_ROWLEVEL && message <= WM_GRID_NEWTASKNAME)
        {
            log.push_back({message, 0, -1, -1, wParam, lParam});
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<int> Codes() const
    {
        std::vector<int> v;
        for (const auto& e : log)
            if (e.msg == WM_NOTIFY)
                v.push_back(e.code);
        return v;
    }
    int Count(UINT msg) const
    {
        int n = 0;
        for (const auto& e : log)
            n += e.msg == msg;
        return n;
    }
    const GridParentEntry* Last(UINT msg) const
    {
        for (auto it = log.rbegin(); it != log.rend(); ++it)
            if (it->msg == msg)
                return &*it;
        return nullptr;
    }
};

// A grid that records the edits it is asked to start and the scroll messages it gets.
class CLoggingGrid : public CGridCtrl
{
public:
    struct EditCall
    {
        int row, col;
        UINT nChar;
    };
    std::vector<EditCall> edits;
    std::vector<UINT> vscrolls;
    std::vector<UINT> hscrolls;
    BOOL bPassEdits = FALSE;

    CLoggingGrid(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0)
        : CGridCtrl(rows, cols, fixedRows, fixedCols)
    {
    }

    void OnEditCell(int nRow, int nCol, CPoint point, UINT nChar) override
    {
        edits.push_back({nRow, nCol, nChar});
        if (bPassEdits)
            CGridCtrl::OnEditCell(nRow, nCol, point, nChar);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_VSCROLL)
            vscrolls.push_back(LOWORD(wParam));
        else if (message == WM_HSCROLL)
            hscrolls.push_back(LOWORD(wParam));
        return CGridCtrl::WindowProc(message, wParam, lParam);
    }

    using CGridCtrl::GetScrollPos32;
    using CGridCtrl::OnDraw;
};

// A visible frame of 400 x 300 with a grid child filling it.
class GridWndTest : public CWndTestBase
{
protected:
    CGridTestParent parent;
    CLoggingGrid grid;

    void CreateGrid(int cx = 400, int cy = 300, DWORD style = WS_CHILD | WS_VISIBLE)
    {
        ASSERT_TRUE(parent.CreateEx(0, AFX_WND_CLASS, "frame", WS_POPUP | WS_VISIBLE, 100, 100, cx, cy,
                                    nullptr, nullptr));
        ASSERT_TRUE(grid.Create(CRect(0, 0, cx, cy), &parent, 100, style));
    }

    void TearDown() override
    {
        if (grid.GetSafeHwnd())
            grid.DestroyWindow();
        if (parent.GetSafeHwnd())
            parent.DestroyWindow();
        CWndTestBase::TearDown();
    }
};
