// The product-data answers of the project server.
#include "PdmService.h"

#include <Pdm/PdmReplies.h>
#include <Pdm/PdmStore.h>

namespace projectserver {

namespace {

void Answer(HttpResponse& res, int status, const std::string& body)
{
    res.status = status;
    res.SetContent(body, kPdmXmlType);
}

void Error(HttpResponse& res, int status, const std::string& why, bool refused)
{
    Answer(res, status, WritePdmError(why, refused));
}

// The store's error for a client: without the server's file names.
std::string Shown(const CPdmStore& store, const std::string& storePath)
{
    return WithoutPaths(store.LastError(), {storePath});
}

bool Param(const HttpRequest& req, const char* name, int32_t& value)
{
    return req.HasParam(name) && PdmParseId(req.Param(name), value);
}

// The pair of a node from ClassID and ObjectID; 400 when they are not whole numbers.
bool NodeParams(const HttpRequest& req, HttpResponse& res, int32_t& classId, int32_t& objectId)
{
    if (Param(req, "ClassID", classId) && Param(req, "ObjectID", objectId))
        return true;
    Error(res, 400, "ClassID and ObjectID must be whole numbers", false);
    return false;
}

// 503 when the server has no store or it cannot be opened.
bool OpenStore(const std::string& storePath, CPdmStore& store, HttpResponse& res)
{
    if (storePath.empty()) {
        Error(res, 503, "this server has no product-data store", false);
        return false;
    }
    if (store.Open(storePath, CPdmStore::OpenExisting, 5000))
        return true;
    Error(res, 503, Shown(store, storePath), false);
    return false;
}

}  // namespace

void ServePdmNodes(const std::string& storePath, const HttpRequest& req, HttpResponse& res)
{
    int32_t classId = 0, objectId = 0;
    CPdmStore store;
    if (!NodeParams(req, res, classId, objectId) || !OpenStore(storePath, store, res))
        return;
    std::vector<PdmNodeRow> rows;
    if (!store.ListChildren(classId, objectId, rows))
        return Error(res, 503, Shown(store, storePath), false);
    Answer(res, 200, WritePdmNodes(rows));
}

void ServePdmDocuments(const std::string& storePath, const HttpRequest& req, HttpResponse& res)
{
    int32_t classId = 0, objectId = 0;
    CPdmStore store;
    if (!NodeParams(req, res, classId, objectId) || !OpenStore(storePath, store, res))
        return;
    std::vector<PdmDocRow> rows;
    if (!store.ListDocuments(classId, objectId, rows))
        return Error(res, 503, Shown(store, storePath), false);
    Answer(res, 200, WritePdmDocuments(rows));
}

void ServePdmClasses(const std::string& storePath, const HttpRequest& req, HttpResponse& res)
{
    int32_t nodeClassId = 0;
    if (!Param(req, "NodeClassID", nodeClassId))
        return Error(res, 400, "NodeClassID must be a whole number", false);
    CPdmStore store;
    if (!OpenStore(storePath, store, res))
        return;
    std::vector<PdmClassRow> rows;
    if (!store.ListDocClasses(nodeClassId, rows))
        return Error(res, 503, Shown(store, storePath), false);
    Answer(res, 200, WritePdmClasses(rows));
}

void ServePdmStoreReady(const std::string& storePath, const HttpRequest&, HttpResponse& res)
{
    CPdmStore store;
    if (OpenStore(storePath, store, res))
        Answer(res, 200, WritePdmStoreReady());
}

void ServePdmAddDocument(const std::string& storePath, const HttpRequest& req, HttpResponse& res)
{
    int32_t parentClass = 0, parentObject = 0, docClass = 0;
    if (!Param(req, "ParentClassID", parentClass) || !Param(req, "ParentObjectID", parentObject) ||
        !Param(req, "DocClassID", docClass) || !req.HasParam("FileName"))
        return Error(res, 400, "ParentClassID, ParentObjectID, DocClassID and FileName are needed", false);
    CPdmStore store;
    if (!OpenStore(storePath, store, res))
        return;
    int32_t id = 0;
    if (!store.AddDocument(parentClass, parentObject, docClass, req.Param("FileName"), id))
        return Error(res, store.LastErrorRefused() ? 400 : 503, Shown(store, storePath), store.LastErrorRefused());
    Answer(res, 200, WritePdmAdded(id));
}

}  // namespace projectserver
