// The operation table of the project service.
#include <ProjectService/SoapProtocol.h>

#include <cstring>

namespace projectsoap {

const char* const kEnvelopeNamespace = "http://schemas.xmlsoap.org/soap/envelope/";
const char* const kWsdlNamespace = "http://schemas.xmlsoap.org/wsdl/";
const char* const kWsdlSoapNamespace = "http://schemas.xmlsoap.org/wsdl/soap/";
const char* const kResultName = "Result";

namespace {

const OperationInfo kOperations[] = {
    {"Login", {"userCode", "password"}, 2, {"Reply"}, 1},
    {"GetProjectList", {"userCode"}, 1, {"Result", "ProjectList"}, 2},
    {"GetProjectData", {"projectId"}, 1, {"Result", "ProjectData"}, 2},
    {"NewProject", {"projectData"}, 1, {"Result", "ProjectId"}, 2},
    {"DeleteProject", {"projectId", "reserved"}, 2, {"Result"}, 1},
    {"SetProjectStatus", {"projectId", "status"}, 2, {"Result"}, 1},
    {"SaveProject", {"projectId", "projectData"}, 2, {"Result", "Reply"}, 2},
    {"GetCalendar", {"projectId"}, 1, {"Result", "CalendarData"}, 2},
    {"SaveCalendar", {"projectId", "calendarData"}, 2, {"Result"}, 1},
    {"GetUsersPermission", {"projectId"}, 1, {"Result", "PermissionData"}, 2},
    {"SaveUsersPermission", {"projectId", "permissionData"}, 2, {"Result"}, 1},
    {"GetResources", {}, 0, {"Result", "ResourceData"}, 2},
    {"NewTask", {"first", "parentTaskId", "taskData"}, 3, {"Result", "TaskId"}, 2},
};

} // namespace

const OperationInfo* Operations(size_t& count)
{
    count = sizeof(kOperations) / sizeof(kOperations[0]);
    return kOperations;
}

const OperationInfo* FindOperation(const char* name)
{
    if (!name)
        return nullptr;
    for (const OperationInfo& op : kOperations) {
        if (std::strcmp(op.name, name) == 0)
            return &op;
    }
    return nullptr;
}

} // namespace projectsoap
