// The product-data answers of the project server.
#include "PdmService.h"

#include <Pdm/PdmReplies.h>
#include <Pdm/PdmStore.h>

#include <httplib.h>

namespace projectserver {

namespace {

void Answer(httplib::Response& res, int status, const std::string& body)
{
    res.status = status;
    res.set_content(body, kPdmXmlType);
}

void Error(httplib::Response& res, int status, const std::string& why, bool refused)
{
    Answer(res, status, WritePdmError(why, refused));
}

bool Param(const httplib::Request& req, const char* name, int32_t& value)
{
    return req.has_param(name) && PdmParseId(req.get_param_value(name), value);
}

// The pair of a node from ClassID and ObjectID; 400 when they are not whole numbers.
bool NodeParams(const httplib::Request& req, httplib::Response& res, int32_t& classId, int32_t& objectId)
{
    if (Param(req, "ClassID", classId) && Param(req, "ObjectID", objectId))
        return true;
    Error(res, 400, "ClassID and ObjectID must be whole numbers", false);
    return false;
}

// 503 when the server has no store or it cannot be opened.
bool OpenStore(const std::string& storePath, CPdmStore& store, httplib::Response& res)
{
    if (storePath.empty()) {
        Error(res, 503, "this server has no product-data store", false);
        return false;
    }
    if (store.Open(storePath, CPdmStore::OpenExisting, 5000))
        return true;
    Error(res, 503, store.LastError(), false);
    return false;
}

}  // namespace

void ServePdmNodes(const std::string& storePath, const httplib::Request& req, httplib::Response& res)
{
    int32_t classId = 0, objectId = 0;
    CPdmStore store;
    if (!NodeParams(req, res, classId, objectId) || !OpenStore(storePath, store, res))
        return;
    std::vector<PdmNodeRow> rows;
    if (!store.ListChildren(classId, objectId, rows))
        return Error(res, 503, store.LastError(), false);
    Answer(res, 200, WritePdmNodes(rows));
}

void ServePdmDocuments(const std::string& storePath, const httplib::Request& req, httplib::Response& res)
{
    int32_t classId = 0, objectId = 0;
    CPdmStore store;
    if (!NodeParams(req, res, classId, objectId) || !OpenStore(storePath, store, res))
        return;
    std::vector<PdmDocRow> rows;
    if (!store.ListDocuments(classId, objectId, rows))
        return Error(res, 503, store.LastError(), false);
    Answer(res, 200, WritePdmDocuments(rows));
}

void ServePdmClasses(const std::string& storePath, const httplib::Request& req, httplib::Response& res)
{
    int32_t nodeClassId = 0;
    if (!Param(req, "NodeClassID", nodeClassId))
        return Error(res, 400, "NodeClassID must be a whole number", false);
    CPdmStore store;
    if (!OpenStore(storePath, store, res))
        return;
    std::vector<PdmClassRow> rows;
    if (!store.ListDocClasses(nodeClassId, rows))
        return Error(res, 503, store.LastError(), false);
    Answer(res, 200, WritePdmClasses(rows));
}

void ServePdmStoreReady(const std::string& storePath, const httplib::Request&, httplib::Response& res)
{
    CPdmStore store;
    if (OpenStore(storePath, store, res))
        Answer(res, 200, WritePdmStoreReady());
}

void ServePdmAddDocument(const std::string& storePath, const httplib::Request& req, httplib::Response& res)
{
    int32_t parentClass = 0, parentObject = 0, docClass = 0;
    if (!Param(req, "ParentClassID", parentClass) || !Param(req, "ParentObjectID", parentObject) ||
        !Param(req, "DocClassID", docClass) || !req.has_param("FileName"))
        return Error(res, 400, "ParentClassID, ParentObjectID, DocClassID and FileName are needed", false);
    CPdmStore store;
    if (!OpenStore(storePath, store, res))
        return;
    int32_t id = 0;
    if (!store.AddDocument(parentClass, parentObject, docClass, req.get_param_value("FileName"), id))
        return Error(res, store.LastErrorRefused() ? 400 : 503, store.LastError(), store.LastErrorRefused());
    Answer(res, 200, WritePdmAdded(id));
}

}  // namespace projectserver
