// The archive's tables of the classes and objects it has written or read, by index.
#pragma once

#include <ClassLib/Core/Archive.h>

#include <unordered_map>
#include <vector>

struct CArchive::Maps
{
    // Storing: class records and objects already written, with their index.
    std::unordered_map<const void*, DWORD> stored;
    DWORD nStoreCount = 1;

    // Loading: what each index stands for; index 0 is the null object.
    struct Entry
    {
        const CRuntimeClass* pClass;  // set for a class
        CObject* pObject;             // set for an object
        UINT nSchema;                 // the stored schema of a class
    };
    std::vector<Entry> loaded{Entry{NULL, NULL, 0}};
};
