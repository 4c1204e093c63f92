// Download throughput on loopback: the download dialog (worker thread, 1024-byte reads,
// display updates) against curl writing the same file from the same server.
#include <HttpDownloadDlg.h>
#include <HttpLoopback/LoopbackHttpServer.h>

#include <ClassLib/AfxWin.h>
#include <ClassLib/Testing/UiScripts.h>

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include <unistd.h>

namespace {

const uint64_t kSize = 64ull * 1024 * 1024;

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
    for (auto _ : state) {
        std::remove(target.c_str());
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
    }
    std::remove(target.c_str());
    state.SetBytesProcessed((int64_t)(state.iterations() * kSize));
}
BENCHMARK(BM_DownloadDialog)->Unit(benchmark::kMillisecond)->UseRealTime();

size_t WriteToFile(char* data, size_t size, size_t n, void* user)
{
    return std::fwrite(data, size, n, static_cast<FILE*>(user));
}

void BM_CurlToFile(benchmark::State& state)
{
    const std::string target = Target();
    for (auto _ : state) {
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
    }
    std::remove(target.c_str());
    state.SetBytesProcessed((int64_t)(state.iterations() * kSize));
}
BENCHMARK(BM_CurlToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

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
