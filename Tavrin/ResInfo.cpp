#include <Tavrin/ResInfo.h>

tagResInfo::tagResInfo()
    : nID(0), nType(1), nCost(0), nActCost(0), bIsAdmin(1), bIsManager(1), bIsExt(0)
{
}

tagResInfo::tagResInfo(const tagResInfo& src)
    : nID(src.nID),
      strCode(src.strCode),
      strUnit(src.strUnit),
      strDesc(src.strDesc),
      strName(src.strName),
      nType(src.nType),
      nCost(src.nCost),
      nActCost(src.nActCost),
      bIsAdmin(src.bIsAdmin),
      bIsManager(src.bIsManager),
      bIsExt(src.bIsExt)
{
}

tagResInfo::~tagResInfo()
{
}

tagResInfo& tagResInfo::operator=(const tagResInfo& src)
{
    nID = src.nID;
    strCode = src.strCode;
    strUnit = src.strUnit;
    strDesc = src.strDesc;
    strName = src.strName;
    nType = src.nType;
    nCost = src.nCost;
    nActCost = src.nActCost;
    bIsAdmin = src.bIsAdmin;
    bIsManager = src.bIsManager;
    bIsExt = src.bIsExt;
    return *this;
}

bool tagResInfo::operator==(const tagResInfo& other) const
{
    return nID == other.nID && strCode == other.strCode && strUnit == other.strUnit &&
           strDesc == other.strDesc && strName == other.strName && nType == other.nType &&
           nCost == other.nCost && nActCost == other.nActCost && bIsAdmin == other.bIsAdmin &&
           bIsManager == other.bIsManager && bIsExt == other.bIsExt;
}

void tagResInfo::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << nID << strCode << strUnit << nType << strName << bIsAdmin << bIsManager;
        ar << strDesc << bIsExt << nCost << nActCost;
    } else {
        ar >> nID >> strCode >> strUnit >> nType >> strName >> bIsAdmin >> bIsManager;
        ar >> strDesc >> bIsExt >> nCost >> nActCost;
    }
}
