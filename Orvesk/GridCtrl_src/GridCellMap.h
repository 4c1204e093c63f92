// A set of cells keyed on the full (row, column) pair, as the grid's selection keeps them.
#pragma once

#include "GridCellId.h"

#include <cstdint>
#include <unordered_map>

class CGridCellMap
{
public:
    typedef std::unordered_map<uint64_t, CGridCellId> Map;
    typedef Map::const_iterator const_iterator;

    static uint64_t Key(int nRow, int nCol)
    {
        return ((uint64_t)(uint32_t)nRow << 32) | (uint32_t)nCol;
    }

    int GetCount() const { return (int)m_map.size(); }
    BOOL IsEmpty() const { return m_map.empty(); }
    BOOL Lookup(int nRow, int nCol) const { return m_map.count(Key(nRow, nCol)) != 0; }
    void SetAt(int nRow, int nCol) { m_map[Key(nRow, nCol)] = CGridCellId(nRow, nCol); }
    BOOL RemoveKey(int nRow, int nCol) { return m_map.erase(Key(nRow, nCol)) != 0; }
    void RemoveAll() { m_map.clear(); }

    const_iterator begin() const { return m_map.begin(); }
    const_iterator end() const { return m_map.end(); }

private:
    Map m_map;
};
