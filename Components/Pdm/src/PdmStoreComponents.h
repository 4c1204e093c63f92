// The components over the SQLite store (what the factory gives without a replacement).
#pragma once

#include <Pdm/PdmInterfaces.h>

#include <string>

IPdmNodeList* NewStorePdmNodeList();
IPdmDocList* NewStorePdmDocList();
IPdmAvailList* NewStorePdmAvailList();
IPdmData* NewStorePdmData();

class CPdmStore;
// Opens the configured store for a component; on failure writes "<who>: <why>" to the trace
// and returns false.
bool OpenPdmStoreFor(const char* who, CPdmStore& store);
