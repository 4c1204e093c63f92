// Object lists in the local project file (not exported): the count in the archive's count
// form, then each object with its class tag.
#pragma once

#include <ClassLib/Afx.h>

#include <type_traits>

// Throws the archive exception of a damaged file.
[[noreturn]] void ThrowDamagedArchive(CArchive& ar);

// Reads one element of an object list: a new object of the class (or of one derived from
// it). The writer puts every object in one list only, so a null object or a reference to
// an object read before is damage and refused: taking it would put one object in two
// lists, or a task inside itself.
CObject* ReadListObject(CArchive& ar, CRuntimeClass* pClass);

// Writes the elements for which keep(element) holds: their number, then each object.
template <class LIST, class KEEP>
void StoreObjectList(CArchive& ar, LIST& list, KEEP keep)
{
    DWORD nCount = 0;
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL) {
        if (keep(list.GetNext(pos)))
            ++nCount;
    }
    ar.WriteCount(nCount);
    pos = list.GetHeadPosition();
    while (pos != NULL) {
        auto pElement = list.GetNext(pos);
        if (keep(pElement))
            ar.WriteObject(pElement);
    }
}

template <class LIST>
void StoreObjectList(CArchive& ar, LIST& list)
{
    StoreObjectList(ar, list, [](const void*) { return true; });
}

// Reads a list written by StoreObjectList and appends its objects, each of the class
// pClass or one derived from it; each object belongs to the list as soon as it is read.
template <class LIST>
void LoadObjectList(CArchive& ar, LIST& list, CRuntimeClass* pClass)
{
    typedef std::remove_reference_t<decltype(list.GetHead())> ELEMENT;
    const DWORD nCount = ar.ReadCount();
    for (DWORD i = 0; i < nCount; ++i)
        list.AddTail(static_cast<ELEMENT>(ReadListObject(ar, pClass)));
}

// A 4-byte count of records, refused when negative.
int ReadRecordCount(CArchive& ar);
