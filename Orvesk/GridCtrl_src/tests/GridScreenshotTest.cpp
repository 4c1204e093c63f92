// A picture of a grid with a fixed row and column, Chinese texts, a selection and a focus
// cell, written to the test output folder; its pixels are checked where the selection,
// the headings and the focus frame lie.
#include "GridTestUtil.h"

#include <QImage>

#include <sys/stat.h>

TEST_F(GridWndTest, ScreenshotOfAGridWithSelectionAndFocus)
{
    static const char* const kHeadings[] = {"", "类型", "任务名称", "工期", "开始时间", "完成时间", "前置任务"};
    static const int kWidths[] = {40, 50, 170, 80, 110, 110, 70};
    static const char* const kNames[] = {"项目立项", "需求调研", "方案设计", "详细设计", "编码实现",
                                         "单元测试", "系统联调", "用户验收", "上线部署", "项目总结"};
    grid.SetRowCount(11);
    grid.SetColumnCount(7);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    CreateGrid(640, 240);
    for (int col = 0; col < 7; col++)
    {
        grid.SetColumnWidth(col, kWidths[col]);
        grid.SetItemText(0, col, kHeadings[col]);
        grid.SetItemFormat(0, col, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    for (int row = 1; row <= 10; row++)
    {
        CString s;
        s.Format(_T("%d"), row);
        grid.SetItemText(row, 0, s);
        grid.SetItemText(row, 1, row % 3 == 0 ? _T("里程碑") : _T("任务"));
        grid.SetItemText(row, 2, kNames[row - 1]);
        s.Format(_T("%d个工作日"), row % 4 + 2);
        grid.SetItemText(row, 3, s);
        s.Format(_T("2004年3月%d日"), row + 4);
        grid.SetItemText(row, 4, s);
        s.Format(_T("2004年3月%d日"), row + 9);
        grid.SetItemText(row, 5, s);
        s.Format(_T("%d"), row - 1);
        grid.SetItemText(row, 6, row > 1 ? (LPCTSTR)s : _T(""));
    }
    grid.SetSelectedRange(3, 2, 5, 4);
    grid.SetFocusCell(7, 3);
    grid.UpdateScrollBars();
    grid.Invalidate();
    AfxPumpMessages();

    CString path = AfxTestOutputPath(_T("GridControl.png"));
    ASSERT_TRUE(AfxTestGrabWindow(&parent, path));
    struct stat st;
    ASSERT_EQ(0, stat((LPCTSTR)path, &st));
    EXPECT_GT(st.st_size, 1000);

    QImage img(QString::fromLocal8Bit((LPCTSTR)path));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(640, img.width());
    EXPECT_EQ(240, img.height());

    auto rgb = [&](int x, int y) { return img.pixel(x, y) & 0xFFFFFF; };
    // Inside a selected cell, right of its text: the selection fill 0xCAB2A9 (BGR).
    CRect rc;
    ASSERT_TRUE(grid.GetCellRect(4, 4, rc));
    EXPECT_EQ(0xA9B2CAu, rgb(rc.right - 3, rc.top + 2));
    // The fixed column and row: button face.
    ASSERT_TRUE(grid.GetCellRect(2, 0, rc));
    EXPECT_EQ(0xD4D0C8u, rgb(rc.right - 3, rc.top + 3));
    ASSERT_TRUE(grid.GetCellRect(0, 5, rc));
    EXPECT_EQ(0xD4D0C8u, rgb(rc.left + 4, rc.top + 3));
    // The focus cell: a black frame on white.
    ASSERT_TRUE(grid.GetCellRect(7, 3, rc));
    EXPECT_EQ(0x000000u, rgb(rc.left, rc.top + 5));
    EXPECT_EQ(0xFFFFFFu, rgb(rc.right - 3, rc.top + 3));
    // An unselected normal cell: white.
    ASSERT_TRUE(grid.GetCellRect(8, 5, rc));
    EXPECT_EQ(0xFFFFFFu, rgb(rc.right - 3, rc.top + 3));
}
