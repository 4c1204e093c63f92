// A value per chart row for one layout, looked up by row: a table for the rows a grid holds
// (no node to allocate per row), a map for rows far beyond them (a damaged file's).
#pragma once

#include <algorithm>
#include <cstddef>
#include <unordered_map>
#include <vector>

template <class T>
class CGanttRowTable
{
public:
    // Every row back to no value. The table keeps its length: the next layout sets about
    // the same rows, and a table that grew row by row would be made longer at every row.
    void Clear()
    {
        std::fill(m_table.begin(), m_table.end(), T());
        if (!m_far.empty())
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

    // Sets the row's value, over one it had.
    void Set(long long nRow, T value)
    {
        if (nRow >= 0 && nRow < kTableRows) {
            if (nRow >= static_cast<long long>(m_table.size()))
                m_table.resize(static_cast<size_t>(nRow) + 1, T());
            m_table[static_cast<size_t>(nRow)] = value;
            return;
        }
        m_far[nRow] = value;
    }

    // Adds delta to the value of every row below nRow that has one.
    void AddAfter(long long nRow, T delta)
    {
        if (delta == T())
            return;
        for (size_t r = nRow < 0 ? 0 : static_cast<size_t>(nRow) + 1; r < m_table.size(); ++r)
            if (m_table[r] != T())
                m_table[r] += delta;
        for (auto& entry : m_far)
            if (entry.first > nRow)
                entry.second += delta;
    }

private:
    static constexpr long long kTableRows = 1 << 20;
    std::vector<T> m_table;
    std::unordered_map<long long, T> m_far;
};

// The collapsed rows of a layout, asked about row by row: whether a row is collapsed and how
// many collapsed rows lie above it, each answered from a table by row (the rows a grid holds);
// rows beyond the table from the sorted list.
template <class ROW>
class CCollapsedRowIndex
{
public:
    // Made again from the task tree's list (in row order as it hands it over; sorted here
    // otherwise).
    void Assign(const ROW* pBegin, const ROW* pEnd)
    {
        m_sorted.assign(pBegin, pEnd);
        if (!std::is_sorted(m_sorted.begin(), m_sorted.end()))
            std::sort(m_sorted.begin(), m_sorted.end());
        // m_above[k]: the collapsed rows below row k, for the rows up to the last collapsed one.
        const size_t nTable = m_sorted.empty() ? 0 : std::min<size_t>(static_cast<size_t>(m_sorted.back()) + 2, kTableRows);
        m_above.assign(nTable, 0);
        for (const ROW nRow : m_sorted)
            if (static_cast<size_t>(nRow) + 1 < nTable)
                m_above[static_cast<size_t>(nRow) + 1]++;
        for (size_t k = 1; k < nTable; k++)
            m_above[k] += m_above[k - 1];
    }
    size_t Size() const { return m_sorted.size(); }

    bool Has(ROW nRow) const
    {
        if (m_sorted.empty())
            return false;
        if (static_cast<size_t>(nRow) + 1 < m_above.size())
            return m_above[static_cast<size_t>(nRow) + 1] != m_above[static_cast<size_t>(nRow)];
        return std::binary_search(m_sorted.begin(), m_sorted.end(), nRow);
    }
    // The collapsed rows before nRow.
    int Above(ROW nRow) const
    {
        if (m_sorted.empty())
            return 0;
        if (static_cast<size_t>(nRow) < m_above.size())
            return m_above[static_cast<size_t>(nRow)];
        return static_cast<int>(std::lower_bound(m_sorted.begin(), m_sorted.end(), nRow) - m_sorted.begin());
    }

private:
    static constexpr size_t kTableRows = 1 << 20;
    std::vector<ROW> m_sorted;
    std::vector<int> m_above;
};
