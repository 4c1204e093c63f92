// The operations of the project service: names, arguments, results and which of them are
// whole numbers (xsd:int). The client's SOAP protocol and the server's reading both compile
// this one table, so the two sides cannot drift apart.
#pragma once

#include <cstddef>
#include <cstring>

namespace serviceops {

struct Operation {
    const char* name;
    const char* args[3];
    int argCount;
    const char* results[2];
    int resultCount;
};

inline constexpr Operation kOperations[] = {
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

inline constexpr size_t kOperationCount = sizeof(kOperations) / sizeof(kOperations[0]);

// The arguments and results that are whole numbers; every other one is text.
inline constexpr const char* kNumberFields[] = {"projectId", "status",    "first", "parentTaskId",
                                                "Result",    "ProjectId", "TaskId"};

// The operation of that name, or nullptr.
inline const Operation* FindOperation(const char* name)
{
    if (!name)
        return nullptr;
    for (const Operation& op : kOperations)
        if (std::strcmp(op.name, name) == 0)
            return &op;
    return nullptr;
}

inline bool IsNumberField(const char* name)
{
    if (!name)
        return false;
    for (const char* n : kNumberFields)
        if (std::strcmp(n, name) == 0)
            return true;
    return false;
}

} // namespace serviceops
