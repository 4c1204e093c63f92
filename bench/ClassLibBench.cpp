// Speed of the class library's code page 936 conversions: a large text to UTF-8 and back,
// and many short texts, the way a DOM reader converts them.
#include <benchmark/benchmark.h>

#include <ClassLib/Afx.h>

#include <string>
#include <vector>

namespace {

// Some 12 MB: markup and numbers with a few Chinese words, as in the project XML.
const std::string& LargeCp936()
{
    static const std::string text = [] {
        std::string s;
        for (int i = 0; s.size() < 12000000; ++i) {
            s += "<TASK><TASKID>" + std::to_string(100000 + i) + "</TASKID><NAME>\xC8\xCE\xCE\xF1 " +
                 std::to_string(i) + " \xB5\xC4\xC3\xFB\xB3\xC6</NAME><DURATION>86400</DURATION>";
            for (int k = 0; k < 20; ++k)
                s += "<F>" + std::to_string(i * k) + "</F>";
            s += "</TASK>";
        }
        return s;
    }();
    return text;
}

void BM_Utf8FromCp936Large(benchmark::State& state)
{
    const std::string& in = LargeCp936();
    for (auto _ : state)
        benchmark::DoNotOptimize(Utf8FromCp936(in.data(), in.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(in.size()));
}
BENCHMARK(BM_Utf8FromCp936Large)->Unit(benchmark::kMillisecond);

void BM_Cp936FromUtf8Large(benchmark::State& state)
{
    const std::string& cp936 = LargeCp936();
    const std::string in = Utf8FromCp936(cp936.data(), cp936.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(Cp936FromUtf8(in.data(), in.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(in.size()));
}
BENCHMARK(BM_Cp936FromUtf8Large)->Unit(benchmark::kMillisecond);

// 100,000 short texts of a few Chinese characters each.
void BM_Cp936FromUtf8Short(benchmark::State& state)
{
    std::vector<std::string> texts;
    for (int i = 0; i < 100000; ++i)
        texts.push_back("\xE4\xBB\xBB\xE5\x8A\xA1 " + std::to_string(i) + " \xE7\x9A\x84\xE5\x90\x8D\xE7\xA7\xB0");
    for (auto _ : state) {
        size_t total = 0;
        for (const std::string& t : texts)
            total += Cp936FromUtf8(t.data(), t.size()).size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_Cp936FromUtf8Short)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
