// The project header: name, goal, cost, dates, status and members of one project.
#pragma once

#include <ClassLib/Afx.h>
#include <Tavrin/ResInfo.h>

#include "TaskCodes.h"

typedef CList<tagResInfo, tagResInfo&> CResInfoList;

class AFX_EXT_CLASS CProjectInfo : public CObject
{
    DECLARE_SERIAL(CProjectInfo)

public:
    CProjectInfo();
    virtual ~CProjectInfo();

    // The local project file's form; a header with FLAG 3 is neither written nor read.
    virtual void Serialize(CArchive& ar);

    // Copies every field and the members from another header.
    void CopyFrom(const CProjectInfo& src);

public:
    CString m_strName;
    int m_nProjID;
    CString m_strGoal;
    int m_nCost;
    int m_nActCost;
    int m_nPriority;
    int m_nStatus;
    COleDateTime m_dtCreation;
    COleDateTime m_dtStart;
    COleDateTime m_dtActStart;
    COleDateTime m_dtFinish;
    COleDateTime m_dtActFinish;
    COleDateTime m_dtDeadline;
    int m_nFlag;
    int m_nIsSubProj;
    int m_nProgress;
    CResInfoList m_listMembers; // the project's resources

private:
    CProjectInfo(const CProjectInfo&) = delete;
    CProjectInfo& operator=(const CProjectInfo&) = delete;
};
