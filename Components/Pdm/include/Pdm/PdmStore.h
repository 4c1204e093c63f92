// The product-data store, through the data-access layer: one SQLite database file, or the
// schema dbo of a database server named by an ODBC connection string (PostgreSQL), holding
//   - node classes and the folders (nodes) of the tree, each named by (class id, object
//     id); the root is class 20, object 0 and is not a row of its own;
//   - document classes, and which of them may be added under which node class;
//   - documents under nodes: class id, object id, file name, size, modified time, and the
//     file's bytes or the path of the file they stand for.
// Texts are UTF-8 here; every value is a bound parameter. A file runs in WAL mode, so
// readers (the browser, the web server) never wait for a writer and never see half a change:
// every change is one transaction (on a server, writers of the store take turns). A missing,
// locked, damaged or foreign file gives false and an error text.
//
// One object per thread; every call is complete in itself.
#pragma once

#include <DataAccess/DbStore.h>

#include <cstdint>
#include <string>
#include <vector>

enum : int32_t {
    PDM_ROOT_CLASS = 20,
    PDM_ROOT_OBJECT = 0,
    PDM_FOLDER_CLASS = 21,   // the class of folders a fresh store and the import make
    PDM_DEFAULT_DOC_CLASS = 101,
};

struct PdmNodeRow {
    int32_t classId = 0;
    int32_t objectId = 0;
    std::string name;
    bool hasChildren = false;
};

struct PdmDocRow {
    int32_t classId = 0;
    int32_t objectId = 0;
    std::string fileName;
    int64_t size = 0;
    std::string modified;  // "YYYY-MM-DD HH:MM:SS", UTC
};

struct PdmClassRow {
    int32_t classId = 0;
    std::string name;
};

// What a download serves: the stored bytes, or the path of the file they stand for.
struct PdmDocContent {
    std::string fileName;
    bool hasBytes = false;
    std::string bytes;
    std::string path;
};

class CPdmStore : public CDbStore {
public:
    enum OpenMode { OpenExisting, CreateIfMissing };

    CPdmStore();
    ~CPdmStore() override;

    // Opens the store file, or the store on the database server of an ODBC connection
    // string (a text with "=" and ";"). OpenExisting refuses a missing file or store;
    // CreateIfMissing makes a fresh store (with the folder class, the root class and one
    // document class) when the file does not exist or is empty, or the server's schema dbo
    // has no store. A file that is not a product-data store is refused, never changed.
    // `busyMilliseconds`: how long a call waits for a lock held elsewhere. The
    // connection to a server outlives the store: Close keeps it for the next Open of the same
    // connection string, which checks it still serves.
    bool Open(const std::string& path, OpenMode mode, int busyMilliseconds = 5000);
    // The last failure refused the request itself (unknown folder or class, bad or taken
    // name), rather than the store failing.
    bool LastErrorRefused() const { return m_refused; }

    // Reading; each call reads one consistent state.
    bool ListChildren(int32_t classId, int32_t objectId, std::vector<PdmNodeRow>& rows);
    bool ListDocuments(int32_t classId, int32_t objectId, std::vector<PdmDocRow>& rows);
    // The document classes that may be added under nodes of `nodeClassId`, in their order.
    bool ListDocClasses(int32_t nodeClassId, std::vector<PdmClassRow>& rows);
    // Whether node (classId, objectId) exists (the root always does).
    bool NodeExists(int32_t classId, int32_t objectId, bool& found);
    // The folder names from the root down to the node, each followed by "\"; "" for the
    // root. A chain of parents that loops or breaks off is an error.
    bool NodePath(int32_t classId, int32_t objectId, std::string& path);
    // The parent of a document (false with an error for an unknown document).
    bool DocumentParent(int32_t classId, int32_t objectId, int32_t& parentClass, int32_t& parentObject);
    bool ReadDocument(int32_t classId, int32_t objectId, PdmDocContent& content);

    // Adding. Names must be non-empty, without "/", "\" or control characters, and not
    // "." or ".."; a name already used under the same parent is refused.
    bool AddNodeClass(int32_t classId, const std::string& name);
    bool AddDocClass(int32_t classId, const std::string& name);
    bool AllowDocClass(int32_t nodeClassId, int32_t docClassId);
    bool AddNode(int32_t parentClass, int32_t parentObject, int32_t classId, const std::string& name,
                 int32_t& newObjectId);
    // A document record only (size 0, no bytes), of a class allowed under the parent's class.
    bool AddDocument(int32_t parentClass, int32_t parentObject, int32_t docClass, const std::string& fileName,
                     int32_t& newObjectId);
    // A document with its bytes (or, when `linkPath` is not empty, the path it stands for)
    // and its size and modified time.
    bool PutDocument(int32_t parentClass, int32_t parentObject, int32_t docClass, const std::string& fileName,
                     const std::string& bytes, const std::string& linkPath, int64_t size,
                     const std::string& modified, int32_t& newObjectId);

    // Several additions make one transaction between Begin and Commit (the import of a
    // folder tree); Begin, Commit, Rollback, Close and LastError come with the store base.

    // A folder or document name: not empty, "." or "..", no separator or control character,
    // well-formed UTF-8 of characters XML can carry.
    static bool IsValidName(const std::string& name);

private:
    bool Fail(const std::string& what) override;
    std::string DatabaseError(const std::string& what, const std::string& description) const override;
    bool StartedWriting() override;
    bool Refuse(const std::string& what);
    bool Prepare(OpenMode mode, int busyMilliseconds);
    bool CheckSchema(bool& empty);
    bool CreateSchema();
    bool WaitForLocks(int busyMilliseconds);
    bool NextObjectId(const char* table, int32_t classId, int32_t& id);
    bool NameTaken(const char* table, const char* column, int32_t parentClass, int32_t parentObject,
                   const std::string& name, bool& taken);
    bool NodeClassOf(int32_t classId, int32_t objectId, int32_t& nodeClass);
    bool InsertDocument(int32_t parentClass, int32_t parentObject, int32_t docClass, const std::string& fileName,
                        const std::string* bytes, const std::string& linkPath, int64_t size,
                        const std::string& modified, int32_t& newObjectId);

    std::string m_path;  // as shown in errors (a connection string is not)
    bool m_refused = false;
};
