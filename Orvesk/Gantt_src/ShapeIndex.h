// Which chart shapes reach into a band of rows: the chart paints only those, so a repaint
// costs the same for a small and a large project. Bars are short; a link arrow may span
// many rows. The shapes are kept in order of their tops, in blocks that know the lowest
// bottom of their shapes: a query passes over the blocks that end above the band. Built in
// one sort after each layout.
#pragma once

#include <ClassLib/Afx.h>

#include <vector>

class CObList;
class CTaskBase;

class AFX_EXT_CLASS CShapeIndex
{
public:
    // Indexes every shape of the list by its vertical extent; the list's order is kept.
    void Build(const CObList& listShapes);
    void Clear();
    // The shapes whose extent meets [nTop, nBottom], in list order.
    void Query(int nTop, int nBottom, std::vector<CTaskBase*>& out) const;
    int GetCount() const { return static_cast<int>(m_items.size()); }
    // Whether both hold the same shapes with the same extents in the same order.
    bool operator==(const CShapeIndex& o) const;

    // The vertical extent a shape may paint over (its label and its arrow head included).
    static void GetExtent(CTaskBase* pShape, int& nTop, int& nBottom);

private:
    struct Item
    {
        int nTop;
        int nBottom;
        int nOrder;
        CTaskBase* pShape;
        bool operator==(const Item& o) const
        {
            return nTop == o.nTop && nBottom == o.nBottom && nOrder == o.nOrder && pShape == o.pShape;
        }
    };
    enum { kBlock = 64 };

    std::vector<Item> m_items;
    std::vector<int> m_byTop;            // all items by top ascending
    std::vector<int> m_blockMaxBottom;   // per kBlock items of m_byTop: their lowest bottom
};
