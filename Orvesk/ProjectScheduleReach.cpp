// The project schedule read by the link checks: what follows from a task's placement.
#include "ProjectSchedule.h"

std::vector<char> CProjectSchedule::ReachedRows(int nRow) const
{
    const size_t n = m_rows.size();
    std::vector<char> rows(n, 0);
    if (nRow <= 0 || (size_t)nRow >= n || !m_rows[(size_t)nRow])
        return rows;
    std::vector<char> reached(2 * n, 0);
    std::vector<int> pending(1, 2 * nRow), next;
    reached[2 * (size_t)nRow] = 1;
    while (!pending.empty())
    {
        const int node = pending.back();
        pending.pop_back();
        if (node & 1)
            rows[(size_t)(node >> 1)] = 1;
        NextNodes(node, next);
        for (int m : next)
            if (!reached[(size_t)m])
            {
                reached[(size_t)m] = 1;
                pending.push_back(m);
            }
    }
    return rows;
}
