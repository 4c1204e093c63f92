// Downloads from the product-data store.
#include "PdmDownload.h"

#include <Pdm/PdmReplies.h>
#include <Pdm/PdmStore.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace projectserver {

namespace {

void Plain(HttpResponse& res, int status, const std::string& text)
{
    res.status = status;
    res.SetContent(text + "\n", "text/plain; charset=utf-8");
}

// The part of a whole answer of `size` bytes a GET's Range asks for: 206 with that part
// only, 416 for a range past the end, else the whole answer. False when the answer is to
// be the whole.
bool CutToRange(const HttpRequest& req, uint64_t size, HttpResponse& res, uint64_t& first, uint64_t& length)
{
    res.SetHeader("Accept-Ranges", "bytes");
    // If-Range names a version this server does not tell: the whole answer.
    if (req.method != "GET" || !req.HasHeader("Range") || req.HasHeader("If-Range"))
        return false;
    ByteRange range = ParseRange(req.Header("Range"), size);
    if (range.kind == ByteRange::Whole)
        return false;
    if (range.kind == ByteRange::Unsatisfiable) {
        res.headers.clear();
        Plain(res, 416, "the range asked for lies past the end of the document");
        res.SetHeader("Content-Range", "bytes */" + std::to_string(size));
        first = length = 0;
        return true;
    }
    res.status = 206;
    res.SetHeader("Content-Range",
                  "bytes " + std::to_string(range.first) + "-" + std::to_string(range.last) + "/" + std::to_string(size));
    first = range.first;
    length = range.last - range.first + 1;
    return true;
}

// The file a record stands for, sent from the file; only a regular file is served.
void ServeLinkedFile(const HttpRequest& req, const std::string& path, HttpResponse& res)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        res.headers.clear();
        return Plain(res, 404, "the file of this document is not there");
    }
    res.status = 200;
    res.contentType = "application/octet-stream";
    uint64_t first = 0, length = static_cast<uint64_t>(st.st_size);
    if (CutToRange(req, length, res, first, length) && res.status == 416) {
        ::close(fd);
        return;
    }
    res.fd = fd;
    res.offset = first;
    res.length = length;
}

}  // namespace

void ServePdmFile(const std::string& storePath, const HttpRequest& req, HttpResponse& res)
{
    int32_t classId = 0, objectId = 0;
    if (!req.HasParam("ClassID") || !req.HasParam("ObjectID") || !PdmParseId(req.Param("ClassID"), classId) ||
        !PdmParseId(req.Param("ObjectID"), objectId))
        return Plain(res, 400, "ClassID and ObjectID must be whole numbers");
    if (storePath.empty())
        return Plain(res, 404, "this server has no product-data store");
    CPdmStore store;
    if (!store.Open(storePath, CPdmStore::OpenExisting, 5000))
        return Plain(res, 503, WithoutPaths(store.LastError(), {storePath}));
    PdmDocContent content;
    if (!store.ReadDocument(classId, objectId, content)) {
        if (store.LastError().find("does not exist") != std::string::npos)
            return Plain(res, 404, "no document " + std::to_string(classId) + "/" + std::to_string(objectId));
        return Plain(res, 503, WithoutPaths(store.LastError(), {storePath}));
    }
    store.Close();
    res.SetHeader("Content-Disposition", "attachment; filename*=UTF-8''" + PdmPercentEncode(content.fileName));
    if (!content.hasBytes && !content.path.empty())
        return ServeLinkedFile(req, content.path, res);
    res.status = 200;
    uint64_t first = 0, length = content.bytes.size();
    if (CutToRange(req, length, res, first, length)) {
        if (res.status == 416)
            return;
        content.bytes = content.bytes.substr(static_cast<size_t>(first), static_cast<size_t>(length));
    }
    res.SetContent(std::move(content.bytes), "application/octet-stream");
}

}  // namespace projectserver
