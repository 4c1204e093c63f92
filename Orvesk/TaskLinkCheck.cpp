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

CTaskLinkCheck::CTaskLinkCheck(const std::vector<CTaskItem*>& rows, int nSuccRow)
    : m_rows(rows), m_nSucc(nSuccRow), m_bSuccHasSucc(FALSE)
{
    const int n = (int)rows.size();
    m_parent.assign(n, -1);
    m_in.assign(n, -1);
    m_out.assign(n, -1);

    // The task tree by rows: a child is found by the row it records, and only when that
    // row really carries it.
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
            if (c > 0 && c < n && rows[c] == pChild && c != r && m_parent[c] < 0)
                m_parent[c] = r;
        }
    }

    // Depth-first visit from the top-level tasks in row order, children in row order. A
    // damaged tree whose parent rows loop is never reached and takes part in no subtree.
    std::vector<int> childHead(n, -1), childNext(n, -1), childTail(n, -1);
    for (int r = 1; r < n; r++)
    {
        const int p = m_parent[r];
        if (p < 0 || !rows[r])
            continue;
        if (childTail[p] < 0)
            childHead[p] = r;
        else
            childNext[childTail[p]] = r;
        childTail[p] = r;
    }
    m_order.reserve(n);
    std::vector<int> stack;
    for (int root = 1; root < n; root++)
    {
        if (!rows[root] || m_parent[root] >= 0)
            continue;
        // The stack holds a row and, after its visit, the next child to visit.
        stack.push_back(root);
        m_in[root] = (int)m_order.size();
        m_order.push_back(root);
        std::vector<int> next;
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
    std::vector<int> succHead(n, -1), succNext, succTo;
    for (int r = 1; r < n; r++)
    {
        if (!rows[r])
            continue;
        POSITION pos = rows[r]->m_listLinks.GetHeadPosition();
        while (pos != NULL)
        {
            CTaskLink* pLink = rows[r]->m_listLinks.GetNext(pos);
            const int p = pLink ? pLink->m_nSuccID : -1;
            if (!HasTask(p))
                continue;
            succTo.push_back(r);
            succNext.push_back(succHead[p]);
            succHead[p] = (int)succTo.size() - 1;
        }
    }
    m_reach.assign(n, 0);
    if (HasTask(nSuccRow))
    {
        std::vector<int> queue(1, nSuccRow);
        m_reach[nSuccRow] = 1;
        for (size_t q = 0; q < queue.size(); q++)
            for (int e = succHead[queue[q]]; e >= 0; e = succNext[e])
                if (!m_reach[succTo[e]])
                {
                    m_reach[succTo[e]] = 1;
                    queue.push_back(succTo[e]);
                }
    }

    m_ancOfSucc.assign(n, 0);
    if (HasTask(nSuccRow) && m_in[nSuccRow] >= 0)
        for (int p = m_parent[nSuccRow]; p > 0; p = m_parent[p])
        {
            if (m_ancOfSucc[p])
                break;
            m_ancOfSucc[p] = 1;
        }

    // Checks 3 to 6 read a's successor rows (every entry of the list).
    m_bSuccHasSucc = HasSuccessors(nSuccRow);
    m_ancOfSuccs.assign(n, 0);
    std::vector<char> isSucc(n, 0);
    if (m_bSuccHasSucc)
    {
        const CDWordArray& succ = rows[nSuccRow]->m_arrSuccessors;
        for (INT_PTR k = 0; k < succ.GetSize(); k++)
        {
            const int s = (int)succ[k];
            if (!HasTask(s) || m_in[s] < 0)
                continue;
            isSucc[s] = 1;
            for (int p = m_parent[s]; p > 0 && !m_ancOfSuccs[p]; p = m_parent[p])
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

    // Checks 8 and 10 read the links of every row that has successors.
    std::vector<char> flag8(n, 0), flag10(n, 0);
    for (int r = 1; r < n; r++)
    {
        if (!HasSuccessors(r))
            continue;
        POSITION pos = rows[r]->m_listLinks.GetHeadPosition();
        while (pos != NULL)
        {
            CTaskLink* pLink = rows[r]->m_listLinks.GetNext(pos);
            const int p = pLink ? pLink->m_nSuccID : -1;
            if (!HasTask(p))
                continue;
            if (m_ancOfSucc[p])
                flag8[r] = 1;
            if (IsDescendant(p, nSuccRow))
                flag10[r] = 1;
        }
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
        const int p = m_parent[r];
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

    BOOL bNamesA = FALSE, bAncOfA = FALSE, bUnderA = FALSE;
    POSITION pos = m_rows[b]->m_listLinks.GetHeadPosition();
    while (pos != NULL)
    {
        CTaskLink* pLink = m_rows[b]->m_listLinks.GetNext(pos);
        const int p = pLink ? pLink->m_nSuccID : -1;
        if (!HasTask(p))
            continue;
        if (p == a)
            bNamesA = TRUE;
        if (m_ancOfSucc[p])
            bAncOfA = TRUE;
        if (IsDescendant(p, a))
            bUnderA = TRUE;
    }
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
