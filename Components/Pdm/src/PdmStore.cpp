// The product-data store through the data-access layer: opening, the schema, and the
// reading calls.
#include <Pdm/PdmStore.h>

#include "PdmStoreDb.h"
#include <ClassLib/Core/XmlChars.h>

#include <ClassLib/Core/Conversion.h>

#include <map>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <utility>

namespace {

const char* const kFormat = "product-data store";
const char* const kVersion = "1";

// The tables in a file (reached as dbo) and on a database server (schema dbo). A server has
// no row ids: there `rowid` is a column of its own, counting the records in the order they
// were added, so that the same queries keep that order on both.
const char* const kFileSchema[] = {
    "CREATE TABLE dbo.pdm_meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE dbo.node_class(class_id INTEGER PRIMARY KEY, name TEXT NOT NULL)",
    "CREATE TABLE dbo.doc_class(class_id INTEGER PRIMARY KEY, name TEXT NOT NULL)",
    "CREATE TABLE dbo.doc_class_allowed(node_class INTEGER NOT NULL, doc_class INTEGER NOT NULL,"
    "  PRIMARY KEY(node_class, doc_class))",
    "CREATE TABLE dbo.node(class_id INTEGER NOT NULL, object_id INTEGER NOT NULL,"
    "  parent_class INTEGER NOT NULL, parent_object INTEGER NOT NULL, name TEXT NOT NULL,"
    "  PRIMARY KEY(class_id, object_id))",
    "CREATE INDEX dbo.node_by_parent ON node(parent_class, parent_object, name)",
    "CREATE TABLE dbo.document(class_id INTEGER NOT NULL, object_id INTEGER NOT NULL,"
    "  parent_class INTEGER NOT NULL, parent_object INTEGER NOT NULL, file_name TEXT NOT NULL,"
    "  size INTEGER NOT NULL DEFAULT 0, modified TEXT NOT NULL DEFAULT '', content BLOB,"
    "  link_path TEXT, PRIMARY KEY(class_id, object_id))",
    "CREATE INDEX dbo.document_by_parent ON document(parent_class, parent_object, file_name)",
};
const char* const kServerSchema[] = {
    "CREATE TABLE dbo.pdm_meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE dbo.node_class(class_id INTEGER PRIMARY KEY, name TEXT NOT NULL)",
    "CREATE TABLE dbo.doc_class(class_id INTEGER PRIMARY KEY, name TEXT NOT NULL)",
    "CREATE TABLE dbo.doc_class_allowed(node_class INTEGER NOT NULL, doc_class INTEGER NOT NULL,"
    "  rowid BIGSERIAL NOT NULL, PRIMARY KEY(node_class, doc_class))",
    "CREATE TABLE dbo.node(class_id INTEGER NOT NULL, object_id INTEGER NOT NULL,"
    "  parent_class INTEGER NOT NULL, parent_object INTEGER NOT NULL, name TEXT NOT NULL,"
    "  rowid BIGSERIAL NOT NULL, PRIMARY KEY(class_id, object_id))",
    "CREATE INDEX node_by_parent ON dbo.node(parent_class, parent_object, name)",
    "CREATE TABLE dbo.document(class_id INTEGER NOT NULL, object_id INTEGER NOT NULL,"
    "  parent_class INTEGER NOT NULL, parent_object INTEGER NOT NULL, file_name TEXT NOT NULL,"
    "  size BIGINT NOT NULL DEFAULT 0, modified TEXT NOT NULL DEFAULT '', content BYTEA,"
    "  link_path TEXT, rowid BIGSERIAL NOT NULL, PRIMARY KEY(class_id, object_id))",
    "CREATE INDEX document_by_parent ON dbo.document(parent_class, parent_object, file_name)",
};

// Writers of a store on a server take turns on this lock (held to the end of their
// transaction), as the writers of a file do on its write lock.
const long long kWriterLock = 0x50444D53;  // "PDMS"

bool FileExists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// The error records of a failed call, joined, in UTF-8.
std::string Describe(const CDbErrorInfo& source)
{
    std::vector<CDbErrorRecord> records;
    source.GetErrorRecords(IID_ICommand, records);
    std::string text;
    for (const CDbErrorRecord& r : records) {
        std::string d = Utf8FromCString(r.strDescription);
        while (!d.empty() && (d.back() == '\n' || d.back() == ' '))
            d.pop_back();
        // One line, as traces and answers show it.
        for (char& c : d)
            if (c == '\n' || c == '\r')
                c = ' ';
        text += (text.empty() ? "" : "; ") + d;
    }
    return text.empty() ? std::string("unknown error") : text;
}

// What the database said, with what it means for the store when the cause is plain.
std::string WithCause(const std::string& what, const std::string& description)
{
    std::string text = what + ": " + description;
    auto has = [&description](const char* part) { return description.find(part) != std::string::npos; };
    if (has("database is locked") || has("database table is locked") || has("lock timeout"))
        text += " (the store is locked by another program)";
    else if (has("not a database") || has("malformed"))
        text += " (the file is damaged or is not a product-data store)";
    return text;
}

// Connections to database servers, kept between stores (the server opens a store for each
// request, and a connection takes far longer to make than a query): a few idle ones per
// connection string. Made once and never destroyed, so that no connection is closed while
// the program exits.
class CSessionPool {
public:
    static CSessionPool& Get()
    {
        static CSessionPool* s_pool = new CSessionPool;
        return *s_pool;
    }
    std::unique_ptr<CSession> Take(const std::string& connect)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_idle.find(connect);
        if (it == m_idle.end())
            return nullptr;
        std::unique_ptr<CSession> session = std::move(it->second);
        m_idle.erase(it);
        return session;
    }
    void Give(const std::string& connect, std::unique_ptr<CSession> session)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_idle.count(connect) < kIdlePerServer)
            m_idle.emplace(connect, std::move(session));
    }

private:
    static constexpr size_t kIdlePerServer = 8;
    std::mutex m_mutex;
    std::multimap<std::string, std::unique_ptr<CSession>> m_idle;
};

}  // namespace

CPdmStore::CPdmStore() = default;

CPdmStore::~CPdmStore()
{
    Close();
}

void CPdmStore::Close()
{
    if (m_session && m_nTransaction > 0)
        m_session->Abort();
    if (m_session && m_server && m_keep)
        CSessionPool::Get().Give(m_connect, std::move(m_session));
    m_session.reset();
    m_keep = false;
    m_nTransaction = 0;
}

bool CPdmStore::Refuse(const std::string& what)
{
    Fail(what);
    m_refused = true;
    return false;
}

bool CPdmStore::Fail(const std::string& what)
{
    m_refused = false;
    if (m_server)
        m_error = "product-data store on the database server: " + what;
    else
        m_error = "product-data store " + (m_path.empty() ? std::string("(none)") : "\"" + m_path + "\"") + ": " + what;
    return false;
}

bool CPdmStore::Run(const char* sql, const std::vector<CDbParam>& params, PdmDbRows* rows, const std::string& what)
{
    if (rows)
        rows->values.clear();
    if (!m_session)
        return Fail("the store is not open");
    CCommand command;
    if (FAILED(command.Open(*m_session, sql, params)))
        return Fail(WithCause(what, Describe(command)));
    if (rows && rows->each) {
        while (command.MoveNext() == S_OK)
            rows->each(command);
    } else if (rows) {
        const int columns = command.GetColumnCount();
        while (command.MoveNext() == S_OK) {
            std::vector<CDbValue> row;
            row.reserve(columns);
            for (int c = 1; c <= columns; ++c)
                row.push_back(command.GetValue(c));
            rows->values.push_back(std::move(row));
        }
    }
    return true;
}

bool CPdmStore::Open(const std::string& path, OpenMode mode, int busyMilliseconds)
{
    Close();
    m_server = IsConnectionString(path);
    // A connection string may hold a password: errors never show it.
    m_path = m_server ? std::string() : path;
    m_error.clear();
    m_refused = false;
    if (path.empty())
        return Fail("no store file is set");
    if (!m_server && mode == OpenExisting && !FileExists(path))
        return Fail("the file does not exist");
    m_connect = m_server ? path : std::string();
    if (m_server) {
        // A kept connection serves when it still reads the store; otherwise a new one decides.
        m_session = CSessionPool::Get().Take(path);
        bool empty = false;
        if (m_session && WaitForLocks(busyMilliseconds) && CheckSchema(empty)) {
            m_keep = true;
            return true;
        }
        m_session.reset();
        m_error.clear();
    }
    m_session.reset(new CSession);
    // A file keeps its journal as it is until it becomes a store (a foreign file is never
    // changed).
    HRESULT hr = m_server ? m_session->OpenOdbc(path.c_str())
                          : m_session->OpenSqliteFile(path.c_str(), busyMilliseconds > 0 ? busyMilliseconds : 0, false);
    if (FAILED(hr)) {
        std::string text = Describe(*m_session);
        m_session.reset();
        return Fail(WithCause("cannot open", text));
    }
    bool empty = false;
    bool ok = (!m_server || WaitForLocks(busyMilliseconds)) && CheckSchema(empty);
    if (!ok && empty && mode == CreateIfMissing)
        ok = CreateSchema();
    // WAL with NORMAL syncing is safe against a killed process (a power cut may lose the
    // last transactions, never the whole).
    if (ok && !m_server)
        ok = Run("PRAGMA dbo.synchronous = NORMAL", {}, nullptr, "cannot set up the file");
    if (!ok) {
        std::string error = m_error;
        Close();
        m_error = error;
        return false;
    }
    m_keep = true;
    return true;
}

bool CPdmStore::WaitForLocks(int busyMilliseconds)
{
    // On a server, as in a file, a call waits so long for a lock held elsewhere (a writer's
    // turn among them), then fails.
    const std::string sql = "SET lock_timeout = " + std::to_string(busyMilliseconds > 0 ? busyMilliseconds : 1);
    return Run(sql.c_str(), {}, nullptr, "cannot set up the connection");
}

bool CPdmStore::CheckSchema(bool& empty)
{
    empty = false;
    PdmDbRows rows;
    if (m_server) {
        if (!Run("SELECT count(*) FROM information_schema.tables WHERE table_schema = 'dbo' AND table_name = 'pdm_meta'",
                 {}, &rows, "cannot read"))
            return false;
        if (rows.values.empty() || PdmDbInt(rows.values[0][0]) == 0) {
            empty = true;
            return Fail("the database holds no product-data store");
        }
    } else {
        if (!Run("SELECT count(*) FROM dbo.sqlite_master", {}, &rows, "cannot read"))
            return false;
        if (rows.values.empty() || PdmDbInt(rows.values[0][0]) == 0) {
            empty = true;
            return Fail("the file is empty, not a product-data store");
        }
    }
    if (!Run("SELECT key, value FROM dbo.pdm_meta WHERE key IN ('format', 'version')", {}, &rows, "cannot read")) {
        if (m_error.find("(the ") != std::string::npos)
            return false;
        return Fail(m_server ? "the database is not a product-data store" : "the file is not a product-data store");
    }
    std::string format, version;
    for (const auto& row : rows.values)
        (PdmDbText(row[0]) == "format" ? format : version) = PdmDbText(row[1]);
    if (format != kFormat)
        return Fail(m_server ? "the database is not a product-data store" : "the file is not a product-data store");
    if (version != kVersion)
        return Fail("the store has version \"" + version + "\", this program reads version " + kVersion);
    return true;
}

bool CPdmStore::CreateSchema()
{
    if (!m_server && !Run("PRAGMA dbo.journal_mode = WAL", {}, nullptr, "cannot set up the file"))
        return false;
    if (m_server && !Run("CREATE SCHEMA IF NOT EXISTS dbo", {}, nullptr, "cannot make the schema dbo"))
        return false;
    if (!Begin())
        return false;
    bool ok = true;
    if (m_server) {
        // Another server may have made the store meanwhile.
        bool empty = false;
        if (CheckSchema(empty)) {
            Rollback();
            return true;
        }
        ok = empty;
    }
    if (ok) {
        for (const char* sql : m_server ? kServerSchema : kFileSchema)
            if (ok)
                ok = Run(sql, {}, nullptr, "cannot make the store");
    }
    ok = ok &&
         Run("INSERT INTO dbo.pdm_meta(key, value) VALUES('format', ?), ('version', ?)",
             {PdmText(kFormat), PdmText(kVersion)}, nullptr, "cannot make the store") &&
         Run("INSERT INTO dbo.node_class(class_id, name) VALUES(20, ?), (21, ?)",
             {PdmText(u8"产品数据"), PdmText(u8"文件夹")}, nullptr, "cannot make the store") &&
         Run("INSERT INTO dbo.doc_class(class_id, name) VALUES(101, ?)", {PdmText(u8"文档")}, nullptr,
             "cannot make the store") &&
         Run("INSERT INTO dbo.doc_class_allowed(node_class, doc_class) VALUES(20, 101), (21, 101)", {}, nullptr,
             "cannot make the store");
    if (!ok) {
        std::string error = m_error;
        Rollback();
        m_error = error;
        return false;
    }
    return Commit();
}

bool CPdmStore::StartWriting()
{
    if (FAILED(m_session->StartTransaction()))
        return Fail(WithCause("cannot begin a change", Describe(*m_session)));
    if (m_server && !Run("SELECT pg_advisory_xact_lock(?)", {PdmInt(kWriterLock)}, nullptr, "cannot begin a change")) {
        std::string error = m_error;
        m_session->Abort();
        m_error = error;
        return false;
    }
    return true;
}

bool CPdmStore::Begin()
{
    if (!m_session)
        return Fail("the store is not open");
    if (m_nTransaction++ > 0)
        return true;
    if (!StartWriting()) {
        m_nTransaction = 0;
        return false;
    }
    return true;
}

bool CPdmStore::Commit()
{
    if (!m_session || m_nTransaction == 0)
        return Fail("no transaction is open");
    if (--m_nTransaction > 0)
        return true;
    // A failed commit leaves nothing stored.
    if (FAILED(m_session->Commit()))
        return Fail(WithCause("cannot commit", Describe(*m_session)));
    return true;
}

void CPdmStore::Rollback()
{
    if (!m_session || m_nTransaction == 0)
        return;
    m_nTransaction = 0;
    m_session->Abort();
}

bool CPdmStore::IsConnectionString(const std::string& path)
{
    return CSession::IsConnectionString(path);
}

bool CPdmStore::IsValidName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7f || c == '/' || c == '\\')
            return false;
    // Listed in XML answers: a name that is no UTF-8 text would break every listing.
    return xmlchars::IsXmlText(name);
}

bool CPdmStore::ListChildren(int32_t classId, int32_t objectId, std::vector<PdmNodeRow>& rows)
{
    rows.clear();
    PdmDbRows found;
    found.each = [&rows](const CCommand& c) {
        PdmNodeRow row;
        row.classId = static_cast<int32_t>(PdmDbInt(c.GetValue(1)));
        row.objectId = static_cast<int32_t>(PdmDbInt(c.GetValue(2)));
        row.name = PdmDbText(c.GetValue(3));
        row.hasChildren = PdmDbInt(c.GetValue(4)) != 0;
        rows.push_back(std::move(row));
    };
    if (Run("SELECT n.class_id, n.object_id, n.name, CASE WHEN EXISTS(SELECT 1 FROM dbo.node c WHERE"
            " c.parent_class = n.class_id AND c.parent_object = n.object_id) THEN 1 ELSE 0 END"
            " FROM dbo.node n WHERE n.parent_class = ? AND n.parent_object = ? ORDER BY n.rowid",
            {PdmInt(classId), PdmInt(objectId)}, &found, "cannot read the folders"))
        return true;
    rows.clear();
    return false;
}

bool CPdmStore::ListDocuments(int32_t classId, int32_t objectId, std::vector<PdmDocRow>& rows)
{
    rows.clear();
    PdmDbRows found;
    found.each = [&rows](const CCommand& c) {
        PdmDocRow row;
        row.classId = static_cast<int32_t>(PdmDbInt(c.GetValue(1)));
        row.objectId = static_cast<int32_t>(PdmDbInt(c.GetValue(2)));
        row.fileName = PdmDbText(c.GetValue(3));
        row.size = PdmDbInt(c.GetValue(4));
        row.modified = PdmDbText(c.GetValue(5));
        rows.push_back(std::move(row));
    };
    if (Run("SELECT class_id, object_id, file_name, size, modified FROM dbo.document"
            " WHERE parent_class = ? AND parent_object = ? ORDER BY rowid",
            {PdmInt(classId), PdmInt(objectId)}, &found, "cannot read the documents"))
        return true;
    rows.clear();
    return false;
}

bool CPdmStore::ListDocClasses(int32_t nodeClassId, std::vector<PdmClassRow>& rows)
{
    rows.clear();
    PdmDbRows found;
    if (!Run("SELECT d.class_id, d.name FROM dbo.doc_class_allowed a JOIN dbo.doc_class d"
             " ON d.class_id = a.doc_class WHERE a.node_class = ? ORDER BY a.rowid",
             {PdmInt(nodeClassId)}, &found, "cannot read the document classes"))
        return false;
    for (const auto& v : found.values) {
        PdmClassRow row;
        row.classId = static_cast<int32_t>(PdmDbInt(v[0]));
        row.name = PdmDbText(v[1]);
        rows.push_back(std::move(row));
    }
    return true;
}

bool CPdmStore::NodeExists(int32_t classId, int32_t objectId, bool& found)
{
    found = false;
    if (!m_session)
        return Fail("the store is not open");
    if (classId == PDM_ROOT_CLASS && objectId == PDM_ROOT_OBJECT) {
        found = true;
        return true;
    }
    PdmDbRows rows;
    if (!Run("SELECT 1 FROM dbo.node WHERE class_id = ? AND object_id = ?", {PdmInt(classId), PdmInt(objectId)}, &rows,
             "cannot read the folders"))
        return false;
    found = !rows.values.empty();
    return true;
}

bool CPdmStore::NodePath(int32_t classId, int32_t objectId, std::string& path)
{
    path.clear();
    if (!m_session)
        return Fail("the store is not open");
    // Walks up to the root; a node met twice means the parents form a loop.
    std::set<std::pair<int32_t, int32_t>> seen;
    std::vector<std::string> names;
    while (!(classId == PDM_ROOT_CLASS && objectId == PDM_ROOT_OBJECT)) {
        if (!seen.insert({classId, objectId}).second)
            return Fail("the folders above " + std::to_string(classId) + "/" + std::to_string(objectId) +
                        " form a loop");
        PdmDbRows rows;
        if (!Run("SELECT parent_class, parent_object, name FROM dbo.node WHERE class_id = ? AND object_id = ?",
                 {PdmInt(classId), PdmInt(objectId)}, &rows, "cannot read the folders"))
            return false;
        if (rows.values.empty())
            return Fail("folder " + std::to_string(classId) + "/" + std::to_string(objectId) + " does not exist");
        const auto& v = rows.values[0];
        names.push_back(PdmDbText(v[2]));
        classId = static_cast<int32_t>(PdmDbInt(v[0]));
        objectId = static_cast<int32_t>(PdmDbInt(v[1]));
    }
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        path += *it + "\\";
    return true;
}

bool CPdmStore::DocumentParent(int32_t classId, int32_t objectId, int32_t& parentClass, int32_t& parentObject)
{
    PdmDbRows rows;
    if (!Run("SELECT parent_class, parent_object FROM dbo.document WHERE class_id = ? AND object_id = ?",
             {PdmInt(classId), PdmInt(objectId)}, &rows, "cannot read the documents"))
        return false;
    if (rows.values.empty())
        return Fail("document " + std::to_string(classId) + "/" + std::to_string(objectId) + " does not exist");
    parentClass = static_cast<int32_t>(PdmDbInt(rows.values[0][0]));
    parentObject = static_cast<int32_t>(PdmDbInt(rows.values[0][1]));
    return true;
}

bool CPdmStore::ReadDocument(int32_t classId, int32_t objectId, PdmDocContent& content)
{
    content = PdmDocContent();
    PdmDbRows rows;
    if (!Run("SELECT file_name, content, link_path FROM dbo.document WHERE class_id = ? AND object_id = ?",
             {PdmInt(classId), PdmInt(objectId)}, &rows, "cannot read the documents"))
        return false;
    if (rows.values.empty())
        return Fail("document " + std::to_string(classId) + "/" + std::to_string(objectId) + " does not exist");
    auto& v = rows.values[0];
    content.fileName = PdmDbText(v[0]);
    content.hasBytes = !PdmDbIsNull(v[1]);
    if (auto b = std::get_if<CDbBytes>(&v[1]))
        content.bytes = std::move(b->bytes);
    else
        content.bytes = PdmDbText(v[1]);
    content.path = PdmDbText(v[2]);
    return true;
}
