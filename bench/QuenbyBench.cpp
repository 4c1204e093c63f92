// Download throughput on loopback: the download dialog (worker thread, 64 KB reads,
// display updates) against curl writing the same file from the same server. And the
// document list filling a folder of 10,000 documents in each of its four styles (the
// target: under 100 ms a fill).
#include <HttpDownloadDlg.h>
#include <PdmDocListCtrl.h>
#include <Pdm/FakePdm.h>
#include <HttpLoopback/LoopbackHttpServer.h>

#include <ClassLib/AfxWin.h>
#include <ClassLib/Testing/UiScripts.h>

#include "ScreenBench.h"
#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include <unistd.h>

namespace {

const uint64_t kSize = 128ull * 1024 * 1024;
const double kSizeMb = (double)(kSize >> 20);

CLoopbackHttpServer& Server()
{
    static CLoopbackHttpServer* s = [] {
        auto* server = new CLoopbackHttpServer;
        CLoopbackHttpServer::Reply r;
        r.generatedSize = kSize;
        server->Serve("/big.bin", r);
        server->Start();
        return server;
    }();
    return *s;
}

std::string Target()
{
    return "/tmp/pcbench-download-" + std::to_string(getpid()) + ".bin";
}

void BM_DownloadDialog(benchmark::State& state)
{
    AfxEnsureApplication();
    const std::string target = Target();
    CScreenTimes times;
    for (auto _ : state) {
        std::remove(target.c_str());
        times.Start();
        CHttpDownloadDlg dlg;
        dlg.m_strUrl = Server().Url("/big.bin").c_str();
        dlg.m_strTargetFile = target.c_str();
        AfxTestPushModalScript([](CWnd* pDlg) {
            while (pDlg->m_nFlags & WF_CONTINUEMODAL) {
                AfxPumpMessages();
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
        if (dlg.DoModal() != IDOK)
            state.SkipWithError("the download failed");
        times.Stop(state);
    }
    std::remove(target.c_str());
    state.SetBytesProcessed((int64_t)(state.iterations() * kSize));
    times.Report(state, "download-dialog", kSizeMb);
}
BENCHMARK(BM_DownloadDialog)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

size_t WriteToFile(char* data, size_t size, size_t n, void* user)
{
    return std::fwrite(data, size, n, static_cast<FILE*>(user));
}

void BM_CurlToFile(benchmark::State& state)
{
    const std::string target = Target();
    CScreenTimes times;
    for (auto _ : state) {
        times.Start();
        FILE* f = std::fopen(target.c_str(), "wb");
        CURL* c = curl_easy_init();
        const std::string url = Server().Url("/big.bin");
        curl_easy_setopt(c, CURLOPT_URL, url.c_str());
        curl_easy_setopt(c, CURLOPT_PROXY, "");
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &WriteToFile);
        curl_easy_setopt(c, CURLOPT_WRITEDATA, f);
        if (curl_easy_perform(c) != CURLE_OK)
            state.SkipWithError("curl failed");
        curl_easy_cleanup(c);
        std::fclose(f);
        times.Stop(state);
    }
    std::remove(target.c_str());
    state.SetBytesProcessed((int64_t)(state.iterations() * kSize));
    times.Report(state, "download-curl", kSizeMb);
}
BENCHMARK(BM_CurlToFile)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// A folder of 10,000 documents of twenty kinds, and one of 10,000 kinds.
CFakePdm& BigFolder()
{
    static CFakePdm* pdm = [] {
        auto* p = new CFakePdm;
        for (int i = 0; i < 10000; i++) {
            CString name;
            name.Format("document %05d.ext%d", i, i % 20);
            p->AddDocument(21, 1, 101, i + 1, name);
            name.Format("file %05d.k%d", i, i);
            p->AddDocument(21, 2, 101, 20000 + i, name);
        }
        return p;
    }();
    return *pdm;
}

void ListFolder(benchmark::State& state, UINT nObjectId)
{
    AfxEnsureApplication();
    CPdmFactoryScope factory(BigFolder().Factory());
    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600),
                    NULL, 0);
    CPdmDocListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 780, 580), &parent, 29002);
    list.Init(1, (int)state.range(0));
    list.LoadData(21, nObjectId);  // the extension icons are made once and kept
    for (auto _ : state) {
        if (!list.LoadData(21, nObjectId) || list.GetItemCount() != 10000)
            state.SkipWithError("the folder was not listed");
        AfxPumpMessages();  // and shown
    }
    list.DestroyWindow();
    parent.DestroyWindow();
}

// Style 0 large icons, 1 small icons, 2 list, 3 report.
void BM_ListFolder10000(benchmark::State& state) { ListFolder(state, 1); }
BENCHMARK(BM_ListFolder10000)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// Every document of its own kind: the icon cache's look-ups stay cheap.
void BM_ListFolder10000Kinds(benchmark::State& state) { ListFolder(state, 2); }
BENCHMARK(BM_ListFolder10000Kinds)->Arg(3)->Unit(benchmark::kMillisecond);

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
