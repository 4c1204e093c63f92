// The product-data components: four small objects over the product-data store (the
// project server's), each created for one operation (PdmFactory.h) and ended with Release().
//
// Calling order of the lists: the loading call first, then GetCount, then GetItem count
// times; each GetItem yields the next record in the store's order. Every call returns an
// HRESULT and the caller goes on only after S_OK:
//   S_OK          done; out values are set.
//   S_FALSE       GetItem after the last record; out values are untouched.
//   E_UNEXPECTED  a call out of order (GetCount or GetItem before a successful load,
//                 AddDocument before Initialize).
//   E_INVALIDARG  AddDocument refused (unknown folder, class not allowed there, bad or
//                 taken name).
//   PDM_E_STORE   the store cannot be read or written (missing, locked, damaged or not a
//                 product-data store), or its server cannot be reached, is too slow, or
//                 answers with anything but a whole answer of the expected kind.
// Each failure writes a trace line (PdmTrace.h) saying why.
//
// Ids are 32-bit; texts are code page 936 CString values (UTF-8 in the store).
#pragma once

#include <ClassLib/Core/String.h>
#include <ClassLib/Core/WinTypes.h>

#include <memory>

#define PDM_E_STORE ((HRESULT)0x80040401L)

// A folder: its pair, its name and whether it has folders below it.
struct PdmNodeRecord {
    LONG classId = 0;
    LONG objectId = 0;
    CString name;
    LONG hasChildren = 0;  // not 0: has children
};

// A document: its pair names it for a download; then its file name, size in bytes and
// the time it was last changed ("YYYY-MM-DD HH:MM:SS", UTC).
struct PdmDocRecord {
    LONG classId = 0;
    LONG objectId = 0;
    CString fileName;
    LONGLONG size = 0;
    CString modified;
};

// A document class that may be added under a node.
struct PdmClassRecord {
    LONG classId = 0;
    CString name;
};

class IPdmNodeList {
public:
    virtual void Release() = 0;
    // The folders directly below the node (class id, object id); the root is (20, 0).
    virtual HRESULT LoadChildren(LONG classId, LONG objectId) = 0;
    virtual HRESULT GetItem(PdmNodeRecord& record) = 0;
    virtual HRESULT GetCount(LONG& count) = 0;

protected:
    virtual ~IPdmNodeList() = default;
};

class IPdmDocList {
public:
    virtual void Release() = 0;
    // The documents of the node.
    virtual HRESULT LoadDocuments(LONG classId, LONG objectId) = 0;
    virtual HRESULT GetCount(LONG& count) = 0;
    virtual HRESULT GetItem(PdmDocRecord& record) = 0;

protected:
    virtual ~IPdmDocList() = default;
};

class IPdmAvailList {
public:
    virtual void Release() = 0;
    // The document classes that may be added under nodes of the class; `kind` 1 asks for
    // document classes (the only kind there is; any other value is E_INVALIDARG).
    virtual HRESULT LoadClasses(LONG nodeClassId, LONG kind) = 0;
    virtual HRESULT GetItem(PdmClassRecord& record) = 0;
    virtual HRESULT GetCount(LONG& count) = 0;

protected:
    virtual ~IPdmAvailList() = default;
};

class IPdmData {
public:
    virtual void Release() = 0;
    // Adds a document record (no file bytes yet) of the class under the folder; the new
    // object id is not 0.
    virtual HRESULT AddDocument(LONG parentClassId, LONG parentObjectId, LONG docClassId, const CString& fileName,
                                LONG& newObjectId) = 0;
    // Opens the store; must succeed before AddDocument.
    virtual HRESULT Initialize() = 0;

protected:
    virtual ~IPdmData() = default;
};

// Releases a component when it goes out of scope: CPdmPtr<IPdmNodeList> list(CreatePdmNodeList());
struct CPdmRelease {
    template <class T>
    void operator()(T* component) const
    {
        if (component)
            component->Release();
    }
};
template <class T>
using CPdmPtr = std::unique_ptr<T, CPdmRelease>;
