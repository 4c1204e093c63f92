// The components' records from a local store file (the file SetPdmStoreFile named).
#include "PdmComponentSource.h"

#include <Pdm/PdmSettings.h>

namespace {

bool Open(const char* who, CPdmStore& store)
{
    if (store.Open(PdmStoreFile(), CPdmStore::OpenExisting, PdmBusyTimeout()))
        return true;
    PdmTrace(std::string(who) + ": " + store.LastError());
    return false;
}

HRESULT Failed(const char* who, const CPdmStore& store)
{
    PdmTrace(std::string(who) + ": " + store.LastError());
    return PDM_E_STORE;
}

HRESULT Children(LONG classId, LONG objectId, std::vector<PdmNodeRow>& rows)
{
    CPdmStore store;
    if (!Open("PdmNodeList", store))
        return PDM_E_STORE;
    return store.ListChildren(classId, objectId, rows) ? S_OK : Failed("PdmNodeList", store);
}

HRESULT Documents(LONG classId, LONG objectId, std::vector<PdmDocRow>& rows)
{
    CPdmStore store;
    if (!Open("PdmDocList", store))
        return PDM_E_STORE;
    return store.ListDocuments(classId, objectId, rows) ? S_OK : Failed("PdmDocList", store);
}

HRESULT Classes(LONG nodeClassId, std::vector<PdmClassRow>& rows)
{
    CPdmStore store;
    if (!Open("PdmAvailList", store))
        return PDM_E_STORE;
    return store.ListDocClasses(nodeClassId, rows) ? S_OK : Failed("PdmAvailList", store);
}

HRESULT Ready(const char* who)
{
    CPdmStore store;
    return Open(who, store) ? S_OK : PDM_E_STORE;
}

HRESULT Add(LONG parentClassId, LONG parentObjectId, LONG docClassId, const std::string& fileName, int32_t& newObjectId)
{
    CPdmStore store;
    if (!Open("PdmData", store))
        return PDM_E_STORE;
    if (store.AddDocument(parentClassId, parentObjectId, docClassId, fileName, newObjectId))
        return S_OK;
    PdmTrace("PdmData: " + store.LastError());
    return store.LastErrorRefused() ? E_INVALIDARG : PDM_E_STORE;
}

}  // namespace

const PdmRowSource kPdmStoreSource = {&Children, &Documents, &Classes, &Ready, &Add};
