// The strongly connected parts of a graph, for the schedule's cycle handling.
#pragma once

#include <utility>
#include <vector>

// The strongly connected parts of a graph of m nodes (the edges of node v are
// adj[adjStart[v] .. adjStart[v + 1])), by Tarjan's walk without recursion. Part p holds
// parts[partStart[p] .. partStart[p + 1]); a part comes after every part it leads to, so
// that in the reverse order each node follows all it depends on.
inline void ScheduleParts(int m, const std::vector<int>& adjStart, const std::vector<int>& adj, std::vector<int>& parts,
                          std::vector<int>& partStart)
{
    parts.clear();
    partStart.clear();
    std::vector<int> low((size_t)m), num((size_t)m, -1), stack;
    std::vector<char> onStack((size_t)m, 0);
    std::vector<std::pair<int, int>> walk;
    int nCount = 0;
    for (int root = 0; root < m; root++)
    {
        if (num[(size_t)root] >= 0)
            continue;
        walk.emplace_back(root, adjStart[(size_t)root]);
        num[(size_t)root] = low[(size_t)root] = nCount++;
        stack.push_back(root);
        onStack[(size_t)root] = 1;
        while (!walk.empty())
        {
            const int v = walk.back().first;
            int& k = walk.back().second;
            if (k < adjStart[(size_t)v + 1])
            {
                const int w = adj[(size_t)k++];
                if (num[(size_t)w] < 0)
                {
                    num[(size_t)w] = low[(size_t)w] = nCount++;
                    stack.push_back(w);
                    onStack[(size_t)w] = 1;
                    walk.emplace_back(w, adjStart[(size_t)w]);
                }
                else if (onStack[(size_t)w] && num[(size_t)w] < low[(size_t)v])
                    low[(size_t)v] = num[(size_t)w];
                continue;
            }
            walk.pop_back();
            if (!walk.empty() && low[(size_t)v] < low[(size_t)walk.back().first])
                low[(size_t)walk.back().first] = low[(size_t)v];
            if (low[(size_t)v] != num[(size_t)v])
                continue;
            partStart.push_back((int)parts.size());
            int w;
            do
            {
                w = stack.back();
                stack.pop_back();
                onStack[(size_t)w] = 0;
                parts.push_back(w);
            } while (w != v);
        }
    }
    partStart.push_back((int)parts.size());
}
