#include "ProjectGenerator.h"

namespace
{
const char* const kLeafNames[] = {"需求分析", "方案设计", "详细设计", "编码实现", "单元测试",
                                  "集成测试", "文档编写", "评审", "验收"};
const char* const kSummaryNames[] = {"子系统", "模块", "阶段"};
const char* const kResources[5] = {"R001", "R002", "R003", "R004", "R005"};
const char* const kResourceNames[5] = {"张伟", "王芳", "李娜", "刘洋", "陈静"};

COleDateTime AddDays(const COleDateTime& date, int nDays)
{
    return date + COleDateTimeSpan(nDays, 0, 0, 0);
}

bool IsWeekend(const COleDateTime& date)
{
    int nDay = date.GetDayOfWeek(); // 1 Sunday ... 7 Saturday
    return nDay == 1 || nDay == 7;
}

COleDateTime NextWorkingDay(COleDateTime date)
{
    while (IsWeekend(date))
        date = AddDays(date, 1);
    return date;
}

// The day on which the n-th working day counted from start (included) is reached.
COleDateTime FinishAfter(COleDateTime date, int nDays)
{
    date = NextWorkingDay(date);
    for (int i = 1; i < nDays; i++)
        date = NextWorkingDay(AddDays(date, 1));
    return date;
}

int WorkingDaysBetween(COleDateTime start, const COleDateTime& finish)
{
    int n = 0;
    for (; start <= finish; start = AddDays(start, 1))
        if (!IsWeekend(start))
            n++;
    return n;
}

// A small deterministic generator, so that every run builds the same project.
struct Lcg
{
    unsigned int state = 12345u;
    int Next(int nRange)
    {
        state = state * 1103515245u + 12345u;
        return (int)((state >> 16) % (unsigned int)nRange);
    }
};

struct Builder
{
    CProjectDoc& doc;
    const ProjectGeneratorOptions& options;
    Lcg rng;
    int nRow = 0;
    int nLeaf = 0;

    CTaskItem* NewTask(const CString& strName)
    {
        CTaskItem* pTask = new CTaskItem;
        pTask->m_nRowInGrid = ++nRow;
        pTask->m_strName = strName;
        pTask->m_nFlag = 0;
        pTask->m_nIsTask = 1;
        pTask->m_nStatus = nRow % 7 == 0 ? 5 : (nRow % 3 == 0 ? 2 : 0);
        pTask->m_nProgress = pTask->m_nStatus == 5 ? 100 : 0;
        pTask->m_dtCreation = COleDateTime(options.nYear, options.nMonth, options.nDay, 0, 0, 0);
        return pTask;
    }

    CString Name(const char* pszBase, int nNumber)
    {
        CString strName;
        if (options.bChineseNames)
            strName.Format("%s %d", pszBase, nNumber);
        else
            strName.Format("Task %d", nNumber);
        return strName;
    }

    void SetSpan(CTaskItem* pTask, const COleDateTime& start, const COleDateTime& finish)
    {
        pTask->m_dtStart = start;
        pTask->m_dtFinish = finish;
        pTask->m_dtDeadline = AddDays(finish, 10);
        pTask->m_dtEarlyStart = start;
        pTask->m_dtLateStart = AddDays(start, 2);
        pTask->m_dtEarlyFinish = finish;
        pTask->m_dtLateFinish = AddDays(finish, 2);
        int nDays = WorkingDaysBetween(start, finish);
        pTask->m_nDuration = pTask->m_nTrueDuration = nDays * 86400;
    }
};
} // namespace

void GenerateProject(CProjectDoc& doc, const ProjectGeneratorOptions& options)
{
    Builder b{doc, options, Lcg{}};
    doc.m_ProjectInfo.m_strName = "生成的项目";
    doc.m_ProjectInfo.m_dtStart = COleDateTime(options.nYear, options.nMonth, options.nDay, 0, 0, 0);
    for (int i = 0; i < 5; i++)
    {
        tagResInfo res;
        res.nID = i + 1;
        res.strCode = kResources[i];
        res.strName = kResourceNames[i];
        doc.m_ProjectInfo.m_listMembers.AddTail(res);
        doc.m_listResources.AddTail(res);
    }

    const COleDateTime projectStart = NextWorkingDay(doc.m_ProjectInfo.m_dtStart);
    int nTop = 0;
    while (b.nRow < options.nTasks)
    {
        CTaskItem* pTop = b.NewTask(b.Name(kSummaryNames[2], ++nTop));
        doc.m_listTasks.AddTail(pTop);
        // The leaves of this top summary, in row order, for the links.
        std::vector<CTaskItem*> leaves;
        COleDateTime next = projectStart;
        for (int s = 0; s < 10 && b.nRow < options.nTasks; s++)
        {
            CTaskItem* pSub = b.NewTask(b.Name(kSummaryNames[s % 2], b.nRow + 1));
            pTop->m_listChildren.AddTail(pSub);
            for (int l = 0; l < 9 && b.nRow < options.nTasks; l++)
            {
                CTaskItem* pLeaf = b.NewTask(b.Name(kLeafNames[l], b.nRow + 1));
                pSub->m_listChildren.AddTail(pLeaf);
                const int nDays = 1 + b.rng.Next(20);
                const COleDateTime start = NextWorkingDay(next);
                const COleDateTime finish = FinishAfter(start, nDays);
                b.SetSpan(pLeaf, start, finish);
                pLeaf->m_arrAssignees.Add(kResources[b.nLeaf++ % 5]);
                // Finish-to-start from one of the two leaves before it (never an ancestor).
                if (!leaves.empty())
                {
                    CTaskItem* pPred = leaves.back();
                    if (leaves.size() >= 2 && b.rng.Next(4) == 0)
                        pPred = leaves[leaves.size() - 2];
                    CTaskLink* pLink = new CTaskLink;
                    pLink->m_nType = 1;
                    pLink->m_nSuccID = pPred->m_nRowInGrid;
                    pLink->m_strPredName = pPred->m_strName;
                    pLeaf->m_listLinks.AddTail(pLink);
                }
                leaves.push_back(pLeaf);
                next = AddDays(finish, 1);
            }
            // The sub-summary spans its leaves.
            if (!pSub->m_listChildren.IsEmpty())
                b.SetSpan(pSub, pSub->m_listChildren.GetHead()->m_dtStart, pSub->m_listChildren.GetTail()->m_dtFinish);
            else
                b.SetSpan(pSub, next, next);
        }
        if (!pTop->m_listChildren.IsEmpty())
            b.SetSpan(pTop, pTop->m_listChildren.GetHead()->m_dtStart, pTop->m_listChildren.GetTail()->m_dtFinish);
        else
            b.SetSpan(pTop, projectStart, projectStart);
        for (POSITION pos = pTop->m_listChildren.GetHeadPosition(); pos != NULL;)
        {
            CTaskItem* pSub = pTop->m_listChildren.GetNext(pos);
            pSub->m_nTrueDuration = 0;
            for (POSITION p = pSub->m_listChildren.GetHeadPosition(); p != NULL;)
                pSub->m_nTrueDuration += pSub->m_listChildren.GetNext(p)->m_nTrueDuration;
        }
    }
    doc.m_nMaxRowInGrid = b.nRow;
    doc.m_ProjectInfo.m_dtFinish = projectStart;
    for (POSITION pos = doc.m_listTasks.GetHeadPosition(); pos != NULL;)
    {
        CTaskItem* pTop = doc.m_listTasks.GetNext(pos);
        if (pTop->m_dtFinish > doc.m_ProjectInfo.m_dtFinish)
            doc.m_ProjectInfo.m_dtFinish = pTop->m_dtFinish;
    }
}

bool WriteGeneratedProjectFile(const ProjectGeneratorOptions& options, const std::string& path, std::string& error)
{
    CProjectDoc doc;
    GenerateProject(doc, options);
    CString strError;
    if (!doc.SaveLocalFile(path.c_str(), strError))
    {
        error = (LPCTSTR)strError;
        return false;
    }
    return true;
}

CString GeneratedProjectXml(const ProjectGeneratorOptions& options)
{
    CProjectDoc doc;
    GenerateProject(doc, options);
    CString strXml;
    doc.WriteProjectXml(strXml);
    return strXml;
}
