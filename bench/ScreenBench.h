// What the benchmarks that count to the screen share: a headless platform of their own, and
// the time of each iteration with its median, reported under the measure's name so that
// scripts/bench can print one line per measure: "<measure> <tasks> <median ms>".
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// The windows of a benchmark go to the offscreen platform unless the run names another one,
// so that no benchmark stops on a machine without a display. Set before any window exists.
inline const bool g_benchHeadless = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return true;
}();

// The clock of one benchmark whose iterations are timed by hand (UseManualTime): Start and
// Stop around what is measured, Report once after the loop.
class CScreenTimes
{
public:
    void Start() { m_t0 = std::chrono::steady_clock::now(); }

    void Stop(benchmark::State& state)
    {
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_t0).count();
        state.SetIterationTime(s);
        m_times.push_back(s * 1000.0);
    }

    // Records a time measured elsewhere (in milliseconds).
    void Add(benchmark::State& state, double ms)
    {
        state.SetIterationTime(ms / 1000.0);
        m_times.push_back(ms);
    }

    double MedianMs() const
    {
        if (m_times.empty())
            return 0;
        std::vector<double> sorted(m_times);
        std::sort(sorted.begin(), sorted.end());
        const size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }

    void Report(benchmark::State& state, const char* pszMeasure, double nTasks) const
    {
        state.SetLabel(pszMeasure);
        state.counters["tasks"] = nTasks;
        state.counters["median_ms"] = MedianMs();
    }

private:
    std::chrono::steady_clock::time_point m_t0;
    std::vector<double> m_times;
};

// What each measure counts, written into the run's context as "counts <measure>" before the
// benchmarks run, so that the output says it beside the figures (scripts/bench prints it
// under them). Made once per program, at namespace scope.
struct CMeasureCounts
{
    CMeasureCounts(std::initializer_list<std::pair<const char*, const char*>> measures)
    {
        for (const auto& measure : measures)
            benchmark::AddCustomContext(std::string("counts ") + measure.first, measure.second);
    }
};
