// Product-data store: listing the documents of a folder through the document list
// component (load, count, then every record), and adding document records.
#include <Pdm/PdmFactory.h>
#include <Pdm/PdmSettings.h>
#include <Pdm/PdmStore.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
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

void BM_ListDocuments(benchmark::State& state)
{
    BenchStore store(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CPdmPtr<IPdmDocList> list(CreatePdmDocList());
        if (list->LoadDocuments(PDM_FOLDER_CLASS, store.folder) != S_OK) {
            state.SkipWithError("LoadDocuments failed");
            break;
        }
        LONG count = 0;
        list->GetCount(count);
        PdmDocRecord record;
        for (LONG i = 0; i < count; ++i)
            list->GetItem(record);
        benchmark::DoNotOptimize(record);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListDocuments)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

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
