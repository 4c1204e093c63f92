// Downloads from the product-data store.
#include "PdmDownload.h"

#include <Pdm/PdmReplies.h>
#include <Pdm/PdmStore.h>

#include <httplib.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace projectserver {

namespace {

void Plain(httplib::Response& res, int status, const std::string& text)
{
    res.status = status;
    res.set_content(text + "\n", "text/plain; charset=utf-8");
}

// The file a record stands for, streamed; only a regular file is served.
void ServeLinkedFile(const std::string& path, httplib::Response& res)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        return Plain(res, 404, "the file of this document is not there");
    }
    auto file = std::shared_ptr<int>(new int(fd), [](int* p) {
        ::close(*p);
        delete p;
    });
    res.status = 200;
    res.set_content_provider(static_cast<size_t>(st.st_size), "application/octet-stream",
                             [file](size_t offset, size_t length, httplib::DataSink& sink) {
                                 char buf[65536];
                                 size_t want = length < sizeof(buf) ? length : sizeof(buf);
                                 ssize_t n = ::pread(*file, buf, want, static_cast<off_t>(offset));
                                 if (n <= 0)
                                     return false;
                                 return sink.write(buf, static_cast<size_t>(n));
                             });
}

}  // namespace

void ServePdmFile(const std::string& storePath, const httplib::Request& req, httplib::Response& res)
{
    int32_t classId = 0, objectId = 0;
    if (!req.has_param("ClassID") || !req.has_param("ObjectID") || !PdmParseId(req.get_param_value("ClassID"), classId) ||
        !PdmParseId(req.get_param_value("ObjectID"), objectId))
        return Plain(res, 400, "ClassID and ObjectID must be whole numbers");
    if (storePath.empty())
        return Plain(res, 404, "this server has no product-data store");
    CPdmStore store;
    if (!store.Open(storePath, CPdmStore::OpenExisting, 5000))
        return Plain(res, 503, store.LastError());
    PdmDocContent content;
    if (!store.ReadDocument(classId, objectId, content)) {
        if (store.LastError().find("does not exist") != std::string::npos)
            return Plain(res, 404, "no document " + std::to_string(classId) + "/" + std::to_string(objectId));
        return Plain(res, 503, store.LastError());
    }
    store.Close();
    res.set_header("Content-Disposition", "attachment; filename*=UTF-8''" + PdmPercentEncode(content.fileName));
    if (!content.hasBytes && !content.path.empty())
        return ServeLinkedFile(content.path, res);
    res.status = 200;
    res.set_content(content.bytes, "application/octet-stream");
}

}  // namespace projectserver
