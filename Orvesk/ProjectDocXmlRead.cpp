// Reading the project exchange XML into the header, the members and the task tree.
//
// Every reader walks the element's children by first child and next sibling, steps over
// nodes that are not elements (text, comments), matches names exactly, gives an empty leaf
// its field's default and returns 1 for success, 0 for failure.
#include "ProjectDoc.h"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

#include "ProjectProgress.h"
#include "XmlWalk.h"

namespace {

// Task trees nested deeper than this are refused rather than read into a recursion that
// would exhaust the stack.
const int kMaxTaskDepth = 1000;

enum TaskLeaf {
    TL_ENTIREPROJID, TL_TASKID, TL_PARENTID, TL_ISSUBPROJ, TL_SUBPROJID, TL_NAME, TL_DESC,
    TL_COST, TL_ACTCOST, TL_STARTDATE, TL_ACTSTARTDATE, TL_FINISHDATE, TL_ACTFINISHDATE,
    TL_DEADLINEDATE, TL_CREATIONDATE, TL_DURATION, TL_DURISEST, TL_TRUEDURATION,
    TL_ACTDURATION, TL_PRIORITY, TL_STATUS, TL_PROGRESS, TL_ASSIGNERID, TL_ISMILESTONGE,
    TL_HASCHILDREN, TL_ROWINGRID, TL_EARLYSTARTDATE, TL_EARLYFINISHDATE, TL_LATESTARTDATE,
    TL_LATEFINISHDATE, TL_TASK, TL_TASKS, TL_LINKS, TL_DOCUMENTS, TL_ASSIGNEES
};

struct LeafName {
    std::string_view name;
    int leaf;
};

constexpr LeafName kTaskLeaves[] = {
    {"COST", TL_COST}, {"DESC", TL_DESC}, {"NAME", TL_NAME}, {"TASK", TL_TASK},
    {"LINKS", TL_LINKS}, {"TASKS", TL_TASKS},
    {"STATUS", TL_STATUS}, {"TASKID", TL_TASKID},
    {"ACTCOST", TL_ACTCOST},
    {"DURATION", TL_DURATION}, {"DURISEST", TL_DURISEST}, {"PARENTID", TL_PARENTID},
    {"PRIORITY", TL_PRIORITY}, {"PROGRESS", TL_PROGRESS},
    {"ASSIGNEES", TL_ASSIGNEES}, {"DOCUMENTS", TL_DOCUMENTS}, {"ISSUBPROJ", TL_ISSUBPROJ},
    {"ROWINGRID", TL_ROWINGRID}, {"STARTDATE", TL_STARTDATE}, {"SUBPROJID", TL_SUBPROJID},
    // The writers send CREATIONDATE; task documents of the server name it CREATEDATE.
    {"ASSIGNERID", TL_ASSIGNERID}, {"CREATEDATE", TL_CREATIONDATE}, {"FINISHDATE", TL_FINISHDATE},
    {"ACTDURATION", TL_ACTDURATION}, {"HASCHILDREN", TL_HASCHILDREN},
    {"ACTSTARTDATE", TL_ACTSTARTDATE}, {"CREATIONDATE", TL_CREATIONDATE},
    {"DEADLINEDATE", TL_DEADLINEDATE}, {"ENTIREPROJID", TL_ENTIREPROJID},
    {"ISMILESTONGE", TL_ISMILESTONGE}, {"TRUEDURATION", TL_TRUEDURATION},
    {"ACTFINISHDATE", TL_ACTFINISHDATE}, {"LATESTARTDATE", TL_LATESTARTDATE},
    {"EARLYSTARTDATE", TL_EARLYSTARTDATE}, {"LATEFINISHDATE", TL_LATEFINISHDATE},
    {"EARLYFINISHDATE", TL_EARLYFINISHDATE},
};
constexpr size_t kTaskLeafCount = sizeof kTaskLeaves / sizeof kTaskLeaves[0];

// A name's slot in the lookup table, from its length and its first and last bytes (which
// tell the names above apart).
constexpr size_t kLeafSlots = 128;
constexpr size_t LeafSlot(size_t length, unsigned char first, unsigned char last)
{
    return (length * 2 + first * 5 + last) % kLeafSlots;
}

// kTaskLeaves' index + 1 in each name's slot, 0 in the others; and each name as the two
// words a little-endian load of its first 16 bytes gives (zeros past its end).
struct CLeafTable {
    unsigned char index[kLeafSlots];
    uint64_t words[kTaskLeafCount][2];
    bool bOneNamePerSlot;
    bool bNamesFitTwoWords;
};
constexpr CLeafTable BuildLeafTable()
{
    CLeafTable table{};
    table.bOneNamePerSlot = true;
    table.bNamesFitTwoWords = true;
    for (size_t i = 0; i < kTaskLeafCount; ++i) {
        const std::string_view name = kTaskLeaves[i].name;
        const size_t slot = LeafSlot(name.size(), (unsigned char)name.front(), (unsigned char)name.back());
        if (table.index[slot] != 0)
            table.bOneNamePerSlot = false;
        table.index[slot] = (unsigned char)(i + 1);
        if (name.size() >= 16)
            table.bNamesFitTwoWords = false;
        for (size_t k = 0; k < name.size() && k < 16; ++k)
            table.words[i][k / 8] |= (uint64_t)(unsigned char)name[k] << (8 * (k % 8));
    }
    return table;
}
constexpr CLeafTable kLeafTable = BuildLeafTable();
static_assert(kLeafTable.bOneNamePerSlot, "two task leaf names share a slot: change LeafSlot");
static_assert(kLeafTable.bNamesFitTwoWords, "a task leaf name is 16 bytes or longer");
static_assert(CXmlNode::kNameReadAhead >= 16, "the names are read 16 bytes at a time");

// The leaf a name from the document stands for, -1 for any other name.
int TaskLeafOf(const char* name)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // Two words from the name's start (the document lets them be read, see
    // CXmlNode::kNameReadAhead): its length from the first 0 byte, then one masked
    // comparison per word with the one candidate of its slot; no loop over the bytes.
    uint64_t w[2];
    std::memcpy(w, name, sizeof w);
    const uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
    // The lowest flagged byte of each word is its first 0 byte.
    const uint64_t z0 = (w[0] - kOnes) & ~w[0] & kHigh;
    const uint64_t z1 = (w[1] - kOnes) & ~w[1] & kHigh;
    const size_t length = z0 != 0 ? (size_t)__builtin_ctzll(z0) / 8
                                   : z1 != 0 ? 8 + (size_t)__builtin_ctzll(z1) / 8 : 16;
    if (length == 0 || length >= 16)
        return -1;
    const unsigned char index =
        kLeafTable.index[LeafSlot(length, (unsigned char)name[0], (unsigned char)name[length - 1])];
    if (index == 0 || kTaskLeaves[index - 1].name.size() != length)
        return -1;
    const uint64_t mask0 = length >= 8 ? ~0ull : (1ull << (8 * length)) - 1;
    const uint64_t mask1 = length > 8 ? (1ull << (8 * (length - 8))) - 1 : 0;
    const uint64_t* const words = kLeafTable.words[index - 1];
    if (((w[0] ^ words[0]) & mask0) != 0 || ((w[1] ^ words[1]) & mask1) != 0)
        return -1;
    return kTaskLeaves[index - 1].leaf;
#else
    size_t length = 0;
    while (name[length] != '\0')
        ++length;
    if (length == 0)
        return -1;
    const unsigned char index =
        kLeafTable.index[LeafSlot(length, (unsigned char)name[0], (unsigned char)name[length - 1])];
    if (index == 0)
        return -1;
    const LeafName& leaf = kTaskLeaves[index - 1];
    if (leaf.name.size() != length)
        return -1;
    for (size_t i = 0; i < length; ++i) {
        if (leaf.name[i] != name[i])
            return -1;
    }
    return leaf.leaf;
#endif
}

// The project under a loaded document's element; FALSE when it has none.
bool ParseDocumentElement(CProjectDoc& project, const CXmlDocument& doc)
{
    CXmlNode root = doc.documentElement();
    if (root.isNull())
        return false;
    project.Parse(root);
    return true;
}

} // namespace

BOOL CProjectDoc::ParseProjectXml(const CString& strXml)
{
    CXmlDocument doc;
    return doc.LoadXml(strXml) && ParseDocumentElement(*this, doc);
}

BOOL CProjectDoc::ParseProjectXml(CString&& strXml)
{
    CXmlDocument doc;
    return doc.LoadXml(std::move(strXml)) && ParseDocumentElement(*this, doc);
}

int CProjectDoc::Parse(const CXmlNode& element)
{
    ProjectSendProgress(WM_PROGRESS_STEP);
    std::string_view strName;
    if (!XmlElementName(element, strName))
        return 1;

    if (strName == "PROJECT") {
        for (CXmlNode child = element.firstChild(); !child.isNull(); child = child.nextSibling())
            Parse(child);
        return 1;
    }
    if (strName == "TASKS") {
        for (CXmlNode child = element.firstChild(); !child.isNull(); child = child.nextSibling())
            ParseTask(child, NULL);
        return 1;
    }
    if (strName == "MEMBERS") {
        for (CXmlNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
            if (!ParseMember(child))
                return 0;
        }
        return 1;
    }

    CProjectInfo& info = m_ProjectInfo;
    if (strName == "ID") {
        info.m_nProjID = XmlLeafInt(element, 0);
        m_nProjectID = info.m_nProjID;
    } else if (strName == "NAME") {
        info.m_strName = XmlLeafText(element);
    } else if (strName == "GOAL") {
        info.m_strGoal = XmlLeafText(element);
    } else if (strName == "COST") {
        info.m_nCost = XmlLeafInt(element, 0);
    } else if (strName == "ACTCOST") {
        info.m_nActCost = XmlLeafInt(element, 0);
    } else if (strName == "CREATIONDATE") {
        info.m_dtCreation = XmlLeafDate(element);
    } else if (strName == "STARTDATE") {
        info.m_dtStart = XmlLeafDate(element);
    } else if (strName == "ACTSTARTDATE") {
        info.m_dtActStart = XmlLeafDate(element);
    } else if (strName == "FINISHDATE") {
        info.m_dtFinish = XmlLeafDate(element);
    } else if (strName == "ACTFINISHDATE") {
        info.m_dtActFinish = XmlLeafDate(element);
    } else if (strName == "DEADLINEDATE") {
        info.m_dtDeadline = XmlLeafDate(element);
    } else if (strName == "PRIORITY") {
        info.m_nPriority = XmlLeafInt(element, 2);
    } else if (strName == "STATUS") {
        info.m_nStatus = XmlLeafInt(element, 0);
    } else if (strName == "PROGRESS") {
        info.m_nProgress = XmlLeafInt(element, 0);
    } else if (strName == "ISSUBPROJ") {
        info.m_nIsSubProj = XmlLeafInt(element, 0);
    }
    return 1;
}

int CProjectDoc::ParseTask(const CXmlNode& element, CTaskItem* pParent)
{
    // The name and the leaf's text in one DOM call: most of a task's elements are leaves.
    const char* pszName;
    const char* raw;
    if (!XmlElementLeaf(element, pszName, raw))
        return 1;
    return ParseTask(element, pszName, raw, pParent);
}

int CProjectDoc::ParseTask(const CXmlNode& element, const char* pszName, const char* raw, CTaskItem* pParent)
{
    const int nLeaf = TaskLeafOf(pszName);
    switch (nLeaf) {
    case TL_TASK: {
        if (m_nParseDepth >= kMaxTaskDepth)
            return 0;
        CTaskItem* pTask = new CTaskItem;
        ++m_nParseDepth;
        // The task's elements a batch at a time, each with its name and text; the nodes
        // that are not elements are stepped over here.
        CXmlElementBatch children(element);
        for (int nCount = children.Next(); nCount > 0; nCount = children.Next()) {
            for (int i = 0; i < nCount; ++i) {
                const CXmlElementBatch::Item& child = children[i];
                if (!ParseTask(child.node, child.name, child.text, pTask)) {
                    --m_nParseDepth;
                    delete pTask;
                    return 0;
                }
            }
        }
        --m_nParseDepth;
        if (pParent != NULL)
            pParent->m_listChildren.AddTail(pTask);
        else
            m_listTasks.AddTail(pTask);
        return 1;
    }
    case TL_TASKS:
        for (CXmlNode child = element.firstChild(); !child.isNull(); child = child.nextSibling())
            ParseTask(child, pParent);
        ProjectSendProgress(WM_PROGRESS_STEP);
        return 1;
    case TL_LINKS:
        for (CXmlNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
            if (!ParseLink(child, pParent, NULL))
                return 0;
        }
        return 1;
    case TL_DOCUMENTS:
        for (CXmlNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
            if (!ParseDocument(child, pParent))
                return 0;
        }
        return 1;
    case TL_ASSIGNEES:
        for (CXmlNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
            if (!ParseAssignee(child, pParent))
                return 0;
        }
        return 1;
    default:
        break;
    }

    if (pParent == NULL)
        return 0;

    CTaskItem& t = *pParent;
    switch (nLeaf) {
    case TL_ENTIREPROJID: t.m_nProjID = XmlLeafInt(element, raw, 0); break;
    case TL_TASKID: t.m_nTaskID = XmlLeafInt(element, raw, 0); break;
    case TL_PARENTID: t.m_nParentID = XmlLeafInt(element, raw, 0); break;
    case TL_ISSUBPROJ: {
        const CString strText = XmlLeafText(element, raw);
        t.m_nIsTask = strText.IsEmpty() ? 1 : !XmlAtoi(strText);
        break;
    }
    case TL_SUBPROJID: t.m_nSubProjID = XmlLeafInt(element, raw, 0); break;
    case TL_NAME: t.m_strName = XmlLeafText(element, raw); break;
    case TL_DESC: t.m_strDesc = XmlLeafText(element, raw); break;
    case TL_COST: t.m_nCost = XmlLeafInt(element, raw, 0); break;
    case TL_ACTCOST: t.m_nActCost = XmlLeafInt(element, raw, 0); break;
    case TL_STARTDATE: t.m_dtStart = XmlLeafDate(element, raw); break;
    case TL_ACTSTARTDATE: t.m_dtActStart = XmlLeafDate(element, raw); break;
    case TL_FINISHDATE: t.m_dtFinish = XmlLeafDate(element, raw); break;
    case TL_ACTFINISHDATE: t.m_dtActFinish = XmlLeafDate(element, raw); break;
    case TL_DEADLINEDATE: t.m_dtDeadline = XmlLeafDate(element, raw); break;
    case TL_CREATIONDATE: t.m_dtCreation = XmlLeafDate(element, raw); break;
    case TL_DURATION: t.m_nDuration = XmlLeafInt(element, raw, 0); break;
    case TL_DURISEST: t.m_nDurIsEst = XmlLeafInt(element, raw, 1); break;
    case TL_TRUEDURATION: t.m_nTrueDuration = XmlLeafInt(element, raw, 0); break;
    case TL_ACTDURATION: t.m_nActDuration = XmlLeafInt(element, raw, 0); break;
    case TL_PRIORITY: t.m_nPriority = XmlLeafInt(element, raw, 0); break;
    case TL_STATUS: t.m_nStatus = XmlLeafInt(element, raw, 0); break;
    case TL_PROGRESS: t.m_nProgress = XmlLeafInt(element, raw, 0); break;
    case TL_ASSIGNERID: t.m_nAssignerID = XmlLeafInt(element, raw, 0); break;
    case TL_ISMILESTONGE: t.m_nMilestone = XmlLeafInt(element, raw, 0); break;
    case TL_ROWINGRID: t.m_nRowInGrid = XmlLeafInt(element, raw, 0); break;
    case TL_EARLYSTARTDATE: t.m_dtEarlyStart = XmlLeafDate(element, raw); break;
    case TL_EARLYFINISHDATE: t.m_dtEarlyFinish = XmlLeafDate(element, raw); break;
    case TL_LATESTARTDATE: t.m_dtLateStart = XmlLeafDate(element, raw); break;
    case TL_LATEFINISHDATE: t.m_dtLateFinish = XmlLeafDate(element, raw); break;
    case TL_HASCHILDREN: // the tree comes from the nested TASKS
    default:
        break;
    }
    return 1;
}

int CProjectDoc::ParseLink(const CXmlNode& element, CTaskItem* pTask, CTaskLink* pLink)
{
    const char* pszName;
    const char* raw;
    if (!XmlElementLeaf(element, pszName, raw))
        return 1;

    if (XmlNameEquals(pszName, "LINK")) {
        if (pTask == NULL)
            return 0;
        CTaskLink* pNew = new CTaskLink;
        for (CXmlNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
            if (!ParseLink(child, pTask, pNew)) {
                delete pNew;
                return 0;
            }
        }
        pTask->m_listLinks.AddTail(pNew);
        return 1;
    }
    if (pLink == NULL)
        return 0;

    if (XmlNameEquals(pszName, "PREDID"))
        pLink->m_nPredID = XmlLeafInt(element, raw, 0);
    else if (XmlNameEquals(pszName, "TYPE"))
        pLink->m_nType = XmlLeafInt(element, raw, 0);
    else if (XmlNameEquals(pszName, "LOGICALTYPE"))
        pLink->m_nLogicalType = XmlLeafInt(element, raw, 0);
    else if (XmlNameEquals(pszName, "SEQUENCE"))
        pLink->m_nSequence = XmlLeafInt(element, raw, 0);
    else if (XmlNameEquals(pszName, "LAG"))
        pLink->m_nLag = XmlLeafInt(element, raw, 0);
    return 1;
}

int CProjectDoc::ParseDocument(const CXmlNode& element, CTaskItem* pTask)
{
    std::string_view strName;
    if (!XmlElementName(element, strName))
        return 1;
    if (pTask == NULL)
        return 0;

    if (strName == "REFDOC") {
        CRefDoc* pDoc = new CRefDoc;
        for (CXmlNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
            if (!ParseRefDoc(child, pDoc)) {
                delete pDoc;
                return 0;
            }
        }
        pTask->m_listRefDocs.AddTail(pDoc);
    } else if (strName == "TARGETDOC") {
        CTargetDoc* pDoc = new CTargetDoc;
        for (CXmlNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
            if (!ParseTargetDoc(child, pDoc)) {
                delete pDoc;
                return 0;
            }
        }
        pTask->m_listTargetDocs.AddTail(pDoc);
    }
    return 1;
}

namespace {

// The fields the two document records share.
template <class DOC>
BOOL ParseDocLeaf(const CXmlNode& element, std::string_view strName, DOC* pDoc)
{
    if (strName == "DOCNAME")
        pDoc->m_strDocName = XmlLeafText(element);
    else if (strName == "DOCSOURCE")
        pDoc->m_nDocSource = XmlLeafInt(element, 0);
    else if (strName == "DOCLOCATION")
        pDoc->m_strDocLocation = XmlLeafText(element);
    else if (strName == "DOCPDMCLASSID")
        pDoc->m_nPdmClassID = XmlLeafInt(element, 0);
    else if (strName == "DOCPDMOBJECTID")
        pDoc->m_nPdmObjectID = XmlLeafInt(element, 0);
    else
        return FALSE;
    return TRUE;
}

} // namespace

int CProjectDoc::ParseRefDoc(const CXmlNode& element, CRefDoc* pDoc)
{
    std::string_view strName;
    if (!XmlElementName(element, strName) || pDoc == NULL)
        return 1;
    ParseDocLeaf(element, strName, pDoc);
    return 1;
}

int CProjectDoc::ParseTargetDoc(const CXmlNode& element, CTargetDoc* pDoc)
{
    std::string_view strName;
    if (!XmlElementName(element, strName) || pDoc == NULL)
        return 1;
    if (ParseDocLeaf(element, strName, pDoc))
        return 1;
    if (strName == "HOTLINKS") {
        for (CXmlNode child = element.firstChild(); !child.isNull(); child = child.nextSibling())
            ParseHotLink(child, pDoc, NULL);
    }
    // TASKID and DOCID are accepted and not kept.
    return 1;
}

int CProjectDoc::ParseHotLink(const CXmlNode& element, CTargetDoc* pDoc, CHotLink* pHotLink)
{
    UNUSED(element);
    UNUSED(pDoc);
    UNUSED(pHotLink);
    return 1;
}

int CProjectDoc::ParseMember(const CXmlNode& element)
{
    std::string_view strName;
    if (!XmlElementName(element, strName))
        return 1;

    if (strName == "MEMBER") {
        for (CXmlNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
            if (!ParseMember(child))
                return 0;
        }
    } else if (strName == "RESCODE") {
        const CString strCode = XmlLeafText(element);
        if (!strCode.IsEmpty()) {
            tagResInfo res;
            res.strCode = strCode;
            m_ProjectInfo.m_listMembers.AddTail(res);
        }
    }
    // ROLETYPEID, PERMID and the other member fields are not read back.
    return 1;
}

int CProjectDoc::ParseAssignee(const CXmlNode& element, CTaskItem* pTask)
{
    std::string_view strName;
    if (!XmlElementName(element, strName))
        return 1;

    if (strName == "ASSIGNEE") {
        for (CXmlNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
            if (!ParseAssignee(child, pTask))
                return 0;
        }
    } else if (strName == "RESCODE") {
        if (pTask == NULL)
            return 0;
        const CString strCode = XmlLeafText(element);
        if (!strCode.IsEmpty())
            pTask->m_arrAssignees.Add(strCode);
    }
    return 1;
}
