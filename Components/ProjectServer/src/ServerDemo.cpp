// The demo data of a first run: a user, a project of a few dozen tasks with links,
// members, permissions and a calendar, and a small product-data store.
#include <ProjectServer/ProjectServer.h>

#include <Pdm/PdmStore.h>

#include <sys/stat.h>

namespace projectserver {

const char kDemoUser[] = "demo";
// The login cipher's form of the password "demo" under the client's default key.
const char kDemoCipheredPassword[] = "5b50686204";

namespace {

struct DemoTask {
    int level;  // 0 a phase, 1 a task of the phase before it
    const char* name;
    int startDay;  // days after the project start
    int days;
    int progress;
    const char* assignee;
};

const DemoTask kTasks[] = {
    {0, u8"需求分析", 0, 10, 100, "zhang"},
    {1, u8"用户调研", 0, 3, 100, "zhang"},
    {1, u8"业务流程梳理", 3, 3, 100, "li"},
    {1, u8"需求规格说明书", 6, 3, 100, "zhang"},
    {1, u8"需求评审", 9, 1, 100, "wang"},
    {0, u8"总体设计", 10, 12, 80, "li"},
    {1, u8"系统架构设计", 10, 4, 100, "li"},
    {1, u8"数据库设计", 14, 3, 90, "li"},
    {1, u8"接口设计", 14, 4, 70, "zhao"},
    {1, u8"设计评审", 21, 1, 0, "wang"},
    {0, u8"详细设计与编码", 22, 30, 30, "zhao"},
    {1, u8"项目管理模块", 22, 10, 60, "zhao"},
    {1, u8"任务甘特图", 22, 12, 40, "sun"},
    {1, u8"资源与日历", 32, 8, 10, "zhao"},
    {1, u8"权限管理", 34, 6, 0, "sun"},
    {1, u8"产品数据浏览", 40, 8, 0, "sun"},
    {1, u8"代码走查", 48, 4, 0, "wang"},
    {0, u8"测试", 52, 20, 0, "zhou"},
    {1, u8"测试计划", 52, 2, 0, "zhou"},
    {1, u8"单元测试", 54, 6, 0, "zhao"},
    {1, u8"集成测试", 60, 6, 0, "zhou"},
    {1, u8"系统测试", 66, 4, 0, "zhou"},
    {1, u8"缺陷修复", 60, 10, 0, "sun"},
    {0, u8"部署与验收", 72, 10, 0, "wang"},
    {1, u8"试运行", 72, 5, 0, "li"},
    {1, u8"用户培训", 74, 3, 0, "zhang"},
    {1, u8"验收评审", 78, 2, 0, "wang"},
    {1, u8"项目总结", 80, 2, 0, "wang"},
};

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

// Dates: the project starts on 2026-3-2; day n is n calendar days later.
void DayOf(int n, int& y, int& m, int& d)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    y = 2026;
    m = 3;
    d = 2 + n;
    while (d > kDays[m - 1]) {
        d -= kDays[m - 1];
        if (++m > 12) {
            m = 1;
            ++y;
        }
    }
}

std::string ProjectDate(int n, int hour)
{
    int y, m, d;
    DayOf(n, y, m, d);
    return std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d) + " " + std::to_string(hour) + ":0:0";
}

std::string TaskDate(int n)
{
    int y, m, d;
    DayOf(n, y, m, d);
    return std::to_string(y) + u8"年" + std::to_string(m) + u8"月" + std::to_string(d) + u8"日";
}

std::string Leaf(const char* name, const std::string& value)
{
    return std::string("<") + name + ">" + value + "</" + name + ">";
}

// One TASK element; `children` is its TASKS content (may be empty).
std::string TaskXml(const DemoTask& t, int row, long taskId, long parentId, long predId, const std::string& children)
{
    std::string x = "<TASK>" + Leaf("ENTIREPROJID", "0") + Leaf("TASKID", std::to_string(taskId)) +
                    Leaf("PARENTID", std::to_string(parentId)) + Leaf("ISSUBPROJ", "0") + Leaf("SUBPROJID", "0") +
                    Leaf("NAME", t.name) + Leaf("DESC", "") + Leaf("COST", "0") + Leaf("ACTCOST", "0") +
                    Leaf("STARTDATE", TaskDate(t.startDay)) + Leaf("ACTSTARTDATE", TaskDate(-61)) +
                    Leaf("FINISHDATE", TaskDate(t.startDay + t.days - 1)) + Leaf("ACTFINISHDATE", TaskDate(-61)) +
                    Leaf("CREATIONDATE", TaskDate(-1)) + Leaf("DEADLINEDATE", TaskDate(-61)) +
                    Leaf("DURATION", std::to_string(86400L * t.days)) + Leaf("DURISEST", "0") +
                    Leaf("TRUEDURATION", "0") + Leaf("ACTDURATION", "0") + Leaf("PRIORITY", "2") +
                    Leaf("STATUS", t.progress == 100 ? "5" : "0") + Leaf("PROGRESS", std::to_string(t.progress)) +
                    Leaf("ASSIGNERID", "0") + Leaf("ISMILESTONGE", t.days == 1 ? "1" : "0") +
                    Leaf("HASCHILDREN", children.empty() ? "0" : "1") + Leaf("ROWINGRID", std::to_string(row)) +
                    Leaf("FLAG", "0") + "<ASSIGNEES><ASSIGNEE>" + Leaf("RESCODE", t.assignee) + "</ASSIGNEE></ASSIGNEES>";
    if (predId > 0)
        x += "<LINKS><LINK>" + Leaf("PREDID", std::to_string(predId)) + Leaf("TYPE", "1") + Leaf("LOGICALTYPE", "0") +
             Leaf("SEQUENCE", "1") + Leaf("LAG", "0") + "</LINK></LINKS>";
    if (!children.empty())
        x += "<TASKS>" + children + "</TASKS>";
    return x + "</TASK>";
}

std::string DemoProjectXml(long firstTaskId)
{
    std::string x = "<PROJECT>" + Leaf("ID", "0") + Leaf("NAME", u8"项目管理系统开发（演示）") +
                    Leaf("GOAL", u8"演示项目：一个软件项目从需求到验收的全过程") + Leaf("COST", "500000") +
                    Leaf("ACTCOST", "120000") + Leaf("CREATIONDATE", ProjectDate(-1, 9)) +
                    Leaf("STARTDATE", ProjectDate(0, 8)) + Leaf("ACTSTARTDATE", ProjectDate(0, 8)) +
                    Leaf("FINISHDATE", ProjectDate(81, 17)) + Leaf("ACTFINISHDATE", "1899-12-30 0:0:0") +
                    Leaf("DEADLINEDATE", ProjectDate(90, 0)) + Leaf("FLAG", "0") + Leaf("PRIORITY", "2") +
                    Leaf("STATUS", "1") + Leaf("ISSUBPROJ", "0") + Leaf("PROGRESS", "35") + "<MEMBERS>";
    for (const DemoMember& m : kMembers)
        x += "<MEMBER>" + Leaf("RESCODE", m.code) + Leaf("ROLETYPEID", "0") + Leaf("PERMID", "2") +
             Leaf("RESNAME", m.name) + Leaf("RESDESC", "") + Leaf("RESUNIT", u8"人") + Leaf("RESTYPE", "1") +
             Leaf("RESACTCOST", "0") + Leaf("RESCOST", "300") + Leaf("RESISADMIN", std::to_string(m.admin)) +
             Leaf("RESISEXT", "0") + Leaf("RESISMANAGER", std::to_string(m.manager)) + "</MEMBER>";
    x += "</MEMBERS><TASKS>";
    // Phases in order, each after the one before; each task after the task before it in
    // its phase.
    const int count = static_cast<int>(sizeof(kTasks) / sizeof(kTasks[0]));
    long prevPhase = 0;
    for (int i = 0; i < count;) {
        int phase = i;
        long phaseId = firstTaskId + phase;
        std::string children;
        long prevTask = 0;
        int j = i + 1;
        for (; j < count && kTasks[j].level == 1; ++j) {
            long id = firstTaskId + j;
            children += TaskXml(kTasks[j], j + 1, id, phaseId, prevTask, std::string());
            prevTask = id;
        }
        x += TaskXml(kTasks[phase], phase + 1, phaseId, 0, prevPhase, children);
        prevPhase = phaseId;
        i = j;
    }
    return x + "</TASKS></PROJECT>";
}

std::string DemoCalendarXml()
{
    return "<CALENDAR><CALID>1</CALID><CALNAME>" + std::string(u8"标准日历") +
           "</CALNAME><CALBASEID>-1</CALBASEID><RESCODE></RESCODE><CALDATA>"
           "<CALDATE><FROMDATE>2026-4-4 0:0:0</FROMDATE><TODATE>2026-4-6 23:59:59</TODATE><WORKING>0</WORKING>"
           "</CALDATE><CALDATE><FROMDATE>2026-5-1 0:0:0</FROMDATE><TODATE>2026-5-5 23:59:59</TODATE>"
           "<WORKING>0</WORKING></CALDATE><CALDATE><FROMDATE>2026-5-9 0:0:0</FROMDATE>"
           "<TODATE>2026-5-9 23:59:59</TODATE><WORKING>1</WORKING></CALDATE>"
           "<CALDAY><DAY>1</DAY><WORKING>0</WORKING></CALDAY><CALDAY><DAY>7</DAY><WORKING>0</WORKING></CALDAY>"
           "</CALDATA></CALENDAR>";
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

bool AddDemoData(CProjectServer& server, std::string& error)
{
    const long projectId = 101;
    const long firstTaskId = 1001;
    const long count = static_cast<long>(sizeof(kTasks) / sizeof(kTasks[0]));
    if (!server.AddUser(kDemoUser, kDemoCipheredPassword, u8"演示用户") ||
        !server.SetNextIds(projectId, firstTaskId + count)) {
        error = "cannot write the demo data";
        return false;
    }
    // The tasks name their project, whose id is the next one.
    std::string project = DemoProjectXml(firstTaskId);
    const std::string zero = "<ENTIREPROJID>0</ENTIREPROJID>";
    const std::string idText = "<ENTIREPROJID>" + std::to_string(projectId) + "</ENTIREPROJID>";
    for (size_t at = project.find(zero); at != std::string::npos; at = project.find(zero, at))
        project.replace(at, zero.size(), idText);
    if (server.AddProject(project) != projectId || !server.SetCalendar(projectId, DemoCalendarXml()) ||
        !server.SetPermissions(projectId, DemoPermissionsXml()) || !server.SetResources(DemoResourcesXml())) {
        error = "cannot write the demo project";
        return false;
    }
    return true;
}

bool MakeDemoPdmStore(const std::string& path, std::string& error)
{
    struct stat st;
    if (::stat(path.c_str(), &st) == 0)
        return true;  // an existing store is left as it is
    CPdmStore store;
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
