// The scripted in-memory product-data store.
#include <Pdm/FakePdm.h>

#include <ClassLib/Core/Conversion.h>

#include <algorithm>

struct CFakePdm::State {
    struct Node {
        LONG parentClass, parentObject, classId, objectId;
        CString name;
        int hasChildren;
    };
    struct Doc {
        LONG parentClass, parentObject, classId, objectId;
        CString name;
        LONGLONG size;
    };
    struct Class {
        LONG nodeClass, classId;
        CString name;
    };
    std::vector<Node> nodes;
    std::vector<Doc> docs;
    std::vector<Class> classes;
    std::map<std::string, std::map<int, HRESULT>> failures;  // call -> nth -> hr
    std::map<std::string, int> seen;
    LONG count = -1;
    LONG newId = -1;
    HRESULT selectHr = S_FALSE;
    CString selLocation, selName;
    LONG selClass = 0, selObject = 0;
    std::vector<std::string> calls;
    std::vector<std::string> added;

    // Logs the call and tells the scripted answer (S_OK when none).
    HRESULT Enter(const std::string& name, const std::string& args = std::string())
    {
        calls.push_back(name + args);
        int n = ++seen[name];
        auto it = failures.find(name);
        if (it != failures.end()) {
            auto f = it->second.find(n);
            if (f != it->second.end())
                return f->second;
        }
        return S_OK;
    }
    bool HasChildren(const Node& node) const
    {
        if (node.hasChildren >= 0)
            return node.hasChildren != 0;
        return std::any_of(nodes.begin(), nodes.end(), [&](const Node& c) {
            return c.parentClass == node.classId && c.parentObject == node.objectId;
        });
    }
};

namespace {

std::string Args(LONG a, LONG b)
{
    return "(" + std::to_string(a) + "," + std::to_string(b) + ")";
}

template <class Record>
class CFakeCursor {
public:
    std::vector<Record> records;
    size_t next = 0;
    bool loaded = false;
    HRESULT Count(CFakePdm::State& s, LONG& count)
    {
        HRESULT hr = s.Enter("GetCount");
        if (hr != S_OK)
            return hr;
        if (!loaded)
            return E_UNEXPECTED;
        count = s.count >= 0 ? s.count : static_cast<LONG>(records.size());
        return S_OK;
    }
    HRESULT Next(CFakePdm::State& s, Record& record)
    {
        HRESULT hr = s.Enter("GetItem");
        if (hr != S_OK)
            return hr;
        if (!loaded)
            return E_UNEXPECTED;
        if (next >= records.size())
            return S_FALSE;
        record = records[next++];
        return S_OK;
    }
};

class CFakeNodeList : public IPdmNodeList {
public:
    explicit CFakeNodeList(std::shared_ptr<CFakePdm::State> s) : m_s(std::move(s)) {}
    void Release() override { delete this; }
    HRESULT LoadChildren(LONG classId, LONG objectId) override
    {
        m_c = CFakeCursor<PdmNodeRecord>();
        HRESULT hr = m_s->Enter("LoadChildren", Args(classId, objectId));
        if (hr != S_OK)
            return hr;
        for (const auto& n : m_s->nodes)
            if (n.parentClass == classId && n.parentObject == objectId) {
                PdmNodeRecord r;
                r.classId = n.classId;
                r.objectId = n.objectId;
                r.name = n.name;
                r.hasChildren = m_s->HasChildren(n) ? 1 : 0;
                m_c.records.push_back(r);
            }
        m_c.loaded = true;
        return S_OK;
    }
    HRESULT GetItem(PdmNodeRecord& record) override { return m_c.Next(*m_s, record); }
    HRESULT GetCount(LONG& count) override { return m_c.Count(*m_s, count); }

private:
    std::shared_ptr<CFakePdm::State> m_s;
    CFakeCursor<PdmNodeRecord> m_c;
};

class CFakeDocList : public IPdmDocList {
public:
    explicit CFakeDocList(std::shared_ptr<CFakePdm::State> s) : m_s(std::move(s)) {}
    void Release() override { delete this; }
    HRESULT LoadDocuments(LONG classId, LONG objectId) override
    {
        m_c = CFakeCursor<PdmDocRecord>();
        HRESULT hr = m_s->Enter("LoadDocuments", Args(classId, objectId));
        if (hr != S_OK)
            return hr;
        for (const auto& d : m_s->docs)
            if (d.parentClass == classId && d.parentObject == objectId) {
                PdmDocRecord r;
                r.classId = d.classId;
                r.objectId = d.objectId;
                r.fileName = d.name;
                r.size = d.size;
                m_c.records.push_back(r);
            }
        m_c.loaded = true;
        return S_OK;
    }
    HRESULT GetCount(LONG& count) override { return m_c.Count(*m_s, count); }
    HRESULT GetItem(PdmDocRecord& record) override { return m_c.Next(*m_s, record); }

private:
    std::shared_ptr<CFakePdm::State> m_s;
    CFakeCursor<PdmDocRecord> m_c;
};

class CFakeAvailList : public IPdmAvailList {
public:
    explicit CFakeAvailList(std::shared_ptr<CFakePdm::State> s) : m_s(std::move(s)) {}
    void Release() override { delete this; }
    HRESULT LoadClasses(LONG nodeClassId, LONG kind) override
    {
        m_c = CFakeCursor<PdmClassRecord>();
        HRESULT hr = m_s->Enter("LoadClasses", Args(nodeClassId, kind));
        if (hr != S_OK)
            return hr;
        for (const auto& c : m_s->classes)
            if (c.nodeClass == nodeClassId) {
                PdmClassRecord r;
                r.classId = c.classId;
                r.name = c.name;
                m_c.records.push_back(r);
            }
        m_c.loaded = true;
        return S_OK;
    }
    HRESULT GetItem(PdmClassRecord& record) override { return m_c.Next(*m_s, record); }
    HRESULT GetCount(LONG& count) override { return m_c.Count(*m_s, count); }

private:
    std::shared_ptr<CFakePdm::State> m_s;
    CFakeCursor<PdmClassRecord> m_c;
};

class CFakeData : public IPdmData {
public:
    explicit CFakeData(std::shared_ptr<CFakePdm::State> s) : m_s(std::move(s)) {}
    void Release() override { delete this; }
    HRESULT Initialize() override { return m_s->Enter("Initialize"); }
    HRESULT AddDocument(LONG parentClassId, LONG parentObjectId, LONG docClassId, const CString& fileName,
                        LONG& newObjectId) override
    {
        HRESULT hr = m_s->Enter("AddDocument", "(" + std::to_string(parentClassId) + "," +
                                                   std::to_string(parentObjectId) + "," + std::to_string(docClassId) +
                                                   "," + Utf8FromCString(fileName) + ")");
        if (hr != S_OK)
            return hr;
        LONG id = m_s->newId;
        if (id < 0) {
            id = 0;
            for (const auto& d : m_s->docs)
                if (d.classId == docClassId)
                    id = std::max(id, d.objectId);
            ++id;
        }
        m_s->docs.push_back({parentClassId, parentObjectId, docClassId, id, fileName, 0});
        m_s->added.push_back(std::to_string(parentClassId) + "/" + std::to_string(parentObjectId) + " " +
                             std::to_string(docClassId) + "/" + std::to_string(id) + " " + Utf8FromCString(fileName));
        newObjectId = id;
        return S_OK;
    }

private:
    std::shared_ptr<CFakePdm::State> m_s;
};

class CFakeGUI : public IPdmGUI {
public:
    explicit CFakeGUI(std::shared_ptr<CFakePdm::State> s) : m_s(std::move(s)) {}
    void Release() override { delete this; }
    HRESULT Connect(const CString& user, const CString& password, LONG& result) override
    {
        HRESULT hr = m_s->Enter("Connect", "(" + Utf8FromCString(user) + "," + Utf8FromCString(password) + ")");
        result = hr == S_OK ? 1 : 0;
        return hr;
    }
    HRESULT SelectObject(LONG mode, LONG reserved, CString& location, LONG& classId, LONG& objectId,
                         CString& name) override
    {
        HRESULT hr = m_s->Enter("SelectObject", Args(mode, reserved));
        if (hr != S_OK)
            return hr;
        if (m_s->selectHr != S_OK)
            return m_s->selectHr;
        location = m_s->selLocation;
        classId = m_s->selClass;
        objectId = m_s->selObject;
        name = m_s->selName;
        return S_OK;
    }

private:
    std::shared_ptr<CFakePdm::State> m_s;
};

}  // namespace

CFakePdm::CFakePdm() : m_state(std::make_shared<State>()) {}
CFakePdm::~CFakePdm() = default;

void CFakePdm::AddNode(LONG parentClass, LONG parentObject, LONG classId, LONG objectId, const CString& name,
                       int hasChildren)
{
    m_state->nodes.push_back({parentClass, parentObject, classId, objectId, name, hasChildren});
}

void CFakePdm::AddDocument(LONG parentClass, LONG parentObject, LONG classId, LONG objectId, const CString& fileName,
                           LONGLONG size)
{
    m_state->docs.push_back({parentClass, parentObject, classId, objectId, fileName, size});
}

void CFakePdm::AddClass(LONG nodeClass, LONG docClassId, const CString& name)
{
    m_state->classes.push_back({nodeClass, docClassId, name});
}

void CFakePdm::FailCall(const std::string& call, HRESULT hr, int nth)
{
    m_state->failures[call][m_state->seen[call] + nth] = hr;
}

void CFakePdm::SetCount(LONG count)
{
    m_state->count = count;
}

void CFakePdm::SetNewObjectId(LONG id)
{
    m_state->newId = id;
}

void CFakePdm::SetSelection(HRESULT hr, const CString& location, LONG classId, LONG objectId, const CString& name)
{
    m_state->selectHr = hr;
    m_state->selLocation = location;
    m_state->selClass = classId;
    m_state->selObject = objectId;
    m_state->selName = name;
}

PdmFactory CFakePdm::Factory()
{
    std::shared_ptr<State> s = m_state;
    PdmFactory f;
    f.nodeList = [s] { return static_cast<IPdmNodeList*>(new CFakeNodeList(s)); };
    f.docList = [s] { return static_cast<IPdmDocList*>(new CFakeDocList(s)); };
    f.availList = [s] { return static_cast<IPdmAvailList*>(new CFakeAvailList(s)); };
    f.data = [s] { return static_cast<IPdmData*>(new CFakeData(s)); };
    f.gui = [s] { return static_cast<IPdmGUI*>(new CFakeGUI(s)); };
    return f;
}

const std::vector<std::string>& CFakePdm::Calls() const
{
    return m_state->calls;
}

void CFakePdm::ClearCalls()
{
    m_state->calls.clear();
}

std::vector<std::string> CFakePdm::Added() const
{
    return m_state->added;
}
