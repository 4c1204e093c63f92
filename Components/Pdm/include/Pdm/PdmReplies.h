// The product-data answers the project server sends and the components read: one small
// XML document (UTF-8) per request.
//
//   GET  /pdm/Nodes.asp?ClassID=C&ObjectID=O      <PdmNodes><Node ClassID= ObjectID= HasChildren= Name=/>...
//   GET  /pdm/Documents.asp?ClassID=C&ObjectID=O  <PdmDocuments><Document ClassID= ObjectID= Size= Modified=
//                                                 FileName=/>...
//   GET  /pdm/Classes.asp?NodeClassID=C           <PdmClasses><Class ClassID= Name=/>...
//   GET  /pdm/Store.asp                           <PdmStore/> (the store can be opened)
//   POST /pdm/AddDocument.asp                     form ParentClassID, ParentObjectID, DocClassID,
//                                                 FileName; <PdmAdded ObjectID=/>
//
// Records come in the store's order. A refused addition is HTTP 400 with
// <PdmError Refused="1">why</PdmError>; a store that fails is 503 with <PdmError>. Every
// answer is text/xml.
//
// The readers take an answer's body and give the records, or false with the reason: not
// XML, cut short, another answer's element, an id that is no 32-bit number, a name the store
// would refuse (empty, ".", "..", separators, control characters), an added id of 0.
#pragma once

#include <Pdm/PdmStore.h>

#include <cstdint>
#include <string>
#include <vector>

extern const char kPdmXmlType[];       // "text/xml; charset=utf-8"
extern const size_t kPdmMaxAnswerBytes;  // the largest answer a component reads (8 MiB)

std::string WritePdmNodes(const std::vector<PdmNodeRow>& rows);
std::string WritePdmDocuments(const std::vector<PdmDocRow>& rows);
std::string WritePdmClasses(const std::vector<PdmClassRow>& rows);
std::string WritePdmStoreReady();
std::string WritePdmAdded(int32_t objectId);
// The error text as a client is told it (by WritePdmError too): without the store's file name.
std::string PdmErrorForClients(const std::string& storeError);
std::string WritePdmError(const std::string& why, bool refused);

bool ReadPdmNodes(const std::string& body, std::vector<PdmNodeRow>& rows, std::string& error);
bool ReadPdmDocuments(const std::string& body, std::vector<PdmDocRow>& rows, std::string& error);
bool ReadPdmClasses(const std::string& body, std::vector<PdmClassRow>& rows, std::string& error);
bool ReadPdmStoreReady(const std::string& body, std::string& error);
bool ReadPdmAdded(const std::string& body, int32_t& objectId, std::string& error);
// An error answer: its text and whether the request was refused.
bool ReadPdmError(const std::string& body, std::string& why, bool& refused);

// A whole 32-bit number written in decimal (an optional '-', digits only).
bool PdmParseId(const std::string& text, int32_t& value);
// Every byte outside letters, digits and ". - _" as %XX (form fields, header values).
std::string PdmPercentEncode(const std::string& bytes);
