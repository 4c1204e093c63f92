// The product-data download: GET /pdm/GetPdmFile.asp?ClassID=%d&ObjectID=%d answers the
// document's bytes from the product-data store, a file or on a database server (or the file
// its record stands for).
// Only the two ids are read from the request, so nothing outside the store is reached
// through it. 400 for ids that are not whole 32-bit numbers, 404 for an unknown document,
// 503 when the store cannot be read. A GET may ask for one byte range (206, or 416 past the
// end); anything else gets the whole document.
#pragma once

#include "HttpExchange.h"

#include <string>

namespace projectserver {

void ServePdmFile(const std::string& storePath, const HttpRequest& req, HttpResponse& res);

}  // namespace projectserver
