// The loopback server's data and what each operation does with it. Texts are UTF-8, as
// they travel on the wire. Not thread-safe: the server serialises the calls.
#pragma once

#include <ProjectService/SoapEnvelope.h>

#include <map>
#include <string>

namespace loopback {

class ProjectStore {
public:
    struct User {
        std::string password; // enciphered, as the client sends it
        std::string reply;    // the Login answer for this user
    };

    // Carries out one operation; its results in the order of SoapProtocol.h. An unknown
    // operation or a missing argument gives false and a reason.
    bool Execute(const projectsoap::SoapMessage& request, projectsoap::SoapValues& results, std::string& error);

    std::map<std::string, User> users;
    bool loginServerError = false;
    std::map<long, std::string> projects; // canonical PROJECT texts
    std::map<long, std::string> calendars;
    std::map<long, std::string> permissions;
    std::string resources = "<RESOURCES></RESOURCES>";
    long nextProjectId = 101;
    long nextTaskId = 1001;

    // Stores a PROJECT text under an id (its ID element set to it), canonical form.
    bool PutProject(long id, const std::string& xml, std::string& error);

private:
    void Login(const projectsoap::SoapMessage& r, projectsoap::SoapValues& out);
    void GetProjectList(const projectsoap::SoapMessage& r, projectsoap::SoapValues& out);
    void GetProjectData(const projectsoap::SoapMessage& r, projectsoap::SoapValues& out);
    void NewProject(const projectsoap::SoapMessage& r, projectsoap::SoapValues& out);
    void DeleteProject(const projectsoap::SoapMessage& r, projectsoap::SoapValues& out);
    void SetProjectStatus(const projectsoap::SoapMessage& r, projectsoap::SoapValues& out);
    void SaveProject(const projectsoap::SoapMessage& r, projectsoap::SoapValues& out);
    void GetCalendar(const projectsoap::SoapMessage& r, projectsoap::SoapValues& out);
    void SaveCalendar(const projectsoap::SoapMessage& r, projectsoap::SoapValues& out);
    void GetUsersPermission(const projectsoap::SoapMessage& r, projectsoap::SoapValues& out);
    void SaveUsersPermission(const projectsoap::SoapMessage& r, projectsoap::SoapValues& out);
    void GetResources(const projectsoap::SoapMessage& r, projectsoap::SoapValues& out);
    void NewTask(const projectsoap::SoapMessage& r, projectsoap::SoapValues& out);
};

} // namespace loopback
