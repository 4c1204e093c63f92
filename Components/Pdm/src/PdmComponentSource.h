// Where the components get their records from: the project server of the connection
// settings (PdmHttpSource.cpp), or a local store file when the process named one
// (PdmStoreSource.cpp). Each call is one whole request; a failure writes "<who>: <why>" to
// the trace and returns the component's result (PDM_E_STORE, or E_INVALIDARG for a refused
// addition). Records come in the store's order.
#pragma once

#include <Pdm/PdmInterfaces.h>
#include <Pdm/PdmStore.h>

#include <string>
#include <vector>

struct PdmRowSource {
    HRESULT (*children)(LONG classId, LONG objectId, std::vector<PdmNodeRow>& rows);
    HRESULT (*documents)(LONG classId, LONG objectId, std::vector<PdmDocRow>& rows);
    HRESULT (*classes)(LONG nodeClassId, std::vector<PdmClassRow>& rows);
    // The store can be reached (`who` names the asking component in the trace).
    HRESULT (*ready)(const char* who);
    HRESULT (*add)(LONG parentClassId, LONG parentObjectId, LONG docClassId, const std::string& fileName,
                   int32_t& newObjectId);
};

extern const PdmRowSource kPdmStoreSource;
extern const PdmRowSource kPdmHttpSource;
// The server's, unless the process set a store file of its own.
const PdmRowSource& PdmCurrentSource();

IPdmNodeList* NewPdmNodeList(const PdmRowSource& source);
IPdmDocList* NewPdmDocList(const PdmRowSource& source);
IPdmAvailList* NewPdmAvailList(const PdmRowSource& source);
IPdmData* NewPdmData(const PdmRowSource& source);
