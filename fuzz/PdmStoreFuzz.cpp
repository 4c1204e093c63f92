// The product-data store: the input is the store file. The browser's reading runs over it
// through the components (folders below the root and below each folder found, the
// documents of each, the document classes allowed), and the store's own path and document
// reads of the records found.
#include "FuzzEntry.h"

#include <Pdm/PdmFactory.h>
#include <Pdm/PdmSettings.h>
#include <Pdm/PdmStore.h>

#include <cstdio>
#include <deque>
#include <set>
#include <string>
#include <utility>

namespace {

// Folders visited and documents read per input: enough for every seed, bounded for speed.
const size_t kMaxFolders = 48;
const size_t kMaxDocuments = 48;

void ListDocuments(LONG classId, LONG objectId, std::vector<std::pair<LONG, LONG>>& docs)
{
    CPdmPtr<IPdmDocList> list(CreatePdmDocList());
    if (!list || list->LoadDocuments(classId, objectId) != S_OK)
        return;
    LONG count = 0;
    list->GetCount(count);
    PdmDocRecord record;
    while (list->GetItem(record) == S_OK)
        if (docs.size() < kMaxDocuments)
            docs.emplace_back(record.classId, record.objectId);
}

void ListClasses(LONG nodeClassId)
{
    CPdmPtr<IPdmAvailList> list(CreatePdmAvailList());
    if (!list || list->LoadClasses(nodeClassId, 1) != S_OK)
        return;
    LONG count = 0;
    list->GetCount(count);
    PdmClassRecord record;
    while (list->GetItem(record) == S_OK) {
    }
}

void Browse(const std::string& path)
{
    std::deque<std::pair<LONG, LONG>> folders{{PDM_ROOT_CLASS, PDM_ROOT_OBJECT}};
    std::set<std::pair<LONG, LONG>> seen{folders.front()};
    std::set<LONG> classes;
    std::vector<std::pair<LONG, LONG>> visited, docs;
    while (!folders.empty() && visited.size() < kMaxFolders) {
        const std::pair<LONG, LONG> folder = folders.front();
        folders.pop_front();
        visited.push_back(folder);
        CPdmPtr<IPdmNodeList> list(CreatePdmNodeList());
        if (!list || list->LoadChildren(folder.first, folder.second) != S_OK)
            break;
        LONG count = 0;
        list->GetCount(count);
        PdmNodeRecord record;
        while (list->GetItem(record) == S_OK)
            if (seen.insert({record.classId, record.objectId}).second)
                folders.emplace_back(record.classId, record.objectId);
        ListDocuments(folder.first, folder.second, docs);
        if (classes.insert(folder.first).second)
            ListClasses(folder.first);
    }
    CPdmStore store;
    if (!store.Open(path, CPdmStore::OpenExisting, 0))
        return;
    for (const auto& folder : visited) {
        std::string names;
        bool found = false;
        store.NodeExists(folder.first, folder.second, found);
        store.NodePath(folder.first, folder.second, names);
    }
    for (const auto& doc : docs) {
        int32_t parentClass = 0, parentObject = 0;
        store.DocumentParent(doc.first, doc.second, parentClass, parentObject);
        PdmDocContent content;
        store.ReadDocument(doc.first, doc.second, content);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::EnsureHeadless();
    static const bool quiet = [] {
        SetPdmTraceSink([](const std::string&) {});
        SetPdmBusyTimeout(0);
        return true;
    }();
    (void)quiet;
    const char* written = fuzz::WriteInputFile(data, size, ".pdm.sqlite");
    if (!written)
        return 0;
    const std::string path = written;
    // The override stays after the input: nothing may fall back to the user's own store.
    SetPdmStoreFile(path);
    Browse(path);
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        std::remove((path + suffix).c_str());
    return 0;
}
