// pdm-store: makes a product-data store and fills it from a folder tree.
#include <Pdm/PdmImport.h>
#include <Pdm/PdmSettings.h>
#include <Pdm/PdmStore.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

const char kUsage[] =
    "Usage: pdm-store COMMAND [OPTIONS]\n"
    "Makes and fills a product-data store, the file a project server serves to the\n"
    "document browser and the picker (project-server --pdm-store STORE).\n"
    "\n"
    "Commands:\n"
    "  create [STORE]                     make an empty store\n"
    "  import [--link] [--into C/O] [STORE] FOLDER\n"
    "                                     add FOLDER's files and folders (recursively)\n"
    "                                     below the root, or below folder C/O (class id /\n"
    "                                     object id); --link keeps each file's path\n"
    "                                     instead of its bytes\n"
    "  list [STORE] [C/O]                 show the folders and documents below the root\n"
    "                                     or below folder C/O\n"
    "  --help                             this text\n"
    "\n"
    "STORE is a store file, or an ODBC connection string naming a database server\n"
    "(a text with \"=\" and \";\", as given to project-server --database); it defaults\n"
    "to the configured store file:\n"
    "  %s\n";

bool ParsePair(const char* text, int32_t& classId, int32_t& objectId)
{
    char* end = nullptr;
    long c = std::strtol(text, &end, 10);
    if (end == text || *end != '/')
        return false;
    const char* rest = end + 1;
    long o = std::strtol(rest, &end, 10);
    if (end == rest || *end != '\0' || c < INT32_MIN || c > INT32_MAX || o < INT32_MIN || o > INT32_MAX)
        return false;
    classId = static_cast<int32_t>(c);
    objectId = static_cast<int32_t>(o);
    return true;
}

int Usage(FILE* out, int code)
{
    std::fprintf(out, kUsage, PdmStoreFile().c_str());
    return code;
}

// The store as the messages name it (a connection string may hold a password).
std::string Shown(const std::string& store)
{
    return CPdmStore::IsConnectionString(store) ? std::string("the store on the database server") : store;
}

bool OpenStore(CPdmStore& store, const std::string& path, CPdmStore::OpenMode mode)
{
    if (mode == CPdmStore::CreateIfMissing && !CPdmStore::IsConnectionString(path)) {
        // Make the folder the default store lives in.
        std::error_code ec;
        std::filesystem::path dir = std::filesystem::path(path).parent_path();
        if (!dir.empty())
            std::filesystem::create_directories(dir, ec);
    }
    if (store.Open(path, mode))
        return true;
    std::fprintf(stderr, "pdm-store: %s\n", store.LastError().c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage(stderr, 2);
    std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help")
        return Usage(stdout, 0);
    bool link = false;
    int32_t intoClass = PDM_ROOT_CLASS, intoObject = PDM_ROOT_OBJECT;
    std::vector<std::string> args;
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--link" && command == "import")
            link = true;
        else if (a == "--into" && command == "import" && i + 1 < argc) {
            if (!ParsePair(argv[++i], intoClass, intoObject)) {
                std::fprintf(stderr, "pdm-store: \"%s\" is not a folder pair CLASS/OBJECT\n", argv[i]);
                return 2;
            }
        } else if (a == "--help")
            return Usage(stdout, 0);
        else if (a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "pdm-store: unknown option %s\n", a.c_str());
            return 2;
        } else
            args.push_back(a);
    }
    CPdmStore store;
    if (command == "create") {
        if (args.size() > 1)
            return Usage(stderr, 2);
        std::string path = args.empty() ? PdmStoreFile() : args[0];
        if (!OpenStore(store, path, CPdmStore::CreateIfMissing))
            return 1;
        std::printf("%s is ready\n", Shown(path).c_str());
        return 0;
    }
    if (command == "import") {
        if (args.empty() || args.size() > 2)
            return Usage(stderr, 2);
        std::string path = args.size() == 2 ? args[0] : PdmStoreFile();
        if (!OpenStore(store, path, CPdmStore::CreateIfMissing))
            return 1;
        PdmImportResult result;
        std::string error;
        if (!PdmImportTree(store, args.back(), intoClass, intoObject, link, result, error)) {
            std::fprintf(stderr, "pdm-store: nothing imported: %s\n", error.c_str());
            return 1;
        }
        for (const std::string& line : result.skipped)
            std::fprintf(stderr, "pdm-store: skipped %s\n", line.c_str());
        std::printf("%d folders, %d documents imported into %s\n", result.folders, result.documents,
                    Shown(path).c_str());
        return 0;
    }
    if (command == "list") {
        std::string path = PdmStoreFile();
        int32_t c = PDM_ROOT_CLASS, o = PDM_ROOT_OBJECT;
        for (const std::string& a : args) {
            if (!ParsePair(a.c_str(), c, o))
                path = a;
        }
        if (!OpenStore(store, path, CPdmStore::OpenExisting))
            return 1;
        std::vector<PdmNodeRow> nodes;
        std::vector<PdmDocRow> docs;
        if (!store.ListChildren(c, o, nodes) || !store.ListDocuments(c, o, docs)) {
            std::fprintf(stderr, "pdm-store: %s\n", store.LastError().c_str());
            return 1;
        }
        for (const PdmNodeRow& n : nodes)
            std::printf("folder   %d/%d%s\t%s\n", n.classId, n.objectId, n.hasChildren ? "+" : "", n.name.c_str());
        for (const PdmDocRow& d : docs)
            std::printf("document %d/%d\t%lld\t%s\t%s\n", d.classId, d.objectId, static_cast<long long>(d.size),
                        d.modified.c_str(), d.fileName.c_str());
        return 0;
    }
    std::fprintf(stderr, "pdm-store: unknown command %s\n", command.c_str());
    return Usage(stderr, 2);
}
