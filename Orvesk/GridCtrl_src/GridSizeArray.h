// Row heights or column widths of a grid, in pixels, with running sums so that positions
// and the cell under a point are found without walking every row on each paint.
#pragma once

#include <cstddef>
#include <vector>

class CGridSizeArray
{
public:
    CGridSizeArray() : m_nValidSums(0) { m_sums.push_back(0); }

    int GetSize() const { return (int)m_sizes.size(); }
    int GetAt(int i) const { return m_sizes[(size_t)i]; }
    void SetAt(int i, int nSize);

    // Resizes; new entries get nDefault.
    void SetSize(int nCount, int nDefault = 0);
    // Sets every entry to nSize.
    void Fill(int nSize);
    void InsertAt(int i, int nSize);
    void RemoveAt(int i);
    void RemoveAll();
    void Swap(int i, int j);

    // Sum of the entries before i (0 <= i <= size).
    long long SumBefore(int i) const;
    // Sum of the entries from i up to, not including, j.
    long long Sum(int i, int j) const { return SumBefore(j) - SumBefore(i); }
    long long Total() const { return SumBefore(GetSize()); }

    // The first index k >= nFrom whose sum of entries from nFrom to k (exclusive) reaches
    // nOffset; GetSize() when the offset lies beyond them all.
    int FirstReaching(int nFrom, long long nOffset) const;
    // The index k >= nFrom whose span [sum nFrom..k, sum nFrom..k+1) holds nOffset, skipping
    // empty entries; GetSize() when the offset lies at or beyond the end.
    int IndexAtOffset(int nFrom, long long nOffset) const;
    // Moves on every change of the entries: a reader that noted it knows them unchanged.
    unsigned Changes() const { return m_nChanges; }

private:
    void Invalidate(int i) { m_nChanges++; if (i < m_nValidSums) m_nValidSums = i; }
    void Validate() const;

    std::vector<int> m_sizes;
    // m_sums[k] = sum of m_sizes[0..k-1]; entries up to m_nValidSums are current.
    mutable std::vector<long long> m_sums;
    mutable int m_nValidSums;
    unsigned m_nChanges = 0;
};
