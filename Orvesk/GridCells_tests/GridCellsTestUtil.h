// Shared by the tree column and button cell tests: a parent window that logs what the grid
// and its cells send, a task-like grid with a tree column, and fake editors.
#pragma once

#include "BtnDataBase.h"
#include "GridCtrl.h"
#include "GridEditHooks.h"
#include "GridTreeCell.h"
#include "TreeColumn.h"

#include <ClassLib/Testing.h>

#include <string>
#include <utility>
#include <vector>

// Logs the private grid messages and the notifications it receives.
class CGridParentWnd : public CWnd {
public:
    struct Entry {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        int nCode;  // notification code for WM_NOTIFY
        int nRow;
        int nCol;
    };
    std::vector<Entry> log;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_USER && message < WM_USER + 0x1000) {
            log.push_back({message, wParam, lParam, 0, -1, -1});
            return 0;
        }
        if (message == WM_NOTIFY && lParam) {
            const GridNotify* pNotify = reinterpret_cast<const GridNotify*>(lParam);
            log.push_back({message, wParam, lParam, pNotify->hdr.code, pNotify->iRow, pNotify->iColumn});
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int Count(UINT msg) const
    {
        int n = 0;
        for (const Entry& e : log)
            n += e.msg == msg ? 1 : 0;
        return n;
    }
    int CountNotify(int nCode) const
    {
        int n = 0;
        for (const Entry& e : log)
            n += (e.msg == WM_NOTIFY && e.nCode == nCode) ? 1 : 0;
        return n;
    }
    const Entry* Last(UINT msg) const
    {
        for (auto it = log.rbegin(); it != log.rend(); ++it)
            if (it->msg == msg)
                return &*it;
        return nullptr;
    }
};

// The grid with the last level-drag request a cell sent it in view.
class CTestGridCtrl : public CGridCtrl {
public:
    const GridCellRequest& LastLevelRequest() const { return m_LevelDragRequest; }
};

// A grid of seven columns like the task grid, inside a logging parent, with a tree column
// on column 2 and the shared button data.
class CTaskLikeGridTest : public CWndTestBase {
protected:
    CGridParentWnd m_parent;
    CTestGridCtrl m_grid;
    CTreeColumn m_tree;
    CBtnDataBase m_btnData;

    void SetUp() override
    {
        CWndTestBase::SetUp();
        ASSERT_TRUE(m_parent.CreateEx(0, AFX_WND_CLASS, "parent", WS_POPUP | WS_VISIBLE, 100, 100, 760, 360, nullptr,
                                      nullptr));
        ASSERT_TRUE(m_grid.Create(CRect(0, 0, 760, 360), &m_parent, 1000));
        m_grid.SetColumnCount(7);
        m_grid.SetFixedColumnCount(1);
        m_grid.AttachTreeColumn(&m_tree, &m_btnData);
        m_btnData.SetGrid(&m_grid);
        m_grid.SetBlankWidth(4);
        const int widths[7] = {40, 30, 150, 100, 110, 110, 120};
        for (int i = 0; i < 7; i++)
            m_grid.SetColumnWidth(i, widths[i]);
    }

    void TearDown() override
    {
        m_grid.DestroyWindow();
        m_parent.DestroyWindow();
        CWndTestBase::TearDown();
    }

    // One row per entry: its level and its name (empty: a blank row); all viewable.
    void BuildTree(const std::vector<std::pair<int, const char*>>& rows)
    {
        std::vector<BYTE> bytes;
        for (const auto& row : rows)
            bytes.push_back(static_cast<BYTE>(row.first | TREE_VIEWABLE_BIT));
        m_tree.Setup(&m_grid, 2, static_cast<int>(rows.size()), 1, bytes.data(), TRUE, FALSE);
        for (size_t i = 0; i < rows.size(); i++)
            m_grid.SetItemText(static_cast<int>(i) + 1, 2, rows[i].second);
    }

    std::vector<int> Levels() const
    {
        std::vector<int> levels;
        for (int row = m_tree.GetFirstRow(); row < m_tree.GetEndRow(); row++)
            levels.push_back(m_tree.GetLevel(row));
        return levels;
    }

    std::vector<int> Viewable() const
    {
        std::vector<int> viewable;
        for (int row = m_tree.GetFirstRow(); row < m_tree.GetEndRow(); row++)
            viewable.push_back(m_tree.IsRowViewable(row) ? 1 : 0);
        return viewable;
    }

    std::vector<int> Heights() const
    {
        std::vector<int> heights;
        for (int row = m_tree.GetFirstRow(); row < m_tree.GetEndRow(); row++)
            heights.push_back(m_grid.GetRowHeight(row));
        return heights;
    }

    CGridTreeCell* TreeCell(int nRow) { return static_cast<CGridTreeCell*>(m_tree.GetTreeCell(nRow)); }
};

// A child window that keeps the messages it receives.
class CFakeEditorWnd : public CWnd {
public:
    std::vector<UINT> messages;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int Count(UINT message) const
    {
        int n = 0;
        for (UINT m : messages)
            n += m == message ? 1 : 0;
        return n;
    }
};

// Text editors that are plain child windows; ending one sends the end-of-edit notification
// to the grid with the text the test put in it.
class CFakeEditors : public CGridEditorHooks {
public:
    struct Editor {
        CFakeEditorWnd* pWnd;
        CGridCtrl* pGrid;
        int nRow;
        int nCol;
        CString strText;
        UINT nFirstChar;
        DWORD dwStyle;
        BOOL bList;
    };
    std::vector<Editor> editors;
    int nEnds = 0;
    int nDropDowns = 0;

    CFakeEditors() { m_pOld = GridSetEditorHooks(this); }
    ~CFakeEditors() override
    {
        GridSetEditorHooks(m_pOld);
        for (Editor& e : editors) {
            e.pWnd->DestroyWindow();
            delete e.pWnd;
        }
    }

    CWnd* CreateEdit(CGridCtrl* pGrid, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                     LPCTSTR pszText, UINT nFirstChar) override
    {
        return Make(pGrid, rect, dwStyle, nID, nRow, nCol, pszText, nFirstChar, FALSE);
    }
    CWnd* CreateList(CGridCtrl* pGrid, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                     const CStringArray&, LPCTSTR pszText, UINT nFirstChar) override
    {
        return Make(pGrid, rect, dwStyle, nID, nRow, nCol, pszText, nFirstChar, TRUE);
    }
    // The editor's end: reports its text to the grid as an in-place editor does.
    void EndEdit(CWnd* pEditor) override
    {
        Editor* pEditorRecord = Find(pEditor);
        if (!pEditorRecord || m_bEnding)
            return;
        m_bEnding = true;
        nEnds++;
        GridDispInfo info;
        info.hdr.hwndFrom = pEditor->GetSafeHwnd();
        info.hdr.idFrom = IDC_GRID_INPLACE_CONTROL;
        info.hdr.code = static_cast<UINT>(GRIDN_ENDLABELEDIT);
        info.item.mask = GRIDITEM_TEXT | GRIDITEM_DATA;
        info.item.row = pEditorRecord->nRow;
        info.item.col = pEditorRecord->nCol;
        info.item.szText = pEditorRecord->strText;
        info.item.lParam = 0;
        pEditorRecord->pGrid->SendMessage(WM_NOTIFY, IDC_GRID_INPLACE_CONTROL, reinterpret_cast<LPARAM>(&info));
        m_bEnding = false;
    }
    CWnd* GetListEdit(CWnd*) override { return nullptr; }

    Editor* Find(CWnd* pWnd)
    {
        for (Editor& e : editors)
            if (e.pWnd == pWnd)
                return &e;
        return nullptr;
    }

private:
    CWnd* Make(CGridCtrl* pGrid, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol, LPCTSTR pszText,
               UINT nFirstChar, BOOL bList)
    {
        CFakeEditorWnd* pWnd = new CFakeEditorWnd;
        if (!pWnd->Create(AFX_WND_CLASS, "", WS_CHILD | WS_VISIBLE, rect, pGrid, nID)) {
            delete pWnd;
            return nullptr;
        }
        editors.push_back({pWnd, pGrid, nRow, nCol, CString(pszText), nFirstChar, dwStyle, bList});
        return pWnd;
    }

    CGridEditorHooks* m_pOld = nullptr;
    bool m_bEnding = false;
};

inline bool SameRect(const CRect& rc, int l, int t, int r, int b)
{
    return rc.left == l && rc.top == t && rc.right == r && rc.bottom == b;
}
