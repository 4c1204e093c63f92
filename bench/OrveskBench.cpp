// Speed of the project model: the exchange XML of a 10,000-task project both ways, and the
// local project file both ways; the peak memory of reading a 100,000-task project's XML,
// handed over by its owner as the program's load does, and kept by the caller.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <malloc.h>
#include <unistd.h>

#include "ProjectDoc.h"

namespace {

CTaskItem* MakeTask(int& nRow, int nLevel, int& nDocs)
{
    CTaskItem* pTask = new CTaskItem;
    const int nHere = ++nRow;
    pTask->m_nRowInGrid = nHere;
    pTask->m_nTaskID = 100000 + nHere;
    pTask->m_nProjID = 9;
    pTask->m_nParentID = nLevel;
    pTask->m_strName.Format("任务 %d 的名称", nHere);
    pTask->m_strDesc.Format("说明 <%d> & 备注", nHere);
    pTask->m_nDuration = 86400 * (1 + nHere % 20);
    pTask->m_nProgress = nHere % 101;
    pTask->m_dtStart = COleDateTime(2004, 1, 1, 8, 0, 0) + COleDateTimeSpan(nHere % 300, 0, 0, 0);
    pTask->m_dtFinish = pTask->m_dtStart + COleDateTimeSpan(5, 9, 0, 0);
    pTask->m_dtCreation = COleDateTime(2003, 12, 1, 0, 0, 0);
    pTask->m_dtDeadline = COleDateTime(2004, 12, 31, 0, 0, 0);
    pTask->m_dtEarlyStart = pTask->m_dtStart;
    pTask->m_dtEarlyFinish = pTask->m_dtFinish;
    pTask->m_dtLateStart = pTask->m_dtStart;
    pTask->m_dtLateFinish = pTask->m_dtFinish;
    CString strCode;
    strCode.Format("R%d", nHere % 50);
    pTask->m_arrAssignees.Add(strCode);
    pTask->m_arrSuccessors.Add(nHere + 1);

    CTaskLink* pLink = new CTaskLink;
    pLink->m_nSuccID = nHere > 1 ? nHere - 1 : 1;
    pLink->m_nPredID = 100000 + pLink->m_nSuccID;
    pLink->m_nType = 1;
    pLink->m_strPredName.Format("任务 %d", pLink->m_nSuccID);
    pTask->m_listLinks.AddTail(pLink);

    if (nDocs > 0 && nHere % 5 == 0) {
        --nDocs;
        CRefDoc* pRef = new CRefDoc;
        pRef->m_strDocName.Format("图纸 %d.dwg", nHere);
        pRef->m_strDocLocation.Format("/docs/%d", nHere);
        pRef->m_nPdmObjectID = nHere;
        pTask->m_listRefDocs.AddTail(pRef);
    }
    return pTask;
}

// 10,000 tasks (or nTasks) on three levels (100 x 9 x 10, plus their parents), a link
// each, 2,000 documents.
void FillProject(CProjectDoc& doc, int nTasks = 10000)
{
    doc.m_ProjectInfo.m_nProjID = 9;
    doc.m_ProjectInfo.m_strName = "基准项目";
    for (int i = 0; i < 50; ++i) {
        tagResInfo res;
        res.strCode.Format("R%d", i);
        res.strName.Format("资源%d", i);
        doc.m_ProjectInfo.m_listMembers.AddTail(res);
    }
    int nRow = 0;
    int nDocs = 2000;
    while (nRow < nTasks) {
        CTaskItem* pTop = MakeTask(nRow, 1, nDocs);
        for (int c = 0; c < 9 && nRow < nTasks; ++c) {
            CTaskItem* pChild = MakeTask(nRow, 2, nDocs);
            for (int g = 0; g < 10 && nRow < nTasks; ++g)
                pChild->m_listChildren.AddTail(MakeTask(nRow, 3, nDocs));
            pTop->m_listChildren.AddTail(pChild);
        }
        doc.m_listTasks.AddTail(pTop);
    }
    doc.m_nMaxRowInGrid = nRow;
}

void BM_WriteProjectXml(benchmark::State& state)
{
    CProjectDoc doc;
    FillProject(doc);
    for (auto _ : state) {
        CString xml;
        doc.WriteProjectXml(xml);
        benchmark::DoNotOptimize(xml.GetLength());
        state.counters["bytes"] = xml.GetLength();
    }
}
BENCHMARK(BM_WriteProjectXml)->Unit(benchmark::kMillisecond);

void BM_ParseProjectXml(benchmark::State& state)
{
    CString xml;
    {
        CProjectDoc doc;
        FillProject(doc);
        doc.WriteProjectXml(xml);
    }
    for (auto _ : state) {
        CProjectDoc doc;
        doc.ParseProjectXml(xml);
        benchmark::DoNotOptimize(doc.m_listTasks.GetCount());
        state.PauseTiming();
        doc.DetachList();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ParseProjectXml)->Unit(benchmark::kMillisecond);

// The process's peak resident memory since the last ResetPeakMemory, in MB (Linux).
double PeakMemoryMB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 6, "VmHWM:") == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}
void ResetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::string BenchFile()
{
    return "/tmp/orvesk-bench-" + std::to_string(::getpid()) + ".tlp";
}

// Reading the XML of a 100,000-task project: the peak memory of the process while it
// reads (the text itself included), and the time. The program's load hands its text over
// (the server's reply is not needed once read), so the text is read afresh for each load,
// from a file, and handed over; with bKeepText the caller keeps it.
void ParseProjectXml100k(benchmark::State& state, bool bKeepText)
{
    const std::string path = BenchFile() + ".xml";
    double textMB = 0;
    {
        CProjectDoc doc;
        FillProject(doc, 100000);
        CString xml;
        doc.WriteProjectXml(xml);
        textMB = xml.GetLength() / (1024.0 * 1024.0);
        std::ofstream(path, std::ios::binary).write(xml.GetString(), xml.GetLength());
    }
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CString xml;
        {
            std::ifstream in(path, std::ios::binary);
            std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            xml = CString(std::move(text));
        }
        malloc_trim(0);
        ResetPeakMemory();
        state.ResumeTiming();
        CProjectDoc doc;
        if (bKeepText)
            doc.ParseProjectXml(xml);
        else
            doc.ParseProjectXml(std::move(xml));
        benchmark::DoNotOptimize(doc.m_listTasks.GetCount());
        state.PauseTiming();
        peak = std::max(peak, PeakMemoryMB());
        if (doc.m_listTasks.GetCount() != 1000)
            state.SkipWithError("not read");
        doc.DetachList();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    state.counters["text_MB"] = textMB;
    state.counters["peak_MB"] = peak;
}
void BM_ParseProjectXml100k(benchmark::State& state) { ParseProjectXml100k(state, false); }
BENCHMARK(BM_ParseProjectXml100k)->Unit(benchmark::kMillisecond)->Iterations(2);
void BM_ParseProjectXml100kTextKept(benchmark::State& state) { ParseProjectXml100k(state, true); }
BENCHMARK(BM_ParseProjectXml100kTextKept)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_SaveLocalFile(benchmark::State& state)
{
    CProjectDoc doc;
    FillProject(doc);
    const std::string path = BenchFile();
    for (auto _ : state) {
        CString error;
        if (!doc.SaveLocalFile(path.c_str(), error))
            state.SkipWithError((LPCTSTR)error);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveLocalFile)->Unit(benchmark::kMillisecond);

void BM_LoadLocalFile(benchmark::State& state)
{
    const std::string path = BenchFile();
    {
        CProjectDoc doc;
        FillProject(doc);
        CString error;
        doc.SaveLocalFile(path.c_str(), error);
    }
    for (auto _ : state) {
        CProjectDoc doc;
        CString error;
        if (!doc.LoadLocalFile(path.c_str(), error))
            state.SkipWithError((LPCTSTR)error);
        benchmark::DoNotOptimize(doc.m_listTasks.GetCount());
        state.PauseTiming();
        doc.DetachList();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadLocalFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
