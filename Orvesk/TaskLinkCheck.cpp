// The link checks. Summary tasks span their subtrees, so a link to or from a summary task
// orders its whole subtree; the checks refuse a link that would order a task before itself
// through links and subtrees, and a link between a task and its own parent or child.
//
// For the successor row a and a candidate row b the checks, in order, are:
//  1  a is reached from b's task by following predecessor links (all of them)
//  2  a has successors and a link of b names a
//  3  a has successors and one of a's successor rows lies in b's subtree
//  4  a has successors and some row i holds check 3 for (a, i), a is not under i, b is
//  5  a has successors and b lies in the subtree of one of a's successor rows
//  6  a has successors and some row under b holds check 5 for (a, that row)
//  7  a lies in the subtree of a predecessor of b
//  8  b lies under a row i that has successors and holds check 7 for (a, i)
//  9  a predecessor of b lies in a's subtree
//  10 some row i under b that has successors holds check 9 for (a, i)
//  11 a lies in b's subtree or b in a's
// 1 to 10 refuse with the cycle text, 11 with the parent/child text. Everything that
// depends on a alone is worked out once in the constructor.
#include "TaskLinkCheck.h"

#include "TaskItem.h"
#include "ProjectSchedule.h"

CTaskLinkCheck::CTaskLinkCheck(const std::vector<CTaskItem*>& rows, int nSuccRow)
    : m_rows(rows), m_nSucc(nSuccRow), m_bSuccHasSucc(FALSE)
{
    const int n = (int)rows.size();
    // The task tree by rows: a child is found by the row it records, and only when that
    // row really carries it.
    m_ownParent.assign(n, 0);
    m_ownSelf.assign(n, 0);
    m_ownSuccStart.assign(n + 1, 0);
    for (int r = 1; r < n; r++)
    {
        CTaskItem* pTask = rows[r];
        if (!pTask)
            continue;
        POSITION pos = pTask->m_listChildren.GetHeadPosition();
        while (pos != NULL)
        {
            CTaskItem* pChild = pTask->m_listChildren.GetNext(pos);
            const int c = pChild ? pChild->m_nRowInGrid : -1;
            if (c > 0 && c < n && rows[c] == pChild && c != r && m_ownParent[c] == 0)
                m_ownParent[c] = r;
        }
        // The links to rows that carry a task, by predecessor row.
        pos = pTask->m_listLinks.GetHeadPosition();
        while (pos != NULL)
        {
            CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            const int p = pLink ? pLink->m_nSuccID : -1;
            if (p == r)
                m_ownSelf[r] = 1;
            else if (HasTask(p))
                m_ownSuccStart[p + 1]++;
        }
    }
    for (int r = 0; r < n; r++)
        m_ownSuccStart[r + 1] += m_ownSuccStart[r];
    m_ownSucc.assign(m_ownSuccStart[n], 0);
    std::vector<int> fill(m_ownSuccStart.begin(), m_ownSuccStart.end() - 1);
    for (int r = 1; r < n; r++)
    {
        if (!rows[r])
            continue;
        POSITION pos = rows[r]->m_listLinks.GetHeadPosition();
        while (pos != NULL)
        {
            CTaskLink* pLink = rows[r]->m_listLinks.GetNext(pos);
            const int p = pLink ? pLink->m_nSuccID : -1;
            if (p != r && HasTask(p))
                m_ownSucc[fill[p]++] = r;
        }
    }
    m_pParent = &m_ownParent;
    m_pSuccStart = &m_ownSuccStart;
    m_pSucc = &m_ownSucc;
    m_pSelf = &m_ownSelf;
    Init();
}

CTaskLinkCheck::CTaskLinkCheck(const CProjectSchedule& schedule, int nSuccRow)
    : m_rows(schedule.Rows()), m_nSucc(nSuccRow), m_bSuccHasSucc(FALSE), m_pParent(&schedule.ParentRows())
{
    // The successors by predecessor row from each task's resolved links, and the links to a
    // task's own row, in one walk over the tasks (each task's record is read once).
    const std::vector<CTaskItem*>& rows = m_rows;
    const int n = (int)rows.size();
    m_ownSelf.assign(n, 0);
    m_ownSuccStart.assign(n + 1, 0);
    m_ownSucc.clear();
    for (int r = 1; r < n; r++)
    {
        m_ownSuccStart[r] = (int)m_ownSucc.size();
        const CTaskItem* pTask = rows[r];
        if (!pTask)
            continue;
        for (const CTaskItem* pSucc : pTask->m_scheduleSuccs)
            m_ownSucc.push_back(pSucc->m_nRowInGrid);
        POSITION pos = pTask->m_listLinks.GetHeadPosition();
        while (pos != NULL)
        {
            const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            if (pLink && pLink->m_nSuccID == r)
                m_ownSelf[r] = 1;
        }
    }
    m_ownSuccStart[n] = (int)m_ownSucc.size();
    m_pSuccStart = &m_ownSuccStart;
    m_pSucc = &m_ownSucc;
    m_pSelf = &m_ownSelf;
    Init();
}

void CTaskLinkCheck::MarkLinksTo(int p, std::vector<char>& marks) const
{
    const std::vector<int>& succ = *m_pSucc;
    for (int i = (*m_pSuccStart)[p]; i < (*m_pSuccStart)[p + 1]; i++)
        marks[succ[i]] = 1;
    if ((*m_pSelf)[p])
        marks[p] = 1;
}

void CTaskLinkCheck::Init()
{
    const std::vector<CTaskItem*>& rows = m_rows;
    const std::vector<int>& parent = *m_pParent;
    const int n = (int)rows.size();
    const int nSuccRow = m_nSucc;
    m_in.assign(n, -1);
    m_out.assign(n, -1);

    // Depth-first visit from the top-level tasks in row order, children in row order. A
    // damaged tree whose parent rows loop is never reached and takes part in no subtree.
    std::vector<int> childHead(n, -1), childNext(n, -1), childTail(n, -1);
    for (int r = 1; r < n; r++)
    {
        const int p = parent[r];
        if (p <= 0 || !rows[r])
            continue;
        if (childTail[p] < 0)
            childHead[p] = r;
        else
            childNext[childTail[p]] = r;
        childTail[p] = r;
    }
    m_order.reserve(n);
    std::vector<int> stack, next;
    for (int root = 1; root < n; root++)
    {
        if (!rows[root] || parent[root] > 0)
            continue;
        // The stack holds a row and, after its visit, the next child to visit.
        stack.push_back(root);
        m_in[root] = (int)m_order.size();
        m_order.push_back(root);
        next.assign(1, childHead[root]);
        while (!stack.empty())
        {
            const int c = next.back();
            if (c < 0 || m_in[c] >= 0)
            {
                m_out[stack.back()] = (int)m_order.size();
                stack.pop_back();
                next.pop_back();
                continue;
            }
            next.back() = childNext[c];
            m_in[c] = (int)m_order.size();
            m_order.push_back(c);
            stack.push_back(c);
            next.push_back(childHead[c]);
        }
    }

    // Check 1: every row reached from a along successor edges (all links of all tasks).
    const std::vector<int>& succStart = *m_pSuccStart;
    const std::vector<int>& succ = *m_pSucc;
    m_reach.assign(n, 0);
    if (HasTask(nSuccRow))
    {
        std::vector<int> queue(1, nSuccRow);
        m_reach[nSuccRow] = 1;
        for (size_t q = 0; q < queue.size(); q++)
            for (int e = succStart[queue[q]]; e < succStart[queue[q] + 1]; e++)
                if (!m_reach[succ[e]])
                {
                    m_reach[succ[e]] = 1;
                    queue.push_back(succ[e]);
                }
    }

    // The rows whose links name a, one of its ancestors or a row of its subtree.
    m_linkToSucc.assign(n, 0);
    m_linkToAnc.assign(n, 0);
    m_linkToSub.assign(n, 0);
    if (HasTask(nSuccRow))
        MarkLinksTo(nSuccRow, m_linkToSucc);
    m_ancOfSucc.assign(n, 0);
    if (HasTask(nSuccRow) && m_in[nSuccRow] >= 0)
    {
        for (int p = parent[nSuccRow]; p > 0; p = parent[p])
        {
            if (m_ancOfSucc[p])
                break;
            m_ancOfSucc[p] = 1;
            MarkLinksTo(p, m_linkToAnc);
        }
        for (int k = m_in[nSuccRow] + 1; k < m_out[nSuccRow]; k++)
            MarkLinksTo(m_order[k], m_linkToSub);
    }

    // Checks 3 to 6 read a's successor rows (every entry of the list).
    m_bSuccHasSucc = HasSuccessors(nSuccRow);
    m_ancOfSuccs.assign(n, 0);
    std::vector<char> isSucc(n, 0);
    if (m_bSuccHasSucc)
    {
        const CDWordArray& succRows = rows[nSuccRow]->m_arrSuccessors;
        for (INT_PTR k = 0; k < succRows.GetSize(); k++)
        {
            const int s = (int)succRows[k];
            if (!HasTask(s) || m_in[s] < 0)
                continue;
            isSucc[s] = 1;
            for (int p = parent[s]; p > 0 && !m_ancOfSuccs[p]; p = parent[p])
                m_ancOfSuccs[p] = 1;
        }
    }
    std::vector<char> flag4(n, 0);
    for (int r = 1; r < n; r++)
        flag4[r] = m_ancOfSuccs[r] && !m_ancOfSucc[r];
    m_under4 = AncestorHas(flag4);
    m_under5 = AncestorHas(isSucc);
    std::vector<char> flag6(n, 0);
    for (int r = 1; r < n; r++)
        flag6[r] = m_bSuccHasSucc && m_under5[r];
    m_prefix6 = PrefixByVisit(flag6);

    // Checks 8 and 10: rows that have successors and link to an ancestor of a (8), or into
    // a's subtree (10).
    std::vector<char> flag8(n, 0), flag10(n, 0);
    for (int r = 1; r < n; r++)
        if ((m_linkToAnc[r] || m_linkToSub[r]) && HasSuccessors(r))
        {
            flag8[r] = m_linkToAnc[r];
            flag10[r] = m_linkToSub[r];
        }
    m_under8 = AncestorHas(flag8);
    m_prefix10 = PrefixByVisit(flag10);
}

BOOL CTaskLinkCheck::HasSuccessors(int r) const
{
    return HasTask(r) && m_rows[r]->m_nSuccessor != 0 && m_rows[r]->m_arrSuccessors.GetSize() > 0;
}

BOOL CTaskLinkCheck::IsDescendant(int x, int y) const
{
    if (!HasTask(x) || !HasTask(y) || x == y || m_in[x] < 0 || m_in[y] < 0)
        return FALSE;
    return m_in[y] < m_in[x] && m_in[x] < m_out[y];
}

std::vector<int> CTaskLinkCheck::PrefixByVisit(const std::vector<char>& flags) const
{
    std::vector<int> prefix(m_order.size() + 1, 0);
    for (size_t k = 0; k < m_order.size(); k++)
        prefix[k + 1] = prefix[k] + (flags[m_order[k]] ? 1 : 0);
    return prefix;
}

std::vector<char> CTaskLinkCheck::AncestorHas(const std::vector<char>& flags) const
{
    // Visiting order puts a parent before its children.
    std::vector<char> under(flags.size(), 0);
    for (int r : m_order)
    {
        const int p = (*m_pParent)[r];
        if (p > 0)
            under[r] = (char)(flags[p] || under[p]);
    }
    return under;
}

BOOL CTaskLinkCheck::SubtreeHas(const std::vector<int>& prefix, int b) const
{
    if (!HasTask(b) || m_in[b] < 0)
        return FALSE;
    return prefix[m_out[b]] - prefix[m_in[b] + 1] > 0;
}

int CTaskLinkCheck::FailedCheck(int b) const
{
    const int a = m_nSucc;
    if (!HasTask(b))
        return 0;
    if (m_reach[b])
        return 1;

    const BOOL bNamesA = m_linkToSucc[b], bAncOfA = m_linkToAnc[b], bUnderA = m_linkToSub[b];
    if (m_bSuccHasSucc)
    {
        if (bNamesA)
            return 2;
        if (m_ancOfSuccs[b])
            return 3;
        if (m_under4[b])
            return 4;
        if (m_under5[b])
            return 5;
        if (SubtreeHas(m_prefix6, b))
            return 6;
    }
    if (bAncOfA)
        return 7;
    if (m_under8[b])
        return 8;
    if (bUnderA)
        return 9;
    if (SubtreeHas(m_prefix10, b))
        return 10;
    if (IsDescendant(a, b) || IsDescendant(b, a))
        return 11;
    return 0;
}

int CTaskLinkCheck::Check(int nPredRow) const
{
    const int n = FailedCheck(nPredRow);
    if (n == 0)
        return linkOK;
    return n == 11 ? linkParentChild : linkCycle;
}

CString CTaskLinkCheck::LinkMessage(int nVerdict)
{
    CString str;
    if (nVerdict == linkCycle)
        str.Format(_T("链接任务出错!%c%c这样将产生循环链接!"), 10, 10);
    else if (nVerdict == linkParentChild)
        str.Format(_T("链接任务出错!%c%c不能将两个父子关系的任务进行链接!"), 10, 10);
    return str;
}
