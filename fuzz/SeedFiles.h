// Where the seed programs write: <root>/<Entry>/<name>.
#pragma once

#include <string>

namespace seeds {

void SetRoot(const std::string& root);
void Put(const char* entry, const char* name, const std::string& bytes);
std::string ReadFile(const std::string& path);
// A new empty folder of the process's own under the temporary folder, for writers that
// need files of their own ("" when none can be made).
std::string TempFolder();
void RemoveFolder(const std::string& path);

// The seeds of the readers of server replies, the product-data store and the download
// (MakeServerSeeds.cpp).
// Project texts in code page 936: one with ids (stored on the server first), one whose
// tasks are all new.
void ServerSeeds(const std::string& storedProjectXml, const std::string& newProjectXml);
// The requests the service client sends for each operation, for the server's reader of
// them (the same texts).
void ServerRequestSeeds(const std::string& storedProjectXml, const std::string& newProjectXml);
void StoreSeeds();
// The server's product-data answers, for the components' readers.
void PdmReplySeeds();
void DownloadSeeds();

}  // namespace seeds
