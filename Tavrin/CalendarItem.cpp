#include <Tavrin/CalendarItem.h>

IMPLEMENT_SERIAL(CCalendarItem, CObject, 1)

CCalendarItem::CCalendarItem()
    : m_nReserved(0), m_bWorking(0), m_dtFrom(0.0), m_dtTo(0.0)
{
}

CCalendarItem::~CCalendarItem()
{
}

void CCalendarItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_bWorking << m_dtFrom << m_dtTo << m_nReserved;
    } else {
        ar >> m_bWorking >> m_dtFrom >> m_dtTo >> m_nReserved;
    }
}

void CCalendarItem::Copy(const CCalendarItem& src)
{
    m_bWorking = src.m_bWorking;
    m_dtFrom = src.m_dtFrom;
    m_dtTo = src.m_dtTo;
    m_nReserved = src.m_nReserved;
}

void CCalendarItem::Copy(const CCalendarItem* pSrc)
{
    if (pSrc != nullptr)
        Copy(*pSrc);
}
