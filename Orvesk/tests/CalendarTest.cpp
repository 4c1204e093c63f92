// The project calendar: its XML and the rest-day test.
#include <gtest/gtest.h>

#include <ProjectService/FakeProjectService.h>

#include "OrveskTestSupport.h"
#include "ProjectDoc.h"
#include "TestProjects.h"

namespace {

class CCalendarDoc : public CProjectDoc
{
public:
    using CProjectDoc::DetachListCalendar;
    using CProjectDoc::SaveCalendar;

    CCalendarItem* AddPeriod(const COleDateTime& from, const COleDateTime& to, int bWorking)
    {
        CCalendarItem* pItem = new CCalendarItem;
        pItem->m_dtFrom = from;
        pItem->m_dtTo = to;
        pItem->m_bWorking = bWorking;
        m_listCalendarItems.AddTail(pItem);
        return pItem;
    }

    void AddWeekday(int nDay, int bWorking)
    {
        CDayOfWeek* pDay = new CDayOfWeek;
        pDay->m_nDay = nDay;
        pDay->m_bWorking = bWorking;
        m_listDayOfWeek.AddTail(pDay);
    }
};

} // namespace

TEST(CalendarXml, NewDocumentWritesAnEmptyCalendar)
{
    CCalendarDoc doc;
    CString xml = "old";
    EXPECT_EQ(doc.SaveCalendar(xml), 0);
    EXPECT_EQ(xml, CString("<CALENDAR><CALID>0</CALID><CALNAME></CALNAME><CALBASEID>-2</CALBASEID>"
                           "<RESCODE></RESCODE><CALDATA></CALDATA></CALENDAR>"));
}

TEST(CalendarXml, PeriodsComeBeforeWeekdays)
{
    CCalendarDoc doc;
    doc.m_nCalID = 7;
    doc.m_strCalName = "日历(甲)";
    doc.m_nCalBaseID = -1;
    doc.AddWeekday(3, 0);
    doc.AddPeriod(MakeDate(2004, 5, 1), MakeDate(2004, 5, 7, 23, 59, 59), 0);
    doc.AddPeriod(MakeDate(2004, 10, 9, 8, 0, 0), MakeDate(2004, 10, 9), 1);
    doc.m_listCalendarItems.AddTail(static_cast<CCalendarItem*>(nullptr));
    CString xml;
    doc.SaveCalendar(xml);
    EXPECT_EQ(xml, CString("<CALENDAR><CALID>7</CALID><CALNAME>日历(甲)</CALNAME><CALBASEID>-1</CALBASEID>"
                           "<RESCODE></RESCODE><CALDATA>"
                           "<CALDATE><FROMDATE>2004-5-1 0:0:0</FROMDATE><TODATE>2004-5-7 23:59:59</TODATE>"
                           "<WORKING>0</WORKING></CALDATE>"
                           "<CALDATE><FROMDATE>2004-10-9 8:0:0</FROMDATE><TODATE>2004-10-9 0:0:0</TODATE>"
                           "<WORKING>1</WORKING></CALDATE>"
                           "<CALDAY><DAY>3</DAY><WORKING>0</WORKING></CALDAY>"
                           "</CALDATA></CALENDAR>"));
    doc.m_listCalendarItems.RemoveTail();
}

TEST(CalendarXml, NameWithMarkupRoundTrips)
{
    CCalendarDoc doc;
    doc.m_strCalName = "A&B <假日>";
    CString xml;
    doc.SaveCalendar(xml);
    EXPECT_NE(xml.Find("<CALNAME>A&amp;B &lt;假日&gt;</CALNAME>"), -1);
    CCalendarDoc back;
    EXPECT_EQ(back.ParseCal(xml), 1);
    EXPECT_EQ(back.m_strCalName, CString("A&B <假日>"));
    EXPECT_EQ(back.m_nCalBaseID, -2);
}

TEST(CalendarXml, ParseReadsEveryField)
{
    CCalendarDoc doc;
    CProgressRecorder progress;
    EXPECT_EQ(doc.ParseCal("<CALENDAR>\n <CALDATA><CALDATE><WORKING>0</WORKING><TODATE>2004-5-7 0:0:0</TODATE>"
                           "<FROMDATE>2004-5-1 9:30:0</FROMDATE><X/></CALDATE>"
                           "<CALDATE><FROMDATE></FROMDATE><TODATE>2004-5-3 0:0:0</TODATE><WORKING></WORKING></CALDATE>"
                           "<CALDATE/><CALDAY><WORKING></WORKING><DAY></DAY></CALDAY>"
                           "<CALDAY><DAY>6</DAY><WORKING>1</WORKING></CALDAY><CALDAY/></CALDATA>"
                           "<CALNAME>标准</CALNAME><CALID>12</CALID><CALBASEID></CALBASEID>"
                           "<RESCODE>R1</RESCODE><OTHER>1</OTHER></CALENDAR>"),
              1);
    EXPECT_EQ(progress.Trace(), "...");
    EXPECT_EQ(doc.m_nCalID, 12);
    EXPECT_EQ(doc.m_strCalName, CString("标准"));
    EXPECT_EQ(doc.m_nCalBaseID, 0); // empty CALBASEID reads 0, not -2

    ASSERT_EQ(doc.m_listCalendarItems.GetCount(), 3);
    const CCalendarItem* p1 = doc.m_listCalendarItems.GetHead();
    EXPECT_EQ(p1->m_bWorking, 0);
    EXPECT_EQ(p1->m_dtFrom, MakeDate(2004, 5, 1, 9, 30, 0));
    EXPECT_EQ(p1->m_dtTo, MakeDate(2004, 5, 7));
    const CCalendarItem* p2 = doc.m_listCalendarItems.GetAt(doc.m_listCalendarItems.FindIndex(1));
    EXPECT_EQ(p2->m_dtFrom.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(p2->m_bWorking, 1); // empty WORKING reads 1
    const CCalendarItem* p3 = doc.m_listCalendarItems.GetTail();
    EXPECT_EQ(p3->m_bWorking, 0); // no children: the record's initial values
    EXPECT_EQ(p3->m_dtFrom.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(p3->m_dtFrom.m_dt, 0.0);

    ASSERT_EQ(doc.m_listDayOfWeek.GetCount(), 3);
    EXPECT_EQ(doc.m_listDayOfWeek.GetHead()->m_nDay, 0);     // empty DAY: Sunday
    EXPECT_EQ(doc.m_listDayOfWeek.GetHead()->m_bWorking, 1); // empty WORKING: 1
    const CDayOfWeek* pSat = doc.m_listDayOfWeek.GetAt(doc.m_listDayOfWeek.FindIndex(1));
    EXPECT_EQ(pSat->m_nDay, 6);
    EXPECT_EQ(pSat->m_bWorking, 1);
    EXPECT_EQ(doc.m_listDayOfWeek.GetTail()->m_bWorking, 0);
}

TEST(CalendarXml, ParseAppendsSoTwiceDoublesTheLists)
{
    const CString xml = "<CALENDAR><CALDATA><CALDATE/><CALDAY/></CALDATA></CALENDAR>";
    CCalendarDoc doc;
    doc.ParseCal(xml);
    doc.ParseCal(xml);
    EXPECT_EQ(doc.m_listCalendarItems.GetCount(), 2);
    EXPECT_EQ(doc.m_listDayOfWeek.GetCount(), 2);
    doc.DetachListCalendar();
    EXPECT_TRUE(doc.m_listCalendarItems.IsEmpty());
    EXPECT_TRUE(doc.m_listDayOfWeek.IsEmpty());
}

TEST(CalendarXml, OtherDocumentsChangeNothing)
{
    CCalendarDoc doc;
    doc.m_strCalName = "keep";
    for (const char* xml : {"<CALENDARS><CALNAME>x</CALNAME></CALENDARS>", "<CALENDAR><CALNAME>a<b</CALNAME></CALENDAR>",
                            "", "plain text"}) {
        EXPECT_EQ(doc.ParseCal(xml), 1) << xml;
        EXPECT_EQ(doc.m_strCalName, CString("keep")) << xml;
        EXPECT_TRUE(doc.m_listCalendarItems.IsEmpty());
    }
}

TEST(RestDay, BaseCalendars)
{
    CCalendarDoc doc;
    // 2004-5-1 is a Saturday.
    EXPECT_EQ(doc.IsRestDay(2004, 5, 1), 1);
    EXPECT_EQ(doc.IsRestDay(2004, 5, 2), 1);
    for (int d = 3; d <= 7; ++d)
        EXPECT_EQ(doc.IsRestDay(2004, 5, d), 0) << d;
    doc.m_nCalBaseID = -1;
    EXPECT_EQ(doc.IsRestDay(2004, 5, 1), 0);
    EXPECT_EQ(doc.IsRestDay(0), 0);
    doc.m_nCalBaseID = 0;
    EXPECT_EQ(doc.IsRestDay(6), 0);
}

TEST(RestDay, WeekdayEntryOverridesTheBase)
{
    CCalendarDoc doc;
    doc.AddWeekday(3, 0);
    doc.AddWeekday(3, 1); // the first entry decides
    doc.AddWeekday(6, 1);
    EXPECT_EQ(doc.IsRestDay(3), 1);
    EXPECT_EQ(doc.IsRestDay(2004, 5, 5), 1); // a Wednesday
    EXPECT_EQ(doc.IsRestDay(6), 0);
    EXPECT_EQ(doc.IsRestDay(0), 1);
    doc.m_nCalBaseID = -1;
    EXPECT_EQ(doc.IsRestDay(2004, 5, 12), 1);
}

TEST(RestDay, PeriodEndsAreInclusiveAndTimeOfDayIsDropped)
{
    CCalendarDoc doc;
    doc.m_nCalBaseID = -1;
    doc.AddPeriod(MakeDate(2004, 10, 1, 15, 30, 0), MakeDate(2004, 10, 7, 8, 0, 0), 0);
    EXPECT_EQ(doc.IsRestDay(2004, 9, 30), 0);
    EXPECT_EQ(doc.IsRestDay(2004, 10, 1), 1);
    EXPECT_EQ(doc.IsRestDay(2004, 10, 4), 1);
    EXPECT_EQ(doc.IsRestDay(2004, 10, 7), 1);
    EXPECT_EQ(doc.IsRestDay(2004, 10, 8), 0);
}

TEST(RestDay, EarlierPeriodDecidesAndWorkingPeriodBeatsTheWeekend)
{
    CCalendarDoc doc;
    doc.AddPeriod(MakeDate(2004, 5, 8), MakeDate(2004, 5, 9), 1); // a weekend made working
    doc.AddPeriod(MakeDate(2004, 5, 1), MakeDate(2004, 5, 31), 0);
    EXPECT_EQ(doc.IsRestDay(2004, 5, 8), 0);
    EXPECT_EQ(doc.IsRestDay(2004, 5, 9), 0);
    EXPECT_EQ(doc.IsRestDay(2004, 5, 10), 1);
    EXPECT_EQ(doc.IsRestDay(2004, 6, 1), 0);
}

TEST(RestDay, PeriodWithAnInvalidDateHoldsNoDay)
{
    CCalendarDoc doc;
    CCalendarItem* pItem = doc.AddPeriod(MakeDate(2004, 5, 1), MakeDate(2004, 5, 31), 0);
    pItem->m_dtTo.SetStatus(COleDateTime::invalid);
    CCalendarItem* pNull = doc.AddPeriod(MakeDate(2004, 5, 1), MakeDate(2004, 5, 31), 0);
    pNull->m_dtFrom.SetStatus(COleDateTime::null);
    EXPECT_EQ(doc.IsRestDay(2004, 5, 5), 0); // a Wednesday, by the base calendar
    EXPECT_EQ(doc.IsRestDay(2004, 5, 8), 1); // a Saturday

    // Read from a reply with an empty date the same way.
    CCalendarDoc read;
    read.ParseCal("<CALENDAR><CALDATA><CALDATE><FROMDATE></FROMDATE><TODATE>2004-5-31 0:0:0</TODATE>"
                  "<WORKING>0</WORKING></CALDATE></CALDATA></CALENDAR>");
    EXPECT_EQ(read.IsRestDay(2004, 5, 5), 0);
}

TEST(RestDay, DayThatDoesNotExistIsNoRestDay)
{
    CCalendarDoc doc;
    doc.AddPeriod(MakeDate(2004, 2, 1), MakeDate(2004, 3, 31), 0);
    EXPECT_EQ(doc.IsRestDay(2004, 2, 30), 0);
    EXPECT_EQ(doc.IsRestDay(2004, 13, 1), 0);
    EXPECT_EQ(doc.IsRestDay(2004, 2, 29), 1);
}

TEST(LoadCalendar, NoServiceAddressDoesNothing)
{
    CFakeProjectService fake;
    fake.Install();
    CCalendarDoc doc;
    CProgressRecorder progress;
    EXPECT_EQ(doc.LoadCalendar(), 0);
    EXPECT_EQ(fake.InstancesCreated(), 0);
    EXPECT_EQ(progress.Trace(), "");
}

TEST(LoadCalendar, ComponentThatCannotBeCreated)
{
    CFakeProjectService fake;
    fake.Install();
    fake.FailCreation();
    CCalendarDoc doc;
    doc.m_strServiceUrl = "http://h/s/WebService/OrveskService.WSDL";
    doc.m_strCalName = "keep";
    CMessageBoxRecorder boxes;
    EXPECT_EQ(doc.LoadCalendar(), -1);
    ASSERT_EQ(boxes.entries.size(), 1u);
    EXPECT_EQ(boxes.entries[0].text, CString("客户端组件创建失败!"));
    EXPECT_EQ(boxes.entries[0].type & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
    EXPECT_EQ(doc.m_strCalName, CString("keep"));
}

TEST(LoadCalendar, FetchesAndParsesTheProjectsCalendar)
{
    CFakeProjectService fake;
    fake.Install();
    fake.calendars[12] = "<CALENDAR><CALID>3</CALID><CALNAME>c</CALNAME><CALBASEID>-1</CALBASEID>"
                         "<CALDATA><CALDAY><DAY>1</DAY><WORKING>0</WORKING></CALDAY></CALDATA></CALENDAR>";
    CCalendarDoc doc;
    doc.m_strServiceUrl = "http://h/s/WebService/OrveskService.WSDL";
    doc.m_ProjectInfo.m_nProjID = 12;
    doc.m_bAutomation = 0;
    doc.m_strProxyServerAddress = "proxy";
    doc.m_strProxyServerPort = "8080";
    CProgressRecorder progress;
    EXPECT_EQ(doc.LoadCalendar(), 0);
    EXPECT_EQ(doc.m_nCalID, 3);
    EXPECT_EQ(doc.m_nCalBaseID, -1);
    EXPECT_EQ(doc.IsRestDay(1), 1);
    EXPECT_EQ(fake.CallNames(),
              (std::vector<std::string>{"SetServiceUrl", "SetProxyServer", "SetProxyPort", "GetCalendar"}));
    EXPECT_EQ(fake.LastCall("GetCalendar")->args[0], CString("12"));
    EXPECT_EQ(fake.InstancesAlive(), 0);
    // Two steps around the creation, two around the load, one for CALDATA.
    EXPECT_EQ(progress.Trace(), ".....");
}

TEST(LoadCalendar, ProxyIsPassedOnlyWithoutAutomation)
{
    CFakeProjectService fake;
    fake.Install();
    CCalendarDoc doc;
    doc.m_strServiceUrl = "http://h/s/WebService/OrveskService.WSDL";
    doc.m_strProxyServerAddress = "proxy";
    EXPECT_EQ(doc.LoadCalendar(), 0);
    EXPECT_EQ(fake.CallNames(), (std::vector<std::string>{"SetServiceUrl", "GetCalendar"}));
}

TEST(LoadCalendar, FailedFetchKeepsTheCalendar)
{
    CFakeProjectService fake;
    fake.Install();
    fake.FailCall("GetCalendar");
    CCalendarDoc doc;
    doc.m_strServiceUrl = "http://h/s/WebService/OrveskService.WSDL";
    doc.m_nCalBaseID = -1;
    CMessageBoxRecorder boxes;
    EXPECT_EQ(doc.LoadCalendar(), 0);
    EXPECT_EQ(doc.m_nCalBaseID, -1);
    EXPECT_TRUE(boxes.entries.empty());
}
