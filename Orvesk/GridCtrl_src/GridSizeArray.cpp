#include "GridSizeArray.h"

#include <algorithm>

void CGridSizeArray::SetAt(int i, int nSize)
{
    if (m_sizes[(size_t)i] != nSize)
    {
        m_sizes[(size_t)i] = nSize;
        Invalidate(i);
    }
}

void CGridSizeArray::SetSize(int nCount, int nDefault)
{
    if (nCount < 0)
        nCount = 0;
    int nOld = GetSize();
    m_sizes.resize((size_t)nCount, nDefault);
    Invalidate(std::min(nOld, nCount));
}

void CGridSizeArray::Fill(int nSize)
{
    std::fill(m_sizes.begin(), m_sizes.end(), nSize);
    Invalidate(0);
}

void CGridSizeArray::InsertAt(int i, int nSize)
{
    m_sizes.insert(m_sizes.begin() + i, nSize);
    Invalidate(i);
}

void CGridSizeArray::RemoveAt(int i)
{
    m_sizes.erase(m_sizes.begin() + i);
    Invalidate(i);
}

void CGridSizeArray::RemoveAll()
{
    m_sizes.clear();
    Invalidate(0);
}

void CGridSizeArray::Swap(int i, int j)
{
    if (i == j)
        return;
    std::swap(m_sizes[(size_t)i], m_sizes[(size_t)j]);
    Invalidate(std::min(i, j));
}

void CGridSizeArray::Validate() const
{
    size_t n = m_sizes.size();
    if ((size_t)m_nValidSums == n && m_sums.size() == n + 1)
        return;
    m_sums.resize(n + 1);
    for (size_t k = (size_t)m_nValidSums; k < n; ++k)
        m_sums[k + 1] = m_sums[k] + m_sizes[k];
    m_nValidSums = (int)n;
}

long long CGridSizeArray::SumBefore(int i) const
{
    if (i <= 0)
        return 0;
    if (i > GetSize())
        i = GetSize();
    Validate();
    return m_sums[(size_t)i];
}

int CGridSizeArray::FirstReaching(int nFrom, long long nOffset) const
{
    if (nFrom < 0)
        nFrom = 0;
    if (nFrom >= GetSize())
        return GetSize();
    Validate();
    long long target = m_sums[(size_t)nFrom] + nOffset;
    // Sums are non-decreasing: the first k with sums[k] >= target.
    auto it = std::lower_bound(m_sums.begin() + nFrom, m_sums.end(), target);
    if (it == m_sums.end())
        return GetSize();
    return (int)(it - m_sums.begin());
}

int CGridSizeArray::IndexAtOffset(int nFrom, long long nOffset) const
{
    if (nFrom < 0)
        nFrom = 0;
    if (nFrom >= GetSize() || nOffset < 0)
        return GetSize();
    Validate();
    long long target = m_sums[(size_t)nFrom] + nOffset;
    // The first k with sums[k + 1] > target, i.e. the entry whose span holds the offset.
    auto it = std::upper_bound(m_sums.begin() + nFrom + 1, m_sums.end(), target);
    if (it == m_sums.end())
        return GetSize();
    return (int)(it - m_sums.begin()) - 1;
}
