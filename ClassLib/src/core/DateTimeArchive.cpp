// Archive forms of the date classes: the 4-byte status, then the 8-byte day count.
#include <ClassLib/Core/DateTime.h>

#include <ClassLib/Core/Archive.h>
#include <ClassLib/Core/Exceptions.h>

namespace {

// A status outside 0..2 means the archive is damaged.
LONG ReadStatus(CArchive& ar)
{
    LONG status = 0;
    ar >> status;
    if (status < 0 || status > 2)
        AfxThrowArchiveException(CArchiveException::generic);
    return status;
}

}  // namespace

CArchive& AFXAPI operator<<(CArchive& ar, COleDateTime dateSrc)
{
    ar << static_cast<LONG>(dateSrc.m_status);
    ar << static_cast<double>(dateSrc.m_dt);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc)
{
    const LONG status = ReadStatus(ar);
    double dt = 0;
    ar >> dt;
    dateSrc.m_dt = dt;
    dateSrc.m_status = static_cast<COleDateTime::DateTimeStatus>(status);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, COleDateTimeSpan dateSpanSrc)
{
    ar << static_cast<LONG>(dateSpanSrc.m_status);
    ar << static_cast<double>(dateSpanSrc.m_span);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, COleDateTimeSpan& dateSpanSrc)
{
    const LONG status = ReadStatus(ar);
    double span = 0;
    ar >> span;
    dateSpanSrc.m_span = span;
    dateSpanSrc.m_status = static_cast<COleDateTimeSpan::DateTimeSpanStatus>(status);
    return ar;
}
