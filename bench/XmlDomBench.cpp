// Speed of the DOM: loading a large code page 936 text (10,000 records of some thirty
// leaves each, Chinese text in a few of them) with and without the nesting check, and
// reading every leaf back.
#include <benchmark/benchmark.h>

#include <XmlDom/XmlDom.h>

namespace {

CString MakeText()
{
    CString xml = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<PROJECT><TASKS>";
    CString item;
    for (int i = 1; i <= 10000; ++i) {
        item.Format("<TASK><TASKID>%d</TASKID><PARENTID>%d</PARENTID><NAME>任务 %d 的名称</NAME>"
                    "<DESC>说明 &lt;%d&gt; &amp; 备注</DESC>",
                    100000 + i, i / 10, i, i);
        xml += item;
        for (int k = 0; k < 24; ++k) {
            item.Format("<F%d>%d</F%d>", k, i * k, k);
            xml += item;
        }
        item.Format("<DATE>2004-01-%02d 08:00:00</DATE><LINKS><LINK><PREDNAME>任务 %d</PREDNAME></LINK></LINKS></TASK>",
                    1 + i % 28, i);
        xml += item;
    }
    xml += "</TASKS></PROJECT>";
    return xml;
}

const CString& Text()
{
    static const CString text = MakeText();
    return text;
}

void BM_LoadXml(benchmark::State& state)
{
    const CString& text = Text();
    for (auto _ : state) {
        CXmlDocument doc;
        if (!doc.LoadXml(text))
            state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(doc.documentElement());
    }
    state.counters["bytes"] = text.GetLength();
}
BENCHMARK(BM_LoadXml)->Unit(benchmark::kMillisecond);

void BM_LoadXmlWithoutDepthCheck(benchmark::State& state)
{
    const CString& text = Text();
    for (auto _ : state) {
        CXmlDocument doc;
        doc.setMaxDepth(0);
        if (!doc.LoadXml(text))
            state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(doc.documentElement());
    }
}
BENCHMARK(BM_LoadXmlWithoutDepthCheck)->Unit(benchmark::kMillisecond);

// Every element's name and every leaf's text, as the readers ask for them.
void BM_ReadLeaves(benchmark::State& state)
{
    CXmlDocument doc;
    doc.LoadXml(Text());
    for (auto _ : state) {
        long total = 0;
        for (CXmlNode task = doc.documentElement().firstChild().firstChild(); !task.isNull(); task = task.nextSibling()) {
            for (CXmlNode leaf = task.firstChild(); !leaf.isNull(); leaf = leaf.nextSibling())
                total += leaf.nodeName().GetLength() + leaf.text().GetLength();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadLeaves)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
