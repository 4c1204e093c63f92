// One user's rights on a project.
#pragma once

#include <ClassLib/Afx.h>

// Permission kinds, the index of the flag they test.
#define PERM_OPENPROJ 0
#define PERM_PUBLISHPROJ 1
#define PERM_DELETEPROJ 2
#define PERM_MODIFYPROGRESS 3
#define PERM_LOOKPROGRESS 4
#define PERM_FORUM 5

struct AFX_EXT_CLASS tagPermInfo
{
    // Nonzero: the user holds the right.
    int nOpenProj;
    int nPublishProj;
    int nDeleteProj;
    int nModifyProgress;
    int nLookProgress;
    int nForum;
    CString strDesc;
    CString strName; // display name; not sent to the server
    CString strCode; // the user's resource code

    // Every producer sets the six flags; they start at 0 so that no record holds a right
    // nobody gave it.
    tagPermInfo();
    ~tagPermInfo();
    tagPermInfo(const tagPermInfo& src);
    tagPermInfo& operator=(const tagPermInfo& src);

    // The flag of a permission kind (0-5); 0 for any other kind.
    int GetPermission(int nKind) const;

    // The local project file's form: code, the six flags, description, name.
    void Serialize(CArchive& ar);
};
