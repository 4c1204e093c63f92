// What the chart shows first when the program opens a project file that lies away from today.
#include "TrellanTestSupport.h"

#include <GanttBarView.h>

namespace {

TEST_F(TrellanTest, AProjectFileTwoYearsBackOpensOnItsFirstBar)
{
    const COleDateTime today = COleDateTime::GetCurrentTime();
    const COleDateTime first(today.GetYear() - 2, today.GetMonth(), 1, 0, 0, 0);
    const std::string path = m_dir + "/old.tlp";
    {
        CProjectDoc doc;
        doc.m_ProjectInfo.m_strName = "Old";
        CTaskItem* pTask = new CTaskItem;
        pTask->m_strName = "设计";
        pTask->m_nRowInGrid = 1;
        pTask->m_dtStart = first;
        pTask->m_dtFinish = first + COleDateTimeSpan(9, 0, 0, 0);
        pTask->m_nDuration = 10 * 86400;
        doc.m_listTasks.AddTail(pTask);
        doc.m_nMaxRowInGrid = 1;
        CString error;
        ASSERT_TRUE(doc.SaveLocalFile(path.c_str(), error)) << (LPCTSTR)error;
    }
    ASSERT_TRUE(Start({path}));
    std::vector<CProjectDoc*> docs = OpenProjects();
    ASSERT_EQ(1u, docs.size());
    CGanttBarView* pView = nullptr;
    for (POSITION pos = docs[0]->GetFirstViewPosition(); pos != nullptr && pView == nullptr;)
        pView = DYNAMIC_DOWNCAST(CGanttBarView, docs[0]->GetNextView(pos));
    ASSERT_NE(pView, nullptr);
    int y, m, d;
    pView->m_wndChart.GetOriginDate(y, m, d);
    const long nDays = static_cast<long>((first - COleDateTime(y, m, d, 0, 0, 0)).GetDays());
    EXPECT_EQ(nDays - 5, pView->m_wndChart.GetHScrollDays());
}

}  // namespace
