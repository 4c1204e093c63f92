// Filling a product-data store from a folder tree on disk: each folder becomes a folder
// of the store (class 21) and each file a document (class 101) with its bytes, or with
// only its path when `link` is set. A folder of the same name already in the store is
// filled further; a file whose name is already taken there is skipped. Links and entries
// whose names the store cannot hold are skipped and reported; nothing follows a link, so
// a tree with loops is read once. The whole import is one transaction: it lands whole or
// not at all.
#pragma once

#include <Pdm/PdmStore.h>

#include <string>
#include <vector>

struct PdmImportResult {
    int folders = 0;
    int documents = 0;
    std::vector<std::string> skipped;  // one line per entry left out, with the reason
};

bool PdmImportTree(CPdmStore& store, const std::string& sourceDir, int32_t parentClass, int32_t parentObject,
                   bool link, PdmImportResult& result, std::string& error);
