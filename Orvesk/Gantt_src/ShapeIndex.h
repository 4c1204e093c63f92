// Which chart shapes reach into a band of rows: the chart paints only those, so a repaint
// costs the same for a small and a large project. Bars are short; a link arrow may span
// many rows, so the shapes' vertical extents go into a centred interval tree.
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

    // The vertical extent a shape may paint over (its label and its arrow head included).
    static void GetExtent(CTaskBase* pShape, int& nTop, int& nBottom);

private:
    struct Item
    {
        int nTop;
        int nBottom;
        int nOrder;
        CTaskBase* pShape;
    };
    struct Node
    {
        int nCenter;
        std::vector<int> byTop;     // items holding the centre, by top ascending
        std::vector<int> byBottom;  // the same, by bottom descending
        int nLeft = -1;
        int nRight = -1;
    };

    int BuildNode(std::vector<int>& items);
    void Stab(int nPoint, std::vector<int>& out) const;

    std::vector<Item> m_items;
    std::vector<int> m_byTop;  // all items by top ascending
    std::vector<Node> m_nodes;
    int m_nRoot = -1;
};
