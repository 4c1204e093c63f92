#include "PermInfo.h"

tagPermInfo::tagPermInfo()
    : nOpenProj(0), nPublishProj(0), nDeleteProj(0), nModifyProgress(0), nLookProgress(0), nForum(0)
{
}

tagPermInfo::~tagPermInfo() = default;

tagPermInfo::tagPermInfo(const tagPermInfo& src)
{
    *this = src;
}

tagPermInfo& tagPermInfo::operator=(const tagPermInfo& src)
{
    nOpenProj = src.nOpenProj;
    nPublishProj = src.nPublishProj;
    nDeleteProj = src.nDeleteProj;
    nModifyProgress = src.nModifyProgress;
    nLookProgress = src.nLookProgress;
    nForum = src.nForum;
    strDesc = src.strDesc;
    strName = src.strName;
    strCode = src.strCode;
    return *this;
}

int tagPermInfo::GetPermission(int nKind) const
{
    switch (nKind) {
    case PERM_OPENPROJ: return nOpenProj;
    case PERM_PUBLISHPROJ: return nPublishProj;
    case PERM_DELETEPROJ: return nDeleteProj;
    case PERM_MODIFYPROGRESS: return nModifyProgress;
    case PERM_LOOKPROGRESS: return nLookProgress;
    case PERM_FORUM: return nForum;
    default: return 0;
    }
}

void tagPermInfo::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << strCode;
        ar << nOpenProj << nPublishProj << nDeleteProj << nModifyProgress << nLookProgress << nForum;
        ar << strDesc;
        ar << strName;
    } else {
        ar >> strCode;
        ar >> nOpenProj >> nPublishProj >> nDeleteProj >> nModifyProgress >> nLookProgress >> nForum;
        ar >> strDesc;
        ar >> strName;
    }
}
