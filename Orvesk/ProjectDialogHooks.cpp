#include "ProjectDialogHooks.h"

#include <ClassLib/AfxWin.h>
#include <Tavrin/CalendarItem.h>
#include <Tavrin/DayOfWeek.h>

#include <utility>

namespace {

template <class Runner>
Runner& Slot()
{
    static Runner runner;
    return runner;
}

} // namespace

ProjectSheetRunner ProjectSetSheetRunner(ProjectSheetRunner runner)
{
    return std::exchange(Slot<ProjectSheetRunner>(), std::move(runner));
}

INT_PTR ProjectRunProjSheet(const CString& strCaption, int nKind, CProjSheetData& data)
{
    const ProjectSheetRunner& runner = Slot<ProjectSheetRunner>();
    return runner ? runner(strCaption, nKind, data) : IDCANCEL;
}

ProjectOpenRunner ProjectSetOpenRunner(ProjectOpenRunner runner)
{
    return std::exchange(Slot<ProjectOpenRunner>(), std::move(runner));
}

INT_PTR ProjectRunOpenDlg(int bAutomation, const CString& strLoginName, const CString& strServiceUrl,
                          const CString& strProxyPort, const CString& strProxyAddress,
                          int& nSelectedId)
{
    const ProjectOpenRunner& runner = Slot<ProjectOpenRunner>();
    return runner ? runner(bAutomation, strLoginName, strServiceUrl, strProxyPort, strProxyAddress,
                           nSelectedId)
                  : IDCANCEL;
}

ProjectOptionRunner ProjectSetOptionRunner(ProjectOptionRunner runner)
{
    return std::exchange(Slot<ProjectOptionRunner>(), std::move(runner));
}

INT_PTR ProjectRunOptionSheet(const CString& strCaption, CProjConnectionSettings& settings)
{
    const ProjectOptionRunner& runner = Slot<ProjectOptionRunner>();
    return runner ? runner(strCaption, settings) : IDCANCEL;
}

ProjectExpandRunner ProjectSetExpandRunner(ProjectExpandRunner runner)
{
    return std::exchange(Slot<ProjectExpandRunner>(), std::move(runner));
}

INT_PTR ProjectRunExpandDlg(int& nMode, int& nLevels)
{
    const ProjectExpandRunner& runner = Slot<ProjectExpandRunner>();
    return runner ? runner(nMode, nLevels) : IDCANCEL;
}

CProjCalendarResult::CProjCalendarResult() : listDayOfWeek(10), listCalendarItems(10) {}

CProjCalendarResult::~CProjCalendarResult()
{
    while (!listDayOfWeek.IsEmpty())
        delete listDayOfWeek.RemoveHead();
    while (!listCalendarItems.IsEmpty())
        delete listCalendarItems.RemoveHead();
}

ProjectCalendarRunner ProjectSetCalendarRunner(ProjectCalendarRunner runner)
{
    return std::exchange(Slot<ProjectCalendarRunner>(), std::move(runner));
}

INT_PTR ProjectRunCalendarDlg(CProjectDoc& doc, const CString& strCalName, CProjCalendarResult& result)
{
    const ProjectCalendarRunner& runner = Slot<ProjectCalendarRunner>();
    return runner ? runner(doc, strCalName, result) : IDCANCEL;
}

ProjectTaskPropertyRunner ProjectSetTaskPropertyRunner(ProjectTaskPropertyRunner runner)
{
    return std::exchange(Slot<ProjectTaskPropertyRunner>(), std::move(runner));
}

INT_PTR ProjectRunTaskProperty(CProjectDoc& doc, CTaskItem& task)
{
    const ProjectTaskPropertyRunner& runner = Slot<ProjectTaskPropertyRunner>();
    return runner ? runner(doc, task) : IDCANCEL;
}
