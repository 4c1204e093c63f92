// The product-data answers of the browser's components (Pdm/PdmReplies.h): the folders,
// documents and document classes under a node, whether the store can be opened, and the
// addition of a document record. Each request opens the store on its own, a file (WAL:
// readers never wait for a writer) or its database server by the connection string given;
// every answer is text/xml.
#pragma once

#include "HttpExchange.h"

#include <string>

namespace projectserver {

void ServePdmNodes(const std::string& storePath, const HttpRequest& req, HttpResponse& res);
void ServePdmDocuments(const std::string& storePath, const HttpRequest& req, HttpResponse& res);
void ServePdmClasses(const std::string& storePath, const HttpRequest& req, HttpResponse& res);
void ServePdmStoreReady(const std::string& storePath, const HttpRequest& req, HttpResponse& res);
void ServePdmAddDocument(const std::string& storePath, const HttpRequest& req, HttpResponse& res);

}  // namespace projectserver
