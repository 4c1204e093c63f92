// Archived collections and objects: the lists, arrays and maps of the class library and
// the project's records read back from archive bytes.
#include "FuzzEntry.h"

#include "ProjectDoc.h"

#include <ClassLib/Afx.h>

#include <set>

namespace {

template <class COLLECTION>
void ReadOne(const uint8_t* data, size_t size)
{
    CMemFile file(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(data)), (UINT)size);
    CArchive ar(&file, CArchive::load);
    COLLECTION collection;
    try {
        collection.Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        ar.Abort();
    }
}

// A damaged list may name one object twice: each is deleted once.
void DeleteObjects(CObList& list)
{
    std::set<CObject*> objects;
    while (!list.IsEmpty())
        objects.insert(list.RemoveHead());
    for (CObject* p : objects)
        delete p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReadOne<CStringArray>(data, size);
    ReadOne<CStringList>(data, size);
    ReadOne<CDWordArray>(data, size);
    ReadOne<CByteArray>(data, size);
    ReadOne<CMapStringToString>(data, size);
    // Objects of any registered class (the project's task, link and document records).
    CMemFile file(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(data)), (UINT)size);
    CArchive ar(&file, CArchive::load);
    CObList objects;
    try {
        objects.Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        ar.Abort();
    }
    DeleteObjects(objects);
    return 0;
}
