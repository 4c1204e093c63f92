// The stored projects: their texts, header rows and rights rows, and the list built from
// those rows alone.
#include <ProjectServer/ServerDatabase.h>

namespace projectserver {

using namespace dbstore;

bool CServerDatabase::AddProject(long id, const std::string& xml, const ProjectHead& head)
{
    return Run("INSERT INTO dbo.projects(id, xml) VALUES(?, ?)", {Number(id), Text(xml)}, nullptr,
               "cannot write projects") &&
           Run("INSERT INTO dbo.project_heads(id, name, status, creation_date, creator, revision)"
               " VALUES(?, ?, ?, ?, ?, 1)",
               {Number(id), Text(head.name), Number(head.status), Text(head.creationDate), Text(head.creator)},
               nullptr, "cannot write projects");
}

bool CServerDatabase::PutHead(long id, const ProjectHead& head)
{
    return Run("INSERT INTO dbo.project_heads(id, name, status, creation_date, creator, revision)"
               " VALUES(?, ?, ?, ?, ?, ?) ON CONFLICT(id) DO NOTHING",
               {Number(id), Text(head.name), Number(head.status), Text(head.creationDate), Text(head.creator),
                Number(head.revision)},
               nullptr, "cannot write projects");
}

bool CServerDatabase::ReplaceProject(long id, const std::string& xml, const ProjectHead& head, long expected,
                                     long& revision, bool& matched)
{
    // The header row is changed first: on a database server its row lock makes a second
    // writer wait, and then find the revision moved on.
    Rows rows;
    if (!Run("UPDATE dbo.project_heads SET revision = revision + 1, name = ?, status = ?, creation_date = ?"
             " WHERE id = ? AND revision = ? RETURNING revision",
             {Text(head.name), Number(head.status), Text(head.creationDate), Number(id), Number(expected)}, &rows,
             "cannot write projects"))
        return false;
    matched = !rows.values.empty();
    if (!matched)
        return true;
    revision = static_cast<long>(AsNumber(rows.values[0][0]));
    return Run("UPDATE dbo.projects SET xml = ? WHERE id = ?", {Text(xml), Number(id)}, nullptr,
               "cannot write projects");
}

bool CServerDatabase::GetProject(long id, std::string& xml, bool& found)
{
    return GetText("projects", "id", id, xml, found);
}

bool CServerDatabase::GetProjectRevision(long id, std::string& xml, long& revision, bool& found)
{
    CCommand command;
    if (!OpenCommand(command,
                     "SELECT p.xml, h.revision FROM dbo.projects p JOIN dbo.project_heads h ON h.id = p.id"
                     " WHERE p.id = ?",
                     {Number(id)}, "cannot read projects"))
        return false;
    found = command.MoveNext() == S_OK;
    xml = found ? AsText(command.TakeValue(1)) : std::string();
    revision = found ? static_cast<long>(AsNumber(command.GetValue(2))) : 0;
    return true;
}

bool CServerDatabase::GetHead(long id, ProjectHead& head, bool& found)
{
    Rows rows;
    if (!Run("SELECT name, status, creation_date, creator, revision FROM dbo.project_heads WHERE id = ?",
             {Number(id)}, &rows, "cannot read projects"))
        return false;
    found = !rows.values.empty();
    if (found) {
        auto& r = rows.values[0];
        head.name = AsText(std::move(r[0]));
        head.status = static_cast<long>(AsNumber(r[1]));
        head.creationDate = AsText(std::move(r[2]));
        head.creator = AsText(std::move(r[3]));
        head.revision = static_cast<long>(AsNumber(r[4]));
    }
    return true;
}

bool CServerDatabase::DeleteProject(long id, bool& found)
{
    found = false;
    Rows rows;
    if (!Run("DELETE FROM dbo.projects WHERE id = ?", {Number(id)}, &rows, "cannot delete the project"))
        return false;
    found = rows.changed > 0;
    return Run("DELETE FROM dbo.project_heads WHERE id = ?", {Number(id)}, nullptr, "cannot delete the project") &&
           Run("DELETE FROM dbo.project_access WHERE project_id = ?", {Number(id)}, nullptr,
               "cannot delete the project") &&
           Run("DELETE FROM dbo.calendars WHERE project_id = ?", {Number(id)}, nullptr, "cannot delete the project") &&
           Run("DELETE FROM dbo.permissions WHERE project_id = ?", {Number(id)}, nullptr, "cannot delete the project");
}

bool CServerDatabase::ProjectIds(std::vector<long>& ids)
{
    ids.clear();
    Rows rows;
    if (!Run("SELECT id FROM dbo.projects ORDER BY id", {}, &rows, "cannot read the projects"))
        return false;
    for (const auto& row : rows.values)
        ids.push_back(static_cast<long>(AsNumber(row[0])));
    return true;
}

bool CServerDatabase::CountProjects(long& count)
{
    Rows rows;
    if (!Run("SELECT count(*) FROM dbo.projects", {}, &rows, "cannot read the projects") || rows.values.empty())
        return false;
    count = static_cast<long>(AsNumber(rows.values[0][0]));
    return true;
}

bool CServerDatabase::PutAccess(long id, const std::vector<ProjectAccess>& access)
{
    if (!Run("DELETE FROM dbo.project_access WHERE project_id = ?", {Number(id)}, nullptr, "cannot write the rights"))
        return false;
    for (const ProjectAccess& a : access) {
        // The first record of a user counts, as the client's own permission test reads it.
        if (!Run("INSERT INTO dbo.project_access(project_id, user_code, open_proj, publish_proj, delete_proj,"
                 " modify_progress, look_progress, forum) VALUES(?, ?, ?, ?, ?, ?, ?, ?)"
                 " ON CONFLICT(project_id, user_code) DO NOTHING",
                 {Number(id), Text(a.user), Number(a.rights[0]), Number(a.rights[1]), Number(a.rights[2]),
                  Number(a.rights[3]), Number(a.rights[4]), Number(a.rights[5])},
                 nullptr, "cannot write the rights"))
            return false;
    }
    return true;
}

bool CServerDatabase::GetAccess(long id, const std::string& user, ProjectAccess& access, bool& found)
{
    Rows rows;
    if (!Run("SELECT open_proj, publish_proj, delete_proj, modify_progress, look_progress, forum"
             " FROM dbo.project_access WHERE project_id = ? AND user_code = ?",
             {Number(id), Text(user)}, &rows, "cannot read the rights"))
        return false;
    found = !rows.values.empty();
    access.user = user;
    for (int k = 0; k < kRightKinds; ++k)
        access.rights[k] = found ? static_cast<long>(AsNumber(rows.values[0][k])) : 0;
    return true;
}

bool CServerDatabase::ListProjects(const std::string& user, std::vector<ListedProject>& list)
{
    list.clear();
    Rows rows;
    if (!Run("SELECT h.id, h.name, h.status, h.creation_date FROM dbo.project_heads h"
             " WHERE (h.creator = ? AND h.creator <> '') OR EXISTS(SELECT 1 FROM dbo.project_access a"
             " WHERE a.project_id = h.id AND a.user_code = ? AND a.open_proj <> 0) ORDER BY h.id",
             {Text(user), Text(user)}, &rows, "cannot read the projects"))
        return false;
    list.reserve(rows.values.size());
    for (auto& r : rows.values) {
        ListedProject p;
        p.id = static_cast<long>(AsNumber(r[0]));
        p.name = AsText(std::move(r[1]));
        p.status = static_cast<long>(AsNumber(r[2]));
        p.creationDate = AsText(std::move(r[3]));
        list.push_back(std::move(p));
    }
    return true;
}

}  // namespace projectserver
