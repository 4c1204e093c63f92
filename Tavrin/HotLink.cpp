#include <Tavrin/HotLink.h>

IMPLEMENT_SERIAL(CHotLink, CObject, 1)

CHotLink::CHotLink()
    : m_nNumber1(1), m_nNumber2(0), m_nNumber3(0), m_nNumber4(0), m_nNumber5(0)
{
}

CHotLink::CHotLink(const CHotLink& src)
    : CObject(),
      m_nNumber1(src.m_nNumber1),
      m_nNumber2(src.m_nNumber2),
      m_nNumber3(src.m_nNumber3),
      m_nNumber4(src.m_nNumber4),
      m_nNumber5(src.m_nNumber5),
      m_strText(src.m_strText)
{
}

CHotLink& CHotLink::operator=(const CHotLink& src)
{
    m_nNumber1 = src.m_nNumber1;
    m_nNumber2 = src.m_nNumber2;
    m_nNumber3 = src.m_nNumber3;
    m_nNumber4 = src.m_nNumber4;
    m_nNumber5 = src.m_nNumber5;
    m_strText = src.m_strText;
    return *this;
}

CHotLink::~CHotLink()
{
}

void CHotLink::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strText;
        ar << m_nNumber1 << m_nNumber5 << m_nNumber2 << m_nNumber3 << m_nNumber4;
    } else {
        ar >> m_strText;
        ar >> m_nNumber1 >> m_nNumber5 >> m_nNumber2 >> m_nNumber3 >> m_nNumber4;
    }
}
