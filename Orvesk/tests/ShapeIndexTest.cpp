// The chart's index of shapes by vertical extent: a band query finds exactly the shapes a
// walk over all of them would, in list order.
#include "Gantt_src/ShapeIndex.h"
#include "Gantt_src/TaskShapes.h"

#include <ClassLib/Testing.h>

#include <memory>
#include <random>
#include <vector>

namespace {

struct ShapeSet
{
    CObList list;
    ~ShapeSet()
    {
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
            delete static_cast<CTaskBase*>(list.GetNext(pos));
    }
};

std::vector<CTaskBase*> BruteForce(const CObList& list, int nTop, int nBottom)
{
    std::vector<CTaskBase*> out;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CTaskBase* p = static_cast<CTaskBase*>(list.GetNext(pos));
        int t, b;
        CShapeIndex::GetExtent(p, t, b);
        if (t <= nBottom && b >= nTop)
            out.push_back(p);
    }
    return out;
}

} // namespace

TEST(ShapeIndex, BandQueriesMatchAWalkOverAllShapes)
{
    std::mt19937 rng(12345);
    ShapeSet set;
    const int nRows = 400;
    for (int r = 1; r <= nRows; ++r) {
        CTaskRect* pBar = new CTaskRect;
        const int x = static_cast<int>(rng() % 500);
        pBar->SetPoints(x, 20 * r + 17, x + static_cast<int>(rng() % 3 == 0 ? 0 : 1 + rng() % 90), 20 * r + 17);
        set.list.AddTail(pBar);
    }
    for (int i = 0; i < 300; ++i) {
        CTaskLineArrow* pArrow = new CTaskLineArrow;
        pArrow->m_nLinkType = 1 + static_cast<int>(rng() % 4);
        const int r1 = 1 + static_cast<int>(rng() % nRows);
        // Mostly short links, some across the whole project.
        const int r2 = (i % 10 == 0) ? 1 + static_cast<int>(rng() % nRows)
                                     : std::max(1, std::min(nRows, r1 + static_cast<int>(rng() % 7) - 3));
        pArrow->SetPoints(static_cast<int>(rng() % 500), 20 * r1 + 22, static_cast<int>(rng() % 500), 20 * r2 + 17);
        set.list.AddTail(pArrow);
    }
    CShapeIndex index;
    index.Build(set.list);
    EXPECT_EQ(700, index.GetCount());
    std::vector<CTaskBase*> found;
    for (int q = 0; q < 500; ++q) {
        const int nTop = static_cast<int>(rng() % (20 * nRows + 100)) - 50;
        const int nBottom = nTop + static_cast<int>(rng() % 1200);
        index.Query(nTop, nBottom, found);
        ASSERT_EQ(BruteForce(set.list, nTop, nBottom), found) << nTop << ".." << nBottom;
    }
    index.Query(10, 5, found);
    EXPECT_TRUE(found.empty());
}

TEST(ShapeIndex, EmptyListAndClear)
{
    CObList empty;
    CShapeIndex index;
    index.Build(empty);
    std::vector<CTaskBase*> found;
    index.Query(0, 1000, found);
    EXPECT_TRUE(found.empty());
    ShapeSet set;
    CTaskRect* pBar = new CTaskRect;
    pBar->SetPoints(0, 37, 10, 37);
    set.list.AddTail(pBar);
    index.Build(set.list);
    index.Query(0, 40, found);
    ASSERT_EQ(1u, found.size());
    index.Clear();
    index.Query(0, 40, found);
    EXPECT_TRUE(found.empty());
}
