// One resource or project member: a person, a piece of equipment, material or other.
// Held by value in resource lists (CList<tagResInfo, tagResInfo&>).
#pragma once

#include <ClassLib/Afx.h>

struct AFX_EXT_CLASS tagResInfo
{
    tagResInfo();
    tagResInfo(const tagResInfo& src);
    ~tagResInfo();
    tagResInfo& operator=(const tagResInfo& src);

    // Equal when every field is equal.
    bool operator==(const tagResInfo& other) const;
    bool operator!=(const tagResInfo& other) const { return !(*this == other); }

    // Archive form of the local project file: id, code, unit, type, name, is administrator,
    // is manager, description, is external, cost, actual cost.
    void Serialize(CArchive& ar);

    int nID;
    CString strCode;  // RESCODE, the key of a resource everywhere
    CString strUnit;  // RESUNIT
    CString strDesc;  // RESDESC
    CString strName;  // RESNAME
    int nType;        // RESTYPE: 1 personnel, 2 equipment, 3 material, 4 other
    int nCost;        // RESCOST
    int nActCost;     // RESACTCOST
    int bIsAdmin;     // RESISADMIN
    int bIsManager;   // RESISMANAGER
    int bIsExt;       // RESISEXT
};
