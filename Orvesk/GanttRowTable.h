// A value per chart row for one layout, looked up by row: a table for the rows a grid holds
// (no node to allocate per row), a map for rows far beyond them (a damaged file's).
#pragma once

#include <unordered_map>
#include <vector>

template <class T>
class CGanttRowTable
{
public:
    void Clear()
    {
        m_table.clear();
        m_far.clear();
    }
    // Room for the rows a layout of about nRows rows sets.
    void Reserve(size_t nRows) { m_table.reserve(nRows < kTableRows ? nRows : kTableRows); }

    T Get(long long nRow) const
    {
        if (nRow >= 0 && nRow < static_cast<long long>(m_table.size()))
            return m_table[static_cast<size_t>(nRow)];
        if (nRow >= 0 && nRow < kTableRows)
            return T();
        auto it = m_far.find(nRow);
        return it == m_far.end() ? T() : it->second;
    }
    // Sets the row's value unless it has one already.
    void SetFirst(long long nRow, T value)
    {
        if (nRow >= 0 && nRow < kTableRows) {
            if (nRow >= static_cast<long long>(m_table.size()))
                m_table.resize(static_cast<size_t>(nRow) + 1, T());
            T& slot = m_table[static_cast<size_t>(nRow)];
            if (slot == T())
                slot = value;
            return;
        }
        m_far.emplace(nRow, value);
    }

private:
    static constexpr long long kTableRows = 1 << 20;
    std::vector<T> m_table;
    std::unordered_map<long long, T> m_far;
};
