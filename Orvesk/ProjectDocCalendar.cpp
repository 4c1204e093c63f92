// The project calendar: its XML both ways and the rest-day test.
#include "ProjectDoc.h"

#include <cmath>
#include <cstring>

#include <ClassLib/Core/WorkingDays.h>
#include <Tavrin/DateFunctions.h>

#include "Gantt_src/RestDayCounter.h"
#include "ProjectProgress.h"
#include "ProjectServiceUse.h"
#include "ProjectXmlText.h"
#include "XmlWalk.h"

int CProjectDoc::LoadCalendar()
{
    if (m_strServiceUrl.IsEmpty())
        return 0;

    ProjectSendProgress(WM_PROGRESS_STEP);
    CProjectServiceRef service(ProjectConnectService(*this));
    if (!service) {
        AfxMessageBox("客户端组件创建失败!", MB_ICONINFORMATION);
        return -1;
    }
    ProjectSendProgress(WM_PROGRESS_STEP);

    CString strXml;
    if (service->GetCalendar(m_ProjectInfo.m_nProjID, strXml) == S_OK)
        ParseCal(strXml);
    return 0;
}

int CProjectDoc::ParseCal(const CString& strXml)
{
    CXmlDocument doc;
    ProjectSendProgress(WM_PROGRESS_STEP);
    const BOOL bLoaded = doc.LoadXml(strXml);
    ProjectSendProgress(WM_PROGRESS_STEP);
    if (!bLoaded)
        return 1;

    CXmlNode root = doc.documentElement();
    if (!XmlIsElement(root) || !XmlNameIs(root, "CALENDAR"))
        return 1;

    for (CXmlNode child = root.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (!XmlIsElement(child))
            continue;
        const CString strName = child.nodeName();
        if (strName == "CALDATA") {
            ProjectSendProgress(WM_PROGRESS_STEP);
            ParseCalData(child);
        } else if (strName == "CALID") {
            m_nCalID = XmlLeafInt(child, 0);
        } else if (strName == "CALNAME") {
            m_strCalName = XmlLeafText(child);
        } else if (strName == "CALBASEID") {
            m_nCalBaseID = XmlLeafInt(child, 0);
        }
    }
    return 1;
}

int CProjectDoc::ParseCalData(const CXmlNode& element)
{
    for (CXmlNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (!XmlIsElement(child))
            continue;
        const CString strName = child.nodeName();
        if (strName == "CALDATE") {
            CCalendarItem* pItem = new CCalendarItem;
            m_listCalendarItems.AddTail(pItem);
            ForEachXmlField(child, [pItem](const CString& strLeaf, const CXmlNode& leaf) {
                if (strLeaf == "FROMDATE")
                    pItem->m_dtFrom = XmlLeafDate(leaf);
                else if (strLeaf == "TODATE")
                    pItem->m_dtTo = XmlLeafDate(leaf);
                else if (strLeaf == "WORKING")
                    pItem->m_bWorking = XmlLeafInt(leaf, 1);
            });
        } else if (strName == "CALDAY") {
            CDayOfWeek* pDay = new CDayOfWeek;
            m_listDayOfWeek.AddTail(pDay);
            ForEachXmlField(child, [pDay](const CString& strLeaf, const CXmlNode& leaf) {
                if (strLeaf == "DAY")
                    pDay->m_nDay = XmlLeafInt(leaf, 0);
                else if (strLeaf == "WORKING")
                    pDay->m_bWorking = XmlLeafInt(leaf, 1);
            });
        }
    }
    return 1;
}

int CProjectDoc::SaveCalendar(CString& strXml)
{
    CString s;
    strXml = "<CALENDAR>";
    s.Format("<CALID>%d</CALID><CALNAME>%s</CALNAME><CALBASEID>%d</CALBASEID><RESCODE>%s</RESCODE>",
             m_nCalID, (LPCTSTR)XmlText(m_strCalName), m_nCalBaseID, "");
    strXml += s;
    strXml += "<CALDATA>";
    POSITION pos = m_listCalendarItems.GetHeadPosition();
    while (pos != NULL) {
        const CCalendarItem* pItem = m_listCalendarItems.GetNext(pos);
        if (pItem == NULL)
            continue;
        strXml += "<CALDATE>";
        AppendXmlDate(strXml, "FROMDATE", pItem->m_dtFrom, PROJECT_XML_DATE_FORMAT);
        AppendXmlDate(strXml, "TODATE", pItem->m_dtTo, PROJECT_XML_DATE_FORMAT);
        s.Format("<WORKING>%d</WORKING>", pItem->m_bWorking);
        strXml += s;
        strXml += "</CALDATE>";
    }
    pos = m_listDayOfWeek.GetHeadPosition();
    while (pos != NULL) {
        const CDayOfWeek* pDay = m_listDayOfWeek.GetNext(pos);
        if (pDay == NULL)
            continue;
        s.Format("<CALDAY><DAY>%d</DAY><WORKING>%d</WORKING></CALDAY>", pDay->m_nDay, pDay->m_bWorking);
        strXml += s;
    }
    strXml += "</CALDATA>";
    strXml += "</CALENDAR>";
    return 0;
}

void CProjectDoc::DetachListCalendar()
{
    POSITION pos = m_listCalendarItems.GetHeadPosition();
    while (pos != NULL)
        delete m_listCalendarItems.GetNext(pos);
    m_listCalendarItems.RemoveAll();
    pos = m_listDayOfWeek.GetHeadPosition();
    while (pos != NULL)
        delete m_listDayOfWeek.GetNext(pos);
    m_listDayOfWeek.RemoveAll();
}

namespace {

// The day of a date by number (days after 30 December 1899), its time of day dropped: the
// whole part, toward zero as dates before that day keep their time as a positive fraction.
// Asked for every day the views walk, so no calendar conversion.
double DayNumberOf(const COleDateTime& dt)
{
    return std::trunc((DATE)dt);
}

// Whether the weekday list holds an entry for the weekday (its first one sets bRest).
bool WeekdayEntry(const CDayOfWeekList& list, int nWeekDay, bool& bRest)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        const CDayOfWeek* pDay = list.GetNext(pos);
        if (pDay != NULL && pDay->m_nDay == nWeekDay) {
            bRest = pDay->m_bWorking == 0;
            return true;
        }
    }
    return false;
}

} // namespace

// The calendar rule is the shared one (WorkingDays.h), asked of the document's own lists.
int CProjectDoc::IsRestDay(int nYear, int nMonth, int nDay)
{
    const COleDateTime day(nYear, nMonth, nDay, 0, 0, 0);
    // A day that does not exist is not a rest day.
    if (day.GetStatus() != COleDateTime::valid)
        return 0;
    const double dDay = DayNumberOf(day);
    auto period = [this, dDay](long, bool& bRest) {
        for (POSITION pos = m_listCalendarItems.GetHeadPosition(); pos != NULL;) {
            const CCalendarItem* pItem = m_listCalendarItems.GetNext(pos);
            // A period whose ends are not valid dates holds no day.
            if (pItem == NULL || pItem->m_dtFrom.GetStatus() != COleDateTime::valid ||
                pItem->m_dtTo.GetStatus() != COleDateTime::valid)
                continue;
            if (DayNumberOf(pItem->m_dtFrom) <= dDay && dDay <= DayNumberOf(pItem->m_dtTo)) {
                bRest = pItem->m_bWorking == 0;
                return true;
            }
        }
        return false;
    };
    auto weekday = [this](int nWeekDay, bool& bRest) { return WeekdayEntry(m_listDayOfWeek, nWeekDay, bRest); };
    return workdays::RestsByRule((long)dDay, m_nCalBaseID, period, weekday) ? 1 : 0;
}

int CProjectDoc::IsRestDay(int nWeekDay)
{
    bool bRest = false;
    if (WeekdayEntry(m_listDayOfWeek, nWeekDay, bRest))
        return bRest ? 1 : 0;
    return workdays::BaseRestsOn(m_nCalBaseID, nWeekDay) ? 1 : 0;
}


CRestDayCounter& CProjectDoc::RestDays()
{
    // The counter stays the same object, so that a view holding it through an edit never
    // holds a deleted one.
    if (!m_pRestDays)
        m_pRestDays = std::make_unique<CRestDayCounter>([this](int y, int m, int d) { return IsRestDay(y, m, d) != 0; });
    std::vector<uint64_t> key = CalendarKey();
    if (key != m_restDaysKey) {
        m_pRestDays->Forget();
        m_restDaysKey.swap(key);
    }
    return *m_pRestDays;
}

std::vector<uint64_t> CProjectDoc::CalendarKey() const
{
    auto address = [](const void* p) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)); };
    auto bits = [](const COleDateTime& dt) {
        const DATE d = dt;
        uint64_t v = 0;
        std::memcpy(&v, &d, sizeof(v));
        return v;
    };
    std::vector<uint64_t> key;
    key.push_back(static_cast<uint64_t>(static_cast<uint32_t>(m_nCalBaseID)));
    // (An empty entry is its 0 alone: the key reads back one way only.)
    key.push_back(static_cast<uint64_t>(m_listDayOfWeek.GetCount()));
    for (POSITION pos = m_listDayOfWeek.GetHeadPosition(); pos != NULL;) {
        const CDayOfWeek* pDay = m_listDayOfWeek.GetNext(pos);
        key.push_back(address(pDay));
        if (pDay != NULL)
            key.push_back(static_cast<uint64_t>(static_cast<uint32_t>(pDay->m_nDay)) << 32 |
                          static_cast<uint32_t>(pDay->m_bWorking));
    }
    key.push_back(static_cast<uint64_t>(m_listCalendarItems.GetCount()));
    for (POSITION pos = m_listCalendarItems.GetHeadPosition(); pos != NULL;) {
        const CCalendarItem* pItem = m_listCalendarItems.GetNext(pos);
        key.push_back(address(pItem));
        if (pItem != NULL) {
            key.push_back(bits(pItem->m_dtFrom));
            key.push_back(static_cast<uint64_t>(pItem->m_dtFrom.GetStatus()));
            key.push_back(bits(pItem->m_dtTo));
            key.push_back(static_cast<uint64_t>(pItem->m_dtTo.GetStatus()));
            key.push_back(static_cast<uint64_t>(static_cast<uint32_t>(pItem->m_bWorking)));
        }
    }
    return key;
}
