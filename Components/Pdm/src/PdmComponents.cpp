// The four product-data components over a source of records. A list reads its records in
// one go at the loading call (one consistent state of the store) and hands them out one by
// one.
#include "PdmComponentSource.h"

#include <Pdm/PdmSettings.h>

#include <ClassLib/Core/Conversion.h>

#include <vector>

const PdmRowSource& PdmCurrentSource()
{
    return PdmUsesLocalStore() ? kPdmStoreSource : kPdmHttpSource;
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

class CPdmNodeList : public IPdmNodeList {
public:
    explicit CPdmNodeList(const PdmRowSource& source) : m_source(source) {}
    void Release() override { delete this; }
    HRESULT LoadChildren(LONG classId, LONG objectId) override
    {
        m_cursor.Clear();
        std::vector<PdmNodeRow> rows;
        HRESULT hr = m_source.children(classId, objectId, rows);
        if (hr != S_OK)
            return hr;
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
    const PdmRowSource& m_source;
    CRecordCursor<PdmNodeRecord> m_cursor;
};

class CPdmDocList : public IPdmDocList {
public:
    explicit CPdmDocList(const PdmRowSource& source) : m_source(source) {}
    void Release() override { delete this; }
    HRESULT LoadDocuments(LONG classId, LONG objectId) override
    {
        m_cursor.Clear();
        std::vector<PdmDocRow> rows;
        HRESULT hr = m_source.documents(classId, objectId, rows);
        if (hr != S_OK)
            return hr;
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
    const PdmRowSource& m_source;
    CRecordCursor<PdmDocRecord> m_cursor;
};

class CPdmAvailList : public IPdmAvailList {
public:
    explicit CPdmAvailList(const PdmRowSource& source) : m_source(source) {}
    void Release() override { delete this; }
    HRESULT LoadClasses(LONG nodeClassId, LONG kind) override
    {
        m_cursor.Clear();
        if (kind != 1) {
            PdmTrace("PdmAvailList: LoadClasses knows only kind 1 (document classes), not " + std::to_string(kind));
            return E_INVALIDARG;
        }
        std::vector<PdmClassRow> rows;
        HRESULT hr = m_source.classes(nodeClassId, rows);
        if (hr != S_OK)
            return hr;
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
    const PdmRowSource& m_source;
    CRecordCursor<PdmClassRecord> m_cursor;
};

class CPdmData : public IPdmData {
public:
    explicit CPdmData(const PdmRowSource& source) : m_source(source) {}
    void Release() override { delete this; }
    HRESULT Initialize() override
    {
        m_bReady = false;
        // The store is reached again for each addition; here it is only checked.
        HRESULT hr = m_source.ready("PdmData");
        m_bReady = hr == S_OK;
        return hr;
    }
    HRESULT AddDocument(LONG parentClassId, LONG parentObjectId, LONG docClassId, const CString& fileName,
                        LONG& newObjectId) override
    {
        if (!m_bReady) {
            PdmTrace("PdmData: AddDocument before a successful Initialize");
            return E_UNEXPECTED;
        }
        int32_t id = 0;
        HRESULT hr = m_source.add(parentClassId, parentObjectId, docClassId, Utf8FromCString(fileName), id);
        if (hr == S_OK)
            newObjectId = id;
        return hr;
    }

private:
    const PdmRowSource& m_source;
    bool m_bReady = false;
};

}  // namespace

IPdmNodeList* NewPdmNodeList(const PdmRowSource& source)
{
    return new CPdmNodeList(source);
}
IPdmDocList* NewPdmDocList(const PdmRowSource& source)
{
    return new CPdmDocList(source);
}
IPdmAvailList* NewPdmAvailList(const PdmRowSource& source)
{
    return new CPdmAvailList(source);
}
IPdmData* NewPdmData(const PdmRowSource& source)
{
    return new CPdmData(source);
}
