#include "Gantt_src/ShapeIndex.h"

#include "Gantt_src/TaskShapes.h"

#include <algorithm>

void CShapeIndex::Clear()
{
    m_items.clear();
    m_byTop.clear();
    m_nodes.clear();
    m_nRoot = -1;
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
    std::sort(m_byTop.begin(), m_byTop.end(), [this](int a, int b) {
        return m_items[a].nTop < m_items[b].nTop;
    });
    std::vector<int> all(m_byTop);
    m_nodes.reserve(m_items.size() / 2 + 1);
    m_nRoot = BuildNode(all);
}

// Items arrive sorted by top; each node takes the items holding its centre, the others go
// left (wholly above) or right (wholly below) in the same order.
int CShapeIndex::BuildNode(std::vector<int>& items)
{
    if (items.empty())
        return -1;
    // The centre: the median of the items' middles.
    std::vector<int> middles;
    middles.reserve(items.size());
    for (int i : items)
        middles.push_back(m_items[i].nTop / 2 + m_items[i].nBottom / 2);
    std::nth_element(middles.begin(), middles.begin() + middles.size() / 2, middles.end());
    const int nCenter = middles[middles.size() / 2];

    std::vector<int> left, right, here;
    for (int i : items) {
        if (m_items[i].nBottom < nCenter)
            left.push_back(i);
        else if (m_items[i].nTop > nCenter)
            right.push_back(i);
        else
            here.push_back(i);
    }
    items.clear();
    items.shrink_to_fit();

    const int nNode = static_cast<int>(m_nodes.size());
    m_nodes.emplace_back();
    m_nodes[nNode].nCenter = nCenter;
    m_nodes[nNode].byTop = here;
    std::sort(here.begin(), here.end(), [this](int a, int b) {
        return m_items[a].nBottom > m_items[b].nBottom;
    });
    m_nodes[nNode].byBottom = here;
    const int nLeft = BuildNode(left);
    const int nRight = BuildNode(right);
    m_nodes[nNode].nLeft = nLeft;
    m_nodes[nNode].nRight = nRight;
    return nNode;
}

void CShapeIndex::Stab(int nPoint, std::vector<int>& out) const
{
    int n = m_nRoot;
    while (n >= 0) {
        const Node& node = m_nodes[n];
        if (nPoint < node.nCenter) {
            for (int i : node.byTop) {
                if (m_items[i].nTop > nPoint)
                    break;
                out.push_back(i);
            }
            n = node.nLeft;
        } else {
            for (int i : node.byBottom) {
                if (m_items[i].nBottom < nPoint)
                    break;
                out.push_back(i);
            }
            n = nPoint > node.nCenter ? node.nRight : -1;
        }
    }
}

void CShapeIndex::Query(int nTop, int nBottom, std::vector<CTaskBase*>& out) const
{
    out.clear();
    if (m_items.empty() || nBottom < nTop)
        return;
    // Items that hold nTop, and items that begin inside (nTop, nBottom].
    std::vector<int> found;
    Stab(nTop, found);
    auto first = std::upper_bound(m_byTop.begin(), m_byTop.end(), nTop,
                                  [this](int v, int i) { return v < m_items[i].nTop; });
    for (auto it = first; it != m_byTop.end() && m_items[*it].nTop <= nBottom; ++it)
        found.push_back(*it);
    std::sort(found.begin(), found.end(), [this](int a, int b) {
        return m_items[a].nOrder < m_items[b].nOrder;
    });
    out.reserve(found.size());
    for (int i : found)
        out.push_back(m_items[i].pShape);
}
