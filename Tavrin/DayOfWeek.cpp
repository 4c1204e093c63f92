#include <Tavrin/DayOfWeek.h>

IMPLEMENT_SERIAL(CDayOfWeek, CObject, 1)

CDayOfWeek::CDayOfWeek()
    : m_nDay(0), m_bWorking(0)
{
}

CDayOfWeek::~CDayOfWeek()
{
}

void CDayOfWeek::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_bWorking << m_nDay << m_strText;
    } else {
        ar >> m_bWorking >> m_nDay >> m_strText;
    }
}

void CDayOfWeek::Copy(const CDayOfWeek& src)
{
    m_bWorking = src.m_bWorking;
    m_nDay = src.m_nDay;
    m_strText = src.m_strText;
}

void CDayOfWeek::Copy(const CDayOfWeek* pSrc)
{
    if (pSrc != nullptr)
        Copy(*pSrc);
}
