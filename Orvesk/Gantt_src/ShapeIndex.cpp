#include "Gantt_src/ShapeIndex.h"

#include "Gantt_src/TaskShapes.h"

#include <algorithm>

void CShapeIndex::Clear()
{
    m_items.clear();
    m_byTop.clear();
    m_blockMaxBottom.clear();
}

void CShapeIndex::GetExtent(CTaskBase* pShape, int& nTop, int& nBottom)
{
    if (CTaskLineArrow* pArrow = DYNAMIC_DOWNCAST(CTaskLineArrow, pShape)) {
        pArrow->GetVerticalExtent(nTop, nBottom);
        return;
    }
    // Bars: the milestone diamond reaches 5 pixels above the bar line; the label is a
    // line of text from the bar's top.
    const CRect& rc = pShape->m_rect;
    nTop = rc.top - 6;
    nBottom = rc.bottom > rc.top + 20 ? rc.bottom + 1 : rc.top + 20;
}

void CShapeIndex::Build(const CObList& listShapes)
{
    Clear();
    m_items.reserve(listShapes.GetCount());
    int nOrder = 0;
    for (POSITION pos = listShapes.GetHeadPosition(); pos != NULL;) {
        CTaskBase* pShape = static_cast<CTaskBase*>(listShapes.GetNext(pos));
        Item item;
        GetExtent(pShape, item.nTop, item.nBottom);
        item.nOrder = nOrder++;
        item.pShape = pShape;
        m_items.push_back(item);
    }
    m_byTop.resize(m_items.size());
    for (size_t i = 0; i < m_items.size(); ++i)
        m_byTop[i] = static_cast<int>(i);
    // The layout adds bars row by row and then the arrows: nearly sorted already.
    std::sort(m_byTop.begin(), m_byTop.end(), [this](int a, int b) {
        return m_items[a].nTop < m_items[b].nTop;
    });
    m_blockMaxBottom.assign((m_byTop.size() + kBlock - 1) / kBlock, 0);
    for (size_t k = 0; k < m_byTop.size(); ++k) {
        const int nBottom = m_items[m_byTop[k]].nBottom;
        int& nMax = m_blockMaxBottom[k / kBlock];
        if (k % kBlock == 0 || nBottom > nMax)
            nMax = nBottom;
    }
}

bool CShapeIndex::operator==(const CShapeIndex& o) const
{
    return m_items == o.m_items && m_byTop == o.m_byTop && m_blockMaxBottom == o.m_blockMaxBottom;
}

void CShapeIndex::Query(int nTop, int nBottom, std::vector<CTaskBase*>& out) const
{
    out.clear();
    if (m_items.empty() || nBottom < nTop)
        return;
    // The shapes that begin at or above the band's bottom, less those that end above it.
    const size_t nEnd = static_cast<size_t>(
        std::upper_bound(m_byTop.begin(), m_byTop.end(), nBottom,
                         [this](int v, int i) { return v < m_items[i].nTop; }) -
        m_byTop.begin());
    std::vector<int> found;
    for (size_t b = 0; b * kBlock < nEnd; ++b) {
        if (m_blockMaxBottom[b] < nTop)
            continue;
        const size_t nLast = std::min(nEnd, (b + 1) * kBlock);
        for (size_t k = b * kBlock; k < nLast; ++k)
            if (m_items[m_byTop[k]].nBottom >= nTop)
                found.push_back(m_byTop[k]);
    }
    std::sort(found.begin(), found.end(), [this](int a, int b) {
        return m_items[a].nOrder < m_items[b].nOrder;
    });
    out.reserve(found.size());
    for (int i : found)
        out.push_back(m_items[i].pShape);
}
