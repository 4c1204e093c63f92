// The four product-data components over the SQLite store. A list reads its records in one
// go at the loading call (one consistent state of the store) and hands them out one by
// one.
#include "PdmStoreComponents.h"

#include <Pdm/PdmSettings.h>
#include <Pdm/PdmStore.h>

#include <ClassLib/Core/Conversion.h>

#include <vector>

bool OpenPdmStoreFor(const char* who, CPdmStore& store)
{
    if (store.Open(PdmStoreFile(), CPdmStore::OpenExisting, PdmBusyTimeout()))
        return true;
    PdmTrace(std::string(who) + ": " + store.LastError());
    return false;
}

namespace {

// The cursor the three lists share: records loaded, then handed out in order.
template <class Record>
class CRecordCursor {
public:
    void Set(std::vector<Record> records)
    {
        m_records = std::move(records);
        m_next = 0;
        m_loaded = true;
    }
    void Clear()
    {
        m_records.clear();
        m_next = 0;
        m_loaded = false;
    }
    HRESULT Count(const char* who, LONG& count) const
    {
        if (!m_loaded) {
            PdmTrace(std::string(who) + ": GetCount before a successful load");
            return E_UNEXPECTED;
        }
        count = static_cast<LONG>(m_records.size());
        return S_OK;
    }
    HRESULT Next(const char* who, Record& record)
    {
        if (!m_loaded) {
            PdmTrace(std::string(who) + ": GetItem before a successful load");
            return E_UNEXPECTED;
        }
        if (m_next >= m_records.size())
            return S_FALSE;
        record = m_records[m_next++];
        return S_OK;
    }

private:
    std::vector<Record> m_records;
    size_t m_next = 0;
    bool m_loaded = false;
};

class CStorePdmNodeList : public IPdmNodeList {
public:
    void Release() override { delete this; }
    HRESULT LoadChildren(LONG classId, LONG objectId) override
    {
        m_cursor.Clear();
        CPdmStore store;
        if (!OpenPdmStoreFor("PdmNodeList", store))
            return PDM_E_STORE;
        std::vector<PdmNodeRow> rows;
        if (!store.ListChildren(classId, objectId, rows)) {
            PdmTrace("PdmNodeList: " + store.LastError());
            return PDM_E_STORE;
        }
        std::vector<PdmNodeRecord> records;
        records.reserve(rows.size());
        for (const PdmNodeRow& row : rows) {
            PdmNodeRecord r;
            r.classId = row.classId;
            r.objectId = row.objectId;
            r.name = CStringFromUtf8(row.name);
            r.hasChildren = row.hasChildren ? 1 : 0;
            records.push_back(std::move(r));
        }
        m_cursor.Set(std::move(records));
        return S_OK;
    }
    HRESULT GetItem(PdmNodeRecord& record) override { return m_cursor.Next("PdmNodeList", record); }
    HRESULT GetCount(LONG& count) override { return m_cursor.Count("PdmNodeList", count); }

private:
    CRecordCursor<PdmNodeRecord> m_cursor;
};

class CStorePdmDocList : public IPdmDocList {
public:
    void Release() override { delete this; }
    HRESULT LoadDocuments(LONG classId, LONG objectId) override
    {
        m_cursor.Clear();
        CPdmStore store;
        if (!OpenPdmStoreFor("PdmDocList", store))
            return PDM_E_STORE;
        std::vector<PdmDocRow> rows;
        if (!store.ListDocuments(classId, objectId, rows)) {
            PdmTrace("PdmDocList: " + store.LastError());
            return PDM_E_STORE;
        }
        std::vector<PdmDocRecord> records;
        records.reserve(rows.size());
        for (const PdmDocRow& row : rows) {
            PdmDocRecord r;
            r.classId = row.classId;
            r.objectId = row.objectId;
            r.fileName = CStringFromUtf8(row.fileName);
            r.size = row.size;
            r.modified = CStringFromUtf8(row.modified);
            records.push_back(std::move(r));
        }
        m_cursor.Set(std::move(records));
        return S_OK;
    }
    HRESULT GetCount(LONG& count) override { return m_cursor.Count("PdmDocList", count); }
    HRESULT GetItem(PdmDocRecord& record) override { return m_cursor.Next("PdmDocList", record); }

private:
    CRecordCursor<PdmDocRecord> m_cursor;
};

class CStorePdmAvailList : public IPdmAvailList {
public:
    void Release() override { delete this; }
    HRESULT LoadClasses(LONG nodeClassId, LONG kind) override
    {
        m_cursor.Clear();
        if (kind != 1) {
            PdmTrace("PdmAvailList: LoadClasses knows only kind 1 (document classes), not " + std::to_string(kind));
            return E_INVALIDARG;
        }
        CPdmStore store;
        if (!OpenPdmStoreFor("PdmAvailList", store))
            return PDM_E_STORE;
        std::vector<PdmClassRow> rows;
        if (!store.ListDocClasses(nodeClassId, rows)) {
            PdmTrace("PdmAvailList: " + store.LastError());
            return PDM_E_STORE;
        }
        std::vector<PdmClassRecord> records;
        records.reserve(rows.size());
        for (const PdmClassRow& row : rows) {
            PdmClassRecord r;
            r.classId = row.classId;
            r.name = CStringFromUtf8(row.name);
            records.push_back(std::move(r));
        }
        m_cursor.Set(std::move(records));
        return S_OK;
    }
    HRESULT GetItem(PdmClassRecord& record) override { return m_cursor.Next("PdmAvailList", record); }
    HRESULT GetCount(LONG& count) override { return m_cursor.Count("PdmAvailList", count); }

private:
    CRecordCursor<PdmClassRecord> m_cursor;
};

class CStorePdmData : public IPdmData {
public:
    void Release() override { delete this; }
    HRESULT Initialize() override
    {
        m_bReady = false;
        // The store is opened again for each addition; here it is only checked.
        CPdmStore store;
        if (!OpenPdmStoreFor("PdmData", store))
            return PDM_E_STORE;
        m_bReady = true;
        return S_OK;
    }
    HRESULT AddDocument(LONG parentClassId, LONG parentObjectId, LONG docClassId, const CString& fileName,
                        LONG& newObjectId) override
    {
        if (!m_bReady) {
            PdmTrace("PdmData: AddDocument before a successful Initialize");
            return E_UNEXPECTED;
        }
        CPdmStore store;
        if (!OpenPdmStoreFor("PdmData", store))
            return PDM_E_STORE;
        int32_t id = 0;
        if (!store.AddDocument(parentClassId, parentObjectId, docClassId, Utf8FromCString(fileName), id)) {
            PdmTrace("PdmData: " + store.LastError());
            return store.LastErrorRefused() ? E_INVALIDARG : PDM_E_STORE;
        }
        newObjectId = id;
        return S_OK;
    }

private:
    bool m_bReady = false;
};

}  // namespace

IPdmNodeList* NewStorePdmNodeList()
{
    return new CStorePdmNodeList;
}
IPdmDocList* NewStorePdmDocList()
{
    return new CStorePdmDocList;
}
IPdmAvailList* NewStorePdmAvailList()
{
    return new CStorePdmAvailList;
}
IPdmData* NewStorePdmData()
{
    return new CStorePdmData;
}
