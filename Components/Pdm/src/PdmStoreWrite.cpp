// The product-data store: adding classes, folders and documents. Each addition is one
// transaction (or part of the caller's, between Begin and Commit).
#include <Pdm/PdmStore.h>

#include <ClassLib/Core/XmlChars.h>

#include <ctime>
#include <limits>

using namespace dbstore;

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
    const std::string sql = std::string("SELECT max(object_id) FROM dbo.") + table + " WHERE class_id = ?";
    Rows rows;
    if (!Run(sql.c_str(), {Number(classId)}, &rows, "cannot read"))
        return false;
    int64_t last = rows.values.empty() || IsNull(rows.values[0][0]) ? 0 : AsNumber(rows.values[0][0]);
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
    const std::string sql = std::string("SELECT 1 FROM dbo.") + table +
                            " WHERE parent_class = ? AND parent_object = ? AND " + column + " = ?";
    Rows rows;
    if (!Run(sql.c_str(), {Number(parentClass), Number(parentObject), Text(name)}, &rows, "cannot read"))
        return false;
    taken = !rows.values.empty();
    return true;
}

bool CPdmStore::AddNodeClass(int32_t classId, const std::string& name)
{
    if (!m_session)
        return Fail("the store is not open");
    if (classId <= 0 || name.empty())
        return Refuse("a node class needs an id above 0 and a name");
    return Run("INSERT INTO dbo.node_class(class_id, name) VALUES(?, ?)"
               " ON CONFLICT(class_id) DO UPDATE SET name = excluded.name",
               {Number(classId), Text(name)}, nullptr, "cannot add the node class");
}

bool CPdmStore::AddDocClass(int32_t classId, const std::string& name)
{
    if (!m_session)
        return Fail("the store is not open");
    if (classId <= 0 || name.empty())
        return Refuse("a document class needs an id above 0 and a name");
    return Run("INSERT INTO dbo.doc_class(class_id, name) VALUES(?, ?)"
               " ON CONFLICT(class_id) DO UPDATE SET name = excluded.name",
               {Number(classId), Text(name)}, nullptr, "cannot add the document class");
}

bool CPdmStore::AllowDocClass(int32_t nodeClassId, int32_t docClassId)
{
    return Run("INSERT INTO dbo.doc_class_allowed(node_class, doc_class) VALUES(?, ?)"
               " ON CONFLICT(node_class, doc_class) DO NOTHING",
               {Number(nodeClassId), Number(docClassId)}, nullptr, "cannot allow the document class");
}

bool CPdmStore::AddNode(int32_t parentClass, int32_t parentObject, int32_t classId, const std::string& name,
                        int32_t& newObjectId)
{
    newObjectId = 0;
    if (!m_session)
        return Fail("the store is not open");
    if (!xmlchars::IsXmlText(name))
        return Refuse("a folder name must be UTF-8 text without control characters");
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
        Rows rows;
        if (!Run("SELECT 1 FROM dbo.node_class WHERE class_id = ?", {Number(classId)}, &rows,
                 "cannot read the node classes"))
            return false;
        if (rows.values.empty())
            return Refuse("node class " + std::to_string(classId) + " does not exist");
        bool taken = false;
        if (!NameTaken("node", "name", parentClass, parentObject, name, taken))
            return false;
        if (taken)
            return Refuse("a folder named \"" + name + "\" exists there already");
        int32_t id = 0;
        if (!NextObjectId("node", classId, id))
            return false;
        if (!Run("INSERT INTO dbo.node(class_id, object_id, parent_class, parent_object, name) VALUES(?, ?, ?, ?, ?)",
                 {Number(classId), Number(id), Number(parentClass), Number(parentObject), Text(name)}, nullptr,
                 "cannot add the folder"))
            return false;
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
    if (!m_session)
        return Fail("the store is not open");
    if (!xmlchars::IsXmlText(fileName))
        return Refuse("a file name must be UTF-8 text without control characters");
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
        // The parent's class is its class id: the document class must be allowed there.
        Rows rows;
        if (!Run("SELECT 1 FROM dbo.doc_class_allowed a JOIN dbo.doc_class d ON d.class_id = a.doc_class"
                 " WHERE a.node_class = ? AND a.doc_class = ?",
                 {Number(parentClass), Number(docClass)}, &rows, "cannot read the document classes"))
            return false;
        if (rows.values.empty())
            return Refuse("document class " + std::to_string(docClass) + " may not be added under node class " +
                          std::to_string(parentClass));
        bool taken = false;
        if (!NameTaken("document", "file_name", parentClass, parentObject, fileName, taken))
            return false;
        if (taken)
            return Refuse("a document named \"" + fileName + "\" exists there already");
        int32_t id = 0;
        if (!NextObjectId("document", docClass, id))
            return false;
        if (!Run("INSERT INTO dbo.document(class_id, object_id, parent_class, parent_object, file_name, size, modified,"
                 " content, link_path) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)",
                 {Number(docClass), Number(id), Number(parentClass), Number(parentObject), Text(fileName),
                  Number(size < 0 ? 0 : size), Text(modified), bytes ? CDbParam::Bytes(*bytes) : Null(),
                  linkPath.empty() ? Null() : Text(linkPath)},
                 nullptr, "cannot add the document"))
            return false;
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
