// Creation of project service instances, replaceable by tests.
#pragma once

#include <ProjectService/IProjectService.h>

#include <functional>

// A new instance for one operation, or nullptr when it cannot be created. The caller ends
// it with Release() (or holds it in a CProjectServicePtr). Without a replacement factory
// this is the SOAP client (CSoapProjectService).
IProjectService* CreateProjectService();

typedef std::function<IProjectService*()> ProjectServiceFactory;

// Replaces the factory CreateProjectService uses; an empty function restores the SOAP
// client. A factory that returns nullptr makes creation fail. Returns the previous one.
ProjectServiceFactory SetProjectServiceFactory(ProjectServiceFactory factory);

// Replaces the factory for the lifetime of the object (tests):
//   CProjectServiceFactoryScope scope([&] { return fake.NewInstance(); });
class CProjectServiceFactoryScope {
public:
    explicit CProjectServiceFactoryScope(ProjectServiceFactory factory)
        : m_previous(SetProjectServiceFactory(std::move(factory))) {}
    ~CProjectServiceFactoryScope() { SetProjectServiceFactory(std::move(m_previous)); }
    CProjectServiceFactoryScope(const CProjectServiceFactoryScope&) = delete;
    CProjectServiceFactoryScope& operator=(const CProjectServiceFactoryScope&) = delete;

private:
    ProjectServiceFactory m_previous;
};

// Time-outs, in milliseconds, of the SOAP client instances created from now on: to
// establish a connection, and for a whole exchange (defaults 10000 and 60000).
void SetProjectServiceTimeouts(long connectMilliseconds, long totalMilliseconds);
void GetProjectServiceTimeouts(long& connectMilliseconds, long& totalMilliseconds);
