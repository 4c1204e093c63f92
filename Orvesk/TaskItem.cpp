#include "TaskItem.h"

IMPLEMENT_SERIAL(CTaskItem, CObject, VERSIONABLE_SCHEMA | 2)

namespace {

template <class LIST>
void DeleteAll(LIST& list)
{
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL)
        delete list.GetNext(pos);
    list.RemoveAll();
}

} // namespace

CTaskItem::CTaskItem()
    : m_nSuccessor(0), m_nSubProjID(0), m_nProjID(0),
      m_nIsTask(1), m_nParentID(0), m_nCost(0), m_nActCost(0), m_nTrueDuration(0), m_nActDuration(0),
      m_nDurIsEst(1), m_nPriority(2), m_nStatus(0), m_nAssignerID(0), m_listRefDocs(10), m_listTargetDocs(10),
      m_nReserved(20), m_nOwnDuration(-1)
{
}

CTaskItem::~CTaskItem()
{
    DeleteAll(m_listChildren);
    DeleteAll(m_listLinks);
    DeleteAll(m_listRefDocs);
    DeleteAll(m_listTargetDocs);
}

void CTaskItem::ClearChildren()
{
    POSITION pos = m_listChildren.GetHeadPosition();
    while (pos != NULL)
        m_listChildren.GetNext(pos)->ClearChildren();
    m_listChildren.RemoveAll();
}

void CTaskItem::ReplaceOwnAssignee(const CString& strOld, const CString& strNew)
{
    for (INT_PTR i = 0; i < m_arrAssignees.GetSize(); ++i) {
        if (m_arrAssignees[i] == strOld) {
            if (strNew.IsEmpty())
                m_arrAssignees.RemoveAt(i);
            else
                m_arrAssignees[i] = strNew;
            return;
        }
    }
}

void CTaskItem::ReplaceAssignee(const CString& strOld, const CString& strNew)
{
    POSITION pos = m_listChildren.GetHeadPosition();
    while (pos != NULL) {
        CTaskItem* pChild = m_listChildren.GetNext(pos);
        pChild->ReplaceOwnAssignee(strOld, strNew);
        pChild->ReplaceAssignee(strOld, strNew);
    }
}
