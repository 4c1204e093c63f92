// The product-data store on SQLite: adding classes, folders and documents. Each addition
// is one transaction (or part of the caller's, between Begin and Commit).
#include <Pdm/PdmStore.h>

#include "SqliteStatement.h"

#include <sqlite3.h>

#include <ctime>
#include <limits>

namespace {

std::string NowText()
{
    std::time_t t = std::time(nullptr);
    std::tm tm;
    gmtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof(buf), "%Y-%m-%d %H:%M:%S", &tm);
    return buf;
}

}  // namespace

bool CPdmStore::NextObjectId(const char* table, int32_t classId, int32_t& id)
{
    std::string sql = std::string("SELECT max(object_id) FROM ") + table + " WHERE class_id = ?1";
    CSqliteStatement q(m_db, sql.c_str());
    if (!q.Ok())
        return Fail(std::string("cannot read: ") + sqlite3_errmsg(m_db));
    q.Bind(1, classId);
    if (q.Step() != SQLITE_ROW)
        return Fail(std::string("cannot read: ") + sqlite3_errmsg(m_db));
    int64_t last = q.IsNull(0) ? 0 : q.Int(0);
    if (last < 0)
        last = 0;
    if (last >= std::numeric_limits<int32_t>::max())
        return Fail("the object ids of class " + std::to_string(classId) + " are used up");
    id = static_cast<int32_t>(last + 1);
    return true;
}

bool CPdmStore::NameTaken(const char* table, const char* column, int32_t parentClass, int32_t parentObject,
                          const std::string& name, bool& taken)
{
    std::string sql = std::string("SELECT 1 FROM ") + table + " WHERE parent_class = ?1 AND parent_object = ?2 AND " +
                      column + " = ?3";
    CSqliteStatement q(m_db, sql.c_str());
    if (!q.Ok())
        return Fail(std::string("cannot read: ") + sqlite3_errmsg(m_db));
    q.Bind(1, parentClass);
    q.Bind(2, parentObject);
    q.Bind(3, name);
    int rc = q.Step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return Fail(std::string("cannot read: ") + sqlite3_errmsg(m_db));
    taken = rc == SQLITE_ROW;
    return true;
}

bool CPdmStore::AddNodeClass(int32_t classId, const std::string& name)
{
    if (!m_db)
        return Fail("the store is not open");
    if (classId <= 0 || name.empty())
        return Refuse("a node class needs an id above 0 and a name");
    CSqliteStatement q(m_db, "INSERT OR REPLACE INTO node_class(class_id, name) VALUES(?1, ?2)");
    q.Bind(1, classId);
    q.Bind(2, name);
    if (!q.Ok() || q.Step() != SQLITE_DONE)
        return Fail(std::string("cannot add the node class: ") + sqlite3_errmsg(m_db));
    return true;
}

bool CPdmStore::AddDocClass(int32_t classId, const std::string& name)
{
    if (!m_db)
        return Fail("the store is not open");
    if (classId <= 0 || name.empty())
        return Refuse("a document class needs an id above 0 and a name");
    CSqliteStatement q(m_db, "INSERT OR REPLACE INTO doc_class(class_id, name) VALUES(?1, ?2)");
    q.Bind(1, classId);
    q.Bind(2, name);
    if (!q.Ok() || q.Step() != SQLITE_DONE)
        return Fail(std::string("cannot add the document class: ") + sqlite3_errmsg(m_db));
    return true;
}

bool CPdmStore::AllowDocClass(int32_t nodeClassId, int32_t docClassId)
{
    if (!m_db)
        return Fail("the store is not open");
    CSqliteStatement q(m_db, "INSERT OR IGNORE INTO doc_class_allowed(node_class, doc_class) VALUES(?1, ?2)");
    q.Bind(1, nodeClassId);
    q.Bind(2, docClassId);
    if (!q.Ok() || q.Step() != SQLITE_DONE)
        return Fail(std::string("cannot allow the document class: ") + sqlite3_errmsg(m_db));
    return true;
}

bool CPdmStore::AddNode(int32_t parentClass, int32_t parentObject, int32_t classId, const std::string& name,
                        int32_t& newObjectId)
{
    newObjectId = 0;
    if (!m_db)
        return Fail("the store is not open");
    if (!IsValidName(name))
        return Refuse("\"" + name + "\" is not a valid folder name");
    if (!Begin())
        return false;
    bool ok = [&] {
        bool found = false;
        if (!NodeExists(parentClass, parentObject, found))
            return false;
        if (!found)
            return Refuse("folder " + std::to_string(parentClass) + "/" + std::to_string(parentObject) +
                        " does not exist");
        {
            CSqliteStatement c(m_db, "SELECT 1 FROM node_class WHERE class_id = ?1");
            c.Bind(1, classId);
            int rc = c.Ok() ? c.Step() : SQLITE_ERROR;
            if (rc != SQLITE_ROW)
                return Refuse("node class " + std::to_string(classId) + " does not exist");
        }
        bool taken = false;
        if (!NameTaken("node", "name", parentClass, parentObject, name, taken))
            return false;
        if (taken)
            return Refuse("a folder named \"" + name + "\" exists there already");
        int32_t id = 0;
        if (!NextObjectId("node", classId, id))
            return false;
        CSqliteStatement q(m_db, "INSERT INTO node(class_id, object_id, parent_class, parent_object, name)"
                                 " VALUES(?1, ?2, ?3, ?4, ?5)");
        q.Bind(1, classId);
        q.Bind(2, id);
        q.Bind(3, parentClass);
        q.Bind(4, parentObject);
        q.Bind(5, name);
        if (!q.Ok() || q.Step() != SQLITE_DONE)
            return Fail(std::string("cannot add the folder: ") + sqlite3_errmsg(m_db));
        newObjectId = id;
        return true;
    }();
    if (!ok) {
        std::string error = m_error;
        Rollback();
        m_error = error;
        newObjectId = 0;
        return false;
    }
    return Commit() || (newObjectId = 0, false);
}

bool CPdmStore::AddDocument(int32_t parentClass, int32_t parentObject, int32_t docClass, const std::string& fileName,
                            int32_t& newObjectId)
{
    return InsertDocument(parentClass, parentObject, docClass, fileName, nullptr, std::string(), 0, NowText(),
                          newObjectId);
}

bool CPdmStore::PutDocument(int32_t parentClass, int32_t parentObject, int32_t docClass, const std::string& fileName,
                            const std::string& bytes, const std::string& linkPath, int64_t size,
                            const std::string& modified, int32_t& newObjectId)
{
    return InsertDocument(parentClass, parentObject, docClass, fileName, linkPath.empty() ? &bytes : nullptr, linkPath,
                          size, modified.empty() ? NowText() : modified, newObjectId);
}

bool CPdmStore::InsertDocument(int32_t parentClass, int32_t parentObject, int32_t docClass,
                               const std::string& fileName, const std::string* bytes, const std::string& linkPath,
                               int64_t size, const std::string& modified, int32_t& newObjectId)
{
    newObjectId = 0;
    if (!m_db)
        return Fail("the store is not open");
    if (!IsValidName(fileName))
        return Refuse("\"" + fileName + "\" is not a valid file name");
    if (bytes && bytes->size() > static_cast<size_t>(std::numeric_limits<int>::max()))
        return Refuse("the file \"" + fileName + "\" is too large to keep in the store");
    if (!Begin())
        return false;
    bool ok = [&] {
        bool found = false;
        if (!NodeExists(parentClass, parentObject, found))
            return false;
        if (!found)
            return Refuse("folder " + std::to_string(parentClass) + "/" + std::to_string(parentObject) +
                        " does not exist");
        {
            // The parent's class is its class id: the document class must be allowed there.
            CSqliteStatement c(m_db, "SELECT 1 FROM doc_class_allowed a JOIN doc_class d ON d.class_id = a.doc_class"
                                     " WHERE a.node_class = ?1 AND a.doc_class = ?2");
            c.Bind(1, parentClass);
            c.Bind(2, docClass);
            int rc = c.Ok() ? c.Step() : SQLITE_ERROR;
            if (rc == SQLITE_DONE)
                return Refuse("document class " + std::to_string(docClass) + " may not be added under node class " +
                            std::to_string(parentClass));
            if (rc != SQLITE_ROW)
                return Fail(std::string("cannot read the document classes: ") + sqlite3_errmsg(m_db));
        }
        bool taken = false;
        if (!NameTaken("document", "file_name", parentClass, parentObject, fileName, taken))
            return false;
        if (taken)
            return Refuse("a document named \"" + fileName + "\" exists there already");
        int32_t id = 0;
        if (!NextObjectId("document", docClass, id))
            return false;
        CSqliteStatement q(m_db, "INSERT INTO document(class_id, object_id, parent_class, parent_object, file_name,"
                                 " size, modified, content, link_path) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
        q.Bind(1, docClass);
        q.Bind(2, id);
        q.Bind(3, parentClass);
        q.Bind(4, parentObject);
        q.Bind(5, fileName);
        q.Bind(6, size < 0 ? 0 : size);
        q.Bind(7, modified);
        if (bytes)
            q.BindBlob(8, *bytes);
        else
            q.BindNull(8);
        if (linkPath.empty())
            q.BindNull(9);
        else
            q.Bind(9, linkPath);
        if (!q.Ok() || q.Step() != SQLITE_DONE)
            return Fail(std::string("cannot add the document: ") + sqlite3_errmsg(m_db));
        newObjectId = id;
        return true;
    }();
    if (!ok) {
        std::string error = m_error;
        Rollback();
        m_error = error;
        newObjectId = 0;
        return false;
    }
    if (!Commit()) {
        newObjectId = 0;
        return false;
    }
    return true;
}
