// The link checks: which tasks may become predecessors of one task without making a cycle
// of links, and without linking a task to its own parent or child. Built once for the
// successor row, from the rows' tasks or from the project schedule's tree and resolved
// links; what depends on the successor row alone is worked out then in flat arrays by row,
// so that each candidate is decided by a few lookups and the candidate list of a row stays
// linear in the grid.
#pragma once

#include <ClassLib/AfxWin.h>

#include <vector>

class CTaskItem;
class CProjectSchedule;

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
    // The same on the schedule's rows, tree and resolved links (a link to a blank row or to
    // its own task resolves to nothing there; one to its own row still counts as such).
    CTaskLinkCheck(const CProjectSchedule& schedule, int nSuccRow);
    CTaskLinkCheck(const CTaskLinkCheck&) = delete;
    CTaskLinkCheck& operator=(const CTaskLinkCheck&) = delete;

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
    // The successor row's part, once the tree and the links are known.
    void Init();
    // Marks the rows whose tasks link to the task of row p (p itself for a link to itself).
    void MarkLinksTo(int p, std::vector<char>& marks) const;
    // TRUE when a strict descendant of row b has the flag (flags indexed by row).
    BOOL SubtreeHas(const std::vector<int>& prefix, int b) const;
    // Prefix counts of flagged rows in visiting order.
    std::vector<int> PrefixByVisit(const std::vector<char>& flags) const;
    // For each row: a strict ancestor has the flag.
    std::vector<char> AncestorHas(const std::vector<char>& flags) const;

    const std::vector<CTaskItem*>& m_rows;
    int m_nSucc;
    BOOL m_bSuccHasSucc;
    // The tree and the links by row (the parents the schedule's or built here): the parent
    // row (0 for a top-level task); the rows whose tasks link to row p, succ[succStart[p] ..
    // succStart[p + 1]) (a task's links to itself left out); the rows that link to
    // themselves.
    std::vector<int> m_ownParent, m_ownSuccStart, m_ownSucc;
    std::vector<char> m_ownSelf;
    const std::vector<int>* m_pParent;
    const std::vector<int>* m_pSuccStart;
    const std::vector<int>* m_pSucc;
    const std::vector<char>* m_pSelf;
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
    // Rows whose tasks link to the successor row, to one of its strict ancestors, to a row
    // in its subtree.
    std::vector<char> m_linkToSucc, m_linkToAnc, m_linkToSub;
};
