// Owner-drawn list boxes and combo boxes: what the owner is asked to measure and to draw,
// field by field.
#include "CtrlTestApp.h"
#include "FakeControlHost.h"
#include "../src/ui/ComboProc.h"
#include "../src/ui/ListBoxProc.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

LRESULT Send(pc::ControlProc& p, UINT msg, WPARAM wp = 0, LPARAM lp = 0)
{
    bool handled = false;
    return p.Proc(msg, wp, lp, handled);
}

// Records the owner's questions; answers 30 for item -1, else 17 + 3 * the item id.
class OwnerHost : public FakeControlHost
{
public:
    std::vector<MEASUREITEMSTRUCT> measures;
    std::vector<DRAWITEMSTRUCT> draws;
    void OwnerMeasure(MEASUREITEMSTRUCT& mis) override
    {
        measures.push_back(mis);
        mis.itemHeight = mis.itemID == UINT(-1) ? 30u : 17 + 3 * mis.itemID;
    }
    void OwnerDraw(QPainter&, DRAWITEMSTRUCT& dis) override { draws.push_back(dis); }
};

class OwnerDrawListsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CtrlTestApp();
        parent = std::make_unique<QWidget>();
    }
    OwnerHost host;
    std::unique_ptr<QWidget> parent;
};

}  // namespace

TEST_F(OwnerDrawListsTest, AFixedListBoxAsksItsCommonHeightAsItemZero)
{
    auto list = pc::MakeControlProc("LISTBOX", &host, LBS_OWNERDRAWFIXED, parent.get());
    list->Created();
    ASSERT_EQ(host.measures.size(), 1u);
    EXPECT_EQ(host.measures[0].CtlType, UINT(ODT_LISTBOX));
    EXPECT_EQ(host.measures[0].itemID, 0u);
    EXPECT_EQ(host.measures[0].itemData, 0u);
    EXPECT_GT(host.measures[0].itemHeight, 2u);  // the font's line and a pixel above and below
    Send(*list, LB_ADDSTRING, 0, 0x1234);
    EXPECT_EQ(host.measures.size(), 1u);  // fixed: items are not measured one by one
    EXPECT_EQ(Send(*list, LB_GETITEMHEIGHT, 0), 17);
}

TEST_F(OwnerDrawListsTest, AFixedComboAsksItsCommonHeightAsItemMinusOneForListAndField)
{
    auto combo = pc::MakeControlProc("COMBOBOX", &host, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, parent.get());
    combo->Created();
    ASSERT_EQ(host.measures.size(), 1u);
    EXPECT_EQ(host.measures[0].CtlType, UINT(ODT_COMBOBOX));
    EXPECT_EQ(host.measures[0].itemID, UINT(-1));
    EXPECT_EQ(Send(*combo, CB_GETITEMHEIGHT, WPARAM(-1)), 30);  // the selection field
    Send(*combo, CB_ADDSTRING, 0, 7);
    EXPECT_EQ(Send(*combo, CB_GETITEMHEIGHT, 0), 30);
}

TEST_F(OwnerDrawListsTest, VariableListsMeasureEachItemWithItsData)
{
    auto list = pc::MakeControlProc("LISTBOX", &host, LBS_OWNERDRAWVARIABLE, parent.get());
    list->Created();
    EXPECT_TRUE(host.measures.empty());
    Send(*list, LB_ADDSTRING, 0, 0x51);
    Send(*list, LB_ADDSTRING, 0, 0x52);
    ASSERT_EQ(host.measures.size(), 2u);
    EXPECT_EQ(host.measures[1].itemID, 1u);
    EXPECT_EQ(host.measures[1].itemData, 0x52u);
    EXPECT_EQ(Send(*list, LB_GETITEMHEIGHT, 0), 17);
    EXPECT_EQ(Send(*list, LB_GETITEMHEIGHT, 1), 20);

    OwnerHost comboHost;
    auto combo = pc::MakeControlProc("COMBOBOX", &comboHost, CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE, parent.get());
    combo->Created();
    Send(*combo, CB_ADDSTRING, 0, 0x61);
    Send(*combo, CB_ADDSTRING, 0, 0x62);
    Send(*combo, CB_ADDSTRING, 0, 0x63);
    ASSERT_EQ(comboHost.measures.size(), 3u);
    EXPECT_EQ(comboHost.measures[2].CtlType, UINT(ODT_COMBOBOX));
    EXPECT_EQ(comboHost.measures[2].itemID, 2u);
    EXPECT_EQ(comboHost.measures[2].itemData, 0x63u);
    EXPECT_EQ(Send(*combo, CB_GETITEMHEIGHT, 2), 23);
}

TEST_F(OwnerDrawListsTest, TheOwnerDrawsAnItemWithItsStateDataAndRectangle)
{
    auto list = pc::MakeControlProc("LISTBOX", &host, LBS_OWNERDRAWFIXED, parent.get());
    Send(*list, LB_ADDSTRING, 0, 0x71);
    auto* listProc = dynamic_cast<pc::ListBoxProc*>(list.get());
    ASSERT_NE(listProc, nullptr);
    list->Widget()->setEnabled(false);  // a list box reports no disabled state
    QImage image(40, 40, QImage::Format_ARGB32);
    QPainter painter(&image);
    listProc->PaintItem(painter, 0, QRect(2, 3, 10, 5), true, true);
    listProc->PaintItem(painter, 4, QRect(0, 0, 1, 1), false, false);
    ASSERT_EQ(host.draws.size(), 2u);
    const DRAWITEMSTRUCT& dis = host.draws[0];
    EXPECT_EQ(dis.CtlType, UINT(ODT_LISTBOX));
    EXPECT_EQ(dis.itemID, 0u);
    EXPECT_EQ(dis.itemAction, UINT(ODA_DRAWENTIRE));
    EXPECT_EQ(dis.itemState, UINT(ODS_SELECTED | ODS_FOCUS));
    EXPECT_EQ(dis.itemData, 0x71u);
    EXPECT_EQ(CRect(dis.rcItem), CRect(2, 3, 12, 8));
    EXPECT_EQ(host.draws[1].itemID, UINT(-1));  // no such item
    EXPECT_EQ(host.draws[1].itemData, 0u);
    EXPECT_EQ(host.draws[1].itemState, 0u);

    OwnerHost comboHost;
    auto combo = pc::MakeControlProc("COMBOBOX", &comboHost, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, parent.get());
    Send(*combo, CB_ADDSTRING, 0, 0x81);
    auto* comboProc = dynamic_cast<pc::ComboProc*>(combo.get());
    ASSERT_NE(comboProc, nullptr);
    comboProc->PaintItem(painter, 0, QRect(1, 1, 4, 4), false, true);
    combo->Widget()->setEnabled(false);
    comboProc->PaintItem(painter, 0, QRect(1, 1, 4, 4), true, false);
    ASSERT_EQ(comboHost.draws.size(), 2u);
    EXPECT_EQ(comboHost.draws[0].CtlType, UINT(ODT_COMBOBOX));
    EXPECT_EQ(comboHost.draws[0].itemState, UINT(ODS_FOCUS));
    EXPECT_EQ(comboHost.draws[0].itemData, 0x81u);
    EXPECT_EQ(comboHost.draws[1].itemState, UINT(ODS_SELECTED | ODS_DISABLED));
    painter.end();
}
