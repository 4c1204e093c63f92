// One predecessor link of a task. The successor task owns its links in an object list.
#pragma once

#include <ClassLib/Afx.h>

class CTaskItem;

class AFX_EXT_CLASS CTaskLink : public CObject
{
    DECLARE_SERIAL(CTaskLink)

public:
    CTaskLink();
    CTaskLink(const CTaskLink& src);
    CTaskLink& operator=(const CTaskLink& src);
    virtual ~CTaskLink();

    // Archive form: lag, type, logical type, predecessor task id, predecessor row,
    // sequence, predecessor name.
    virtual void Serialize(CArchive& ar);

    CString m_strPredName;          // predecessor task's name as the user chose it
    int m_nPredID;                  // predecessor's task id (0 until the server numbers it)
    int m_nSuccID;                  // predecessor's row in the task grid; the project XML sends it as PREDID
    int m_nType;                    // 1 FS, 2 FF, 3 SF, 4 SS
    int m_nLogicalType;
    int m_nSequence;
    int m_nLag;                     // whole working days
    // The task the link resolves to in the schedule of the task that holds it (null: none,
    // or not read yet). Kept by that schedule; neither stored nor copied.
    CTaskItem* m_pSchedulePred = nullptr;
};
