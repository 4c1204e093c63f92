// Working-day calculator: finish dates of many tasks on a calendar with many dated periods.
#include <Tavrin/CalendarCal.h>
#include <Tavrin/CalendarItem.h>
#include <Tavrin/DayOfWeek.h>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

struct Task
{
    COleDateTime start;
    int days;
};

class CalendarSetup
{
public:
    explicit CalendarSetup(int periodCount)
    {
        std::mt19937 random(500u);
        std::uniform_int_distribution<int> offset(0, 3650);
        std::uniform_int_distribution<int> length(0, 9);
        std::uniform_int_distribution<int> kind(0, 3);
        const COleDateTime origin(2020, 1, 1, 0, 0, 0);
        for (int i = 0; i < periodCount; ++i) {
            CCalendarItem* pItem = new CCalendarItem;
            pItem->m_dtFrom = origin + COleDateTimeSpan(offset(random), 0, 0, 0);
            pItem->m_dtTo = pItem->m_dtFrom + COleDateTimeSpan(length(random), 0, 0, 0);
            pItem->m_bWorking = kind(random) == 0 ? 1 : 0; // mostly holidays
            m_periods.AddTail(pItem);
        }
        CDayOfWeek* pSaturday = new CDayOfWeek;
        pSaturday->m_nDay = 6;
        pSaturday->m_bWorking = 0;
        m_weekdays.AddTail(pSaturday);
        m_calendar.Load(-2, m_periods, m_weekdays);

        std::uniform_int_distribution<int> days(1, 200);
        m_tasks.reserve(100000);
        for (int i = 0; i < 100000; ++i)
            m_tasks.push_back(Task{origin + COleDateTimeSpan(offset(random), 0, 0, 0), days(random)});
    }

    ~CalendarSetup()
    {
        while (!m_periods.IsEmpty())
            delete m_periods.RemoveHead();
        while (!m_weekdays.IsEmpty())
            delete m_weekdays.RemoveHead();
    }

    const CCalendarCal& Calendar() const { return m_calendar; }
    const std::vector<Task>& Tasks() const { return m_tasks; }

private:
    CObList m_periods;
    CObList m_weekdays;
    CCalendarCal m_calendar;
    std::vector<Task> m_tasks;
};

void FinishDatesOf100000Tasks(benchmark::State& state)
{
    const CalendarSetup setup(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        double sum = 0;
        for (const Task& task : setup.Tasks())
            sum += setup.Calendar().GetFinishDate(task.start, task.days).m_dt;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(setup.Tasks().size()));
}
BENCHMARK(FinishDatesOf100000Tasks)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

void StartDatesOf100000Tasks(benchmark::State& state)
{
    const CalendarSetup setup(500);
    for (auto _ : state) {
        double sum = 0;
        for (const Task& task : setup.Tasks())
            sum += setup.Calendar().GetStartDate(task.start, task.days).m_dt;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(setup.Tasks().size()));
}
BENCHMARK(StartDatesOf100000Tasks)->Unit(benchmark::kMillisecond);

void LoadCalendarOf500Periods(benchmark::State& state)
{
    const CalendarSetup setup(500);
    for (auto _ : state) {
        CCalendarCal calendar;
        calendar.Load(-2, setup.Calendar().GetPeriods(), setup.Calendar().GetWeekdays());
        benchmark::DoNotOptimize(calendar.GetPeriods().GetCount());
    }
}
BENCHMARK(LoadCalendarOf500Periods)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
