// Import of a folder tree into the product-data store.
#include <Pdm/PdmImport.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const int kMaxDepth = 256;
// Larger files are kept by path only: SQLite refuses values beyond about a gigabyte.
const std::uintmax_t kMaxEmbedded = 512u * 1024u * 1024u;

std::string ModifiedText(const fs::path& p)
{
    std::error_code ec;
    auto ftime = fs::last_write_time(p, ec);
    if (ec)
        return std::string();
    auto sys = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
        ftime - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
    std::time_t t = std::chrono::system_clock::to_time_t(sys);
    std::tm tm;
    gmtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof(buf), "%Y-%m-%d %H:%M:%S", &tm);
    return buf;
}

class CImporter {
public:
    CImporter(CPdmStore& store, bool link, PdmImportResult& result) : m_store(store), m_link(link), m_result(result) {}

    bool Folder(const fs::path& dir, int32_t parentClass, int32_t parentObject, int depth, std::string& error)
    {
        if (depth > kMaxDepth) {
            m_result.skipped.push_back(dir.string() + ": deeper than " + std::to_string(kMaxDepth) + " folders");
            return true;
        }
        std::error_code ec;
        std::vector<fs::directory_entry> entries;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
            entries.push_back(*it);
        if (ec) {
            error = dir.string() + ": " + ec.message();
            return false;
        }
        std::sort(entries.begin(), entries.end(),
                  [](const fs::directory_entry& a, const fs::directory_entry& b) { return a.path() < b.path(); });
        std::vector<PdmNodeRow> children;
        std::vector<PdmDocRow> docs;
        if (!m_store.ListChildren(parentClass, parentObject, children) ||
            !m_store.ListDocuments(parentClass, parentObject, docs)) {
            error = m_store.LastError();
            return false;
        }
        for (const fs::directory_entry& entry : entries) {
            std::string name = entry.path().filename().string();
            if (entry.is_symlink(ec)) {
                m_result.skipped.push_back(entry.path().string() + ": a link, not followed");
                continue;
            }
            if (!CPdmStore::IsValidName(name)) {
                m_result.skipped.push_back(entry.path().string() + ": the name cannot be kept in the store");
                continue;
            }
            if (entry.is_directory(ec)) {
                int32_t id = 0;
                auto found = std::find_if(children.begin(), children.end(),
                                          [&](const PdmNodeRow& r) { return r.name == name; });
                if (found != children.end())
                    id = found->objectId;
                else {
                    if (!m_store.AddNode(parentClass, parentObject, PDM_FOLDER_CLASS, name, id)) {
                        error = m_store.LastError();
                        return false;
                    }
                    ++m_result.folders;
                }
                int32_t cls = found != children.end() ? found->classId : PDM_FOLDER_CLASS;
                if (!Folder(entry.path(), cls, id, depth + 1, error))
                    return false;
            } else if (entry.is_regular_file(ec)) {
                if (std::any_of(docs.begin(), docs.end(), [&](const PdmDocRow& r) { return r.fileName == name; })) {
                    m_result.skipped.push_back(entry.path().string() + ": a document of that name is there already");
                    continue;
                }
                if (!File(entry.path(), name, parentClass, parentObject, error))
                    return false;
            } else {
                m_result.skipped.push_back(entry.path().string() + ": not a file or folder");
            }
        }
        return true;
    }

private:
    bool File(const fs::path& path, const std::string& name, int32_t parentClass, int32_t parentObject,
              std::string& error)
    {
        std::error_code ec;
        std::uintmax_t size = fs::file_size(path, ec);
        if (ec) {
            m_result.skipped.push_back(path.string() + ": " + ec.message());
            return true;
        }
        std::string bytes;
        std::string linkPath;
        if (m_link || size > kMaxEmbedded) {
            linkPath = fs::absolute(path, ec).string();
            if (!m_link)
                m_result.skipped.push_back(path.string() + ": too large to embed, kept by its path");
        } else {
            std::ifstream in(path, std::ios::binary);
            if (!in) {
                m_result.skipped.push_back(path.string() + ": cannot be read");
                return true;
            }
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            if (in.bad()) {
                m_result.skipped.push_back(path.string() + ": cannot be read");
                return true;
            }
            size = bytes.size();
        }
        int32_t id = 0;
        if (!m_store.PutDocument(parentClass, parentObject, PDM_DEFAULT_DOC_CLASS, name, bytes, linkPath,
                                 static_cast<int64_t>(size), ModifiedText(path), id)) {
            error = m_store.LastError();
            return false;
        }
        ++m_result.documents;
        return true;
    }

    CPdmStore& m_store;
    bool m_link;
    PdmImportResult& m_result;
};

}  // namespace

bool PdmImportTree(CPdmStore& store, const std::string& sourceDir, int32_t parentClass, int32_t parentObject,
                   bool link, PdmImportResult& result, std::string& error)
{
    result = PdmImportResult();
    error.clear();
    std::error_code ec;
    if (!fs::is_directory(sourceDir, ec)) {
        error = "\"" + sourceDir + "\" is not a folder";
        return false;
    }
    bool found = false;
    if (!store.NodeExists(parentClass, parentObject, found)) {
        error = store.LastError();
        return false;
    }
    if (!found) {
        error = "folder " + std::to_string(parentClass) + "/" + std::to_string(parentObject) + " is not in the store";
        return false;
    }
    if (!store.Begin()) {
        error = store.LastError();
        return false;
    }
    CImporter importer(store, link, result);
    if (!importer.Folder(sourceDir, parentClass, parentObject, 0, error)) {
        store.Rollback();
        result.folders = result.documents = 0;
        return false;
    }
    if (!store.Commit()) {
        error = store.LastError();
        result.folders = result.documents = 0;
        return false;
    }
    return true;
}
