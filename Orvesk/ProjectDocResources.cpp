// The server's resources and the users' permissions on the project.
#include "ProjectDoc.h"

#include "ProjectLogin.h"
#include "ProjectProgress.h"
#include "ProjectServiceUse.h"
#include "ProjectXmlText.h"
#include "XmlWalk.h"

namespace {

// Asks the server for one XML text with ask(service, strXml) and reads it with parse, the
// wait cursor showing throughout. 0 without a server, a service or an answer.
template <typename Ask, typename Parse>
int FetchAndParse(const CProjectDoc& doc, Ask ask, Parse parse)
{
    if (doc.m_strServiceUrl.IsEmpty())
        return 0;
    CProjectWait wait;
    CProjectServiceRef service(ProjectConnectService(doc));
    if (!service)
        return 0;
    CString strXml;
    if (ask(*service, strXml) != S_OK)
        return 0;
    return parse(strXml) ? 1 : 0;
}

// Calls readItem with each element named lpszItem under a root element named lpszList;
// text and foreign nodes are stepped over. Nothing is read from a text that does not load
// or has another root.
template <typename ReadItem>
void ForEachXmlItem(const CString& strXml, LPCTSTR lpszList, LPCTSTR lpszItem, ReadItem readItem)
{
    CXmlDocument doc;
    if (!doc.LoadXml(strXml))
        return;
    CXmlNode root = doc.documentElement();
    if (!XmlIsElement(root) || !XmlNameIs(root, lpszList))
        return;
    for (CXmlNode child = root.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (!XmlIsElement(child) || !XmlNameIs(child, lpszItem))
            continue;
        readItem(child);
    }
}

} // namespace

int CProjectDoc::GetResources()
{
    return FetchAndParse(
        *this, [](IProjectService& service, CString& strXml) { return service.GetResources(strXml); },
        [this](const CString& strXml) { return ParseResources(strXml); });
}

int CProjectDoc::GetUsersPermission()
{
    return FetchAndParse(
        *this,
        [this](IProjectService& service, CString& strXml) {
            return service.GetUsersPermission(m_ProjectInfo.m_nProjID, strXml);
        },
        [this](const CString& strXml) { return ParsePermission(strXml); });
}

int CProjectDoc::ParseResources(const CString& strXml)
{
    // Each RESOURCE starts from a fresh record, so a field one resource lacks never takes
    // the value of the resource before it.
    ForEachXmlItem(strXml, "RESOURCES", "RESOURCE", [this](const CXmlNode& item) {
        tagResInfo res;
        res.nID = 0;
        ForEachXmlField(item, [&res](const CString& strName, const CXmlNode& leaf) {
            if (strName == "RESCODE")
                res.strCode = XmlLeafText(leaf);
            else if (strName == "RESUNIT")
                res.strUnit = XmlLeafText(leaf);
            else if (strName == "RESNAME")
                res.strName = XmlLeafText(leaf);
            else if (strName == "RESTYPE")
                res.nType = XmlLeafInt(leaf, 0);
            else if (strName == "RESISADMIN")
                res.bIsAdmin = XmlLeafInt(leaf, 1);
            else if (strName == "RESISMANAGER")
                res.bIsManager = XmlLeafInt(leaf, 0);
            else if (strName == "RESISEXT")
                res.bIsExt = XmlLeafInt(leaf, 0);
            else if (strName == "RESCOST")
                res.nCost = XmlLeafInt(leaf, 0);
            else if (strName == "RESACTCOST")
                res.nActCost = XmlLeafInt(leaf, 0);
        });
        if (!res.strCode.IsEmpty())
            m_listResources.AddTail(res);
    });
    return 1;
}

int CProjectDoc::ParsePermission(const CString& strXml)
{
    // A fresh record per PERMISSION: an absent field never carries one user's rights to the
    // next.
    ForEachXmlItem(strXml, "PERMISSIONS", "PERMISSION", [this](const CXmlNode& item) {
        tagPermInfo perm;
        ForEachXmlField(item, [&perm](const CString& strName, const CXmlNode& leaf) {
            if (strName == "RESCODE")
                perm.strCode = XmlLeafText(leaf);
            else if (strName == "OPENPROJ")
                perm.nOpenProj = XmlLeafInt(leaf, 0);
            else if (strName == "PUBLISHPROJ")
                perm.nPublishProj = XmlLeafInt(leaf, 0);
            else if (strName == "DELETEPROJ")
                perm.nDeleteProj = XmlLeafInt(leaf, 0);
            else if (strName == "MODIFYPROGRESS")
                perm.nModifyProgress = XmlLeafInt(leaf, 0);
            else if (strName == "LOOKPROGRESS")
                perm.nLookProgress = XmlLeafInt(leaf, 1);
            else if (strName == "FORUM")
                perm.nForum = XmlLeafInt(leaf, 1);
            else if (strName == "DESC")
                perm.strDesc = XmlLeafText(leaf);
        });
        m_listPermissions.AddTail(perm);
    });
    return 1;
}

int CProjectDoc::SaveUsersPermission(CString& strXml)
{
    strXml.Empty();
    if (m_listPermissions.IsEmpty())
        return 1;

    CString s;
    strXml = "<PERMISSIONS>";
    POSITION pos = m_listPermissions.GetHeadPosition();
    while (pos != NULL) {
        const tagPermInfo& perm = m_listPermissions.GetNext(pos);
        s.Format("<RESCODE>%s</RESCODE><OPENPROJ>%d</OPENPROJ><PUBLISHPROJ>%d</PUBLISHPROJ> \t\t\t\t\t\t"
                 "<DELETEPROJ>%d</DELETEPROJ><MODIFYPROGRESS>%d</MODIFYPROGRESS>"
                 "<LOOKPROGRESS>%d</LOOKPROGRESS><FORUM>%d</FORUM> \t\t\t\t\t\t<DESC>%s</DESC>",
                 (LPCTSTR)XmlText(perm.strCode), perm.nOpenProj, perm.nPublishProj,
                 perm.nDeleteProj, perm.nModifyProgress, perm.nLookProgress, perm.nForum,
                 (LPCTSTR)XmlText(perm.strDesc));
        strXml += "<PERMISSION>";
        strXml += s;
        strXml += "</PERMISSION>";
    }
    strXml += "</PERMISSIONS>";
    return 1;
}

int CProjectDoc::IsHavePermission(CString strCode, int nKind)
{
    if (strCode.IsEmpty()) {
        if (m_strLoginName.IsEmpty()) {
            CString strUser, strPassword;
            if (!ProjectRunLogin(m_bAutomation, m_strServiceUrl, m_strProxyServerPort,
                                 m_strProxyServerAddress, strUser, strPassword))
                return 0;
            m_strLoginName = strUser;
            m_strPassword = strPassword;
        }
        strCode = m_strLoginName;
    }

    if (nKind < PERM_OPENPROJ || nKind > PERM_FORUM)
        return 0;
    POSITION pos = m_listPermissions.GetHeadPosition();
    while (pos != NULL) {
        const tagPermInfo& perm = m_listPermissions.GetNext(pos);
        if (perm.strCode == strCode)
            return perm.GetPermission(nKind);
    }
    return 0;
}

void CProjectDoc::ModifyLoginUserPerm()
{
    // Nobody logged in: nobody to give the rights to.
    if (m_strLoginName.IsEmpty())
        return;

    BOOL bMember = FALSE;
    POSITION pos = m_ProjectInfo.m_listMembers.GetHeadPosition();
    while (pos != NULL && !bMember)
        bMember = m_ProjectInfo.m_listMembers.GetNext(pos).strCode == m_strLoginName;
    if (!bMember) {
        tagResInfo res;
        res.nID = 0;
        res.strCode = m_strLoginName;
        res.strName = m_strLoginName;
        res.strUnit.Empty();
        res.strDesc.Empty();
        res.nType = 1;
        res.nCost = 0;
        res.nActCost = 0;
        res.bIsAdmin = 1;
        res.bIsManager = 0;
        res.bIsExt = 0;
        m_ProjectInfo.m_listMembers.AddTail(res);
    }

    BOOL bFound = FALSE;
    pos = m_listPermissions.GetHeadPosition();
    while (pos != NULL) {
        tagPermInfo& perm = m_listPermissions.GetNext(pos);
        if (perm.strCode == m_strLoginName) {
            perm.nOpenProj = perm.nPublishProj = perm.nDeleteProj = 1;
            perm.nModifyProgress = perm.nLookProgress = perm.nForum = 1;
            bFound = TRUE;
        }
    }
    if (!bFound) {
        tagPermInfo perm;
        perm.strCode = m_strLoginName;
        perm.nOpenProj = perm.nPublishProj = perm.nDeleteProj = 1;
        perm.nModifyProgress = perm.nLookProgress = perm.nForum = 1;
        perm.strName = m_strLoginName;
        m_listPermissions.AddTail(perm);
    }
}
