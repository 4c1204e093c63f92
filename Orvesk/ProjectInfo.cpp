#include "ProjectInfo.h"

IMPLEMENT_SERIAL(CProjectInfo, CObject, VERSIONABLE_SCHEMA | 2)

CProjectInfo::CProjectInfo()
    : m_nProjID(0), m_nCost(0), m_nActCost(0), m_nPriority(2), m_nStatus(0), m_nFlag(0),
      m_nIsSubProj(0), m_nProgress(0), m_listMembers(10)
{
}

CProjectInfo::~CProjectInfo()
{
    m_listMembers.RemoveAll();
}

void CProjectInfo::CopyFrom(const CProjectInfo& src)
{
    m_strName = src.m_strName;
    m_nProjID = src.m_nProjID;
    m_strGoal = src.m_strGoal;
    m_nCost = src.m_nCost;
    m_nActCost = src.m_nActCost;
    m_nPriority = src.m_nPriority;
    m_nStatus = src.m_nStatus;
    m_dtCreation = src.m_dtCreation;
    m_dtStart = src.m_dtStart;
    m_dtActStart = src.m_dtActStart;
    m_dtFinish = src.m_dtFinish;
    m_dtActFinish = src.m_dtActFinish;
    m_dtDeadline = src.m_dtDeadline;
    m_nFlag = src.m_nFlag;
    m_nIsSubProj = src.m_nIsSubProj;
    m_nProgress = src.m_nProgress;
    m_listMembers.RemoveAll();
    POSITION pos = src.m_listMembers.GetHeadPosition();
    while (pos != NULL) {
        tagResInfo res = src.m_listMembers.GetNext(pos);
        m_listMembers.AddTail(res);
    }
}
