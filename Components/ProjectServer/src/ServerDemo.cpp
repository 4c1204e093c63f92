// The demo data of a first run: a user, a project of a few dozen tasks with links,
// members, permissions and a calendar, and a small product-data store. The project is
// scheduled through its own calendar around the day the demo database is made.
#include <ProjectServer/ProjectServer.h>
#include <ProjectServer/ServerDatabase.h>

#include "ServerDemo.h"

#include <Pdm/PdmStore.h>

#include <sys/stat.h>

#include <algorithm>
#include <vector>

namespace projectserver {

const char kDemoUser[] = "demo";
// The login cipher's form of the password "demo" under the client's default key.
const char kDemoCipheredPassword[] = "5b50686204";

namespace {

enum { kFS = workdays::kFinishToStart, kFF = workdays::kFinishToFinish, kSS = workdays::kStartToStart };  // link types

struct DemoLink {
    int pred;  // the predecessor's index in kTasks; -1 no link
    int type;
    int lag;  // working days
};

struct DemoTask {
    int level;  // 0 a phase, 1 a task of the phase before it
    const char* name;
    int days;  // working days; 0 a milestone; a phase's come from its tasks
    const char* assignee;
    DemoLink links[2];
};

const DemoLink kNo = {-1, 0, 0};

// Each phase follows the one before; inside a phase the links say what waits for what. A
// predecessor always comes earlier in the table.
const DemoTask kTasks[] = {
    {0, u8"需求分析", 0, "zhang", {kNo, kNo}},
    {1, u8"用户调研", 3, "zhang", {kNo, kNo}},
    {1, u8"业务流程梳理", 3, "li", {{1, kFS, 0}, kNo}},
    {1, u8"需求规格说明书", 4, "zhang", {{2, kFS, 0}, kNo}},
    {1, u8"需求评审", 1, "wang", {{3, kFS, 0}, kNo}},
    {1, u8"需求基线确认", 0, "wang", {{4, kFS, 0}, kNo}},
    {0, u8"总体设计", 0, "li", {{0, kFS, 0}, kNo}},
    {1, u8"系统架构设计", 4, "li", {kNo, kNo}},
    {1, u8"数据库设计", 3, "li", {{7, kFS, 0}, kNo}},
    {1, u8"接口设计", 4, "zhao", {{7, kFS, 0}, kNo}},
    {1, u8"设计评审", 1, "wang", {{8, kFS, 0}, {9, kFS, 0}}},
    {0, u8"详细设计与编码", 0, "zhao", {{6, kFS, 0}, kNo}},
    {1, u8"项目管理模块", 10, "zhao", {kNo, kNo}},
    {1, u8"任务甘特图", 12, "sun", {{12, kSS, 2}, kNo}},
    {1, u8"资源与日历", 8, "zhao", {{12, kFS, 0}, kNo}},
    {1, u8"权限管理", 6, "sun", {{13, kFS, 0}, kNo}},
    {1, u8"产品数据浏览", 8, "sun", {{15, kFS, 0}, kNo}},
    {1, u8"代码走查", 4, "wang", {{16, kFF, 0}, {14, kFS, 0}}},
    {1, u8"编码完成", 0, "zhao", {{17, kFS, 0}, kNo}},
    {0, u8"测试", 0, "zhou", {{11, kFS, 0}, kNo}},
    {1, u8"测试计划", 2, "zhou", {kNo, kNo}},
    {1, u8"单元测试", 6, "zhao", {{20, kFS, 0}, kNo}},
    {1, u8"集成测试", 6, "zhou", {{21, kFS, 0}, kNo}},
    {1, u8"缺陷修复", 10, "sun", {{22, kSS, 1}, kNo}},
    {1, u8"系统测试", 4, "zhou", {{22, kFS, 0}, kNo}},
    {0, u8"部署与验收", 0, "wang", {{19, kFS, 0}, kNo}},
    {1, u8"试运行", 5, "li", {kNo, kNo}},
    {1, u8"用户培训", 3, "zhang", {{26, kSS, 1}, kNo}},
    {1, u8"验收评审", 2, "wang", {{26, kFS, 0}, {27, kFS, 0}}},
    {1, u8"项目总结", 2, "wang", {{28, kFS, 0}, kNo}},
    {1, u8"项目验收", 0, "wang", {{29, kFS, 0}, kNo}},
};
const int kTaskCount = static_cast<int>(sizeof(kTasks) / sizeof(kTasks[0]));

struct DemoMember {
    const char* code;
    const char* name;
    int admin;
    int manager;
};

const DemoMember kMembers[] = {
    {"demo", u8"演示用户", 1, 1},  {"wang", u8"王经理", 0, 1}, {"zhang", u8"张工", 0, 0},
    {"li", u8"李工", 0, 0},          {"zhao", u8"赵工", 0, 0},   {"sun", u8"孙工", 0, 0},
    {"zhou", u8"周工", 0, 0},
};

// A task's place in the schedule.
struct Placed {
    long start = 0, finish = 0, deadline = 0;
    int days = 0;      // working days (DURATION)
    int trueDays = 0;  // a phase: the sum of its tasks' (TRUEDURATION)
    int progress = 0;
};

struct Schedule {
    long today = 0;
    long creation = 0;
    std::vector<Placed> tasks;
    long start = 0, finish = 0;
    int progress = 0;
};

void ApplyLink(const CWorkCalendar& cal, const DemoLink& link, const Placed& p, long& start, long& finish)
{
    DemoLinkBounds(cal, link.type, link.lag, p.start, p.finish, start, finish);
}

// Share of a task's working days done before today.
int ProgressOf(const CWorkCalendar& cal, const Placed& t, long today)
{
    if (t.days == 0)
        return t.start <= today ? 100 : 0;
    if (t.finish < today)
        return 100;
    if (t.start >= today)
        return 0;
    return cal.WorkingDays(t.start, today - 1) * 100 / t.days;
}

// The phase of kTasks[first] from its tasks: the earliest start, the latest finish, the
// working days between, its tasks' deadlines at its finish and its progress by their days.
void ClosePhase(const CWorkCalendar& cal, Schedule& s, int first, int end)
{
    Placed& phase = s.tasks[first];
    phase.start = s.tasks[first + 1].start;
    phase.finish = s.tasks[first + 1].finish;
    long weighted = 0, days = 0;
    for (int i = first + 1; i < end; ++i) {
        const Placed& t = s.tasks[i];
        phase.start = std::min(phase.start, t.start);
        phase.finish = std::max(phase.finish, t.finish);
        phase.trueDays += t.trueDays;
        weighted += static_cast<long>(t.progress) * t.days;
        days += t.days;
    }
    phase.days = cal.WorkingDays(phase.start, phase.finish);
    phase.progress = days > 0 ? static_cast<int>(weighted / days) : 0;
    phase.deadline = cal.FinishFromStart(phase.finish, 4);  // a few days in hand
    for (int i = first + 1; i < end; ++i)
        s.tasks[i].deadline = phase.finish;
}

// Every task placed at the earliest its links and its phase allow, from the project start.
Schedule MakeSchedule(const CWorkCalendar& cal, long projectStart, long today)
{
    Schedule s;
    s.today = today;
    s.creation = projectStart - 7;
    s.tasks.resize(kTaskCount);
    int phase = -1;
    long phaseStart = projectStart;
    for (int i = 0; i <= kTaskCount; ++i) {
        if (i == kTaskCount || kTasks[i].level == 0) {
            if (phase >= 0)
                ClosePhase(cal, s, phase, i);
            if (i == kTaskCount)
                break;
            phase = i;
            phaseStart = projectStart;
            long unused = 0;
            for (const DemoLink& link : kTasks[i].links)
                if (link.pred >= 0)
                    ApplyLink(cal, link, s.tasks[link.pred], phaseStart, unused);
            continue;
        }
        const DemoTask& t = kTasks[i];
        Placed& p = s.tasks[i];
        long start = phaseStart, finishAtLeast = 0;
        for (const DemoLink& link : t.links)
            if (link.pred >= 0)
                ApplyLink(cal, link, s.tasks[link.pred], start, finishAtLeast);
        p.days = p.trueDays = t.days;
        p.start = cal.SkipRestDays(start);
        p.finish = cal.FinishFromStart(p.start, t.days);
        if (p.finish < finishAtLeast) {
            p.finish = cal.SkipRestDays(finishAtLeast);
            p.start = cal.StartFromFinish(p.finish, t.days);
        }
        p.progress = ProgressOf(cal, p, today);
    }
    s.start = s.tasks[0].start;
    s.finish = s.tasks[0].finish;
    long weighted = 0, days = 0;
    for (int i = 0; i < kTaskCount; ++i) {
        s.start = std::min(s.start, s.tasks[i].start);
        s.finish = std::max(s.finish, s.tasks[i].finish);
        if (kTasks[i].level == 1) {
            weighted += static_cast<long>(s.tasks[i].progress) * s.tasks[i].days;
            days += s.tasks[i].days;
        }
    }
    s.progress = days > 0 ? static_cast<int>(weighted / days) : 0;
    return s;
}

// "Y-M-D H:0:0", the project header's form.
std::string ProjectDate(long n, int hour)
{
    int y, m, d;
    CivilDay(n, y, m, d);
    return std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d) + " " + std::to_string(hour) + ":0:0";
}

// "Y年M月D日", the form of the tasks inside a task; the client writes top-level tasks in
// the header's form. The zero date stands for actual dates not reached yet.
std::string TaskDate(long n, int level)
{
    if (level == 0)
        return ProjectDate(n, 0);
    int y, m, d;
    CivilDay(n, y, m, d);
    return std::to_string(y) + u8"年" + std::to_string(m) + u8"月" + std::to_string(d) + u8"日";
}

const long kZeroDate = DayNumber(1899, 12, 30);

std::string Leaf(const char* name, const std::string& value)
{
    return std::string("<") + name + ">" + value + "</" + name + ">";
}

// One TASK element; `children` is its TASKS content (may be empty).
std::string TaskXml(const Schedule& s, int i, long firstTaskId, long parentId, const std::string& children)
{
    const DemoTask& t = kTasks[i];
    const Placed& p = s.tasks[i];
    const bool started = p.start <= s.today, done = p.progress == 100;
    std::string x = "<TASK>" + Leaf("ENTIREPROJID", "0") + Leaf("TASKID", std::to_string(firstTaskId + i)) +
                    Leaf("PARENTID", std::to_string(parentId)) + Leaf("ISSUBPROJ", "0") + Leaf("SUBPROJID", "0") +
                    Leaf("NAME", t.name) + Leaf("DESC", "") + Leaf("COST", "0") + Leaf("ACTCOST", "0") +
                    Leaf("STARTDATE", TaskDate(p.start, t.level)) +
                    Leaf("ACTSTARTDATE", TaskDate(started ? p.start : kZeroDate, t.level)) +
                    Leaf("FINISHDATE", TaskDate(p.finish, t.level)) +
                    Leaf("ACTFINISHDATE", TaskDate(done ? p.finish : kZeroDate, t.level)) +
                    Leaf("CREATIONDATE", TaskDate(s.creation, t.level)) +
                    Leaf("DEADLINEDATE", TaskDate(p.deadline, t.level)) +
                    Leaf("DURATION", std::to_string(86400L * p.days)) + Leaf("DURISEST", "0") +
                    Leaf("TRUEDURATION", std::to_string(86400L * p.trueDays)) + Leaf("ACTDURATION", "0") +
                    Leaf("PRIORITY", "2") + Leaf("STATUS", done ? "5" : "0") +
                    Leaf("PROGRESS", std::to_string(p.progress)) + Leaf("ASSIGNERID", "0") +
                    Leaf("ISMILESTONGE", t.level == 1 && t.days == 0 ? "1" : "0") +
                    Leaf("HASCHILDREN", children.empty() ? "0" : "1") + Leaf("ROWINGRID", std::to_string(i + 1)) +
                    Leaf("FLAG", "0") + "<ASSIGNEES><ASSIGNEE>" + Leaf("RESCODE", t.assignee) + "</ASSIGNEE></ASSIGNEES>";
    std::string links;
    int sequence = 0;
    for (const DemoLink& link : t.links)
        if (link.pred >= 0)
            links += "<LINK>" + Leaf("PREDID", std::to_string(firstTaskId + link.pred)) +
                     Leaf("TYPE", std::to_string(link.type)) + Leaf("LOGICALTYPE", "0") +
                     Leaf("SEQUENCE", std::to_string(++sequence)) + Leaf("LAG", std::to_string(link.lag)) + "</LINK>";
    if (!links.empty())
        x += "<LINKS>" + links + "</LINKS>";
    if (!children.empty())
        x += "<TASKS>" + children + "</TASKS>";
    return x + "</TASK>";
}

std::string DemoProjectXml(const Schedule& s, long firstTaskId)
{
    std::string x = "<PROJECT>" + Leaf("ID", "0") + Leaf("NAME", u8"项目管理系统开发（演示）") +
                    Leaf("GOAL", u8"演示项目：一个软件项目从需求到验收的全过程") + Leaf("COST", "500000") +
                    Leaf("ACTCOST", "120000") + Leaf("CREATIONDATE", ProjectDate(s.creation, 9)) +
                    Leaf("STARTDATE", ProjectDate(s.start, 0)) + Leaf("ACTSTARTDATE", ProjectDate(s.start, 0)) +
                    Leaf("FINISHDATE", ProjectDate(s.finish, 0)) + Leaf("ACTFINISHDATE", "1899-12-30 0:0:0") +
                    Leaf("DEADLINEDATE", ProjectDate(s.finish, 0)) + Leaf("FLAG", "0") + Leaf("PRIORITY", "2") +
                    Leaf("STATUS", "1") + Leaf("ISSUBPROJ", "0") + Leaf("PROGRESS", std::to_string(s.progress)) +
                    "<MEMBERS>";
    for (const DemoMember& m : kMembers)
        x += "<MEMBER>" + Leaf("RESCODE", m.code) + Leaf("ROLETYPEID", "0") + Leaf("PERMID", "2") +
             Leaf("RESNAME", m.name) + Leaf("RESDESC", "") + Leaf("RESUNIT", u8"人") + Leaf("RESTYPE", "1") +
             Leaf("RESACTCOST", "0") + Leaf("RESCOST", "300") + Leaf("RESISADMIN", std::to_string(m.admin)) +
             Leaf("RESISEXT", "0") + Leaf("RESISMANAGER", std::to_string(m.manager)) + "</MEMBER>";
    x += "</MEMBERS><TASKS>";
    for (int i = 0; i < kTaskCount;) {
        const int phase = i;
        std::string children;
        for (++i; i < kTaskCount && kTasks[i].level == 1; ++i)
            children += TaskXml(s, i, firstTaskId, firstTaskId + phase, std::string());
        x += TaskXml(s, phase, firstTaskId, 0, children);
    }
    return x + "</TASKS></PROJECT>";
}

std::string Permission(const char* code, int open, int publish, int del, int modify, int look, const char* desc)
{
    return "<PERMISSION>" + Leaf("RESCODE", code) + Leaf("OPENPROJ", std::to_string(open)) +
           Leaf("PUBLISHPROJ", std::to_string(publish)) + Leaf("DELETEPROJ", std::to_string(del)) +
           Leaf("MODIFYPROGRESS", std::to_string(modify)) + Leaf("LOOKPROGRESS", std::to_string(look)) +
           Leaf("FORUM", "1") + Leaf("DESC", desc) + "</PERMISSION>";
}

std::string DemoPermissionsXml()
{
    return "<PERMISSIONS>" + Permission("demo", 1, 1, 1, 1, 1, u8"项目经理") +
           Permission("wang", 1, 1, 0, 1, 1, u8"部门经理") + Permission("zhang", 1, 0, 0, 1, 1, u8"成员") +
           Permission("li", 1, 0, 0, 1, 1, u8"成员") + Permission("zhao", 1, 0, 0, 1, 1, u8"成员") +
           Permission("sun", 1, 0, 0, 1, 1, u8"成员") + Permission("zhou", 1, 0, 0, 0, 1, u8"测试") +
           "</PERMISSIONS>";
}

std::string DemoResourcesXml()
{
    std::string x = "<RESOURCES>";
    for (const DemoMember& m : kMembers)
        x += "<RESOURCE>" + Leaf("RESCODE", m.code) + Leaf("RESNAME", m.name) + Leaf("RESDESC", "") +
             Leaf("RESUNIT", u8"人") + Leaf("RESTYPE", "1") + Leaf("RESACTCOST", "0") + Leaf("RESCOST", "300") +
             Leaf("RESISADMIN", std::to_string(m.admin)) + Leaf("RESISEXT", "0") +
             Leaf("RESISMANAGER", std::to_string(m.manager)) + "</RESOURCE>";
    return x + "</RESOURCES>";
}

}  // namespace

void DemoLinkBounds(const CWorkCalendar& cal, int type, int lag, long predStart, long predFinish, long& start,
                    long& finish)
{
    // The shared link rule the client schedules with.
    const long anchor = workdays::LeavesFromFinish(type) ? predFinish : predStart;
    long required = 0;
    switch (workdays::LinkRequirement(cal.Rule(), type, lag, anchor, required)) {
    case workdays::kBoundsStart:
        start = std::max(start, required);
        break;
    case workdays::kBoundsFinish:
        finish = std::max(finish, required);
        break;
    default:
        break;
    }
}

long DemoProjectStart(long today)
{
    // The Monday of the week three weeks back: the project has run for three to four weeks.
    const long back = today - 21;
    return back - (Weekday(back) + 6) % 7;
}

CWorkCalendar DemoCalendar(long projectStart)
{
    // Saturdays and Sundays rest; two public holidays, the second made up by working the
    // Saturday after it.
    CWorkCalendar cal(-2);
    cal.AddPeriod(projectStart + 12, projectStart + 14, false);  // Saturday to Monday
    cal.AddPeriod(projectStart + 60, projectStart + 64, false);  // Friday to Tuesday
    cal.AddPeriod(projectStart + 68, projectStart + 68, true);   // the Saturday after
    cal.AddWeekday(0, false);
    cal.AddWeekday(6, false);
    return cal;
}

bool AddDemoData(CProjectServer& server, std::string& error)
{
    const long projectId = 101;
    const long firstTaskId = 1001;
    if (!server.AddUser(kDemoUser, kDemoCipheredPassword, u8"演示用户") ||
        !server.SetNextIds(projectId, firstTaskId + kTaskCount)) {
        error = "cannot write the demo data";
        return false;
    }
    // The project runs around the day the demo database is made.
    const long today = LocalToday();
    const long projectStart = DemoProjectStart(today);
    const CWorkCalendar cal = DemoCalendar(projectStart);
    // The tasks name their project, whose id is the next one.
    std::string project = DemoProjectXml(MakeSchedule(cal, projectStart, today), firstTaskId);
    const std::string zero = "<ENTIREPROJID>0</ENTIREPROJID>";
    const std::string idText = "<ENTIREPROJID>" + std::to_string(projectId) + "</ENTIREPROJID>";
    for (size_t at = project.find(zero); at != std::string::npos; at = project.find(zero, at))
        project.replace(at, zero.size(), idText);
    if (server.AddProject(project) != projectId || !server.SetCalendar(projectId, cal.Xml(1, u8"标准日历")) ||
        !server.SetPermissions(projectId, DemoPermissionsXml()) || !server.SetResources(DemoResourcesXml())) {
        error = "cannot write the demo project";
        return false;
    }
    return true;
}

bool MakeDemoPdmStore(const std::string& path, std::string& error)
{
    // An existing store is left as it is.
    CPdmStore store;
    if (CServerDatabase::IsConnectionString(path)) {
        if (store.Open(path, CPdmStore::OpenExisting))
            return true;
    } else {
        struct stat st;
        if (::stat(path.c_str(), &st) == 0)
            return true;
    }
    if (!store.Open(path, CPdmStore::CreateIfMissing)) {
        error = store.LastError();
        return false;
    }
    struct Folder {
        const char* name;
        const char* files[3];
    };
    const Folder kFolders[] = {
        {u8"项目文档", {u8"项目章程.txt", u8"需求规格说明书.txt", u8"会议纪要.txt"}},
        {u8"设计图纸", {u8"系统架构.txt", u8"数据库设计.txt", nullptr}},
        {u8"测试资料", {u8"测试计划.txt", nullptr, nullptr}},
    };
    bool ok = store.Begin();
    for (const Folder& f : kFolders) {
        int32_t folder = 0;
        ok = ok && store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, f.name, folder);
        for (const char* file : f.files) {
            if (!file || !ok)
                continue;
            int32_t id = 0;
            std::string bytes = std::string(file) + u8"\n\n这是演示用的产品数据文档。\n";
            ok = store.PutDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, file, bytes, "",
                                   static_cast<int64_t>(bytes.size()), "", id);
        }
    }
    if (!ok || !store.Commit()) {
        error = store.LastError();
        store.Rollback();
        return false;
    }
    return true;
}

}  // namespace projectserver
