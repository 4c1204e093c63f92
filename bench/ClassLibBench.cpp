// Speed of the class library's code page 936 conversions: a large text to UTF-8 and back,
// and many short texts, the way a DOM reader converts them. The settings store reading and
// writing a file of up to 100,000 values: both linear in the file's size. The list control
// filled item by item with redrawing on, in the views whose cells the widest label sets:
// linear in the item count.
#include "ScreenBench.h"

#include <ClassLib/Afx.h>
#include <ClassLib/AfxWin.h>
#include <ClassLib/Testing/UiScripts.h>
#include <ClassLib/Registry/Registry.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

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

namespace {

// A settings file of n values, all in one key three levels down (the worst case for
// finding a value by name), and a thousand keys beside it.
std::string SettingsFile(int n)
{
    const std::string path = "/tmp/classlibbench-settings-" + std::to_string(::getpid()) + ".txt";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "PCREG 1\n";
    for (int k = 0; k < 1000; ++k)
        out << "[HKEY_CURRENT_USER\\Software\\Bench\\Key" << k << "\\Sub\\Leaf]\n";
    out << "[HKEY_CURRENT_USER\\Software\\Bench\\Key7\\Sub\\Leaf]\n";
    for (int i = 0; i < n; ++i)
        out << "\"Value" << i << "\"=sz:\"text " << i << "%00\"\n";
    return path;
}

void BM_SettingsStoreRead(benchmark::State& state)
{
    const std::string path = SettingsFile((int)state.range(0));
    for (auto _ : state) {
        AfxTestSetRegistryFile(path.c_str());  // the next call reads the file again
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Bench\\Key7\\Sub\\Leaf", 0, KEY_READ, &key) != ERROR_SUCCESS)
            state.SkipWithError("the file was not read");
        RegCloseKey(key);
    }
    state.SetComplexityN(state.range(0));
    AfxTestSetRegistryFile("");
    std::remove(path.c_str());
}
BENCHMARK(BM_SettingsStoreRead)->Arg(25000)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// One change writes the whole file.
void BM_SettingsStoreWrite(benchmark::State& state)
{
    const std::string path = SettingsFile((int)state.range(0));
    AfxTestSetRegistryFile(path.c_str());
    HKEY key = nullptr;
    if (RegCreateKey(HKEY_CURRENT_USER, "Software\\Bench\\Key7\\Sub\\Leaf", &key) != ERROR_SUCCESS)
        state.SkipWithError("the file was not read");
    DWORD n = 0;
    for (auto _ : state) {
        ++n;
        if (RegSetValueEx(key, "Changed", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&n), 4) != ERROR_SUCCESS)
            state.SkipWithError("the file was not written");
    }
    RegCloseKey(key);
    std::ifstream written(path, std::ios::binary | std::ios::ate);
    state.counters["file_MB"] = (double)written.tellg() / (1024.0 * 1024.0);
    state.SetComplexityN(state.range(0));
    AfxTestSetRegistryFile("");
    std::remove(path.c_str());
}
BENCHMARK(BM_SettingsStoreWrite)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Every insert lays the list out again (redrawing stays on); each new label is measured
// once, so the fill grows with the item count, not with its square.
void BM_ListCtrlFill(benchmark::State& state)
{
    AfxEnsureApplication();
    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600),
                    NULL, 0);
    CListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | (DWORD)state.range(0), CRect(0, 0, 780, 580), &parent, 1);
    const int n = (int)state.range(1);
    for (auto _ : state) {
        CString name;
        for (int i = 0; i < n; i++) {
            name.Format("document %05d.ext%d", i, i % 20);
            list.InsertItem(i, name);
        }
        AfxPumpMessages();
        if (list.GetItemCount() != n)
            state.SkipWithError("the items were not listed");
        list.DeleteAllItems();
    }
    list.DestroyWindow();
    parent.DestroyWindow();
}
BENCHMARK(BM_ListCtrlFill)->ArgsProduct({{LVS_SMALLICON, LVS_LIST}, {5000, 10000, 20000}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("PC_REGISTRY_FILE", ":memory:", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
