// A dated period of a project calendar, working time or rest time, from its first day to
// its last day (both included; the time of day of the stored dates does not count).
#pragma once

#include <ClassLib/Afx.h>

class AFX_EXT_CLASS CCalendarItem : public CObject
{
    DECLARE_SERIAL(CCalendarItem)

public:
    CCalendarItem();
    virtual ~CCalendarItem();

    // Archive form: working flag, first day, last day, reserved number.
    virtual void Serialize(CArchive& ar);

    // Takes over the working flag, both dates and the reserved number of another item.
    void Copy(const CCalendarItem& src);
    void Copy(const CCalendarItem* pSrc);

    int m_nReserved;       // carried by copy and archive only
    int m_bWorking;        // 1 working time, 0 rest time (WORKING)
    COleDateTime m_dtFrom; // first day (FROMDATE)
    COleDateTime m_dtTo;   // last day (TODATE)

private:
    CCalendarItem(const CCalendarItem&) = delete;
    CCalendarItem& operator=(const CCalendarItem&) = delete;
};
