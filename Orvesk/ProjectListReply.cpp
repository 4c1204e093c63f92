#include "ProjectListReply.h"

#include "XmlWalk.h"

EProjListReply ReadProjectListReply(const CString& strXml, std::vector<CProjListEntry>& entries)
{
    if (strXml.IsEmpty())
        return PROJLIST_EMPTY_TEXT;
    CXmlDocument doc;
    if (!doc.LoadXml(strXml))
        return PROJLIST_NOT_XML;
    CXmlNode root = doc.documentElement();
    if (root.isNull() || !XmlIsElement(root) || !XmlNameIs(root, "PROJECTS"))
        return PROJLIST_WRONG_ROOT;

    for (CXmlNode proj = root.firstChild(); !proj.isNull(); proj = proj.nextSibling()) {
        if (!XmlIsElement(proj) || !XmlNameIs(proj, "PROJ"))
            break;
        CProjListEntry entry;
        ForEachXmlField(proj, [&entry](const CString& strName, const CXmlNode& leaf) {
            if (strName == "ID")
                entry.nID = XmlLeafInt(leaf, 0);
            else if (strName == "NAME")
                entry.strName = XmlLeafText(leaf);
            else if (strName == "STATUS")
                entry.nStatus = XmlLeafInt(leaf, 0);
            else if (strName == "CREATIONDATE")
                entry.strDate = XmlLeafText(leaf);
        });
        if (entry.nID != 0)
            entries.push_back(entry);
    }
    return PROJLIST_READ;
}

int ProjectStatusImage(int nStatus)
{
    if (nStatus >= 1 && nStatus <= 4)
        return 1;
    if (nStatus == 5)
        return 2;
    return 0;
}
