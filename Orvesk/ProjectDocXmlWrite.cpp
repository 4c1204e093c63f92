// The project exchange XML the server save sends.
#include "ProjectDoc.h"

#include "ProjectProgress.h"
#include "ProjectXmlText.h"

namespace {

void AppendMember(CString& strXml, const tagResInfo& res)
{
    strXml += "<MEMBER>";
    AppendXmlElement(strXml, "RESCODE", res.strCode);
    XmlAppendFormat(strXml, "<ROLETYPEID>%d</ROLETYPEID><PERMID>%d</PERMID>", {0, 2});
    AppendXmlElement(strXml, "RESNAME", res.strName);
    AppendXmlElement(strXml, "RESDESC", res.strDesc);
    AppendXmlElement(strXml, "RESUNIT", res.strUnit);
    XmlAppendFormat(strXml, "<RESTYPE>%d</RESTYPE><RESACTCOST>%d</RESACTCOST><RESCOST>%d</RESCOST>",
                    {res.nType, res.nActCost, res.nCost});
    XmlAppendFormat(strXml,
                    "<RESISADMIN>%d</RESISADMIN><RESISEXT>%d</RESISEXT><RESISMANAGER>%d</RESISMANAGER>",
                    {res.bIsAdmin, res.bIsExt, res.bIsManager});
    strXml += "</MEMBER>";
}

int CountTasks(const CTaskItemList& list)
{
    int n = 0;
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL)
        n += 1 + CountTasks(list.GetNext(pos)->m_listChildren);
    return n;
}

} // namespace

void CProjectDoc::AppendProjectHeaderXml(CString& strXml) const
{
    const CProjectInfo& info = m_ProjectInfo;
    XmlAppendFormat(strXml, "<ID>%d</ID>", {info.m_nProjID});
    AppendXmlElement(strXml, "NAME", info.m_strName);
    AppendXmlElement(strXml, "GOAL", info.m_strGoal);
    XmlAppendFormat(strXml, "<COST>%d</COST><ACTCOST>%d</ACTCOST>", {info.m_nCost, info.m_nActCost});
    AppendXmlDate(strXml, "CREATIONDATE", info.m_dtCreation, PROJECT_XML_DATE_FORMAT);
    AppendXmlDate(strXml, "STARTDATE", info.m_dtStart, PROJECT_XML_DATE_FORMAT);
    AppendXmlDate(strXml, "ACTSTARTDATE", info.m_dtActStart, PROJECT_XML_DATE_FORMAT);
    AppendXmlDate(strXml, "FINISHDATE", info.m_dtFinish, PROJECT_XML_DATE_FORMAT);
    AppendXmlDate(strXml, "ACTFINISHDATE", info.m_dtActFinish, PROJECT_XML_DATE_FORMAT);
    AppendXmlDate(strXml, "DEADLINEDATE", info.m_dtDeadline, PROJECT_XML_DATE_FORMAT);
    XmlAppendFormat(strXml,
                    "<FLAG>%d</FLAG><PRIORITY>%d</PRIORITY><STATUS>%d</STATUS><ISSUBPROJ>%d</ISSUBPROJ>"
                    "<PROGRESS>%d</PROGRESS>",
                    {info.m_nFlag, info.m_nPriority, info.m_nStatus, info.m_nIsSubProj, info.m_nProgress});
}

void CProjectDoc::AppendMembersXml(CString& strXml) const
{
    strXml += "<MEMBERS>";
    POSITION pos = m_ProjectInfo.m_listMembers.GetHeadPosition();
    while (pos != NULL)
        AppendMember(strXml, m_ProjectInfo.m_listMembers.GetNext(pos));
    strXml += "</MEMBERS>";
}

void CProjectDoc::WriteProjectXml(CString& strXml)
{
    const CString strChildFormat = ProjectTaskDateFormat();

    strXml = "<PROJECT>";
    // About a kilobyte and a half per task: grow the text once rather than step by step.
    strXml.Preallocate((CountTasks(m_listTasks) + CountTasks(m_listDeletedTasks)) * 1536 + 4096);
    AppendProjectHeaderXml(strXml);
    AppendMembersXml(strXml);

    // Removed tasks stand in the same TASKS element as the live ones, also when no live
    // task is left.
    const BOOL bTasks = !m_listTasks.IsEmpty() || !m_listDeletedTasks.IsEmpty();
    if (bTasks)
        strXml += "<TASKS>";

    POSITION pos = m_listTasks.GetHeadPosition();
    while (pos != NULL) {
        ProjectSendProgress(WM_PROGRESS_STEP);
        CTaskItem* pTask = m_listTasks.GetNext(pos);
        pTask->AppendXmlHead(strXml, PROJECT_XML_DATE_FORMAT, TRUE);
        pTask->AppendXmlBody(strXml, TRUE, strChildFormat);
    }

    pos = m_listDeletedTasks.GetHeadPosition();
    while (pos != NULL) {
        CTaskItem* pTask = m_listDeletedTasks.GetNext(pos);
        pTask->AppendXmlHead(strXml, PROJECT_XML_DATE_FORMAT, FALSE);
        pTask->AppendXmlBody(strXml, FALSE, strChildFormat);
        ProjectSendProgress(WM_PROGRESS_STEP);
    }

    if (bTasks)
        strXml += "</TASKS>";
    strXml += "</PROJECT>";
    TRACE("ProjectData Length: %d \n", strXml.GetLength());
}

void CProjectDoc::ResetSaveFlags()
{
    if (m_ProjectInfo.m_nFlag != FLAG_REMOVED)
        m_ProjectInfo.m_nFlag = FLAG_UNCHANGED;
    POSITION pos = m_listTasks.GetHeadPosition();
    while (pos != NULL) {
        CTaskItem* pTask = m_listTasks.GetNext(pos);
        if (pTask->m_nFlag != FLAG_REMOVED)
            pTask->m_nFlag = FLAG_UNCHANGED;
    }
    pos = m_listDeletedTasks.GetHeadPosition();
    while (pos != NULL)
        m_listDeletedTasks.GetNext(pos)->m_nFlag = FLAG_UNCHANGED;
}
