// The link checks: which tasks may become predecessors of one task without making a cycle
// of links, and without linking a task to its own parent or child. Built once for the
// successor row from the rows' tasks (O(rows + links)); each candidate row is then decided
// from its own links alone, so the candidate list of a row stays linear in the grid.
#pragma once

#include <ClassLib/AfxWin.h>

#include <vector>

class CTaskItem;

class CTaskLinkCheck
{
public:
    // The verdicts of Check.
    enum
    {
        linkOK = 0,
        linkCycle = 1,       // the link would close a cycle of links
        linkParentChild = 2, // the two tasks are parent and child
    };

    // rows[r] is the task of grid row r (NULL for a blank row or row 0); nSuccRow is the row
    // of the task that would get the predecessor.
    CTaskLinkCheck(const std::vector<CTaskItem*>& rows, int nSuccRow);

    // The number (1 to 11) of the first check that refuses the task of nPredRow as a
    // predecessor; 0 when the link is allowed.
    int FailedCheck(int nPredRow) const;
    // linkOK, linkCycle or linkParentChild.
    int Check(int nPredRow) const;
    // Formats the refusal's text; empty for linkOK.
    static CString LinkMessage(int nVerdict);

    // TRUE when the task of row x lies (strictly) in the subtree of the task of row y.
    BOOL IsDescendant(int x, int y) const;

private:
    BOOL HasTask(int r) const { return r > 0 && r < (int)m_rows.size() && m_rows[r] != NULL; }
    BOOL HasSuccessors(int r) const;
    // The predecessor rows of the links of row r's task (only rows that carry a task).
    void PredRows(int r, std::vector<int>& out) const;
    // TRUE when a strict descendant of row b has the flag (flags indexed by row).
    BOOL SubtreeHas(const std::vector<int>& prefix, int b) const;
    // Prefix counts of flagged rows in visiting order.
    std::vector<int> PrefixByVisit(const std::vector<char>& flags) const;
    // For each row: a strict ancestor has the flag.
    std::vector<char> AncestorHas(const std::vector<char>& flags) const;

    const std::vector<CTaskItem*>& m_rows;
    int m_nSucc;
    BOOL m_bSuccHasSucc;
    std::vector<int> m_parent;   // parent row in the task tree, -1 for a top-level task
    std::vector<int> m_order;    // rows in depth-first visiting order
    std::vector<int> m_in;       // visiting index of a row, -1 without a task
    std::vector<int> m_out;      // one past the visiting index of the row's last descendant
    std::vector<char> m_reach;   // reachable from the successor row along links
    std::vector<char> m_ancOfSucc;   // strict ancestors of the successor row
    std::vector<char> m_ancOfSuccs;  // strict ancestors of the successor row's successors (check 3)
    std::vector<char> m_under4;      // a strict ancestor passes check 4's row test
    std::vector<char> m_under5;      // a strict ancestor is a successor of the successor row
    std::vector<int> m_prefix6;
    std::vector<char> m_under8;
    std::vector<int> m_prefix10;
};
