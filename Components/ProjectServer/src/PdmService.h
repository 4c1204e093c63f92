// The product-data answers of the browser's components (Pdm/PdmReplies.h): the folders,
// documents and document classes under a node, whether the store can be opened, and the
// addition of a document record. Each request opens the store on its own, a file (WAL:
// readers never wait for a writer) or its database server by the connection string given;
// every answer is text/xml.
#pragma once

#include <string>

namespace httplib {
struct Request;
struct Response;
}  // namespace httplib

namespace projectserver {

void ServePdmNodes(const std::string& storePath, const httplib::Request& req, httplib::Response& res);
void ServePdmDocuments(const std::string& storePath, const httplib::Request& req, httplib::Response& res);
void ServePdmClasses(const std::string& storePath, const httplib::Request& req, httplib::Response& res);
void ServePdmStoreReady(const std::string& storePath, const httplib::Request& req, httplib::Response& res);
void ServePdmAddDocument(const std::string& storePath, const httplib::Request& req, httplib::Response& res);

}  // namespace projectserver
