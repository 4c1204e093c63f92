// The product-data store on SQLite: opening, the schema, and the reading calls.
#include <Pdm/PdmStore.h>

#include "SqliteStatement.h"

#include <sqlite3.h>

#include <set>
#include <sys/stat.h>
#include <utility>

namespace {

const char* const kFormat = "product-data store";
const char* const kVersion = "1";

const char* const kSchema =
    "CREATE TABLE pdm_meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);"
    "CREATE TABLE node_class(class_id INTEGER PRIMARY KEY, name TEXT NOT NULL);"
    "CREATE TABLE doc_class(class_id INTEGER PRIMARY KEY, name TEXT NOT NULL);"
    "CREATE TABLE doc_class_allowed(node_class INTEGER NOT NULL, doc_class INTEGER NOT NULL,"
    "  PRIMARY KEY(node_class, doc_class));"
    "CREATE TABLE node(class_id INTEGER NOT NULL, object_id INTEGER NOT NULL,"
    "  parent_class INTEGER NOT NULL, parent_object INTEGER NOT NULL, name TEXT NOT NULL,"
    "  PRIMARY KEY(class_id, object_id));"
    "CREATE INDEX node_by_parent ON node(parent_class, parent_object, name);"
    "CREATE TABLE document(class_id INTEGER NOT NULL, object_id INTEGER NOT NULL,"
    "  parent_class INTEGER NOT NULL, parent_object INTEGER NOT NULL, file_name TEXT NOT NULL,"
    "  size INTEGER NOT NULL DEFAULT 0, modified TEXT NOT NULL DEFAULT '', content BLOB,"
    "  link_path TEXT, PRIMARY KEY(class_id, object_id));"
    "CREATE INDEX document_by_parent ON document(parent_class, parent_object, file_name);";

bool FileExists(const std::string& path, off_t& size)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return false;
    size = st.st_size;
    return true;
}

}  // namespace

CPdmStore::~CPdmStore()
{
    Close();
}

void CPdmStore::Close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_nTransaction = 0;
}

bool CPdmStore::Refuse(const std::string& what)
{
    m_error = "product-data store \"" + m_path + "\": " + what;
    m_refused = true;
    return false;
}

bool CPdmStore::Fail(const std::string& what)
{
    m_refused = false;
    m_error = "product-data store " + (m_path.empty() ? std::string("(none)") : "\"" + m_path + "\"") + ": " + what;
    if (m_db) {
        int rc = sqlite3_extended_errcode(m_db) & 0xff;
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            m_error += " (the store is locked by another program)";
        else if (rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT)
            m_error += " (the file is damaged or is not a product-data store)";
    }
    return false;
}

bool CPdmStore::Exec(const char* sql)
{
    char* msg = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &msg) != SQLITE_OK) {
        std::string text = msg ? msg : "unknown error";
        sqlite3_free(msg);
        return Fail(text);
    }
    return true;
}

bool CPdmStore::Open(const std::string& path, OpenMode mode, int busyMilliseconds)
{
    Close();
    m_path = path;
    m_error.clear();
    if (path.empty())
        return Fail("no store file is set");
    off_t size = 0;
    bool exists = FileExists(path, size);
    if (!exists && mode == OpenExisting)
        return Fail("the file does not exist");
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (mode == CreateIfMissing ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        std::string text = m_db ? sqlite3_errmsg(m_db) : "cannot open";
        Close();
        return Fail("cannot open: " + text);
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, busyMilliseconds > 0 ? busyMilliseconds : 0);
    bool empty = false;
    if (!CheckSchema(empty)) {
        if (!(empty && mode == CreateIfMissing)) {
            std::string error = m_error;
            Close();
            m_error = error;
            return false;
        }
        if (!CreateSchema()) {
            std::string error = m_error;
            Close();
            m_error = error;
            return false;
        }
    }
    // WAL lets readers go on beside a writer; NORMAL syncing is safe in WAL against a
    // killed process (a power cut may lose the last transactions, never the whole).
    if (!Exec("PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=OFF;")) {
        std::string error = m_error;
        Close();
        m_error = error;
        return false;
    }
    return true;
}

bool CPdmStore::CheckSchema(bool& empty)
{
    empty = false;
    {
        CSqliteStatement count(m_db, "SELECT count(*) FROM sqlite_master");
        if (!count.Ok() || count.Step() != SQLITE_ROW)
            return Fail(std::string("cannot read: ") + sqlite3_errmsg(m_db));
        if (count.Int(0) == 0) {
            empty = true;
            return Fail("the file is empty, not a product-data store");
        }
    }
    CSqliteStatement meta(m_db, "SELECT key, value FROM pdm_meta WHERE key IN ('format', 'version')");
    if (!meta.Ok())
        return Fail("the file is not a product-data store");
    std::string format, version;
    int rc;
    while ((rc = meta.Step()) == SQLITE_ROW)
        (meta.Text(0) == "format" ? format : version) = meta.Text(1);
    if (rc != SQLITE_DONE)
        return Fail(std::string("cannot read: ") + sqlite3_errmsg(m_db));
    if (format != kFormat)
        return Fail("the file is not a product-data store");
    if (version != kVersion)
        return Fail("the store has version \"" + version + "\", this program reads version " + kVersion);
    return true;
}

bool CPdmStore::CreateSchema()
{
    if (!Exec("PRAGMA journal_mode=WAL;"))
        return false;
    if (!Exec("BEGIN IMMEDIATE;"))
        return false;
    std::string seed = std::string(kSchema) + "INSERT INTO pdm_meta VALUES('format', '" + kFormat +
                       "'), ('version', '" + kVersion +
                       "');"
                       "INSERT INTO node_class VALUES(20, '产品数据'), (21, '文件夹');"
                       "INSERT INTO doc_class VALUES(101, '文档');"
                       "INSERT INTO doc_class_allowed VALUES(20, 101), (21, 101);";
    if (!Exec(seed.c_str())) {
        std::string error = m_error;
        Exec("ROLLBACK;");
        m_error = error;
        return false;
    }
    return Exec("COMMIT;");
}

bool CPdmStore::Begin()
{
    if (!m_db)
        return Fail("the store is not open");
    if (m_nTransaction++ > 0)
        return true;
    if (!Exec("BEGIN IMMEDIATE;")) {
        m_nTransaction = 0;
        return false;
    }
    return true;
}

bool CPdmStore::Commit()
{
    if (!m_db || m_nTransaction == 0)
        return Fail("no transaction is open");
    if (--m_nTransaction > 0)
        return true;
    if (!Exec("COMMIT;")) {
        std::string error = m_error;
        sqlite3_exec(m_db, "ROLLBACK;", nullptr, nullptr, nullptr);
        m_error = error;
        return false;
    }
    return true;
}

void CPdmStore::Rollback()
{
    if (!m_db || m_nTransaction == 0)
        return;
    m_nTransaction = 0;
    sqlite3_exec(m_db, "ROLLBACK;", nullptr, nullptr, nullptr);
}

bool CPdmStore::IsValidName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7f || c == '/' || c == '\\')
            return false;
    return true;
}

bool CPdmStore::ListChildren(int32_t classId, int32_t objectId, std::vector<PdmNodeRow>& rows)
{
    rows.clear();
    if (!m_db)
        return Fail("the store is not open");
    CSqliteStatement q(m_db,
                       "SELECT n.class_id, n.object_id, n.name, EXISTS(SELECT 1 FROM node c WHERE"
                       " c.parent_class = n.class_id AND c.parent_object = n.object_id)"
                       " FROM node n WHERE n.parent_class = ?1 AND n.parent_object = ?2 ORDER BY n.rowid");
    if (!q.Ok())
        return Fail(std::string("cannot read the folders: ") + sqlite3_errmsg(m_db));
    q.Bind(1, classId);
    q.Bind(2, objectId);
    int rc;
    while ((rc = q.Step()) == SQLITE_ROW) {
        PdmNodeRow row;
        row.classId = static_cast<int32_t>(q.Int(0));
        row.objectId = static_cast<int32_t>(q.Int(1));
        row.name = q.Text(2);
        row.hasChildren = q.Int(3) != 0;
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        rows.clear();
        return Fail(std::string("cannot read the folders: ") + sqlite3_errmsg(m_db));
    }
    return true;
}

bool CPdmStore::ListDocuments(int32_t classId, int32_t objectId, std::vector<PdmDocRow>& rows)
{
    rows.clear();
    if (!m_db)
        return Fail("the store is not open");
    CSqliteStatement q(m_db,
                       "SELECT class_id, object_id, file_name, size, modified FROM document"
                       " WHERE parent_class = ?1 AND parent_object = ?2 ORDER BY rowid");
    if (!q.Ok())
        return Fail(std::string("cannot read the documents: ") + sqlite3_errmsg(m_db));
    q.Bind(1, classId);
    q.Bind(2, objectId);
    int rc;
    while ((rc = q.Step()) == SQLITE_ROW) {
        PdmDocRow row;
        row.classId = static_cast<int32_t>(q.Int(0));
        row.objectId = static_cast<int32_t>(q.Int(1));
        row.fileName = q.Text(2);
        row.size = q.Int(3);
        row.modified = q.Text(4);
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        rows.clear();
        return Fail(std::string("cannot read the documents: ") + sqlite3_errmsg(m_db));
    }
    return true;
}

bool CPdmStore::ListDocClasses(int32_t nodeClassId, std::vector<PdmClassRow>& rows)
{
    rows.clear();
    if (!m_db)
        return Fail("the store is not open");
    CSqliteStatement q(m_db,
                       "SELECT d.class_id, d.name FROM doc_class_allowed a JOIN doc_class d"
                       " ON d.class_id = a.doc_class WHERE a.node_class = ?1 ORDER BY a.rowid");
    if (!q.Ok())
        return Fail(std::string("cannot read the document classes: ") + sqlite3_errmsg(m_db));
    q.Bind(1, nodeClassId);
    int rc;
    while ((rc = q.Step()) == SQLITE_ROW) {
        PdmClassRow row;
        row.classId = static_cast<int32_t>(q.Int(0));
        row.name = q.Text(1);
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        rows.clear();
        return Fail(std::string("cannot read the document classes: ") + sqlite3_errmsg(m_db));
    }
    return true;
}

bool CPdmStore::NodeExists(int32_t classId, int32_t objectId, bool& found)
{
    found = false;
    if (!m_db)
        return Fail("the store is not open");
    if (classId == PDM_ROOT_CLASS && objectId == PDM_ROOT_OBJECT) {
        found = true;
        return true;
    }
    CSqliteStatement q(m_db, "SELECT 1 FROM node WHERE class_id = ?1 AND object_id = ?2");
    if (!q.Ok())
        return Fail(std::string("cannot read the folders: ") + sqlite3_errmsg(m_db));
    q.Bind(1, classId);
    q.Bind(2, objectId);
    int rc = q.Step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return Fail(std::string("cannot read the folders: ") + sqlite3_errmsg(m_db));
    found = rc == SQLITE_ROW;
    return true;
}

bool CPdmStore::NodePath(int32_t classId, int32_t objectId, std::string& path)
{
    path.clear();
    if (!m_db)
        return Fail("the store is not open");
    CSqliteStatement q(m_db, "SELECT parent_class, parent_object, name FROM node WHERE class_id = ?1 AND object_id = ?2");
    if (!q.Ok())
        return Fail(std::string("cannot read the folders: ") + sqlite3_errmsg(m_db));
    // Walks up to the root; a node met twice means the parents form a loop.
    std::set<std::pair<int32_t, int32_t>> seen;
    std::vector<std::string> names;
    while (!(classId == PDM_ROOT_CLASS && objectId == PDM_ROOT_OBJECT)) {
        if (!seen.insert({classId, objectId}).second)
            return Fail("the folders above " + std::to_string(classId) + "/" + std::to_string(objectId) +
                        " form a loop");
        q.Reset();
        q.Bind(1, classId);
        q.Bind(2, objectId);
        int rc = q.Step();
        if (rc == SQLITE_DONE)
            return Fail("folder " + std::to_string(classId) + "/" + std::to_string(objectId) + " does not exist");
        if (rc != SQLITE_ROW)
            return Fail(std::string("cannot read the folders: ") + sqlite3_errmsg(m_db));
        names.push_back(q.Text(2));
        classId = static_cast<int32_t>(q.Int(0));
        objectId = static_cast<int32_t>(q.Int(1));
    }
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        path += *it + "\\";
    return true;
}

bool CPdmStore::DocumentParent(int32_t classId, int32_t objectId, int32_t& parentClass, int32_t& parentObject)
{
    if (!m_db)
        return Fail("the store is not open");
    CSqliteStatement q(m_db, "SELECT parent_class, parent_object FROM document WHERE class_id = ?1 AND object_id = ?2");
    if (!q.Ok())
        return Fail(std::string("cannot read the documents: ") + sqlite3_errmsg(m_db));
    q.Bind(1, classId);
    q.Bind(2, objectId);
    int rc = q.Step();
    if (rc == SQLITE_DONE)
        return Fail("document " + std::to_string(classId) + "/" + std::to_string(objectId) + " does not exist");
    if (rc != SQLITE_ROW)
        return Fail(std::string("cannot read the documents: ") + sqlite3_errmsg(m_db));
    parentClass = static_cast<int32_t>(q.Int(0));
    parentObject = static_cast<int32_t>(q.Int(1));
    return true;
}

bool CPdmStore::ReadDocument(int32_t classId, int32_t objectId, PdmDocContent& content)
{
    content = PdmDocContent();
    if (!m_db)
        return Fail("the store is not open");
    CSqliteStatement q(m_db, "SELECT file_name, content, link_path FROM document WHERE class_id = ?1 AND object_id = ?2");
    if (!q.Ok())
        return Fail(std::string("cannot read the documents: ") + sqlite3_errmsg(m_db));
    q.Bind(1, classId);
    q.Bind(2, objectId);
    int rc = q.Step();
    if (rc == SQLITE_DONE)
        return Fail("document " + std::to_string(classId) + "/" + std::to_string(objectId) + " does not exist");
    if (rc != SQLITE_ROW)
        return Fail(std::string("cannot read the documents: ") + sqlite3_errmsg(m_db));
    content.fileName = q.Text(0);
    content.hasBytes = !q.IsNull(1);
    if (content.hasBytes)
        content.bytes = q.Blob(1);
    content.path = q.Text(2);
    return true;
}
