// The TASK element of the project XML.
#include "TaskItem.h"

#include "ProjectXmlText.h"

void CTaskItem::AppendXmlHead(CString& strXml, LPCTSTR lpszDateFormat, BOOL bAllDates) const
{
    strXml += "<TASK>";
    XmlAppendFormat(strXml,
                    "<ENTIREPROJID>%d</ENTIREPROJID><TASKID>%d</TASKID><PARENTID>%d</PARENTID>"
                    "<ISSUBPROJ>%d</ISSUBPROJ><SUBPROJID>%d</SUBPROJID>",
                    {m_nProjID, m_nTaskID, m_nParentID, m_nIsTask ? 0 : 1, m_nSubProjID});
    AppendXmlElement(strXml, "NAME", m_strName);
    AppendXmlElement(strXml, "DESC", m_strDesc);
    XmlAppendFormat(strXml, "<COST>%d</COST><ACTCOST>%d</ACTCOST>", {m_nCost, m_nActCost});

    AppendXmlDate(strXml, "STARTDATE", m_dtStart, lpszDateFormat);
    AppendXmlDate(strXml, "ACTSTARTDATE", m_dtActStart, lpszDateFormat);
    AppendXmlDate(strXml, "FINISHDATE", m_dtFinish, lpszDateFormat);
    AppendXmlDate(strXml, "ACTFINISHDATE", m_dtActFinish, lpszDateFormat);
    AppendXmlDate(strXml, "CREATIONDATE", m_dtCreation, lpszDateFormat);
    AppendXmlDate(strXml, "DEADLINEDATE", m_dtDeadline, lpszDateFormat);
    if (bAllDates) {
        AppendXmlDate(strXml, "EARLYSTARTDATE", m_dtEarlyStart, lpszDateFormat);
        AppendXmlDate(strXml, "EARLYFINISHDATE", m_dtEarlyFinish, lpszDateFormat);
        AppendXmlDate(strXml, "LATESTARTDATE", m_dtLateStart, lpszDateFormat);
        AppendXmlDate(strXml, "LATEFINISHDATE", m_dtLateFinish, lpszDateFormat);
    }

    XmlAppendFormat(strXml,
                    "<DURATION>%d</DURATION><DURISEST>%d</DURISEST> \t\t\t\t"
                    "<TRUEDURATION>%d</TRUEDURATION><ACTDURATION>%d</ACTDURATION> \t\t\t\t"
                    "<PRIORITY>%d</PRIORITY><STATUS>%d</STATUS><PROGRESS>%d</PROGRESS> \t\t\t\t"
                    "<ASSIGNERID>%d</ASSIGNERID><ISMILESTONGE>%d</ISMILESTONGE> \t\t\t\t"
                    "<HASCHILDREN>%d</HASCHILDREN><ROWINGRID>%d</ROWINGRID><FLAG>%d</FLAG>",
                    {m_nDuration, m_nDurIsEst, m_nTrueDuration, m_nActDuration, m_nPriority, m_nStatus,
                     m_nProgress, m_nAssignerID, m_nMilestone, (int)m_listChildren.GetCount(),
                     m_nRowInGrid, m_nFlag});
}

namespace {

template <class DOC>
void AppendDocument(CString& strXml, LPCTSTR lpszTag, const DOC* pDoc)
{
    strXml += '<';
    strXml += lpszTag;
    strXml += '>';
    AppendXmlElement(strXml, "DOCNAME", pDoc->m_strDocName);
    AppendXmlElement(strXml, "DOCLOCATION", pDoc->m_strDocLocation);
    XmlAppendFormat(strXml,
                    "<DOCSOURCE>%d</DOCSOURCE><DOCPDMCLASSID>%d</DOCPDMCLASSID>"
                    "<DOCPDMOBJECTID>%d</DOCPDMOBJECTID> ",
                    {pDoc->m_nDocSource, pDoc->m_nPdmClassID, pDoc->m_nPdmObjectID});
    strXml += "</";
    strXml += lpszTag;
    strXml += '>';
}

} // namespace

void CTaskItem::AppendXmlBody(CString& strXml, BOOL bPredByRow, LPCTSTR lpszChildDateFormat)
{
    AppendXmlRecords(strXml, bPredByRow);
    WriteChildrenXml(strXml, lpszChildDateFormat);
    strXml += "</TASK>";
}

void CTaskItem::AppendXmlRecords(CString& strXml, BOOL bPredByRow) const
{
    if (m_arrAssignees.GetSize() > 0) {
        strXml += "<ASSIGNEES>";
        for (INT_PTR i = 0; i < m_arrAssignees.GetSize(); ++i) {
            strXml += "<ASSIGNEE>";
            AppendXmlElement(strXml, "RESCODE", m_arrAssignees[i]);
            strXml += "</ASSIGNEE>";
        }
        strXml += "</ASSIGNEES>";
    }

    if (!m_listLinks.IsEmpty()) {
        strXml += "<LINKS>";
        POSITION pos = m_listLinks.GetHeadPosition();
        while (pos != NULL) {
            const CTaskLink* pLink = m_listLinks.GetNext(pos);
            XmlAppendFormat(strXml,
                            "<LINK><PREDID>%d</PREDID><TYPE>%d</TYPE><LOGICALTYPE>%d</LOGICALTYPE>"
                            "<SEQUENCE>%d</SEQUENCE><LAG>%d</LAG></LINK>",
                            {bPredByRow ? pLink->m_nSuccID : pLink->m_nPredID, pLink->m_nType,
                             pLink->m_nLogicalType, pLink->m_nSequence, pLink->m_nLag});
        }
        strXml += "</LINKS>";
    }

    if (!m_listRefDocs.IsEmpty() || !m_listTargetDocs.IsEmpty()) {
        strXml += "<DOCUMENTS>";
        POSITION pos = m_listRefDocs.GetHeadPosition();
        while (pos != NULL)
            AppendDocument(strXml, "REFDOC", m_listRefDocs.GetNext(pos));
        pos = m_listTargetDocs.GetHeadPosition();
        while (pos != NULL)
            AppendDocument(strXml, "TARGETDOC", m_listTargetDocs.GetNext(pos));
        strXml += "</DOCUMENTS>";
    }
}

void CTaskItem::WriteXml(CString& strXml)
{
    const CString strFormat = ProjectTaskDateFormat();
    WriteChildrenXml(strXml, strFormat);
}

void CTaskItem::WriteChildrenXml(CString& strXml, LPCTSTR lpszDateFormat)
{
    if (m_listChildren.IsEmpty())
        return;
    strXml += "<TASKS>";
    POSITION pos = m_listChildren.GetHeadPosition();
    while (pos != NULL) {
        CTaskItem* pChild = m_listChildren.GetNext(pos);
        pChild->AppendXmlHead(strXml, lpszDateFormat, TRUE);
        pChild->AppendXmlBody(strXml, TRUE, lpszDateFormat);
    }
    strXml += "</TASKS>";
}
