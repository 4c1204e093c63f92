// The product-data store through the data-access layer: opening, the schema, and the
// reading calls.
#include <Pdm/PdmStore.h>

#include <ClassLib/Core/XmlChars.h>

#include <set>
#include <sys/stat.h>
#include <utility>

using namespace dbstore;

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

bool FileExists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

CPdmStore::CPdmStore() : CDbStore("product-data store") {}

CPdmStore::~CPdmStore() = default;

bool CPdmStore::Refuse(const std::string& what)
{
    Fail(what);
    m_refused = true;
    return false;
}

bool CPdmStore::Fail(const std::string& what)
{
    m_refused = false;
    if (OnServer())
        return CDbStore::Fail("product-data store on the database server: " + what);
    return CDbStore::Fail("product-data store " + (m_path.empty() ? std::string("(none)") : "\"" + m_path + "\"") +
                          ": " + what);
}

std::string CPdmStore::DatabaseError(const std::string& what, const std::string& description) const
{
    // What the database said, with what it means for the store when the cause is plain.
    std::string text = CDbStore::DatabaseError(what, description);
    auto has = [&description](const char* part) { return description.find(part) != std::string::npos; };
    if (has("database is locked") || has("database table is locked") || has("lock timeout"))
        text += " (the store is locked by another program)";
    else if (has("not a database") || has("malformed"))
        text += " (the file is damaged or is not a product-data store)";
    return text;
}

bool CPdmStore::Open(const std::string& path, OpenMode mode, int busyMilliseconds)
{
    Close();
    const bool server = IsConnectionString(path);
    // A connection string may hold a password: errors never show it.
    m_path = server ? std::string() : path;
    m_error.clear();
    m_refused = false;
    if (path.empty())
        return Fail("no store file is set");
    if (!server && mode == OpenExisting && !FileExists(path))
        return Fail("the file does not exist");
    // A kept connection serves when it still reads the store; otherwise a new one decides.
    if (server && TakePooledSession(path)) {
        bool empty = false;
        if (WaitForLocks(busyMilliseconds) && CheckSchema(empty)) {
            KeepSession();
            return true;
        }
        DropSession();
        m_error.clear();
    }
    // A file keeps its journal as it is until it becomes a store (a foreign file is never
    // changed).
    std::string text;
    if (!OpenSession(path, busyMilliseconds, false, text))
        return Fail(DatabaseError("cannot open", text));
    if (!Prepare(mode, busyMilliseconds)) {
        CloseKeepingError();
        return false;
    }
    KeepSession();
    return true;
}

bool CPdmStore::Prepare(OpenMode mode, int busyMilliseconds)
{
    bool empty = false;
    bool ok = (!OnServer() || WaitForLocks(busyMilliseconds)) && CheckSchema(empty);
    if (!ok && empty && mode == CreateIfMissing)
        ok = CreateSchema();
    // WAL with NORMAL syncing is safe against a killed process (a power cut may lose the
    // last transactions, never the whole).
    return ok && (OnServer() || Run("PRAGMA dbo.synchronous = NORMAL", {}, nullptr, "cannot set up the file"));
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
    if (OnServer()) {
        bool exists = false;
        if (!TableExists("pdm_meta", exists))
            return false;
        if (!exists) {
            empty = true;
            return Fail("the database holds no product-data store");
        }
    } else {
        if (!FileIsEmpty(empty))
            return false;
        if (empty)
            return Fail("the file is empty, not a product-data store");
    }
    Rows rows;
    if (!Run("SELECT key, value FROM dbo.pdm_meta WHERE key IN ('format', 'version')", {}, &rows, "cannot read")) {
        if (m_error.find("(the ") != std::string::npos)
            return false;
        return Fail(OnServer() ? "the database is not a product-data store" : "the file is not a product-data store");
    }
    std::string format, version;
    for (const auto& row : rows.values)
        (AsText(row[0]) == "format" ? format : version) = AsText(row[1]);
    if (format != kFormat)
        return Fail(OnServer() ? "the database is not a product-data store" : "the file is not a product-data store");
    if (version != kVersion)
        return Fail("the store has version \"" + version + "\", this program reads version " + kVersion);
    return true;
}

bool CPdmStore::CreateSchema()
{
    if (!OnServer() && !Run("PRAGMA dbo.journal_mode = WAL", {}, nullptr, "cannot set up the file"))
        return false;
    if (!MakeSchemaDbo() || !Begin())
        return false;
    bool ok = true;
    if (OnServer()) {
        // Another server may have made the store meanwhile.
        bool empty = false;
        if (CheckSchema(empty)) {
            Rollback();
            return true;
        }
        ok = empty;
    }
    const char* const making = "cannot make the store";
    ok = ok && (OnServer() ? RunAll(kServerSchema, making) : RunAll(kFileSchema, making));
    ok = ok &&
         Run("INSERT INTO dbo.pdm_meta(key, value) VALUES('format', ?), ('version', ?)",
             {Text(kFormat), Text(kVersion)}, nullptr, making) &&
         Run("INSERT INTO dbo.node_class(class_id, name) VALUES(20, ?), (21, ?)",
             {Text(u8"产品数据"), Text(u8"文件夹")}, nullptr, "cannot make the store") &&
         Run("INSERT INTO dbo.doc_class(class_id, name) VALUES(101, ?)", {Text(u8"文档")}, nullptr,
             "cannot make the store") &&
         Run("INSERT INTO dbo.doc_class_allowed(node_class, doc_class) VALUES(20, 101), (21, 101)", {}, nullptr,
             "cannot make the store");
    if (!ok) {
        const std::string error = m_error;
        Rollback();
        m_error = error;
        return false;
    }
    return Commit();
}

bool CPdmStore::StartedWriting()
{
    // Writers of a store on a server take turns on this lock (held to the end of their
    // transaction), as the writers of a file do on its write lock.
    const long long kWriterLock = 0x50444D53;  // "PDMS"
    return !OnServer() ||
           Run("SELECT pg_advisory_xact_lock(?)", {Number(kWriterLock)}, nullptr, "cannot begin a change");
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
    Rows found;
    found.each = [&rows](const CCommand& c) {
        PdmNodeRow row;
        row.classId = static_cast<int32_t>(AsNumber(c.GetValue(1)));
        row.objectId = static_cast<int32_t>(AsNumber(c.GetValue(2)));
        row.name = AsText(c.GetValue(3));
        row.hasChildren = AsNumber(c.GetValue(4)) != 0;
        rows.push_back(std::move(row));
    };
    if (Run("SELECT n.class_id, n.object_id, n.name, CASE WHEN EXISTS(SELECT 1 FROM dbo.node c WHERE"
            " c.parent_class = n.class_id AND c.parent_object = n.object_id) THEN 1 ELSE 0 END"
            " FROM dbo.node n WHERE n.parent_class = ? AND n.parent_object = ? ORDER BY n.rowid",
            {Number(classId), Number(objectId)}, &found, "cannot read the folders"))
        return true;
    rows.clear();
    return false;
}

bool CPdmStore::ListDocuments(int32_t classId, int32_t objectId, std::vector<PdmDocRow>& rows)
{
    rows.clear();
    Rows found;
    found.each = [&rows](const CCommand& c) {
        PdmDocRow row;
        row.classId = static_cast<int32_t>(AsNumber(c.GetValue(1)));
        row.objectId = static_cast<int32_t>(AsNumber(c.GetValue(2)));
        row.fileName = AsText(c.GetValue(3));
        row.size = AsNumber(c.GetValue(4));
        row.modified = AsText(c.GetValue(5));
        rows.push_back(std::move(row));
    };
    if (Run("SELECT class_id, object_id, file_name, size, modified FROM dbo.document"
            " WHERE parent_class = ? AND parent_object = ? ORDER BY rowid",
            {Number(classId), Number(objectId)}, &found, "cannot read the documents"))
        return true;
    rows.clear();
    return false;
}

bool CPdmStore::ListDocClasses(int32_t nodeClassId, std::vector<PdmClassRow>& rows)
{
    rows.clear();
    Rows found;
    if (!Run("SELECT d.class_id, d.name FROM dbo.doc_class_allowed a JOIN dbo.doc_class d"
             " ON d.class_id = a.doc_class WHERE a.node_class = ? ORDER BY a.rowid",
             {Number(nodeClassId)}, &found, "cannot read the document classes"))
        return false;
    for (const auto& v : found.values) {
        PdmClassRow row;
        row.classId = static_cast<int32_t>(AsNumber(v[0]));
        row.name = AsText(v[1]);
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
    Rows rows;
    if (!Run("SELECT 1 FROM dbo.node WHERE class_id = ? AND object_id = ?", {Number(classId), Number(objectId)}, &rows,
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
        Rows rows;
        if (!Run("SELECT parent_class, parent_object, name FROM dbo.node WHERE class_id = ? AND object_id = ?",
                 {Number(classId), Number(objectId)}, &rows, "cannot read the folders"))
            return false;
        if (rows.values.empty())
            return Fail("folder " + std::to_string(classId) + "/" + std::to_string(objectId) + " does not exist");
        const auto& v = rows.values[0];
        names.push_back(AsText(v[2]));
        classId = static_cast<int32_t>(AsNumber(v[0]));
        objectId = static_cast<int32_t>(AsNumber(v[1]));
    }
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        path += *it + "\\";
    return true;
}

bool CPdmStore::DocumentParent(int32_t classId, int32_t objectId, int32_t& parentClass, int32_t& parentObject)
{
    Rows rows;
    if (!Run("SELECT parent_class, parent_object FROM dbo.document WHERE class_id = ? AND object_id = ?",
             {Number(classId), Number(objectId)}, &rows, "cannot read the documents"))
        return false;
    if (rows.values.empty())
        return Fail("document " + std::to_string(classId) + "/" + std::to_string(objectId) + " does not exist");
    parentClass = static_cast<int32_t>(AsNumber(rows.values[0][0]));
    parentObject = static_cast<int32_t>(AsNumber(rows.values[0][1]));
    return true;
}

bool CPdmStore::ReadDocument(int32_t classId, int32_t objectId, PdmDocContent& content)
{
    content = PdmDocContent();
    Rows rows;
    if (!Run("SELECT file_name, content, link_path FROM dbo.document WHERE class_id = ? AND object_id = ?",
             {Number(classId), Number(objectId)}, &rows, "cannot read the documents"))
        return false;
    if (rows.values.empty())
        return Fail("document " + std::to_string(classId) + "/" + std::to_string(objectId) + " does not exist");
    auto& v = rows.values[0];
    content.fileName = AsText(v[0]);
    content.hasBytes = !IsNull(v[1]);
    if (auto b = std::get_if<CDbBytes>(&v[1]))
        content.bytes = std::move(b->bytes);
    else
        content.bytes = AsText(v[1]);
    content.path = AsText(v[2]);
    return true;
}
