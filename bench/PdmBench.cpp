// Product-data store: listing the documents of a folder through the document list
// component (load, count, then every record), on a local store file and from a project
// server over loopback (the target: 10,000 documents within 100 ms, linear in the
// folder's size), and adding document records.
#include <Pdm/PdmFactory.h>
#include <Pdm/PdmSettings.h>
#include <Pdm/PdmStore.h>
#include <ProjectServer/ProjectServer.h>

#include <ClassLib/Registry/Registry.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

struct BenchStore {
    std::string dir;
    std::string path;
    int32_t folder = 0;

    explicit BenchStore(int documents)
    {
        std::string templ = (std::filesystem::temp_directory_path() / "pdmbench-XXXXXX").string();
        std::vector<char> buf(templ.begin(), templ.end());
        buf.push_back('\0');
        dir = ::mkdtemp(buf.data()) ? buf.data() : "/tmp";
        path = dir + "/store.sqlite";
        CPdmStore store;
        store.Open(path, CPdmStore::CreateIfMissing);
        store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, "bench", folder);
        store.Begin();
        for (int i = 0; i < documents; ++i) {
            int32_t id = 0;
            store.PutDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, u8"图纸" + std::to_string(i) + ".dwg",
                              "", "", 1000 + i, "2026-01-01 00:00:00", id);
        }
        store.Commit();
        SetPdmStoreFile(path);
    }
    ~BenchStore()
    {
        SetPdmStoreFile(std::string());
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

// Lists the folder through the document list component, as the browser does; false with
// the benchmark's error when a record is missing.
bool ListAll(benchmark::State& state, int32_t folder)
{
    CPdmPtr<IPdmDocList> list(CreatePdmDocList());
    LONG count = 0;
    if (list->LoadDocuments(PDM_FOLDER_CLASS, folder) != S_OK || list->GetCount(count) != S_OK ||
        count != state.range(0)) {
        state.SkipWithError("the folder's documents do not list");
        return false;
    }
    PdmDocRecord record;
    for (LONG i = 0; i < count; ++i)
        list->GetItem(record);
    benchmark::DoNotOptimize(record);
    return true;
}

void BM_ListDocuments(benchmark::State& state)
{
    BenchStore store(static_cast<int>(state.range(0)));
    for (auto _ : state)
        if (!ListAll(state, store.folder))
            break;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListDocuments)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same store served by a project server on 127.0.0.1 that the connection settings name.
struct BenchServer {
    std::unique_ptr<projectserver::CProjectServer> server;

    explicit BenchServer(const BenchStore& store)
    {
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
            unsetenv(name);
        projectserver::ServerOptions options;
        options.databasePath = store.dir + "/projects.sqlite";
        options.pdmStorePath = store.path;
        options.demoData = false;
        server.reset(new projectserver::CProjectServer(options));
        std::string error;
        if (!server->Start(error))
            return;
        SetPdmStoreFile(std::string());
        SetServer("127.0.0.1:" + std::to_string(server->Port()));
    }
    ~BenchServer() { SetServer(""); }
    static void SetServer(const std::string& address)
    {
        HKEY key = NULL;
        if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvallo\\Lumo\\MasterClient", 0, NULL,
                           REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
            return;
        RegSetValueEx(key, "Server", 0, REG_SZ, reinterpret_cast<const BYTE*>(address.c_str()),
                      (DWORD)address.size() + 1);
        RegCloseKey(key);
    }
};

void BM_ListDocumentsFromServer(benchmark::State& state)
{
    BenchStore store(static_cast<int>(state.range(0)));
    BenchServer served(store);
    for (auto _ : state)
        if (!ListAll(state, store.folder))
            break;
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ListDocumentsFromServer)->Arg(1000)->Arg(2500)->Arg(5000)->Arg(10000)->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

void BM_AddDocumentRecord(benchmark::State& state)
{
    BenchStore store(static_cast<int>(state.range(0)));
    CPdmPtr<IPdmData> data(CreatePdmData());
    data->Initialize();
    int n = 0;
    for (auto _ : state) {
        LONG id = 0;
        CString name;
        name.Format("new%d.doc", n++);
        if (data->AddDocument(PDM_FOLDER_CLASS, store.folder, PDM_DEFAULT_DOC_CLASS, name, id) != S_OK) {
            state.SkipWithError("AddDocument failed");
            break;
        }
    }
}
BENCHMARK(BM_AddDocumentRecord)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
